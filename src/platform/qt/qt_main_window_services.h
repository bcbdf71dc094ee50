#pragma once
// MainWindowServices for a real Qt window: every call may come from any thread and is carried
// out on the GUI thread (the caller waits when it reads a value or a message box is open).

#include <QPointer>
#include <QProgressBar>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "platform/main_window_services.h"

namespace vt {

class QtMainWindowServices : public MainWindowServices {
  public:
    // Controls are found among the children of `window` by object name; `destroyWindow` ends
    // the program's main window. The window and its controls may be gone later: calls on them
    // then do nothing and read empty values.
    QtMainWindowServices(QWidget* window, QProgressBar* progressBar, QTimer* timer,
                         std::function<void()> destroyWindow);

    Text ControlText(std::string_view control) override;
    void SetControlText(std::string_view control, const Text& text) override;
    void AppendControlText(std::string_view control, const Text& text) override;
    void SetProgressPosition(int position) override;
    void SetTimerPeriod(int milliseconds) override;
    void ShowMessage(const Text& text, MessageIcon icon, const Text& title) override;
    void DestroyMainWindow() override;
    void StartThread(std::function<void()> routine) override;

  private:
    QWidget* Find(std::string_view control) const;

    QPointer<QWidget> window_;
    QPointer<QProgressBar> progressBar_;
    QPointer<QTimer> timer_;
    std::function<void()> destroyWindow_;
};

// Sets a timer's period in milliseconds, restarting it; 0 stops it. GUI thread only.
void SetTimerPeriod(QTimer& timer, int milliseconds);

}  // namespace vt
