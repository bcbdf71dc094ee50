// Rectangle rules, handle squares, the BMP result and the clipboard adapter.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include "capture/bmp_result.h"
#include "capture/geometry.h"
#include "platform/qt/clipboard_qt.h"
#include "text/codepage.h"

namespace vt {
namespace {

TEST(Geometry, PointInRectNormalisesAndIncludesTheBounds) {
    struct Case {
        Rect rect;
        Point point;
        bool inside;
        Rect normalised;
    };
    const Case cases[] = {
        {{100, 50, 300, 200}, {100, 50}, true, {100, 50, 300, 200}},
        {{100, 50, 300, 200}, {300, 200}, true, {100, 50, 300, 200}},
        {{100, 50, 300, 200}, {301, 200}, false, {100, 50, 300, 200}},
        {{300, 200, 100, 50}, {150, 60}, true, {100, 50, 300, 200}},
        {{300, 50, 100, 200}, {99, 60}, false, {100, 50, 300, 200}},
        {{-10, -10, -10, -10}, {-10, -10}, true, {-10, -10, -10, -10}},
    };
    for (const Case& c : cases) {
        Rect rect = c.rect;
        EXPECT_EQ(PointInRect(rect, c.point.x, c.point.y), c.inside) << c.point.x;
        EXPECT_EQ(rect, c.normalised);
    }
}

TEST(Geometry, HandlesAreFiveByFiveAroundCornersAndTruncatedMiddles) {
    const Handles big = ComputeHandles({100, 50, 300, 200});
    EXPECT_EQ(big[0], (Rect{98, 48, 102, 52}));
    EXPECT_EQ(big[1], (Rect{198, 48, 202, 52}));
    EXPECT_EQ(big[4], (Rect{298, 123, 302, 127}));  // (50 + 200) / 2 = 125
    EXPECT_EQ(big[7], (Rect{298, 198, 302, 202}));

    const Handles small = ComputeHandles({0, 0, 7, 7});  // middles at 3.5
    EXPECT_EQ(small[1], (Rect{1, -2, 5, 2}));
    EXPECT_EQ(small[3], (Rect{-2, 1, 2, 5}));
    EXPECT_EQ(small[6], (Rect{1, 5, 5, 9}));

    // Bounds are truncated toward zero: a centre of -1.5 spans -3.5 -> -3 to 0.5 -> 0.
    EXPECT_EQ(ComputeHandles({-3, -3, 0, 0})[1], (Rect{-3, -5, 0, -1}));
}

TEST(BmpResult, Int32ToBytesIsLittleEndianTwosComplement) {
    EXPECT_EQ(Int32ToBytes(0x12345678), (Bytes{0x78, 0x56, 0x34, 0x12}));
    EXPECT_EQ(Int32ToBytes(-2), (Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Int32ToBytes(54), (Bytes{54, 0, 0, 0}));
}

// A 32-bit BI_BITFIELDS DIB with the given width and height, pixel bytes counting from 1.
Bytes BitfieldsDib(std::int32_t width, std::int32_t height) {
    Bytes dib;
    auto put = [&dib](std::int32_t value) {
        const Bytes bytes = Int32ToBytes(value);
        dib.insert(dib.end(), bytes.begin(), bytes.end());
    };
    const std::int32_t imageSize = 4 * width * std::abs(height);
    put(40), put(width), put(height), put(1 | 32 << 16), put(3), put(imageSize);
    put(0), put(0), put(0), put(0);
    put(0xFF0000), put(0xFF00), put(0xFF);
    for (int i = 0; i < imageSize; ++i) dib.push_back(static_cast<std::uint8_t>(i + 1));
    return dib;
}

TEST(BmpResult, ThreeByTwoDibBecomesA78ByteFile) {
    const Bytes dib = BitfieldsDib(3, 2);
    ASSERT_EQ(dib.size(), 76u);
    const Bytes bmp = DibToBmp(dib);
    ASSERT_EQ(bmp.size(), 78u);
    Bytes header{'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0};
    header.insert(header.end(), dib.begin(), dib.begin() + 16);
    header.insert(header.end(), {0, 0, 0, 0, 24, 0, 0, 0});
    header.insert(header.end(), 16, 0);
    EXPECT_EQ(Bytes(bmp.begin(), bmp.begin() + 54), header);
    EXPECT_EQ(Bytes(bmp.begin() + 54, bmp.end()), Bytes(dib.begin() + 52, dib.end()));

    const QImage decoded = QImage::fromData(bmp.data(), int(bmp.size()), "BMP");
    ASSERT_EQ(decoded.size(), QSize(3, 2));
    EXPECT_EQ(decoded.pixel(0, 1) & 0xFFFFFF, 0x030201u);  // bottom-up: first row is the lowest
}

TEST(BmpResult, NegativeHeightIsKeptAndShortDibsGiveNothing) {
    const Bytes bmp = DibToBmp(BitfieldsDib(3, -2));
    ASSERT_EQ(bmp.size(), 78u);
    EXPECT_EQ(Bytes(bmp.begin() + 22, bmp.begin() + 26), Int32ToBytes(-2));

    EXPECT_TRUE(DibToBmp({}).empty());
    EXPECT_TRUE(DibToBmp(Bytes(51, 0)).empty());
    EXPECT_EQ(DibToBmp(Bytes(52, 0)).size(), 54u);
}

TEST(Clipboard, NoPictureGivesNoBmp) {
    QtClipboard clipboard;
    clipboard.Clear();
    EXPECT_TRUE(ClipboardDibToBmp(clipboard).empty());
    clipboard.SetText("only text");
    EXPECT_TRUE(ClipboardDibToBmp(clipboard).empty());
}

TEST(Clipboard, PictureComesBackAsBitfieldsDibAndBmp) {
    QtClipboard clipboard;
    clipboard.SetPicture({3, 2, {0xFF102030, 0xFF405060, 0xFF708090, 0xFFA0B0C0, 0xFFD0E0F0, 0}});
    const Bytes dib = clipboard.GetDib();
    ASSERT_EQ(dib.size(), 76u);
    const Bytes expected = BitfieldsDib(3, 2);
    EXPECT_EQ(Bytes(dib.begin(), dib.begin() + 52), Bytes(expected.begin(), expected.begin() + 52));
    EXPECT_EQ(Bytes(dib.begin() + 52, dib.begin() + 56), (Bytes{0xC0, 0xB0, 0xA0, 0}));

    const Bytes bmp = ClipboardDibToBmp(clipboard);
    ASSERT_EQ(bmp.size(), 78u);
    const QImage decoded = QImage::fromData(bmp.data(), int(bmp.size()), "BMP");
    ASSERT_EQ(decoded.size(), QSize(3, 2));
    EXPECT_EQ(decoded.pixel(0, 0) & 0xFFFFFF, 0x102030u);
    EXPECT_EQ(decoded.pixel(2, 1) & 0xFFFFFF, 0u);
}

TEST(Clipboard, TextIsCodePage936OutsideAndUnicodeOnTheClipboard) {
    QtClipboard clipboard;
    const Text text = Utf8ToCp936("识别结果 line\r\n第二行");
    clipboard.SetText(text);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("识别结果 line\r\n第二行"));
    EXPECT_EQ(clipboard.GetText(), text);
    clipboard.Clear();
    EXPECT_EQ(clipboard.GetText(), "");
}

}  // namespace
}  // namespace vt
