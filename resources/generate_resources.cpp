// Draws the tips-panel picture (panel.bmp) and the overlay's pointer (overlay_arrow.cur) and
// writes them into the folder given as the only argument. Their exact byte layouts are fixed:
// a 174x147 24-bit BMP of 77,082 bytes, and a 2,238-byte cursor file with one 32x32 8-bit image.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& out, std::uint16_t value) {
    out.push_back(value & 0xFF);
    out.push_back(value >> 8);
}

void Put32(Bytes& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

void PutInfoHeader(Bytes& out, int width, int height, int bits, std::uint32_t imageSize,
                   std::uint32_t pixelsPerMetre) {
    Put32(out, 40);
    Put32(out, width);
    Put32(out, height);
    Put16(out, 1);
    Put16(out, bits);
    Put32(out, 0);  // BI_RGB
    Put32(out, imageSize);
    Put32(out, pixelsPerMetre);
    Put32(out, pixelsPerMetre);
    Put32(out, 0);
    Put32(out, 0);
}

QImage DrawPanel() {
    const int width = 174, height = 147, strip = 24;
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient body(0, strip, 0, height);
    body.setColorAt(0, QColor(58, 126, 204));
    body.setColorAt(1, QColor(16, 52, 120));
    painter.fillRect(0, strip, width, height - strip, body);
    QLinearGradient header(0, 0, 0, strip);
    header.setColorAt(0, QColor(236, 243, 252));
    header.setColorAt(1, QColor(204, 222, 244));
    painter.fillRect(0, 0, width, strip, header);
    painter.fillRect(0, strip, width, 1, QColor(120, 160, 210));

    // A small picture icon: a framed landscape with a sun.
    const QRect icon(6, 4, 17, 15);
    painter.fillRect(icon, QColor(255, 255, 255));
    painter.fillRect(icon.adjusted(1, 1, -1, -1), QColor(150, 200, 240));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(250, 200, 40));
    painter.drawEllipse(QPointF(17.5, 8.5), 2.5, 2.5);
    painter.setBrush(QColor(60, 150, 70));
    painter.drawPolygon(QPolygonF({{7, 18}, {12, 10}, {16, 15}, {18, 13}, {22, 18}}));
    painter.setPen(QColor(40, 80, 140));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(icon).adjusted(0.5, 0.5, -0.5, -0.5));

    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(14);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(22, 54, 112));
    painter.drawText(QRect(29, 0, 100, strip), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("截图"));
    return image;
}

Bytes PanelBmp(const QImage& image) {
    const int width = image.width(), height = image.height();
    const int stride = (width * 3 + 3) / 4 * 4;
    const std::uint32_t imageSize = stride * height;
    Bytes out{'B', 'M'};
    Put32(out, 54 + imageSize);
    Put32(out, 0);
    Put32(out, 54);
    PutInfoHeader(out, width, height, 24, imageSize, 2880);
    for (int y = height - 1; y >= 0; --y) {  // bottom-up
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = image.pixel(x, y);
            out.insert(out.end(), {std::uint8_t(qBlue(pixel)), std::uint8_t(qGreen(pixel)),
                                   std::uint8_t(qRed(pixel))});
        }
        out.insert(out.end(), stride - width * 3, 0);
    }
    return out;
}

// A multicoloured arrow with its tip at (0, 0): rainbow bands inside a black outline.
QImage DrawArrow() {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    QPainterPath arrow;
    arrow.addPolygon(
        QPolygonF({{0, 0}, {0, 21}, {5, 16}, {9, 25}, {12, 24}, {8, 15}, {15, 15}, {0, 0}}));
    QLinearGradient fill(0, 0, 0, 25);
    const QColor bands[] = {{230, 40, 40}, {245, 140, 20}, {240, 220, 30},
                            {50, 190, 70}, {40, 130, 230}, {150, 60, 200}};
    for (int i = 0; i < 6; ++i) fill.setColorAt(i / 5.0, bands[i]);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(fill);
    painter.drawPath(arrow);
    return image;
}

// One 32x32 image, 8 bits per pixel with a 256-colour palette, AND mask, hot spot (0, 0).
Bytes ArrowCur(const QImage& image) {
    std::vector<QRgb> palette{qRgb(0, 0, 0)};
    std::vector<std::uint8_t> indices;
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) < 128) {
                indices.push_back(0);
                continue;
            }
            const QRgb colour = pixel | 0xFF000000;
            std::size_t index = 0;
            while (index < palette.size() && palette[index] != colour) ++index;
            if (index == palette.size()) palette.push_back(colour);
            indices.push_back(static_cast<std::uint8_t>(index));
        }
    }
    if (palette.size() > 256) return {};
    palette.resize(256, qRgb(0, 0, 0));

    Bytes mask;  // bottom-up rows of 32 bits; a set bit is transparent
    for (int y = image.height() - 1; y >= 0; --y) {
        std::uint32_t bits = 0;
        for (int x = 0; x < 32; ++x) {
            if (qAlpha(image.pixel(x, y)) < 128) bits |= 0x80000000u >> x;
        }
        for (int shift = 24; shift >= 0; shift -= 8) mask.push_back((bits >> shift) & 0xFF);
    }

    const std::uint32_t resourceSize = 40 + 4 * 256 + 32 * 32 + 32 * 4;
    Bytes out;
    Put16(out, 0);
    Put16(out, 2);  // cursor
    Put16(out, 1);
    out.insert(out.end(), {32, 32, 0, 0});
    Put16(out, 0);  // hot spot x
    Put16(out, 0);  // hot spot y
    Put32(out, resourceSize);
    Put32(out, 22);
    PutInfoHeader(out, 32, 64, 8, 32 * 32 + 32 * 4, 0);
    for (QRgb colour : palette) {
        out.insert(out.end(), {std::uint8_t(qBlue(colour)), std::uint8_t(qGreen(colour)),
                               std::uint8_t(qRed(colour)), 0});
    }
    out.insert(out.end(), indices.begin(), indices.end());
    out.insert(out.end(), mask.begin(), mask.end());
    return out;
}

bool Write(const QString& path, const Bytes& bytes) {
    QFile file(path);
    return !bytes.empty() && file.open(QIODevice::WriteOnly) &&
           file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) ==
               qint64(bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const bool ok = Write(out.filePath(QStringLiteral("panel.bmp")), PanelBmp(DrawPanel())) &&
                    Write(out.filePath(QStringLiteral("overlay_arrow.cur")), ArrowCur(DrawArrow()));
    if (!ok) std::fprintf(stderr, "could not write the resources into %s\n", argv[1]);
    return ok ? 0 : 1;
}
