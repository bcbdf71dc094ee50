#include <X11/keysym.h>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdlib>
#include <vector>

#include "platform/qt/global_hotkey.h"
#include "platform/qt/gui_thread.h"

namespace vt {
namespace {

// Lock states that must not stop the key from counting as unmodified: none, NumLock (Mod2),
// CapsLock (Lock), both.
constexpr uint16_t kLockCombinations[] = {0, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK,
                                          XCB_MOD_MASK_2 | XCB_MOD_MASK_LOCK};

std::vector<xcb_keycode_t> KeycodesOf(xcb_connection_t* connection, xcb_keysym_t keysym) {
    std::vector<xcb_keycode_t> codes;
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(connection);
    if (!symbols) return codes;
    if (xcb_keycode_t* list = xcb_key_symbols_get_keycode(symbols, keysym)) {
        for (xcb_keycode_t* code = list; *code != XCB_NO_SYMBOL; ++code) codes.push_back(*code);
        std::free(list);
    }
    xcb_key_symbols_free(symbols);
    return codes;
}

}  // namespace

// The passive key grab on the root window and the filter that sees its key presses.
class GlobalHotKey::Grab : public QAbstractNativeEventFilter {
  public:
    Grab(xcb_connection_t* connection, xcb_window_t root, std::function<void()> onPress)
        : connection_(connection), root_(root), onPress_(std::move(onPress)) {}

    ~Grab() override {
        QCoreApplication::instance()->removeNativeEventFilter(this);
        for (xcb_keycode_t code : codes_) {
            for (uint16_t modifiers : kLockCombinations) {
                xcb_ungrab_key(connection_, code, root_, modifiers);
            }
        }
        xcb_flush(connection_);
    }

    // True when every combination of every keycode was grabbed.
    bool Install(xcb_keysym_t keysym) {
        codes_ = KeycodesOf(connection_, keysym);
        bool all = !codes_.empty();
        for (xcb_keycode_t code : codes_) {
            for (uint16_t modifiers : kLockCombinations) {
                // owner_events 0: presses are reported on the root window even when one of our
                // own windows has the focus.
                xcb_void_cookie_t cookie =
                    xcb_grab_key_checked(connection_, 0, root_, modifiers, code,
                                         XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
                if (xcb_generic_error_t* error = xcb_request_check(connection_, cookie)) {
                    all = false;
                    std::free(error);
                }
            }
        }
        QCoreApplication::instance()->installNativeEventFilter(this);
        return all;
    }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (eventType != "xcb_generic_event_t") return false;
        auto* event = static_cast<xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7F) != XCB_KEY_PRESS) return false;
        auto* press = reinterpret_cast<xcb_key_press_event_t*>(event);
        if (press->event != root_) return false;
        for (xcb_keycode_t code : codes_) {
            if (press->detail == code) {
                // Queued: the handler may run a modal loop, which must not start inside the
                // native event dispatch.
                PostToGuiThread(onPress_);
                return true;
            }
        }
        return false;
    }

  private:
    xcb_connection_t* connection_;
    xcb_window_t root_;
    std::function<void()> onPress_;
    std::vector<xcb_keycode_t> codes_;
};

GlobalHotKey::GlobalHotKey(std::function<void()> onPress) : status_(Status::kUnsupported) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || QGuiApplication::platformName() != QLatin1String("xcb")) return;
    xcb_connection_t* connection = x11->connection();
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!screen) return;
    grab_ = std::make_unique<Grab>(connection, screen->root, std::move(onPress));
    status_ = grab_->Install(XK_F4) ? Status::kRegistered : Status::kTaken;
}

GlobalHotKey::~GlobalHotKey() = default;

GlobalHotKey::Status GlobalHotKey::status() const {
    return status_;
}

}  // namespace vt
