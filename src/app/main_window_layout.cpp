#include "app/main_window_layout.h"

#include <limits>

namespace vt {
namespace {

// Creates a control of type T under `parent` with its design name, place and visibility.
template <typename T, typename... Args>
T* Place(QWidget* parent, const char* name, QRect place, bool visible, Args&&... args) {
    auto* control = new T(std::forward<Args>(args)..., parent);
    control->setObjectName(QString::fromUtf8(name));
    control->setGeometry(place);
    // Hidden controls are marked explicitly hidden, so showing the window never shows them.
    control->setVisible(visible);
    return control;
}

// A hidden edit box that stores a text for the worker routines, whatever its length.
QLineEdit* Storage(QWidget* parent, const char* name, QRect place) {
    auto* box = Place<QLineEdit>(parent, name, place, false);
    box->setMaxLength(std::numeric_limits<int>::max());
    return box;
}

QString Caption(const char* utf8) {
    return QString::fromUtf8(utf8);
}

}  // namespace

MainWindowControls BuildMainWindowControls(QWidget* window) {
    MainWindowControls c{};
    c.frame = Place<QGroupBox>(window, "分组框1", {0, 0, 680, 296}, true);
    c.buttonFrame = Place<QGroupBox>(c.frame, "分组框3", {8, 49, 302, 56}, true);
    c.captureButton =
        Place<QPushButton>(c.buttonFrame, "按钮3", {20, 13, 65, 35}, true, Caption("截图(F4)"));
    c.saveButton =
        Place<QPushButton>(c.buttonFrame, "按钮4", {120, 13, 65, 35}, true, Caption("保存结果"));
    c.clearButton =
        Place<QPushButton>(c.buttonFrame, "按钮5", {224, 13, 65, 35}, true, Caption("清除"));
    c.loadImageButton =
        Place<QPushButton>(c.buttonFrame, "按钮1", {14, 107, 66, 36}, false, Caption("载入图片"));
    c.recogniseUrlButton =
        Place<QPushButton>(c.buttonFrame, "按钮2", {129, 115, 66, 36}, false, Caption("开始识别"));

    c.resultBox = Place<QPlainTextEdit>(c.frame, "编辑框1", {4, 115, 320, 128}, true);
    c.resultBox->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    c.resultBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    c.resultBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    c.picture = Place<PictureBox>(c.frame, "图片框1", {331, 16, 344, 248}, true);
    c.compress = Place<QCheckBox>(c.frame, "选择框1", {234, 23, 69, 16}, true, Caption("压缩图片"));
    c.compress->setChecked(true);
    c.hideWhileCapturing =
        Place<QCheckBox>(c.frame, "截图", {218, 244, 104, 24}, true, Caption("截图并隐藏窗口"));
    c.hideWhileCapturing->setChecked(true);
    c.viewLink =
        Place<HyperlinkLabel>(c.frame, "超级链接框1", {128, 18, 64, 24}, true, Caption("查看截图"));
    c.interface1 =
        Place<QRadioButton>(c.frame, "单选框1", {31, 19, 56, 24}, true, Caption("接口1"));
    c.interface1->setChecked(true);
    c.interface2 =
        Place<QRadioButton>(c.frame, "单选框2", {57, 43, 56, 24}, false, Caption("接口2"));
    // A transparent label: no background of its own.
    c.statusLabel = Place<QLabel>(c.frame, "透明标签1", {43, 240, 160, 32}, true, Caption("澄溪"));
    c.statusLabel->setAutoFillBackground(false);
    c.statusLabel->setAttribute(Qt::WA_TranslucentBackground);
    c.hotKeyLabel =
        Place<QLabel>(c.frame, "标签2", {12, 307, 56, 24}, false, Caption("图片地址："));
    c.url = Storage(c.frame, "url", {69, 302, 240, 36});
    c.update = Storage(c.frame, "更新", {8, 240, 64, 24});
    c.tokenAnswer = Storage(c.frame, "返回数据", {312, 248, 16, 24});
    c.recognitionAnswer = Storage(c.picture, "返回验证", {196, 55, 104, 40});
    c.todayStamp = Storage(c.picture, "当前", {68, 95, 56, 40});
    c.storedStamp = Storage(c.picture, "配置", {44, 31, 72, 48});
    c.cacheAge = Storage(c.picture, "输出", {68, 175, 72, 32});

    c.progress = Place<QProgressBar>(window, "进度条1", {2, 267, 688, 24}, true);
    c.progress->setRange(0, 100);
    c.progress->setValue(0);
    c.progress->setTextVisible(false);

    c.timer = new QTimer(c.frame);
    c.timer->setObjectName(QString::fromUtf8("时钟1"));
    c.fileDialog = new OpenFileDialog(c.frame);
    c.fileDialog->setObjectName(QString::fromUtf8("通用对话框1"));
    return c;
}

}  // namespace vt
