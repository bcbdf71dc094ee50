// The overlay's and the tips panel's pictures, pixel by pixel, and what the window shows.
#include <algorithm>

#include <QPainter>
#include <QScreen>
#include <QTest>

#include "capture/overlay_canvas.h"
#include "capture/overlay_content.h"
#include "capture/panel_painter.h"
#include "capture/tips_panel.h"
#include "overlay_fixture.h"

namespace vt::test {
namespace {

QImage WithSquares(QImage image, const std::vector<QRect>& squares, Colour colour) {
    const QRgb rgb = qRgb(RedOf(colour), GreenOf(colour), BlueOf(colour));
    for (const QRect& r : squares) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x) {
                if (image.rect().contains(x, y)) image.setPixel(x, y, rgb);
            }
        }
    }
    return image;
}

// The one-pixel outline of the inclusive rectangle (l, t)..(r, b) as four lines.
std::vector<QRect> OutlineLines(int l, int t, int r, int b) {
    return {QRect(QPoint(l, t), QPoint(r, t)), QRect(QPoint(l, b), QPoint(r, b)),
            QRect(QPoint(l, t), QPoint(l, b)), QRect(QPoint(r, t), QPoint(r, b))};
}

int CountColour(const QImage& image, Colour colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) count += ColourAt(image, {x, y}) == colour;
    }
    return count;
}

class Drawing : public OverlayTest {
  protected:
    // What the window shows, with the tips panel painted over the area it covers.
    QImage Shown() {
        QCoreApplication::processEvents();
        QImage shown = overlay->screen()->grabWindow(overlay->winId()).toImage();
        shown = shown.convertToFormat(QImage::Format_RGB32);
        const QImage& picture = overlay->Picture();
        QImage expectedPanelArea = picture.copy(Panel().geometry());
        QPainter(&shown).drawImage(Panel().pos(), expectedPanelArea);
        return shown;
    }

    QImage FreshComposition(QPoint pointer, bool overPanel) {
        OverlayCanvas fresh(screen);
        fresh.Compose(OverlayPictureFor(state, {pointer.x(), pointer.y()}, 1920, overPanel));
        return fresh.Picture();
    }
};

TEST_F(Drawing, FixedSelectionShowsFrameAndHandlesOnly) {
    Drag({100, 50}, {300, 200});
    MoveTo(960, 600);
    std::vector<QRect> marks = OutlineLines(100, 50, 300, 200);
    for (QPoint c : {QPoint(100, 50), QPoint(200, 50), QPoint(300, 50), QPoint(100, 125),
                     QPoint(300, 125), QPoint(100, 200), QPoint(200, 200), QPoint(300, 200)}) {
        marks.push_back(QRect(c - QPoint(2, 2), QSize(5, 5)));
    }
    const QImage expected = WithSquares(screen, marks, kFrame);
    EXPECT_EQ(overlay->Picture(), expected);
    EXPECT_EQ(Shown(), expected);
}

TEST_F(Drawing, InfoBoxFollowsThePointerWhileDragging) {
    struct Case {
        QPoint press, pointer;
        QPoint origin;
    };
    const Case cases[] = {
        {{300, 300}, {100, 100}, {108, 20}},
        {{1500, 300}, {1880, 50}, {1816, 58}},
        {{300, 300}, {600, 600}, {608, 520}},
    };
    for (const Case& c : cases) {
        MoveTo(c.press.x(), c.press.y());
        Press(c.press.x(), c.press.y());
        MoveTo(c.pointer.x() + 1, c.pointer.y() + 1);  // over the panel, which moves away
        MoveTo(c.pointer.x(), c.pointer.y());
        const QImage picture = overlay->Picture();
        const QPoint o = c.origin;
        EXPECT_EQ(CountColour(picture, kInfoFrame), 2 * 58 + 2 * 78 - 4) << o.x();
        for (const QRect& line : OutlineLines(o.x() - 3, o.y() - 3, o.x() + 54, o.y() + 74)) {
            EXPECT_EQ(ColourAt(picture, line.topLeft()), kInfoFrame);
            EXPECT_EQ(ColourAt(picture, line.bottomRight()), kInfoFrame);
        }
        // Text in the info text colour inside the outline, first line from the origin's row.
        int textPixels = 0;
        for (int y = o.y(); y < o.y() + 72; ++y) {
            for (int x = o.x(); x < o.x() + 54; ++x)
                textPixels += ColourAt(picture, {x, y}) == kInfoText;
        }
        EXPECT_GT(textPixels, 60);
        EXPECT_EQ(picture, FreshComposition(c.pointer, false));
        Release(c.pointer.x(), c.pointer.y());
        RightClick(c.pointer.x(), c.pointer.y());
    }
}

TEST_F(Drawing, NoInfoBoxOverTheTipsPanel) {
    MoveTo(300, 300);
    Press(300, 300);
    MoveTo(50, 50);
    EXPECT_EQ(CountColour(overlay->Picture(), kInfoFrame), 0);
    EXPECT_GT(CountColour(overlay->Picture(), kFrame), 0);
    EXPECT_EQ(Panel().x(), 1920 - 172 - 8);  // and the panel got out of the way
}

TEST_F(Drawing, OnlyChangedAreasAreRedrawnYetTheWindowShowsTheFullPicture) {
    const QPoint path[] = {{400, 300}, {420, 330},   {380, 700},
                           {250, 200}, {1900, 1000}, {1000, 20}};
    MoveTo(700, 500);
    Press(700, 500);
    for (QPoint p : path) {
        MoveTo(p.x(), p.y());
        EXPECT_EQ(overlay->Picture(), FreshComposition(p, false)) << p.x();
        EXPECT_EQ(Shown(), overlay->Picture()) << p.x();
    }
    Release(1000, 20);
    MoveTo(800, 300);  // interior of (700, 20, 1000, 500)
    Press(800, 300);
    MoveTo(300, 700);
    EXPECT_EQ(state.selection, (Rect{200, 420, 500, 900}));
    EXPECT_EQ(Shown(), FreshComposition({300, 700}, false));
    Release(300, 700);
    RightClick(300, 700);
    EXPECT_EQ(overlay->Picture(), screen);
    EXPECT_EQ(Shown(), screen);
}

TEST(InfoBox, LinesAndOrigin) {
    struct Case {
        Rect selection;
        Point pointer;
        Point origin;
        std::string corner, size, position;
    };
    const Case cases[] = {
        {{0, 0, 999, 499}, {100, 100}, {108, 20}, "(0,0)", "(1000,500", "(100,100)"},
        {{0, 0, 998, 499}, {100, 100}, {108, 20}, "(0,0)", "(999,500)", "(100,100)"},
        {{300, 200, 100, 50}, {999, 83}, {1007, 91}, "(100,50)", "(201,151)", "(999,83)"},
        {{-10, -10, 50, 50}, {1000, 84}, {1008, 4}, "(-10,-10)", "(61,61)", "(1000,84"},
        {{5, 5, 5, 5}, {1850, 500}, {1858, 420}, "(5,5)", "(1,1)", "(1850,500"},
        {{5, 5, 5, 5}, {1851, 500}, {1787, 420}, "(5,5)", "(1,1)", "(1851,500"},
    };
    for (const Case& c : cases) {
        const InfoBox box = InfoBoxFor(c.selection, c.pointer, 1920);
        EXPECT_EQ(box.origin, c.origin);
        EXPECT_EQ(box.lines, (std::array<std::string, 6>{"顶点位置", c.corner, "矩形大小", c.size,
                                                         "光标坐标", c.position}));
        EXPECT_EQ(box.outline,
                  (PixelBox{c.origin.x - 3, c.origin.y - 3, c.origin.x + 55, c.origin.y + 75}));
    }
}

TEST(PanelContent, ColourLineAndTipsOfEachState) {
    EXPECT_EQ(ColourLine(Rgb(5, 45, 255)), "·当前像素RGB(  5, 45,255)");
    EXPECT_EQ(ColourLine(Rgb(0, 0, 0)), "·当前像素RGB(  0,  0,  0)");
    EXPECT_EQ(ColourLine(Rgb(255, 255, 255)), "·当前像素RGB(255,255,255)");

    CaptureState state;
    const auto tips = [&state](bool fixed, bool dragging) {
        state.selectionFixed = fixed;
        state.dragging = dragging;
        return PanelTexts(state, 0, 172);
    };
    const PanelText colour{ColourLine(0), {5, 30, 167, 42}};
    EXPECT_EQ(tips(false, false),
              (std::vector<PanelText>{colour,
                                      {"·按下鼠标左键不放选择截取范围", {5, 52, 167, 76}},
                                      {"·按'ESC'键或鼠标右键退出", {5, 86, 167, 98}}}));
    EXPECT_EQ(tips(false, true),
              (std::vector<PanelText>{colour,
                                      {"·松开鼠标左键确定截取范围", {5, 52, 167, 64}},
                                      {"·按'ESC'键退出", {5, 74, 167, 86}}}));
    const std::vector<PanelText> fixed{
        colour,
        {"·用鼠标左键调整截取范围的大小和位置", {5, 52, 167, 76}},
        {"·截取范围内双击鼠标左键保存图像，结束操作", {5, 86, 167, 110}},
        {"·点击鼠标右键重新选择", {5, 120, 167, 132}}};
    EXPECT_EQ(tips(true, false), fixed);
    EXPECT_EQ(tips(true, true), fixed);
}

// Rows of the panel below its header strip that hold white text pixels.
std::vector<bool> WhiteRows(const QImage& panel) {
    std::vector<bool> rows(panel.height(), false);
    for (int y = 25; y < panel.height(); ++y) {
        for (int x = 0; x < panel.width(); ++x) {
            const QRgb p = panel.pixel(x, y);
            if (qRed(p) > 200 && qGreen(p) > 200 && qBlue(p) > 200) rows[y] = true;
        }
    }
    return rows;
}

TEST_F(Drawing, PanelShowsThePixelColourAndTheTipsOfTheState) {
    const auto& panel = overlay->Panel();
    const auto expectPanel = [&](Colour pixel) {
        EXPECT_EQ(panel.Picture(),
                  ComposePanel(panel.Background(), QSize(172, 146), PanelTexts(state, pixel, 172)));
    };
    MoveTo(420, 420);
    expectPanel(Rgb(0, 0, 0));
    MoveTo(520, 420);
    expectPanel(Rgb(255, 255, 255));
    MoveTo(700, 300);
    expectPanel(Rgb(700 & 0xFF, 300 & 0xFF, (2 * 16 + 64 + 8)));

    // White text only inside the boxes of the current state's texts, some in each of them.
    const auto expectTextRows = [&](std::vector<std::pair<int, int>> boxes) {
        const std::vector<bool> rows = WhiteRows(panel.Picture());
        std::vector<bool> inBox(rows.size(), false);
        for (auto [top, bottom] : boxes) {
            EXPECT_TRUE(std::count(rows.begin() + top, rows.begin() + bottom, true) > 0) << top;
            std::fill(inBox.begin() + top, inBox.begin() + bottom, true);
        }
        for (std::size_t y = 0; y < rows.size(); ++y) EXPECT_FALSE(rows[y] && !inBox[y]) << y;
    };
    expectTextRows({{30, 42}, {52, 76}, {86, 98}});
    Press(700, 300);
    MoveTo(800, 400);
    expectTextRows({{30, 42}, {52, 64}, {74, 86}});
    Release(800, 400);
    expectTextRows({{30, 42}, {52, 76}, {86, 110}, {120, 132}});
}

}  // namespace
}  // namespace vt::test
