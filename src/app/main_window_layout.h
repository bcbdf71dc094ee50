#pragma once
// The controls of the main window at their design positions, named after the design.

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "platform/qt/hyperlink_label.h"
#include "platform/qt/open_file_dialog.h"
#include "platform/qt/picture_box.h"

namespace vt {

inline constexpr char kMainWindowTitle[] = "【澄溪】Ocr Veltrace 0.3 By Kestrane ";
inline constexpr QSize kMainWindowOuterSize{681, 320};
inline constexpr QPoint kDesignPosition{50, 50};

struct MainWindowControls {
    QGroupBox* frame;                 // 分组框1: around everything but the progress bar
    QGroupBox* buttonFrame;           // 分组框3
    QPushButton* captureButton;       // 按钮3 "截图(F4)"
    QPushButton* saveButton;          // 按钮4 "保存结果"
    QPushButton* clearButton;         // 按钮5 "清除"
    QPushButton* loadImageButton;     // 按钮1 "载入图片", hidden
    QPushButton* recogniseUrlButton;  // 按钮2 "开始识别", hidden
    QPlainTextEdit* resultBox;        // 编辑框1
    PictureBox* picture;              // 图片框1
    QCheckBox* compress;              // 选择框1 "压缩图片"
    QCheckBox* hideWhileCapturing;    // 截图 "截图并隐藏窗口"
    HyperlinkLabel* viewLink;         // 超级链接框1 "查看截图"
    QRadioButton* interface1;         // 单选框1 "接口1"
    QRadioButton* interface2;         // 单选框2 "接口2", hidden
    QLabel* statusLabel;              // 透明标签1 "澄溪"
    QLabel* hotKeyLabel;              // 标签2, hidden: receives the hot key
    QLineEdit* url;                   // url, hidden: image address
    QLineEdit* update;                // 更新, hidden: a change ends the program
    QLineEdit* tokenAnswer;           // 返回数据, hidden
    QLineEdit* recognitionAnswer;     // 返回验证, hidden
    QLineEdit* todayStamp;            // 当前, hidden
    QLineEdit* storedStamp;           // 配置, hidden
    QLineEdit* cacheAge;              // 输出, hidden
    QProgressBar* progress;           // 进度条1
    QTimer* timer;                    // 时钟1
    OpenFileDialog* fileDialog;       // 通用对话框1
};

// Creates every control as a child of `window` in its initial state.
MainWindowControls BuildMainWindowControls(QWidget* window);

}  // namespace vt
