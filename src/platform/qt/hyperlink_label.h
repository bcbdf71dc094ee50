#pragma once
// A hyperlink control: a caption drawn as a link that reports a left-button press.

#include <QLabel>

namespace vt {

class HyperlinkLabel : public QLabel {
    Q_OBJECT
  public:
    explicit HyperlinkLabel(const QString& caption, QWidget* parent = nullptr);

  signals:
    void leftButtonPressed();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace vt
