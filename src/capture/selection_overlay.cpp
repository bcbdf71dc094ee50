#include "capture/selection_overlay.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <QWindow>

#include "capture/cursor_file.h"
#include "capture/panel_painter.h"
#include "capture/tips_panel.h"
#include "resources/embedded_resources.h"

namespace vt {

namespace {

constexpr QPoint kPanelPosition{10, 10};
constexpr int kSlideStart = -160;
constexpr int kSlideSteps = 34;
constexpr int kSlideStep = 5;
constexpr int kSlidePauseMs = 8;

QCursor LoadOverlayArrow() {
    const auto cursor = ParseCursorFile(resources::OverlayArrow());
    if (!cursor) return QCursor(Qt::ArrowCursor);
    return QCursor(QPixmap::fromImage(cursor->image), cursor->hotSpot.x(), cursor->hotSpot.y());
}

int VirtualKeyCode(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return key::kEnter;
        case Qt::Key_Escape:
            return key::kEscape;
        case Qt::Key_Left:
            return key::kLeft;
        case Qt::Key_Up:
            return key::kUp;
        case Qt::Key_Right:
            return key::kRight;
        case Qt::Key_Down:
            return key::kDown;
        case Qt::Key_Delete:
            return key::kDelete;
        default:
            return 0;
    }
}

int ModifierState(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ControlModifier ? modifier::kCtrl : 0) |
           (modifiers & Qt::ShiftModifier ? modifier::kShift : 0) |
           (modifiers & Qt::AltModifier ? modifier::kAlt : 0);
}

Colour ColourOf(QRgb pixel) {
    return Rgb(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

}  // namespace

SelectionOverlay::SelectionOverlay(CaptureState& state, const QImage& screen, Clipboard& clipboard)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::X11BypassWindowManagerHint | Qt::Tool),
      state_(state),
      clipboard_(clipboard),
      canvas_(screen),
      machine_(state, *this),
      panel_(new TipsPanel(this,
                           [this](QPoint position) {
                               pointer_ = position;
                               machine_.PanelMouseMove();
                           })),
      overlayArrow_(LoadOverlayArrow()) {
    setObjectName(QStringLiteral("SelectionOverlay"));
    panel_->setObjectName(QStringLiteral("图片框1"));
    panel_->hide();
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setWindowModality(Qt::ApplicationModal);
}

SelectionOverlay::~SelectionOverlay() {
    DestroyOverlay();
}

void SelectionOverlay::Open() {
    ResetSelectionState(state_);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QPoint origin = screen ? screen->geometry().topLeft() : QPoint();
    setGeometry(QRect(origin, canvas_.Screen().size()));
    pointer_ = mapFromGlobal(QCursor::pos());
    state_.pointer = Pointer::kOverlayArrow;
    setCursor(overlayArrow_);
    RedrawPanel();

    show();
    raise();
    activateWindow();
    setFocus();
    SlidePanelIn();
}

void SelectionOverlay::RunModal() {
    Open();
    if (ended_) return;
    QEventLoop loop;
    loop_ = &loop;
    loop.exec();
    loop_ = nullptr;
}

void SelectionOverlay::SlidePanelIn() {
    panel_->move(kPanelPosition.x(), kSlideStart);
    panel_->show();
    for (int step = 0; step < kSlideSteps && !ended_; ++step) {
        panel_->move(panel_->x(), panel_->y() + kSlideStep);
        QCoreApplication::processEvents();
        TryGrabInput();
        QThread::msleep(kSlidePauseMs);
    }
}

// X refuses grabs until the window is viewable: tried once the window is exposed.
void SelectionOverlay::TryGrabInput() {
    QWindow* window = windowHandle();
    if (grabTried_ || ended_ || !window || !window->isExposed()) return;
    grabTried_ = true;
    keyboardGrabbed_ = window->setKeyboardGrabEnabled(true);
    mouseGrabbed_ = window->setMouseGrabEnabled(true);
}

void SelectionOverlay::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    // Clipping to each rectangle keeps Qt on its plain-copy path; under the region's complex
    // clip every copied row would be clipped span by span.
    for (const QRect& r : event->region()) {
        painter.setClipRect(r);
        painter.drawImage(r.topLeft(), canvas_.Picture(), r);
    }
}

QPoint SelectionOverlay::Track(QMouseEvent* event) {
    pointer_ = event->position().toPoint();
    return pointer_;
}

void SelectionOverlay::mousePressEvent(QMouseEvent* event) {
    // The press that completes a double click is reported as the double click alone.
    if (event->button() != Qt::LeftButton ||
        event->flags().testFlag(Qt::MouseEventCreatedDoubleClick)) {
        return;
    }
    const QPoint p = Track(event);
    machine_.LeftButtonDown(p.x(), p.y());
}

void SelectionOverlay::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = Track(event);
    machine_.MouseMove(p.x(), p.y());
}

void SelectionOverlay::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = Track(event);
    if (event->button() == Qt::LeftButton) machine_.LeftButtonUp(p.x(), p.y());
    if (event->button() == Qt::RightButton) machine_.RightButtonUp();
}

void SelectionOverlay::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint p = Track(event);
    if (event->button() == Qt::LeftButton) machine_.DoubleClick(p.x(), p.y());
}

void SelectionOverlay::keyPressEvent(QKeyEvent* event) {
    machine_.KeyDown(VirtualKeyCode(event->key()), ModifierState(event->modifiers()));
}

void SelectionOverlay::closeEvent(QCloseEvent* event) {
    if (ended_ || machine_.CloseRequest()) {
        DestroyOverlay();
        event->accept();
    } else {
        event->ignore();
    }
}

Size SelectionOverlay::ScreenSize() const {
    return {canvas_.Screen().width(), canvas_.Screen().height()};
}

Point SelectionOverlay::PointerPosition() const {
    return {pointer_.x(), pointer_.y()};
}

bool SelectionOverlay::PointerOverPanel() const {
    return panel_->isVisible() && panel_->geometry().contains(pointer_);
}

int SelectionOverlay::PanelWidth() const {
    return panel_->width();
}

void SelectionOverlay::SetPanelLeft(int left) {
    panel_->move(left, panel_->y());
}

void SelectionOverlay::ShowPointer(Pointer pointer) {
    setCursor(CursorFor(pointer, overlayArrow_));
}

void SelectionOverlay::RedrawOverlay() {
    const int screenWidth = ScreenSize().width;
    update(canvas_.Compose(
        OverlayPictureFor(state_, PointerPosition(), screenWidth, PointerOverPanel())));
}

void SelectionOverlay::ShowPlainScreen() {
    update(canvas_.ShowPlainScreen());
}

void SelectionOverlay::RedrawPanel() {
    panel_->ShowPicture(ComposePanel(panel_->Background(), panel_->size(),
                                     PanelTexts(state_, PixelUnderPointer(), panel_->width())));
}

// The colour on screen under the pointer: the overlay's picture, or the panel's over the panel.
Colour SelectionOverlay::PixelUnderPointer() const {
    const QImage& panel = panel_->Picture();
    const QPoint inPanel = pointer_ - panel_->pos();
    if (PointerOverPanel() && panel.rect().contains(inPanel)) return ColourOf(panel.pixel(inPanel));
    const QImage& picture = canvas_.Picture();
    if (picture.rect().contains(pointer_)) return ColourOf(picture.pixel(pointer_));
    return Rgb(255, 255, 255);  // off the screen: no colour, read as white
}

void SelectionOverlay::PutOnClipboard(const Rect& area) {
    const QRect rect(QPoint(area.left, area.top), QPoint(area.right, area.bottom));
    if (rect.isEmpty()) {
        clipboard_.Clear();  // nothing of the selection is on the screen
        return;
    }
    const QImage pixels = canvas_.Screen().copy(rect);
    ClipboardPicture picture{pixels.width(), pixels.height(), {}};
    picture.pixels.reserve(std::size_t(pixels.width()) * pixels.height());
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        picture.pixels.insert(picture.pixels.end(), row, row + pixels.width());
    }
    clipboard_.SetPicture(picture);
}

void SelectionOverlay::DestroyOverlay() {
    if (ended_) return;
    ended_ = true;
    if (QWindow* window = windowHandle()) {
        if (mouseGrabbed_) window->setMouseGrabEnabled(false);
        if (keyboardGrabbed_) window->setKeyboardGrabEnabled(false);
    }
    hide();
    if (loop_) loop_->quit();
}

}  // namespace vt
