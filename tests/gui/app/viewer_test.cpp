// The screenshot viewer: its window, and FitViewer's fitting, copying and centring.

#include <QScreen>
#include <QTest>

#include "app_fixture.h"

namespace vt::test {
namespace {

// The viewer centred on the 1280x800 test screen, for an outer size.
QPoint Centred(QSize outer) {
    return {(1280 - outer.width()) / 2, (800 - outer.height()) / 2};
}

TEST_F(AppFixture, ViewerFitsCopiesAndCentres) {
    const Bytes picture = PngBytes(50, 30, 0xFF8800);
    window->Controls().picture->SetPicture(picture);
    window->OpenViewer();
    ViewerWindow* viewer = window->Viewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->windowTitle(), QString::fromUtf8("返回截图"));
    EXPECT_EQ(viewer->Picture()->objectName(), QString::fromUtf8("图片框1"));
    EXPECT_TRUE(viewer->Picture()->isVisible());

    ASSERT_TRUE(QTest::qWaitFor([&] { return viewer->Picture()->Picture() == picture; }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return viewer->pos() == Centred({405, 297}); }, 5000));
    EXPECT_EQ(viewer->frameGeometry().size(), QSize(405, 297));
    EXPECT_EQ(viewer->Picture()->geometry(), QRect(0, 6, 405, 297));

    // A capture while it is open leaves it alone until it fits itself again.
    const Bytes next = PngBytes(10, 10, 0x0000FF);
    window->Controls().picture->SetPicture(next);
    QTest::qWait(50);
    EXPECT_EQ(viewer->Picture()->Picture(), picture);

    // A resize (the user dragged it elsewhere) fits, copies and centres anew.
    viewer->move(10, 10);
    viewer->resize(600, 400);
    ASSERT_TRUE(QTest::qWaitFor([&] { return viewer->Picture()->Picture() == next; }, 5000));
    const QSize outer = viewer->frameGeometry().size();  // the client size and the frame
    ASSERT_TRUE(QTest::qWaitFor([&] { return viewer->pos() == Centred(outer); }, 5000));
    EXPECT_EQ(viewer->Picture()->geometry(), QRect(QPoint(0, 6), outer));
}

TEST_F(AppFixture, ViewerShowsPictureShrunkToFit) {
    window->Controls().picture->SetPicture(PngBytes(2000, 1000, 0x00FF00));
    window->OpenViewer();
    ViewerWindow* viewer = window->Viewer();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !viewer->Picture()->Picture().empty(); }, 5000));
    const QImage shown = viewer->Picture()->grab().toImage();
    // The picture (2:1) spans the box's width and is centred vertically.
    EXPECT_EQ(shown.pixel(2, shown.height() / 2) & 0xFFFFFF, 0x00FF00u);
    EXPECT_NE(shown.pixel(2, 2) & 0xFFFFFF, 0x00FF00u);
}

TEST_F(AppFixture, OpeningTheViewerAgainKeepsOneViewer) {
    window->OpenViewer();
    ViewerWindow* first = window->Viewer();
    window->OpenViewer();
    EXPECT_EQ(window->Viewer(), first);
    first->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->Viewer() == nullptr; }, 5000));
    window->OpenViewer();
    EXPECT_NE(window->Viewer(), nullptr);
}

}  // namespace
}  // namespace vt::test
