#pragma once
// The main window: its controls, the handlers bound to their events and the commands.

#include <QPointer>
#include <QWidget>
#include <memory>

#include "app/main_window_layout.h"
#include "app/shell_services.h"
#include "app/viewer_window.h"
#include "platform/qt/global_hotkey.h"
#include "platform/qt/qt_main_window_services.h"

namespace vt {

class MainWindow : public QWidget {
    Q_OBJECT
  public:
    explicit MainWindow(ShellServices services);

    const MainWindowControls& Controls() const { return controls_; }
    // The window as the worker routines see it; usable from any thread.
    MainWindowServices& WorkerServices() { return workerServices_; }
    ViewerWindow* Viewer() const { return viewer_; }

    // The created handler: starts the token check, registers the F4 hot key, sets deviceId.
    void OnCreated();
    // Destroys the window as far as the user can tell: it disappears for good and
    // destroyRequested() is raised, which ends the program. The object itself stays valid.
    void Destroy();
    bool Destroyed() const { return destroyed_; }

    // The commands, each bound to its control's event.
    void CaptureCommand();
    void SaveCommand();
    void ClearCommand();
    void ViewCommand();
    void OpenViewer();
    void LoadImageCommand();
    void RecogniseAddressCommand();
    void ProgressTick();
    // The last steps of every command that sends something for recognition: the progress
    // display starts and the job starts on a new worker thread in `mode` (1 image, 2 address).
    void StartRecognition(int mode);

  signals:
    void destroyRequested();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void BindEvents();
    void CopyResultToClipboard();
    // Compresses imageBytes as JPEG when 选择框1 is checked; a failed re-encoding keeps them.
    void CompressImageBytes();

    ShellServices services_;
    MainWindowControls controls_;
    QtMainWindowServices workerServices_;
    std::unique_ptr<GlobalHotKey> hotKey_;
    QPointer<ViewerWindow> viewer_;
    bool capturing_ = false;
    bool destroyed_ = false;
};

}  // namespace vt
