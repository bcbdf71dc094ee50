#include <gtest/gtest.h>
#include <leptonica/allheaders.h>

#include "service/bmp_bitfields.h"
#include "service/image_decode.h"
#include "service/test_images.h"

namespace vt::ocrd {
namespace {

std::vector<std::uint32_t> Gradient(int width, int height) {
    std::vector<std::uint32_t> rgb;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) rgb.push_back((x * 12) << 16 | (y * 15) << 8 | 0x80);
    }
    return rgb;
}

// Leptonica's 32-bit pixel word (0xRRGGBB00) for 0xRRGGBB.
std::uint32_t Word(std::uint32_t rgb) {
    return rgb << 8;
}

TEST(BitfieldsBmp, DecodesBottomUpAndTopDownRows) {
    auto rgb = Gradient(21, 17);  // odd width: no row padding for 32-bit pixels either way
    for (bool topDown : {false, true}) {
        auto image = DecodeBitfieldsBmp(test::BitfieldsBmp32(21, 17, rgb, topDown));
        ASSERT_TRUE(image) << topDown;
        EXPECT_EQ(image->width, 21);
        EXPECT_EQ(image->height, 17);
        for (std::size_t i = 0; i < rgb.size(); ++i) {
            ASSERT_EQ(image->pixels[i], Word(rgb[i])) << "pixel " << i << " topDown " << topDown;
        }
    }
}

TEST(BitfieldsBmp, Widens565PixelsToEightBits) {
    std::vector<std::uint32_t> rgb = {0xFFFFFF, 0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    auto image = DecodeBitfieldsBmp(test::BitfieldsBmp16(5, 1, rgb));  // rows padded to 12 bytes
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels, (std::vector<std::uint32_t>{Word(0xFFFFFF), 0, Word(0xFF0000),
                                                         Word(0x00FF00), Word(0x0000FF)}));
}

TEST(BitfieldsBmp, RefusesBrokenFiles) {
    Bytes good = test::BitfieldsBmp32(4, 4, Gradient(4, 4));
    auto patched = [&](std::size_t at, std::uint8_t value) {
        Bytes bytes = good;
        bytes[at] = value;
        return bytes;
    };
    const std::pair<const char*, Bytes> cases[] = {
        {"rows cut short", Bytes(good.begin(), good.end() - 1)},
        {"header cut short", Bytes(good.begin(), good.begin() + 60)},
        {"mask with a gap", patched(54, 0x0F)},  // red mask 0x00FF000F
        {"width zero", patched(18, 0)},
        {"24-bit pixels", patched(28, 24)},
        {"BI_RGB", patched(30, 0)},
        {"pixel offset past the end", patched(13, 0x70)},
    };
    for (const auto& [name, bytes] : cases) EXPECT_FALSE(DecodeBitfieldsBmp(bytes)) << name;
}

// The same small picture in another format, written by Leptonica.
Bytes Encoded(int format, int width, int height) {
    Pix* pix = pixCreate(width, height, 8);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) pixSetPixel(pix, x, y, (x * 7 + y * 3) & 0xFF);
    }
    l_uint8* data = nullptr;
    size_t size = 0;
    pixWriteMem(&data, &size, pix, format);
    pixDestroy(&pix);
    Bytes bytes(data, data + size);
    lept_free(data);
    return bytes;
}

// A GIF made of a logical screen and frames with no pixel data; enough for the header walk.
Bytes GifFrames(int screenWidth, int screenHeight, std::vector<std::pair<int, int>> frames) {
    auto le16 = [](Bytes& out, int value) {
        out.push_back(static_cast<std::uint8_t>(value));
        out.push_back(static_cast<std::uint8_t>(value >> 8));
    };
    Bytes out = {'G', 'I', 'F', '8', '9', 'a'};
    le16(out, screenWidth);
    le16(out, screenHeight);
    out.insert(out.end(), {0, 0, 0});
    for (auto [width, height] : frames) {
        out.push_back(0x2C);
        le16(out, 0);
        le16(out, 0);
        le16(out, width);
        le16(out, height);
        out.insert(out.end(), {0, 2, 0});  // no colour table, code size 2, no data
    }
    out.push_back(0x3B);
    return out;
}

class DecodeImageTest : public testing::Test {
  protected:
    static void SetUpTestSuite() { SilenceImageLibrary(); }
};

TEST_F(DecodeImageTest, ChecksSizeBeforeDecodingAndRefusesBrokenData) {
    Bytes jpeg = Encoded(IFF_JFIF_JPEG, 64, 32);
    struct Case {
        const char* name;
        Bytes bytes;
        ImageProblem problem;
    };
    const Case cases[] = {
        {"bitfields BMP", test::BitfieldsBmp32(40, 20, Gradient(40, 20)), ImageProblem::None},
        {"plain BMP", Encoded(IFF_BMP, 40, 20), ImageProblem::None},
        {"PNG", Encoded(IFF_PNG, 40, 20), ImageProblem::None},
        {"JPEG", jpeg, ImageProblem::None},
        {"GIF", Encoded(IFF_GIF, 40, 20), ImageProblem::None},
        {"TIFF", Encoded(IFF_TIFF_ZIP, 40, 20), ImageProblem::None},
        {"smallest sides", Encoded(IFF_PNG, 15, 8192), ImageProblem::None},
        {"1x1", Encoded(IFF_PNG, 1, 1), ImageProblem::Size},
        {"14 px high", Encoded(IFF_PNG, 200, 14), ImageProblem::Size},
        {"8193 px wide BMP", test::BitfieldsBmp32(8193, 15, Gradient(8193, 15)),
         ImageProblem::Size},
        {"huge PNG header", test::PngHeaderOnly(100000, 100000), ImageProblem::Size},
        {"PNG header without pixels", test::PngHeaderOnly(100, 100), ImageProblem::Format},
        {"truncated JPEG", Bytes(jpeg.begin(), jpeg.begin() + jpeg.size() / 2),
         ImageProblem::Format},
        {"GIF frames beyond one largest picture",
         GifFrames(8192, 8192, {{8192, 8192}, {8192, 8192}}), ImageProblem::Size},
        {"GIF frame outside its screen", GifFrames(100, 100, {{101, 100}}), ImageProblem::Format},
        {"text", ToBytes("not an image at all"), ImageProblem::Format},
        {"nothing", Bytes(), ImageProblem::Format},
    };
    for (const Case& c : cases) {
        DecodedImage image = DecodeImage(c.bytes);
        EXPECT_EQ(image.problem, c.problem) << c.name;
        EXPECT_EQ(image.pix != nullptr, c.problem == ImageProblem::None) << c.name;
    }
}

TEST_F(DecodeImageTest, KeepsTheProgramsCaptureIntact) {
    auto rgb = Gradient(30, 20);
    DecodedImage image = DecodeImage(test::BitfieldsBmp32(30, 20, rgb));
    ASSERT_TRUE(image.pix);
    EXPECT_EQ(pixGetWidth(image.pix.get()), 30);
    EXPECT_EQ(pixGetHeight(image.pix.get()), 20);
    l_uint32 value = 0;
    pixGetPixel(image.pix.get(), 7, 3, &value);
    EXPECT_EQ(value, Word(rgb[3 * 30 + 7]));
}

}  // namespace
}  // namespace vt::ocrd
