// The embedded tips-panel picture and overlay pointer: their byte layouts and content.
#include <gtest/gtest.h>

#include <QImage>
#include <set>

#include "capture/cursor_file.h"
#include "resources/embedded_resources.h"

namespace vt {
namespace {

std::uint32_t At32(std::span<const std::uint8_t> b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}
std::uint32_t At16(std::span<const std::uint8_t> b, std::size_t at) {
    return b[at] | b[at + 1] << 8;
}

TEST(Resources, PanelImageHasTheFixedBmpLayout) {
    const auto bmp = resources::PanelImage();
    ASSERT_EQ(bmp.size(), 77082u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    const std::pair<std::size_t, std::uint32_t> fields32[] = {
        {2, 77082}, {10, 54},    {14, 40},   {18, 174},  {22, 147},
        {30, 0},    {34, 77028}, {38, 2880}, {42, 2880}, {46, 0}};
    for (auto [offset, value] : fields32) EXPECT_EQ(At32(bmp, offset), value) << offset;
    EXPECT_EQ(At16(bmp, 26), 1u);
    EXPECT_EQ(At16(bmp, 28), 24u);

    // A light header strip over a blue body.
    const QImage image = QImage::fromData(bmp.data(), int(bmp.size()), "BMP");
    ASSERT_EQ(image.size(), QSize(174, 147));
    const QColor header = image.pixelColor(100, 3), body = image.pixelColor(100, 100);
    EXPECT_GT(header.lightness(), 200);
    EXPECT_GT(body.blue(), body.red() + 60);
}

TEST(Resources, OverlayArrowIsOne32x32PaletteCursor) {
    const auto cur = resources::OverlayArrow();
    ASSERT_EQ(cur.size(), 2238u);
    EXPECT_EQ(At16(cur, 0), 0u);
    EXPECT_EQ(At16(cur, 2), 2u);  // cursor
    EXPECT_EQ(At16(cur, 4), 1u);  // one image
    EXPECT_EQ(cur[6], 32);
    EXPECT_EQ(cur[7], 32);
    EXPECT_EQ(At16(cur, 10), 0u);  // hot spot
    EXPECT_EQ(At16(cur, 12), 0u);
    EXPECT_EQ(At32(cur, 14), 2216u);
    EXPECT_EQ(At32(cur, 18), 22u);
    EXPECT_EQ(At32(cur, 22 + 8), 64u);  // colour rows and mask rows
    EXPECT_EQ(At16(cur, 22 + 14), 8u);

    const auto arrow = ParseCursorFile(cur);
    ASSERT_TRUE(arrow.has_value());
    EXPECT_EQ(arrow->image.size(), QSize(32, 32));
    EXPECT_EQ(arrow->hotSpot, QPoint(0, 0));
    EXPECT_EQ(qAlpha(arrow->image.pixel(0, 0)), 255);  // the tip
    EXPECT_EQ(qAlpha(arrow->image.pixel(31, 31)), 0);
    std::set<QRgb> colours;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            if (qAlpha(arrow->image.pixel(x, y))) colours.insert(arrow->image.pixel(x, y));
        }
    }
    EXPECT_GE(colours.size(), 6u);  // multicoloured
}

TEST(CursorFile, RejectsWhatIsNotAPaletteCursor) {
    const auto good = resources::OverlayArrow();
    std::vector<std::uint8_t> bytes(good.begin(), good.end());
    const auto broken = [&bytes](std::size_t offset, std::uint8_t value) {
        std::vector<std::uint8_t> copy = bytes;
        copy[offset] = value;
        return ParseCursorFile(copy).has_value();
    };
    EXPECT_FALSE(broken(2, 1));         // an icon, not a cursor
    EXPECT_FALSE(broken(22 + 14, 24));  // 24 bits per pixel
    EXPECT_FALSE(broken(18, 0xF0));     // image beyond the end
    EXPECT_FALSE(ParseCursorFile(std::span(bytes).first(2000)).has_value());
    EXPECT_FALSE(ParseCursorFile({}).has_value());
}

}  // namespace
}  // namespace vt
