// The GUI services across threads: control access from a worker, and the real message box,
// which blocks only the thread that shows it.

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <atomic>
#include <thread>

#include "app_fixture.h"
#include "platform/qt/gui_thread.h"
#include "platform/qt/message_box.h"
#include "text/codepage.h"

namespace vt::test {
namespace {

QMessageBox* OpenMessageBox() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (box && box->isVisible()) return box;
    }
    return nullptr;
}

TEST_F(AppFixture, WorkerReadsAndWritesHiddenStorageExactly) {
    // A long answer with line breaks and Chinese text survives the round trip unchanged.
    Text answer = Utf8ToCp936("{\"words_result\":[{\"words\":\"识别\"}]}\r\n");
    answer += Text(100000, 'x');
    Text readBack;
    std::thread worker([&] {
        MainWindowServices& services = window->WorkerServices();
        services.SetControlText("返回验证", answer);
        readBack = services.ControlText("返回验证");
    });
    while (!QTest::qWaitFor([&] { return !readBack.empty(); }, 10)) {
    }
    worker.join();
    EXPECT_EQ(readBack, answer);
    EXPECT_FALSE(window->Controls().recognitionAnswer->isVisible());
    EXPECT_EQ(window->WorkerServices().ControlText("no such control"), Text());
}

TEST(MessageBox, WorkerWaitsForConfirmationWhileGuiRuns) {
    std::atomic<bool> returned = false;
    std::thread worker([&] {
        ShowMessageBox(Utf8ToCp936("第一行\r\n第二行"), MessageIcon::kInformation, {});
        returned = true;
    });
    QMessageBox* box = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (box = OpenMessageBox()) != nullptr; }, 5000));
    EXPECT_EQ(box->windowTitle(), QString::fromUtf8("信息："));
    EXPECT_EQ(box->text(), QString::fromUtf8("第一行\n第二行"));
    EXPECT_EQ(box->icon(), QMessageBox::Information);
    EXPECT_EQ(box->buttons().size(), 1);
    EXPECT_EQ(box->parentWidget(), nullptr);
    QTest::qWait(50);
    EXPECT_FALSE(returned);
    box->button(QMessageBox::Ok)->click();
    worker.join();
    EXPECT_TRUE(returned);
}

TEST(MessageBox, GuiThreadWaitsWithTitleAndStopIcon) {
    QMessageBox* seen = nullptr;
    QTimer::singleShot(0, [&] {
        seen = OpenMessageBox();
        if (seen) seen->button(QMessageBox::Ok)->click();
    });
    ShowMessageBox(Text("x"), MessageIcon::kStop, Utf8ToCp936("澄溪提示："));
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(seen->windowTitle(), QString::fromUtf8("澄溪提示："));
    EXPECT_EQ(seen->icon(), QMessageBox::Critical);
}

TEST(GuiThread, WorkerCallsRunOnTheGuiThread) {
    std::thread::id ranOn;
    bool ran = false;
    std::thread worker([&] { ran = RunOnGuiThread([&] { ranOn = std::this_thread::get_id(); }); });
    while (!QTest::qWaitFor([&] { return ran; }, 10)) {
    }
    worker.join();
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}

}  // namespace
}  // namespace vt::test
