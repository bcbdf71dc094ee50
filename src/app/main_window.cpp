#include "app/main_window.h"

#include <QCloseEvent>

#include "app/outer_size.h"
#include "platform/qt/gui_thread.h"
#include "text/codepage.h"

namespace vt {

MainWindow::MainWindow(ShellServices services)
    : services_(std::move(services)),
      controls_(BuildMainWindowControls(this)),
      workerServices_(this, controls_.progress, controls_.timer, [this] { Destroy(); }) {
    setWindowTitle(QString::fromUtf8(kMainWindowTitle));
    move(kDesignPosition);
    SetOuterSize(this, kMainWindowOuterSize);
    BindEvents();
}

void MainWindow::BindEvents() {
    const MainWindowControls& c = controls_;
    connect(c.captureButton, &QPushButton::clicked, this, &MainWindow::CaptureCommand);
    connect(c.saveButton, &QPushButton::clicked, this, &MainWindow::SaveCommand);
    connect(c.clearButton, &QPushButton::clicked, this, &MainWindow::ClearCommand);
    connect(c.loadImageButton, &QPushButton::clicked, this, &MainWindow::LoadImageCommand);
    connect(c.recogniseUrlButton, &QPushButton::clicked, this,
            &MainWindow::RecogniseAddressCommand);
    connect(c.resultBox, &QPlainTextEdit::textChanged, this, &MainWindow::CopyResultToClipboard);
    connect(c.update, &QLineEdit::textChanged, this, &MainWindow::Destroy);
    connect(c.timer, &QTimer::timeout, this, &MainWindow::ProgressTick);
    connect(c.viewLink, &HyperlinkLabel::leftButtonPressed, this, &MainWindow::ViewCommand);
    connect(c.picture, &PictureBox::doubleClicked, this, &MainWindow::OpenViewer);
}

void MainWindow::OnCreated() {
    if (services_.checkToken) StartDetached(services_.checkToken);
    // F4 reaches the capture command as the feedback of the hidden label 标签2. A key that
    // another program holds is ignored: the capture button still works.
    hotKey_ = std::make_unique<GlobalHotKey>([this] { CaptureCommand(); });
    if (hotKey_->status() == GlobalHotKey::Status::kUnsupported) {
        controls_.statusLabel->setText(QString::fromUtf8("F4 热键需要 X11，请用截图按钮"));
    }
    services_.values->deviceId.Set(Text(kDeviceIdentifier));
}

void MainWindow::Destroy() {
    if (destroyed_) return;
    destroyed_ = true;
    controls_.timer->stop();
    hotKey_.reset();
    if (viewer_) viewer_->close();
    hide();
    emit destroyRequested();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    Destroy();
}

void MainWindow::CopyResultToClipboard() {
    // The clipboard gets the box's text with the platform's line breaks (LF).
    services_.clipboard->SetText(Utf8ToCp936(controls_.resultBox->toPlainText().toStdString()));
}

}  // namespace vt
