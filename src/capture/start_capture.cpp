#include "capture/start_capture.h"

#include <QApplication>

#include "capture/screen_grab.h"
#include "capture/selection_overlay.h"
#include "platform/qt/clipboard_qt.h"

namespace vt {

int StartCapture(bool captureCursor, std::optional<Colour> frameColour, Colour infoFrameColour,
                 Colour infoTextColour) {
    // The overlay's modal loop runs events, a hot key among them; one capture at a time.
    static bool running = false;
    if (running || !qobject_cast<QApplication*>(QCoreApplication::instance())) return 0;
    running = true;

    CaptureState& state = TheCaptureState();
    state.drawCursor = captureCursor;
    if (captureCursor) state.cursorSnapshot = TakeCursorSnapshot();
    state.frameColour = frameColour.value_or(kDefaultFrameColour);
    state.infoFrameColour = infoFrameColour;
    state.infoTextColour = infoTextColour;

    const QImage screen = GrabScreen(state);
    if (!screen.isNull()) {
        QtClipboard clipboard;
        SelectionOverlay overlay(state, screen, clipboard);
        overlay.RunModal();
    } else {
        state.captureResult = 0;
    }
    running = false;
    return state.captureResult;
}

}  // namespace vt
