// The main window as laid out: every control at its place, with its caption, visibility and
// initial state.

#include <QAbstractButton>
#include <QLabel>
#include <QTest>

#include "app_fixture.h"
#include "platform/qt/control_text.h"

namespace vt::test {
namespace {

struct ControlRow {
    const char* name;
    const char* className;
    const char* parent;
    QRect place;
    bool visible;
    const char* caption;  // nullptr: none to check
};

const ControlRow kLayout[] = {
    {"分组框1", "QGroupBox", "", {0, 0, 680, 296}, true, nullptr},
    {"分组框3", "QGroupBox", "分组框1", {8, 49, 302, 56}, true, nullptr},
    {"按钮3", "QPushButton", "分组框3", {20, 13, 65, 35}, true, "截图(F4)"},
    {"按钮4", "QPushButton", "分组框3", {120, 13, 65, 35}, true, "保存结果"},
    {"按钮5", "QPushButton", "分组框3", {224, 13, 65, 35}, true, "清除"},
    {"按钮1", "QPushButton", "分组框3", {14, 107, 66, 36}, false, "载入图片"},
    {"按钮2", "QPushButton", "分组框3", {129, 115, 66, 36}, false, "开始识别"},
    {"编辑框1", "QPlainTextEdit", "分组框1", {4, 115, 320, 128}, true, ""},
    {"图片框1", "vt::PictureBox", "分组框1", {331, 16, 344, 248}, true, nullptr},
    {"选择框1", "QCheckBox", "分组框1", {234, 23, 69, 16}, true, "压缩图片"},
    {"截图", "QCheckBox", "分组框1", {218, 244, 104, 24}, true, "截图并隐藏窗口"},
    {"超级链接框1", "vt::HyperlinkLabel", "分组框1", {128, 18, 64, 24}, true, "查看截图"},
    {"单选框1", "QRadioButton", "分组框1", {31, 19, 56, 24}, true, "接口1"},
    {"单选框2", "QRadioButton", "分组框1", {57, 43, 56, 24}, false, "接口2"},
    {"透明标签1", "QLabel", "分组框1", {43, 240, 160, 32}, true, "澄溪"},
    {"标签2", "QLabel", "分组框1", {12, 307, 56, 24}, false, "图片地址："},
    {"url", "QLineEdit", "分组框1", {69, 302, 240, 36}, false, ""},
    {"更新", "QLineEdit", "分组框1", {8, 240, 64, 24}, false, ""},
    {"返回数据", "QLineEdit", "分组框1", {312, 248, 16, 24}, false, ""},
    {"返回验证", "QLineEdit", "图片框1", {196, 55, 104, 40}, false, ""},
    {"当前", "QLineEdit", "图片框1", {68, 95, 56, 40}, false, ""},
    {"配置", "QLineEdit", "图片框1", {44, 31, 72, 48}, false, ""},
    {"输出", "QLineEdit", "图片框1", {68, 175, 72, 32}, false, ""},
    {"进度条1", "QProgressBar", "", {2, 267, 688, 24}, true, nullptr},
};

TEST_F(AppFixture, EveryControlAtItsPlaceWithItsCaptionAndVisibility) {
    for (const ControlRow& row : kLayout) {
        SCOPED_TRACE(row.name);
        auto* control = window->findChild<QWidget*>(QString::fromUtf8(row.name));
        ASSERT_NE(control, nullptr);
        EXPECT_STREQ(control->metaObject()->className(), row.className);
        const QWidget* parent = control->parentWidget();
        EXPECT_EQ(parent == window.get() ? QString() : parent->objectName(),
                  QString::fromUtf8(row.parent));
        EXPECT_EQ(control->geometry(), row.place);
        EXPECT_EQ(control->isVisible(), row.visible);
        if (!row.caption) continue;
        const QString caption = QString::fromUtf8(row.caption);
        if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            EXPECT_EQ(button->text(), caption);
        } else if (auto* label = qobject_cast<QLabel*>(control)) {
            EXPECT_EQ(label->text(), caption);
        } else {
            EXPECT_EQ(ToQString(ReadControlText(control)), caption);
        }
    }
}

TEST_F(AppFixture, WindowAndInitialStates) {
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("【澄溪】Ocr Veltrace 0.3 By Kestrane "));
    // The outer size includes the frame (the offscreen platform draws one of 2 pixels).
    EXPECT_EQ(window->frameGeometry(), QRect(50, 50, 681, 320));
    const MainWindowControls& c = window->Controls();
    EXPECT_TRUE(c.compress->isChecked());
    EXPECT_TRUE(c.hideWhileCapturing->isChecked());
    EXPECT_TRUE(c.interface1->isChecked());
    EXPECT_FALSE(c.interface2->isChecked());
    EXPECT_EQ(c.progress->value(), 0);
    EXPECT_EQ(c.progress->minimum(), 0);
    EXPECT_EQ(c.progress->maximum(), 100);
    EXPECT_FALSE(c.timer->isActive());
    EXPECT_EQ(c.timer->objectName(), QString::fromUtf8("时钟1"));
    EXPECT_EQ(c.fileDialog->objectName(), QString::fromUtf8("通用对话框1"));
    EXPECT_TRUE(c.picture->Picture().empty());
}

TEST_F(AppFixture, HiddenControlsStayHiddenWhateverTheWindowSize) {
    window->resize(1200, 900);
    window->hide();
    window->show();
    QTest::qWait(10);
    for (const ControlRow& row : kLayout) {
        if (row.visible) continue;
        SCOPED_TRACE(row.name);
        EXPECT_FALSE(window->findChild<QWidget*>(QString::fromUtf8(row.name))->isVisible());
    }
}

TEST_F(AppFixture, CreatedHandlerStartsTokenCheckSetsDeviceIdAndReportsMissingHotKey) {
    window->OnCreated();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            std::lock_guard lock(recording->mutex);
            return recording->checkTokenRuns == 1;
        },
        5000));
    EXPECT_EQ(values.deviceId.Get(), "7c2e9b14-5f03-4e7c-b6c1-0d9f4c37a25e");
    // The offscreen platform has no X11 display to grab F4 on: the status label says so.
    EXPECT_TRUE(window->Controls().statusLabel->text().contains("F4"));
}

}  // namespace
}  // namespace vt::test
