#include "imaging/reencode.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtEndian>
#include <filesystem>
#include <fstream>

#include "platform/qt/image_decoder.h"
#include "text/codepage.h"

namespace vt {
namespace {

// A 6x4 picture of four flat colours: lossless encoders must give these pixels back exactly.
QImage Sample() {
    QImage image(6, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            image.setPixel(x, y,
                           x < 3 ? (y < 2 ? 0xFF0000 : 0x00FF00) : (y < 2 ? 0x0000FF : 0xFFFFFF));
        }
    }
    return image;
}

Bytes ToBytes(const QByteArray& data) {
    return Bytes(data.begin(), data.end());
}

QImage Decode(const Bytes& bytes) {
    return DecodeImage(QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                  static_cast<qsizetype>(bytes.size())));
}

Bytes Write(const QImage& image, const char* format) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    EXPECT_TRUE(writer.write(image)) << format << ": " << writer.errorString().toStdString();
    return ToBytes(data);
}

// A 32-bit BI_BITFIELDS BMP as the screen capture produces it: 14-byte file header, 40-byte
// info header, three colour masks, bottom-up rows.
Bytes BitfieldsBmp(const QImage& image) {
    const int rowBytes = image.width() * 4;
    const quint32 offset = 14 + 40 + 12;
    Bytes out(offset + rowBytes * image.height());
    auto put16 = [&](size_t at, quint16 v) { qToLittleEndian(v, out.data() + at); };
    auto put32 = [&](size_t at, quint32 v) { qToLittleEndian(v, out.data() + at); };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, static_cast<quint32>(out.size()));
    put32(10, offset);
    put32(14, 40);
    put32(18, image.width());
    put32(22, image.height());
    put16(26, 1);
    put16(28, 32);
    put32(30, 3);  // BI_BITFIELDS
    put32(34, rowBytes * image.height());
    put32(54, 0x00FF0000);
    put32(58, 0x0000FF00);
    put32(62, 0x000000FF);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            put32(offset + (image.height() - 1 - y) * rowBytes + x * 4,
                  image.pixel(x, y) & 0xFFFFFF);
        }
    }
    return out;
}

// A cursor file is an icon file with resource type 2 in its header.
Bytes Cursor(const QImage& image) {
    Bytes bytes = Write(image, "ico");
    bytes[2] = 2;
    return bytes;
}

bool StartsWith(const Bytes& bytes, std::string_view prefix) {
    return bytes.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), bytes.begin(),
                      [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
}

struct Target {
    int format;
    std::string_view signature;
    bool lossless;
};

constexpr Target kTargets[] = {
    {kBmp, "BM", true},
    {kJpeg, "\xFF\xD8\xFF", false},
    {kGif, "GIF8", true},  // four colours fit the palette exactly
    {kTiff, "", true},     // "II*\0" or "MM\0*", checked below
    {kPng, "\x89PNG\r\n\x1A\n", true},
};

TEST(ReencodeImage, EverySourceFormatToEveryTarget) {
    const QImage sample = Sample();
    Bytes gif;
    ASSERT_TRUE(ReencodeImage(Write(sample, "png"), kGif, {}, &gif));
    const std::pair<const char*, Bytes> sources[] = {
        {"png", Write(sample, "png")},
        {"jpeg", Write(sample, "jpeg")},
        {"bmp", Write(sample, "bmp")},
        {"bmp bitfields", BitfieldsBmp(sample)},
        {"ico", Write(sample, "ico")},
        {"cur", Cursor(sample)},
        {"gif", gif},
        {"tiff", Write(sample, "tiff")},
    };
    for (const auto& [sourceName, source] : sources) {
        const bool losslessSource = std::string_view(sourceName) != "jpeg";
        for (const Target& target : kTargets) {
            SCOPED_TRACE(std::string(sourceName) + " -> format " + std::to_string(target.format));
            Bytes out;
            ASSERT_TRUE(ReencodeImage(source, target.format, {}, &out));
            if (target.format == kTiff) {
                EXPECT_TRUE(StartsWith(out, std::string_view("II*\0", 4)) ||
                            StartsWith(out, std::string_view("MM\0*", 4)));
            } else {
                EXPECT_TRUE(StartsWith(out, target.signature));
            }
            const QImage back = Decode(out);
            ASSERT_EQ(back.size(), sample.size());
            if (losslessSource && target.lossless) {
                for (QPoint p : {QPoint(0, 0), QPoint(5, 0), QPoint(0, 3), QPoint(5, 3)}) {
                    EXPECT_EQ(back.pixel(p) & 0xFFFFFF, sample.pixel(p) & 0xFFFFFF);
                }
            }
        }
    }
}

TEST(ReencodeImage, RefusalLeavesOutputUntouched) {
    const Bytes png = Write(Sample(), "png");
    Bytes hugeBmp = BitfieldsBmp(QImage(1, 1, QImage::Format_RGB32));
    qToLittleEndian<quint32>(30000, hugeBmp.data() + 18);  // 30000 x 30000 announced
    qToLittleEndian<quint32>(30000, hugeBmp.data() + 22);
    const struct {
        const char* name;
        Bytes source;
        int format;
    } cases[] = {
        {"empty", {}, kJpeg},
        {"one byte", {0xFF}, kJpeg},
        {"two bytes", {0xFF, 0xD8}, kJpeg},
        {"not an image", vt::ToBytes(std::string("hello, this is plain text\n")), kJpeg},
        {"truncated png", Bytes(png.begin(), png.begin() + 20), kJpeg},
        {"oversized header", hugeBmp, kPng},
        {"format 0", png, 0},
        {"format 6", png, 6},
        {"format -1", png, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes output = {1, 2, 3};
        EXPECT_FALSE(ReencodeImage(c.source, c.format, {}, &output));
        EXPECT_EQ(output, (Bytes{1, 2, 3}));
    }
}

TEST(ReencodeImage, SourceAndOutputMayBeTheSameBytes) {
    Bytes image = Write(Sample(), "png");
    ASSERT_TRUE(ReencodeImage(image, kJpeg, {}, &image));
    EXPECT_TRUE(StartsWith(image, "\xFF\xD8"));
    EXPECT_TRUE(ReencodeImage(image, kPng));  // no output asked for
}

TEST(ReencodeImage, FileNameRules) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::filesystem::path root = dir.path().toStdString();
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(root);
    const Bytes png = Write(Sample(), "png");

    // Blank names (half-width and full-width spaces) write nothing but still give the result.
    for (const Text& blank : {Text("   "), Text("\xA1\xA1 \xA1\xA1")}) {
        Bytes out;
        EXPECT_TRUE(ReencodeImage(png, kBmp, blank, &out));
        EXPECT_FALSE(out.empty());
    }
    EXPECT_TRUE(std::filesystem::is_empty(root));

    // A code-page-936 name becomes a UTF-8 file name on disk, written with exactly the result.
    const Text name = Utf8ToCp936((root / "截图.png").string());
    Bytes out;
    ASSERT_TRUE(ReencodeImage(png, kPng, name, &out));
    std::ifstream file(root / "截图.png", std::ios::binary);
    const Bytes onDisk{std::istreambuf_iterator<char>(file), {}};
    EXPECT_EQ(onDisk, out);

    // A name with spaces around it names the file itself, spaces included; an existing file is
    // replaced.
    ASSERT_TRUE(ReencodeImage(png, kGif, Text(" a.gif "), &out));
    EXPECT_EQ(std::filesystem::file_size(root / " a.gif "), out.size());
    ASSERT_TRUE(ReencodeImage(png, kBmp, Text(" a.gif "), &out));
    EXPECT_EQ(std::filesystem::file_size(root / " a.gif "), out.size());

    // An unwritable file is not reported: the result still arrives.
    out.clear();
    EXPECT_TRUE(ReencodeImage(png, kPng, Text("/nonexistent-dir/x.png"), &out));
    EXPECT_FALSE(out.empty());
    std::filesystem::current_path(previous);
}

TEST(ReencodeImage, FlattenPutsTransparencyOnWhite) {
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));
    image.setPixel(1, 0, qRgba(255, 0, 0, 255));
    const Bytes png = Write(image, "png");

    Bytes kept, flat;
    ASSERT_TRUE(ReencodeImage(png, kPng, {}, &kept));
    ASSERT_TRUE(ReencodeImage(png, kPng, {}, &flat, true));
    EXPECT_EQ(qAlpha(Decode(kept).pixel(0, 0)), 0);
    EXPECT_EQ(Decode(flat).pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(Decode(flat).pixel(1, 0), qRgb(255, 0, 0));
}

}  // namespace
}  // namespace vt
