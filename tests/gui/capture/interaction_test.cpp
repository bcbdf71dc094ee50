// The selection overlay's behaviour under real Qt mouse and key events: drawing, zones and
// pointers, moving and resizing, nudging, dropping, confirming and the tips panel's moves.
#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include "capture/bmp_result.h"
#include "overlay_fixture.h"

namespace vt::test {
namespace {

constexpr Rect kSelection{100, 50, 300, 200};

class Interaction : public OverlayTest {
  protected:
    void FixSelection() {
        Drag({100, 50}, {300, 200});
        ASSERT_EQ(Phase(), SelectionPhase::kFixed);
        ASSERT_EQ(state.selection, kSelection);
    }

    // The clipboard's picture, decoded from the BMP that ClipboardDibToBmp makes of it.
    QImage ClipboardPicture() {
        const Bytes bmp = ClipboardDibToBmp(clipboard);
        return QImage::fromData(bmp.data(), int(bmp.size()), "BMP")
            .convertToFormat(QImage::Format_RGB32);
    }
};

TEST_F(Interaction, DragAndReleaseFixesTheNormalisedRectangle) {
    struct Case {
        QPoint from, to;
        Rect fixed;
    };
    const Case cases[] = {
        {{100, 50}, {300, 200}, {100, 50, 300, 200}},
        {{300, 200}, {100, 50}, {100, 50, 300, 200}},
        {{300, 50}, {100, 200}, {100, 50, 300, 200}},
        {{700, 300}, {700, 300}, {700, 300, 700, 300}},  // a click fixes one pixel
    };
    for (const Case& c : cases) {
        MoveTo(c.from.x(), c.from.y());
        Press(c.from.x(), c.from.y());
        EXPECT_EQ(Phase(), SelectionPhase::kDrawing);
        MoveTo(c.to.x(), c.to.y());
        Release(c.to.x(), c.to.y());
        EXPECT_EQ(Phase(), SelectionPhase::kFixed);
        EXPECT_EQ(state.selection, c.fixed);
        RightClick(c.to.x(), c.to.y());  // back to Idle for the next case
        ASSERT_EQ(Phase(), SelectionPhase::kIdle);
        ASSERT_FALSE(overlay->Ended());
    }
}

TEST_F(Interaction, ZonesShowTheirPointers) {
    FixSelection();
    struct Case {
        QPoint at;
        Pointer pointer;
        Qt::CursorShape shape;
    };
    const Case cases[] = {
        {{150, 50}, Pointer::kSizeNs, Qt::SizeVerCursor},       // top edge
        {{150, 51}, Pointer::kSizeAll, Qt::SizeAllCursor},      // interior
        {{150, 49}, Pointer::kOverlayArrow, Qt::BitmapCursor},  // outside
        {{297, 50}, Pointer::kSizeNs, Qt::SizeVerCursor},       // edge ends at right - 2
        {{298, 50}, Pointer::kSizeNesw, Qt::SizeBDiagCursor},   // handle 2
        {{98, 48}, Pointer::kSizeNwse, Qt::SizeFDiagCursor},    // handle 0
        {{302, 202}, Pointer::kSizeNwse, Qt::SizeFDiagCursor},  // handle 7
        {{200, 48}, Pointer::kSizeNs, Qt::SizeVerCursor},       // handle 1
        {{99, 125}, Pointer::kSizeWe, Qt::SizeHorCursor},       // handle 3
        {{100, 197}, Pointer::kSizeWe, Qt::SizeHorCursor},      // left edge
        {{100, 198}, Pointer::kSizeNesw, Qt::SizeBDiagCursor},  // handle 5
        {{99, 130}, Pointer::kOverlayArrow, Qt::BitmapCursor},
        {{300, 100}, Pointer::kSizeWe, Qt::SizeHorCursor},  // right edge
        {{250, 200}, Pointer::kSizeNs, Qt::SizeVerCursor},  // bottom edge
    };
    for (const Case& c : cases) {
        MoveTo(c.at.x(), c.at.y());
        EXPECT_EQ(state.pointer, c.pointer) << c.at.x() << "," << c.at.y();
        EXPECT_EQ(overlay->cursor().shape(), c.shape) << c.at.x() << "," << c.at.y();
    }
}

TEST_F(Interaction, DraggingAZoneMovesOrResizes) {
    struct Case {
        QPoint press, to;
        Rect result;
    };
    const Case cases[] = {
        {{150, 100}, {160, 90}, {110, 40, 310, 190}},   // interior: move
        {{100, 125}, {350, 125}, {300, 50, 350, 200}},  // left handle across the right edge
        {{100, 50}, {400, 260}, {300, 200, 400, 260}},  // top-left corner across both
        {{200, 200}, {180, 230}, {100, 50, 300, 230}},  // bottom edge: only the bottom follows
        {{300, 200}, {320, 230}, {100, 50, 320, 230}},  // bottom-right corner
        {{150, 50}, {170, 30}, {100, 30, 300, 200}},    // top edge
        {{300, 50}, {350, 20}, {100, 20, 350, 200}},    // top-right corner
        {{300, 100}, {250, 90}, {100, 50, 250, 200}},   // right edge
        {{100, 200}, {60, 260}, {60, 50, 300, 260}},    // bottom-left corner
        {{500, 500}, {600, 600}, kSelection},           // outside every zone: nothing
    };
    for (const Case& c : cases) {
        FixSelection();
        MoveTo(c.press.x(), c.press.y());
        Press(c.press.x(), c.press.y());
        MoveTo(c.to.x(), c.to.y());
        Release(c.to.x(), c.to.y());
        EXPECT_EQ(state.selection, c.result) << c.press.x() << "," << c.press.y();
        EXPECT_EQ(Phase(), SelectionPhase::kFixed);
        RightClick(c.to.x(), c.to.y());
    }
}

TEST_F(Interaction, ArrowKeysNudgeByOnePixelEvenPastTheEdge) {
    Key(Qt::Key_Left);  // Idle: nothing to move
    EXPECT_EQ(state.selection, (Rect{-5, -5, -5, -5}));

    FixSelection();
    const std::pair<Qt::Key, Rect> cases[] = {
        {Qt::Key_Left, {99, 50, 299, 200}},
        {Qt::Key_Up, {99, 49, 299, 199}},
        {Qt::Key_Right, {100, 49, 300, 199}},
        {Qt::Key_Down, {100, 50, 300, 200}},
    };
    for (const auto& [key, result] : cases) {
        Key(key, Qt::ControlModifier);  // modifiers do not matter to the arrows
        EXPECT_EQ(state.selection, result);
    }
    RightClick(10, 500);
    Drag({1, 1}, {11, 11});
    for (int i = 0; i < 3; ++i) Key(Qt::Key_Left);
    EXPECT_EQ(state.selection, (Rect{-2, 1, 8, 11}));
    EXPECT_EQ(Phase(), SelectionPhase::kFixed);
}

TEST_F(Interaction, RightClickWhileDrawingDropsAndTheReleaseFixesNothing) {
    MoveTo(100, 100);
    Press(100, 100);
    MoveTo(200, 200);
    RightClick(200, 200);
    EXPECT_EQ(Phase(), SelectionPhase::kIdle);
    EXPECT_TRUE(state.resetPending);
    EXPECT_FALSE(overlay->Ended());
    Release(210, 210);
    EXPECT_EQ(Phase(), SelectionPhase::kIdle);
    EXPECT_FALSE(state.resetPending);
    EXPECT_EQ(state.selection, (Rect{-1, -1, -1, -1}));
    EXPECT_EQ(overlay->Picture(), screen);  // plain frozen screen, no frame remnants
    EXPECT_FALSE(overlay->Ended());
}

TEST_F(Interaction, ReleaseWithoutPressFixesNothing) {
    Release(500, 500);  // the press happened before the overlay was there
    EXPECT_EQ(Phase(), SelectionPhase::kIdle);
    EXPECT_EQ(overlay->Picture(), screen);
}

TEST_F(Interaction, EscapeWhileAdjustingDropsAndTheReleaseFixesNothing) {
    FixSelection();
    MoveTo(150, 100);
    Press(150, 100);
    MoveTo(170, 120);
    Key(Qt::Key_Escape);
    EXPECT_EQ(Phase(), SelectionPhase::kIdle);
    Release(170, 120);
    EXPECT_EQ(Phase(), SelectionPhase::kIdle);
    EXPECT_FALSE(overlay->Ended());
}

enum class Action { kEscape, kCtrlEscape, kDelete, kEnter, kRightClick, kCloseRequest };

struct EndCase {
    Action action;
    bool fixedFirst;
    SelectionPhase phase;  // afterwards, when the overlay stays open
    bool ended;
};

class EndingActions : public Interaction, public testing::WithParamInterface<EndCase> {
  protected:
    void Perform(Action action) {
        switch (action) {
            case Action::kEscape:
                Key(Qt::Key_Escape);
                break;
            case Action::kCtrlEscape:
                Key(Qt::Key_Escape, Qt::ControlModifier);
                break;
            case Action::kDelete:
                Key(Qt::Key_Delete);
                break;
            case Action::kEnter:
                Key(Qt::Key_Return);
                break;
            case Action::kRightClick:
                RightClick(600, 600);
                break;
            case Action::kCloseRequest:
                overlay->close();
                break;
        }
    }
};

TEST_P(EndingActions, DropOrCloseAsTheStateTableSays) {
    const EndCase& c = GetParam();
    if (c.fixedFirst) FixSelection();
    Perform(c.action);
    EXPECT_EQ(overlay->Ended(), c.ended);
    EXPECT_EQ(overlay->isVisible(), !c.ended);
    if (!c.ended) {
        EXPECT_EQ(Phase(), c.phase);
    }
    EXPECT_EQ(state.captureResult, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Idle, EndingActions,
    testing::Values(EndCase{Action::kEscape, false, SelectionPhase::kIdle, true},
                    EndCase{Action::kCtrlEscape, false, SelectionPhase::kIdle, false},
                    EndCase{Action::kDelete, false, SelectionPhase::kIdle, false},
                    EndCase{Action::kEnter, false, SelectionPhase::kIdle, false},
                    EndCase{Action::kRightClick, false, SelectionPhase::kIdle, true},
                    EndCase{Action::kCloseRequest, false, SelectionPhase::kIdle, true}));

INSTANTIATE_TEST_SUITE_P(
    Fixed, EndingActions,
    testing::Values(EndCase{Action::kEscape, true, SelectionPhase::kIdle, false},
                    EndCase{Action::kCtrlEscape, true, SelectionPhase::kFixed, false},
                    EndCase{Action::kDelete, true, SelectionPhase::kIdle, false},
                    EndCase{Action::kRightClick, true, SelectionPhase::kIdle, false},
                    EndCase{Action::kCloseRequest, true, SelectionPhase::kIdle, false}));

TEST_F(Interaction, SecondCloseRequestClosesWithoutResult) {
    FixSelection();
    EXPECT_FALSE(overlay->close());
    EXPECT_FALSE(overlay->Ended());
    EXPECT_TRUE(overlay->close());
    EXPECT_TRUE(overlay->Ended());
    EXPECT_EQ(state.captureResult, 0);
}

TEST_F(Interaction, DoubleClickOutsideDoesNothingInsideCaptures) {
    FixSelection();
    DoubleClick(400, 400);
    EXPECT_FALSE(overlay->Ended());
    EXPECT_EQ(Phase(), SelectionPhase::kFixed);

    DoubleClick(150, 100);
    EXPECT_TRUE(overlay->Ended());
    EXPECT_EQ(state.captureResult, 1);
    EXPECT_EQ(ClipboardPicture(), screen.copy(100, 50, 201, 151));
}

TEST_F(Interaction, EnterCapturesWhatADoubleClickWould) {
    FixSelection();
    Key(Qt::Key_Enter);
    EXPECT_TRUE(overlay->Ended());
    EXPECT_EQ(state.captureResult, 1);
    EXPECT_EQ(ClipboardPicture(), screen.copy(100, 50, 201, 151));
}

TEST_F(Interaction, SelectionBeyondTheScreenIsClipped) {
    Drag({2, 3}, {62, 63});
    for (int i = 0; i < 12; ++i) Key(Qt::Key_Left);
    for (int i = 0; i < 13; ++i) Key(Qt::Key_Up);
    ASSERT_EQ(state.selection, (Rect{-10, -10, 50, 50}));
    DoubleClick(20, 20);
    EXPECT_EQ(state.captureResult, 1);
    EXPECT_EQ(ClipboardPicture(), screen.copy(0, 0, 51, 51));
}

TEST_F(Interaction, SelectionEntirelyOffTheScreenLeavesAnEmptyClipboard) {
    clipboard.SetPicture({1, 1, {0xFFFFFFFF}});
    Drag({1, 1}, {5, 5});
    for (int i = 0; i < 10; ++i) Key(Qt::Key_Left);
    Key(Qt::Key_Return);
    EXPECT_TRUE(overlay->Ended());
    EXPECT_EQ(state.captureResult, 1);
    EXPECT_TRUE(ClipboardDibToBmp(clipboard).empty());
}

TEST_F(Interaction, ClickThenDoubleClickCapturesOnePixel) {
    MoveTo(700, 300);
    DoubleClick(700, 300);
    EXPECT_EQ(state.captureResult, 1);
    EXPECT_EQ(ClipboardPicture(), screen.copy(700, 300, 1, 1));
}

TEST_F(Interaction, PanelMovesAwayFromThePointer) {
    EXPECT_EQ(Panel().geometry(), QRect(10, 10, 172, 146));
    MoveTo(50, 50);
    EXPECT_EQ(Panel().pos(), QPoint(1920 - 172 - 8, 10));
    MoveTo(1800, 50);
    EXPECT_EQ(Panel().pos(), QPoint(8, 10));
}

TEST(OverlayWindow, CoversTheScreenAndSlidesThePanelIn) {
    CaptureState state;
    QtClipboard clipboard;
    SelectionOverlay overlay(state, SyntheticScreen(), clipboard);
    QWidget* panel = overlay.findChild<QWidget*>(QStringLiteral("图片框1"));
    ASSERT_NE(panel, nullptr);

    struct MoveRecorder : QObject {
        std::vector<int> tops;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Move)
                tops.push_back(static_cast<QMoveEvent*>(event)->pos().y());
            return false;
        }
    } recorder;
    panel->installEventFilter(&recorder);
    state.selection = {1, 2, 3, 4};
    state.captureResult = 1;
    overlay.Open();

    EXPECT_EQ(overlay.geometry(), QRect(0, 0, 1920, 1080));
    EXPECT_EQ(overlay.Picture().size(), QSize(1920, 1080));
    EXPECT_EQ(state.selection, (Rect{-5, -5, -5, -5}));
    EXPECT_EQ(state.captureResult, 0);
    std::vector<int> expected;
    for (int top = -160; top <= 10; top += 5) expected.push_back(top);
    EXPECT_EQ(recorder.tops, expected);
    EXPECT_TRUE(panel->isVisible());
}

}  // namespace
}  // namespace vt::test
