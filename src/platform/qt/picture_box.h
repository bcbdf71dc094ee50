#pragma once
// A picture box: shows an image given as the bytes of an image file and gives back exactly
// those bytes.

#include <QFrame>
#include <QImage>

#include "text/text.h"

namespace vt {

// The picture is drawn inside a thin sunken frame, shrunk to fit when larger, and centred.
class PictureBox : public QFrame {
    Q_OBJECT
  public:
    explicit PictureBox(QWidget* parent = nullptr);

    // Keeps `bytes` as they are and shows the image they hold (nothing when they hold none).
    void SetPicture(Bytes bytes);
    // The bytes last given, empty when there is no picture.
    const Bytes& Picture() const { return bytes_; }
    // The decoded image shown, null when the bytes hold no readable image.
    const QImage& ShownImage() const { return image_; }

  signals:
    void doubleClicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    Bytes bytes_;
    QImage image_;
};

}  // namespace vt
