#include "service/text_images.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <algorithm>

#include "service/test_images.h"

namespace vt::ocrd::test {
namespace {

// Fonts need a GUI application; the offscreen platform needs no display.
void EnsureGuiApplication() {
    if (QGuiApplication::instance() != nullptr) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "service_server_test";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);  // lives until the process ends
}

std::u32string ToUcs4(const std::vector<std::string>& lines) {
    QStringList joined;
    for (const auto& line : lines) joined << QString::fromStdString(line);
    QList<uint> ucs4 = joined.join('\n').toUcs4();
    return std::u32string(ucs4.begin(), ucs4.end());
}

std::size_t EditDistance(const std::u32string& a, const std::u32string& b) {
    std::vector<std::size_t> previous(b.size() + 1), current(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) previous[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        current[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1,
                                   previous[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
        }
        std::swap(previous, current);
    }
    return previous[b.size()];
}

}  // namespace

QImage RenderText(const std::vector<std::string>& lines, int pixelSize, QRgb ink, QRgb paper) {
    EnsureGuiApplication();
    QFont font("Noto Sans CJK SC");
    font.setPixelSize(pixelSize);
    QFontMetrics metrics(font);
    int width = 0;
    for (const auto& line : lines) {
        width = std::max(width, metrics.horizontalAdvance(QString::fromStdString(line)));
    }
    int margin = pixelSize;
    int lineStep = pixelSize * 2;
    QImage image(width + 2 * margin, static_cast<int>(lines.size()) * lineStep + margin,
                 QImage::Format_RGB32);
    image.fill(paper);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(QColor::fromRgb(ink));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        painter.drawText(margin, margin + static_cast<int>(i) * lineStep + metrics.ascent(),
                         QString::fromStdString(lines[i]));
    }
    return image;
}

Bytes Encode(const QImage& image, Encoding encoding) {
    if (encoding == Encoding::CaptureBmp) {
        std::vector<std::uint32_t> rgb;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) rgb.push_back(image.pixel(x, y) & 0xFFFFFF);
        }
        return BitfieldsBmp32(image.width(), image.height(), rgb);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, encoding == Encoding::Png ? "PNG" : "JPEG", 90);
    return Bytes(bytes.begin(), bytes.end());
}

double CharacterAccuracy(const std::vector<std::string>& expected,
                         const std::vector<std::string>& got) {
    std::u32string want = ToUcs4(expected);
    return 1.0 - static_cast<double>(EditDistance(want, ToUcs4(got))) /
                     static_cast<double>(std::max<std::size_t>(want.size(), 1));
}

std::vector<std::string> WordsOf(const std::string& answer) {
    QJsonObject object = QJsonDocument::fromJson(QByteArray::fromStdString(answer)).object();
    QJsonArray results = object.value("words_result").toArray();
    EXPECT_TRUE(object.value("log_id").isDouble()) << answer;
    EXPECT_EQ(object.value("words_result_num").toInt(-1), results.size()) << answer;
    std::vector<std::string> words;
    for (const auto& result : results) {
        words.push_back(result.toObject().value("words").toString().toStdString());
    }
    return words;
}

}  // namespace vt::ocrd::test
