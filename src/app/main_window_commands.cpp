// The commands of the main window. All run on the GUI thread; recognition runs on a worker.

#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include "app/main_window.h"
#include "app/result_file.h"
#include "imaging/reencode.h"
#include "platform/qt/control_text.h"
#include "platform/qt/gui_thread.h"
#include "platform/qt/message_box.h"
#include "text/codepage.h"

namespace vt {
namespace {

// How long the capture command waits after hiding the window, so that it is off the screen
// before the screen is frozen.
constexpr int kHideDelayMs = 300;
constexpr int kProgressPeriodMs = 300;
// Largest image file the load-image command reads; larger files count as unreadable.
constexpr qint64 kMaxImageFileBytes = qint64{64} << 20;

constexpr char kImageFilter[] =
    "(*.jpg;*.bmp;*.ico;*.png;*.gif;*.cur)|*.jpg;*.bmp;*.ico;*.png;*.gif;*.cur";

// Waits while the GUI thread goes on handling events.
void Pause(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// The whole file, or empty bytes when it cannot be read or is too large.
Bytes ReadImageFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxImageFileBytes) return {};
    const QByteArray data = file.read(kMaxImageFileBytes + 1);
    if (data.size() > kMaxImageFileBytes) return {};
    return Bytes(data.begin(), data.end());
}

Text Cp936(const char* utf8) {
    return Utf8ToCp936(utf8);
}

}  // namespace

void MainWindow::CaptureCommand() {
    // F4 pressed again while the overlay is up must not start a capture inside the capture.
    if (capturing_ || destroyed_) return;
    capturing_ = true;
    if (controls_.hideWhileCapturing->isChecked()) {
        hide();
        Pause(kHideDelayMs);
        if (destroyed_) return;  // ended during the pause
    }
    const int captured = services_.startCapture();
    // The program may have ended while the overlay was up.
    if (destroyed_) return;
    if (captured == 0) {
        show();
        capturing_ = false;
        return;
    }
    controls_.picture->SetPicture(services_.capturedBmp());
    services_.values->imageBytes.Set(controls_.picture->Picture());
    show();
    CompressImageBytes();  // the picture box keeps showing the BMP
    StartRecognition(1);
    capturing_ = false;
}

void MainWindow::CompressImageBytes() {
    if (!controls_.compress->isChecked()) return;
    Bytes jpeg;
    if (ReencodeImage(*services_.values->imageBytes.Snapshot(), kJpeg, {}, &jpeg)) {
        services_.values->imageBytes.Set(std::move(jpeg));
    }
}

void MainWindow::StartRecognition(int mode) {
    controls_.progress->setValue(0);
    SetTimerPeriod(*controls_.timer, kProgressPeriodMs);
    StartDetached([job = services_.recognitionJob, mode] { job(mode); });
}

void MainWindow::ProgressTick() {
    QProgressBar* bar = controls_.progress;
    // A bar at 100 ignores the step beyond its range, as a full bar stays full.
    bar->setValue(bar->value() + 20);
    if (bar->value() == 100) bar->setValue(0);
}

void MainWindow::SaveCommand() {
    const QString name = ResultFileStem(QDateTime::currentDateTime()) + QStringLiteral(".txt");
    const std::filesystem::path file = services_.resultDirectory / name.toStdString();
    const QString text = controls_.resultBox->toPlainText().replace('\n', QStringLiteral("\r\n"));
    if (AppendResultText(file, text.toStdString())) {
        ShowMessageBox(Cp936("导出成功,文件保存在软件所在目录\r\n") + FromQString(name),
                       MessageIcon::kNone);
    } else {
        ShowMessageBox(Cp936("导出失败,无法写入文件\r\n") + Utf8ToCp936(file.string()),
                       MessageIcon::kStop);
    }
}

void MainWindow::ClearCommand() {
    controls_.resultBox->setPlainText(QString());
}

void MainWindow::ViewCommand() {
    if (controls_.picture->Picture().empty()) {
        ShowMessageBox(Cp936("无截图数据："), MessageIcon::kStop, Cp936("澄溪提示："));
        return;
    }
    OpenViewer();
}

void MainWindow::OpenViewer() {
    // One viewer at a time: opening it again brings it forward and fits it anew.
    if (viewer_) {
        viewer_->showNormal();
        viewer_->raise();
        viewer_->activateWindow();
        viewer_->StartFit(1);
        return;
    }
    viewer_ = new ViewerWindow(controls_.picture);
    viewer_->show();
}

void MainWindow::LoadImageCommand() {
    controls_.fileDialog->SetFilter(Cp936(kImageFilter));
    if (!controls_.fileDialog->Open(this)) return;
    services_.values->imageBytes.Set(ReadImageFile(controls_.fileDialog->FileName()));
    CompressImageBytes();
    controls_.picture->SetPicture(services_.values->imageBytes.Get());
    StartRecognition(1);
}

void MainWindow::RecogniseAddressCommand() {
    const Text address = ReadControlText(controls_.url);
    if (address.empty()) {
        ShowMessageBox(Cp936("请输入Url图片地址"), MessageIcon::kStop);
        return;
    }
    // Blocks the GUI thread until the image has arrived or the fetch has failed.
    controls_.picture->SetPicture(services_.fetchAddress(address));
    StartRecognition(2);
}

}  // namespace vt
