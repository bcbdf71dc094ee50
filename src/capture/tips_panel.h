#pragma once
// The tips panel: a 172x146 child of the overlay showing its composed picture. It reports the
// pointer moving over it, so that the overlay can move it out of the way.

#include <QImage>
#include <QWidget>
#include <functional>

namespace vt {

class TipsPanel final : public QWidget {
  public:
    // `onMouseMove` gets the pointer position in the parent's pixels.
    TipsPanel(QWidget* parent, std::function<void(QPoint)> onMouseMove);

    // The panel picture (panelImage) that the tips are drawn on.
    const QImage& Background() const { return background_; }
    const QImage& Picture() const { return picture_; }
    void ShowPicture(QImage picture);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    QImage background_;
    QImage picture_;
    std::function<void(QPoint)> onMouseMove_;
};

}  // namespace vt
