#pragma once
// The screenshot viewer "返回截图": a window of its own that shows the main window's picture,
// fits its picture box to its size and keeps itself centred on the screen.

#include <QPointer>
#include <QWidget>

#include "platform/qt/picture_box.h"

namespace vt {

inline constexpr char kViewerTitle[] = "返回截图";
inline constexpr QSize kViewerOuterSize{405, 297};

class ViewerWindow : public QWidget {
    Q_OBJECT
  public:
    // Shows the picture of `source` (the main window's picture box), copied each time the
    // viewer fits itself. Top-level, not modal; deletes itself when closed.
    explicit ViewerWindow(PictureBox* source);

    PictureBox* Picture() const { return picture_; }

    // Starts FitViewer on a new worker thread; `reason` (1 created, 2 resized) is not used.
    void StartFit(int reason);

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    PictureBox* picture_;
    QPointer<PictureBox> source_;
    bool created_ = false;
};

// On a worker thread: sizes the viewer's picture box to the viewer's outer size, copies the
// picture of `source` into it and centres the viewer on its screen. Does nothing for a viewer
// or source that is gone.
void FitViewer(QPointer<ViewerWindow> viewer, QPointer<PictureBox> source);

}  // namespace vt
