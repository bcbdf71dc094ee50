#include "app/viewer_window.h"

#include <QScreen>

#include "app/main_window_layout.h"
#include "app/outer_size.h"
#include "platform/qt/gui_thread.h"

namespace vt {

ViewerWindow::ViewerWindow(PictureBox* source) : source_(source) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromUtf8(kViewerTitle));
    picture_ = new PictureBox(this);
    picture_->setObjectName(QString::fromUtf8("图片框1"));
    picture_->setGeometry(0, 6, 400, 258);
    move(kDesignPosition);
    SetOuterSize(this, kViewerOuterSize);
}

void ViewerWindow::StartFit(int /*reason*/) {
    StartDetached(
        [viewer = QPointer<ViewerWindow>(this), source = source_] { FitViewer(viewer, source); });
}

void ViewerWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!created_) {
        created_ = true;
        StartFit(1);
    }
}

void ViewerWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (created_) StartFit(2);
}

void FitViewer(QPointer<ViewerWindow> viewer, QPointer<PictureBox> source) {
    RunOnGuiThread([&] {
        if (viewer) viewer->Picture()->resize(viewer->frameGeometry().size());
    });
    RunOnGuiThread([&] {
        if (viewer) viewer->Picture()->SetPicture(source ? source->Picture() : Bytes{});
    });
    RunOnGuiThread([&] {
        if (!viewer) return;
        const QRect screen = viewer->screen()->geometry();
        const QSize outer = viewer->frameGeometry().size();
        viewer->move(screen.x() + (screen.width() - outer.width()) / 2,
                     screen.y() + (screen.height() - outer.height()) / 2);
    });
}

}  // namespace vt
