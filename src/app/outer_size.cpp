#include "app/outer_size.h"

#include <QEvent>
#include <QWidget>

namespace vt {
namespace {

// Watches the window until the window manager's frame is known, then shrinks the client area
// by it once.
class OuterSizeKeeper : public QObject {
  public:
    OuterSizeKeeper(QWidget* window, QSize outer) : QObject(window), outer_(outer) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::Show && type != QEvent::Move && type != QEvent::Resize) return false;
        auto* window = static_cast<QWidget*>(watched);
        const QSize frame = window->frameGeometry().size() - window->geometry().size();
        if (frame.width() > 0 || frame.height() > 0) {
            window->removeEventFilter(this);
            window->resize(outer_ - frame);
            deleteLater();
        }
        return false;
    }

  private:
    QSize outer_;
};

}  // namespace

void SetOuterSize(QWidget* window, QSize outer) {
    window->resize(outer);
    window->installEventFilter(new OuterSizeKeeper(window, outer));
}

}  // namespace vt
