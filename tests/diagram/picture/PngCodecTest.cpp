// The PNG writer of drawing exports: what Qt's own PNG reader reads back
// is the picture, whatever its width, content or pixel format.

#include "PngCodec.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

QImage Noise(int width, int height, QImage::Format format)
{
    QImage image(width, height, format);
    uint32_t seed = 7;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            image.setPixel(x, y, seed);
        }
    return image;
}

QImage Drawing()
{
    QImage image(301, 207, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::blue, 3));
    painter.drawEllipse(20, 20, 150, 120);
    painter.drawText(200, 100, QStringLiteral("K13"));
    return image;
}

TEST(PngCodecTest, ReadsBackAsThePicture)
{
    const std::pair<const char *, QImage> cases[] = {
        {"one pixel", Noise(1, 1, QImage::Format_RGB32)},
        {"odd width", Noise(7, 3, QImage::Format_RGB32)},
        {"a drawing", Drawing()},
        // More than one IDAT chunk: noise does not deflate.
        {"noise of several chunks", Noise(800, 600, QImage::Format_RGB32)},
        {"alpha is dropped", Noise(5, 4, QImage::Format_ARGB32)},
        {"another format", Drawing().convertToFormat(QImage::Format_RGB888)},
    };
    for (const auto &[name, source] : cases) {
        const QByteArray png = PngCodec::Encode(source);
        const QImage read = QImage::fromData(png, "PNG");
        ASSERT_FALSE(read.isNull()) << name;
        ASSERT_EQ(read.size(), source.size()) << name;
        const QImage expected = source.convertToFormat(QImage::Format_RGB32);
        int wrong = 0;
        for (int y = 0; y < source.height(); ++y)
            for (int x = 0; x < source.width(); ++x)
                wrong += (read.pixel(x, y) | 0xFF000000u) != (expected.pixel(x, y) | 0xFF000000u);
        EXPECT_EQ(wrong, 0) << name;
    }
}

} // namespace
