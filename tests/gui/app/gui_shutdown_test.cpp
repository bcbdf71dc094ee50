// After the program's end has begun, worker threads that outlive the main window never reach a
// widget: waiting calls wake up, later calls run nothing.

#include <gtest/gtest.h>

#include <QTest>
#include <atomic>
#include <thread>

#include "platform/qt/gui_thread.h"
#include "platform/qt/message_box.h"

namespace vt {
namespace {

TEST(GuiShutdown, WakesWaitingWorkersAndRefusesLaterCalls) {
    std::atomic<int> finished = 0;
    std::atomic<bool> taskRan = false;
    // One worker waits for a task the GUI thread never gets to, one for a message box that is
    // queued but never opened.
    std::thread call([&] {
        EXPECT_FALSE(RunOnGuiThread([&] { taskRan = true; }));
        ++finished;
    });
    std::thread message([&] {
        ShowMessageBox(Text("never shown"), MessageIcon::kNone);
        ++finished;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));  // both queued, none run
    ShutDownGuiCalls();
    call.join();
    message.join();
    EXPECT_EQ(finished, 2);
    QTest::qWait(20);
    EXPECT_FALSE(taskRan);
    EXPECT_FALSE(RunOnGuiThread([&] { taskRan = true; }));
    EXPECT_FALSE(taskRan);
}

}  // namespace
}  // namespace vt
