#pragma once
// A global hot key: a key press that reaches the program whichever window has the focus.

#include <functional>
#include <memory>

namespace vt {

class GlobalHotKey {
  public:
    enum class Status {
        kRegistered,   // presses are reported
        kTaken,        // another program holds the key; nothing is reported
        kUnsupported,  // the session has no X11 display (e.g. Wayland without XWayland)
    };

    // Grabs F4 without modifiers (NumLock and CapsLock states included) on the X11 root window.
    // Each press queues `onPress` for the GUI thread. Needs a QGuiApplication. The grab ends
    // with the object.
    explicit GlobalHotKey(std::function<void()> onPress);
    ~GlobalHotKey();
    GlobalHotKey(const GlobalHotKey&) = delete;
    GlobalHotKey& operator=(const GlobalHotKey&) = delete;

    Status status() const;

  private:
    class Grab;
    std::unique_ptr<Grab> grab_;
    Status status_;
};

}  // namespace vt
