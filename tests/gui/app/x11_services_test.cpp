// The services that need a real X display: the F4 key grab, and the hand-over of the clipboard
// text to a clipboard manager, here a minimal one on a connection of its own that speaks the
// freedesktop clipboard-manager protocol (owns CLIPBOARD_MANAGER, answers SAVE_TARGETS after
// fetching the text). Key presses come from xdotool (XTEST), as from a keyboard.

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>

#include <QTest>

#include "platform/qt/clipboard_handover.h"
#include "platform/qt/clipboard_qt.h"
#include "platform/qt/global_hotkey.h"
#include "text/codepage.h"

namespace vt {
namespace {

// The tests need the X display; without one they are skipped.
class X11Test : public testing::Test {
  protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            GTEST_SKIP() << "needs an X11 display";
        }
    }
};

class MiniClipboardManager {
  public:
    MiniClipboardManager() : connection_(xcb_connect(nullptr, nullptr)) {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        window_ = xcb_generate_id(connection_);
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, screen->root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        manager_ = Atom("CLIPBOARD_MANAGER");
        saveTargets_ = Atom("SAVE_TARGETS");
        clipboard_ = Atom("CLIPBOARD");
        utf8_ = Atom("UTF8_STRING");
        data_ = Atom("MINI_MANAGER_DATA");
        xcb_set_selection_owner(connection_, window_, manager_, XCB_CURRENT_TIME);
        xcb_flush(connection_);
        thread_ = std::thread([this] { Run(); });
    }
    ~MiniClipboardManager() {
        stop_ = true;
        thread_.join();
        xcb_disconnect(connection_);
    }

    std::string Saved() {
        std::lock_guard lock(mutex_);
        return saved_;
    }

  private:
    xcb_atom_t Atom(const char* name) {
        auto* reply = xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 0, std::strlen(name), name), nullptr);
        const xcb_atom_t atom = reply->atom;
        std::free(reply);
        return atom;
    }

    void Run() {
        while (!stop_) {
            xcb_generic_event_t* event = xcb_poll_for_event(connection_);
            if (!event) {
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
                continue;
            }
            const int type = event->response_type & 0x7F;
            if (type == XCB_SELECTION_REQUEST) {
                OnSaveRequest(*reinterpret_cast<xcb_selection_request_event_t*>(event));
            } else if (type == XCB_SELECTION_NOTIFY) {
                OnContent(*reinterpret_cast<xcb_selection_notify_event_t*>(event));
            }
            std::free(event);
        }
    }

    void OnSaveRequest(const xcb_selection_request_event_t& request) {
        if (request.selection != manager_ || request.target != saveTargets_) return;
        pending_ = request;
        xcb_convert_selection(connection_, window_, clipboard_, utf8_, data_, XCB_CURRENT_TIME);
        xcb_flush(connection_);
    }

    void OnContent(const xcb_selection_notify_event_t& notify) {
        if (notify.requestor != window_ || notify.property == XCB_NONE) return;
        auto* reply = xcb_get_property_reply(
            connection_,
            xcb_get_property(connection_, 1, window_, data_, XCB_GET_PROPERTY_TYPE_ANY, 0, 1 << 20),
            nullptr);
        if (reply) {
            std::lock_guard lock(mutex_);
            saved_.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                          xcb_get_property_value_length(reply));
            std::free(reply);
        }
        xcb_selection_notify_event_t done{};
        done.response_type = XCB_SELECTION_NOTIFY;
        done.requestor = pending_.requestor;
        done.selection = manager_;
        done.target = saveTargets_;
        done.property = pending_.property;
        done.time = pending_.time;
        xcb_send_event(connection_, 0, pending_.requestor, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&done));
        xcb_flush(connection_);
    }

    xcb_connection_t* connection_;
    xcb_window_t window_;
    xcb_atom_t manager_, saveTargets_, clipboard_, utf8_, data_;
    xcb_selection_request_event_t pending_{};
    std::atomic<bool> stop_ = false;
    std::mutex mutex_;
    std::string saved_;
    std::thread thread_;
};

TEST_F(X11Test, ClipboardHandOverManagerReceivesTheTextBeforeTheProgramEnds) {
    MiniClipboardManager manager;
    QtClipboard clipboard;
    clipboard.SetText(Utf8ToCp936("识别结果 line"));
    QElapsedTimer timer;
    timer.start();
    HandClipboardToManager(5000);
    EXPECT_LT(timer.elapsed(), 4000);
    EXPECT_EQ(manager.Saved(), "识别结果 line");
}

TEST_F(X11Test, ClipboardHandOverWithoutManagerReturnsAtOnce) {
    QtClipboard clipboard;
    clipboard.SetText(Text("x"));
    QElapsedTimer timer;
    timer.start();
    HandClipboardToManager(5000);
    EXPECT_LT(timer.elapsed(), 1000);
}

bool PressKeys(const char* keys) {
    return std::system((std::string("xdotool key ") + keys).c_str()) == 0;
}

// Another client that holds F4 already, as another program might.
class OtherGrab {
  public:
    OtherGrab() : connection_(xcb_connect(nullptr, nullptr)) {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        xcb_grab_key(connection_, 0, root, XCB_MOD_MASK_ANY, XCB_GRAB_ANY, XCB_GRAB_MODE_ASYNC,
                     XCB_GRAB_MODE_ASYNC);
        // A round trip: the grab is in place once the server has answered.
        std::free(
            xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
    }
    ~OtherGrab() { xcb_disconnect(connection_); }

  private:
    xcb_connection_t* connection_;
};

TEST_F(X11Test, HotKeyF4PressesReachTheHandlerWhateverTheLockKeys) {
    std::atomic<int> presses = 0;
    GlobalHotKey hotKey([&] { ++presses; });
    ASSERT_EQ(hotKey.status(), GlobalHotKey::Status::kRegistered);
    ASSERT_TRUE(PressKeys("F4"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return presses == 1; }, 3000));
    ASSERT_TRUE(PressKeys("Caps_Lock F4 Caps_Lock"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return presses == 2; }, 3000));
    // Other keys and F4 with a real modifier are not the hot key.
    ASSERT_TRUE(PressKeys("F5 ctrl+F4"));
    QTest::qWait(200);
    EXPECT_EQ(presses, 2);
}

TEST_F(X11Test, HotKeyHeldByAnotherProgramIsReportedAndHarmless) {
    OtherGrab other;
    GlobalHotKey hotKey([] {});
    EXPECT_EQ(hotKey.status(), GlobalHotKey::Status::kTaken);
}

}  // namespace
}  // namespace vt

int main(int argc, char** argv) {
    // The hand-over is X11's: use the display when there is one.
    if (std::getenv("DISPLAY")) qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
