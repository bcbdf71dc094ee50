#include "platform/qt/qt_main_window_services.h"

#include "platform/qt/control_text.h"
#include "platform/qt/gui_thread.h"
#include "platform/qt/message_box.h"

namespace vt {

QtMainWindowServices::QtMainWindowServices(QWidget* window, QProgressBar* progressBar,
                                           QTimer* timer, std::function<void()> destroyWindow)
    : window_(window),
      progressBar_(progressBar),
      timer_(timer),
      destroyWindow_(std::move(destroyWindow)) {}

QWidget* QtMainWindowServices::Find(std::string_view control) const {
    if (!window_) return nullptr;
    return window_->findChild<QWidget*>(
        QString::fromUtf8(control.data(), static_cast<qsizetype>(control.size())));
}

Text QtMainWindowServices::ControlText(std::string_view control) {
    Text text;
    RunOnGuiThread([&] {
        if (QWidget* widget = Find(control)) text = ReadControlText(widget);
    });
    return text;
}

void QtMainWindowServices::SetControlText(std::string_view control, const Text& text) {
    RunOnGuiThread([&] {
        if (QWidget* widget = Find(control)) WriteControlText(widget, text);
    });
}

void QtMainWindowServices::AppendControlText(std::string_view control, const Text& text) {
    RunOnGuiThread([&] {
        if (QWidget* widget = Find(control)) vt::AppendControlText(widget, text);
    });
}

void QtMainWindowServices::SetProgressPosition(int position) {
    RunOnGuiThread([&] {
        if (progressBar_) progressBar_->setValue(position);
    });
}

void QtMainWindowServices::SetTimerPeriod(int milliseconds) {
    RunOnGuiThread([&] {
        if (timer_) vt::SetTimerPeriod(*timer_, milliseconds);
    });
}

void QtMainWindowServices::ShowMessage(const Text& text, MessageIcon icon, const Text& title) {
    ShowMessageBox(text, icon, title);
}

void QtMainWindowServices::DestroyMainWindow() {
    RunOnGuiThread(destroyWindow_);
}

void QtMainWindowServices::StartThread(std::function<void()> routine) {
    StartDetached(std::move(routine));
}

void SetTimerPeriod(QTimer& timer, int milliseconds) {
    if (milliseconds <= 0) {
        timer.stop();
    } else {
        timer.start(milliseconds);
    }
}

}  // namespace vt
