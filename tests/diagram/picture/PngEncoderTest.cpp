// The PNG writer of drawing exports: what Qt's own PNG reader reads back
// is the picture, whatever its width, content or pixel format.

#include "PngEncoder.h"

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

TEST(PngEncoderTest, ReadsBackAsThePicture)
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
        const QByteArray png = TPngEncoder::Encode(source);
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

// Rows given a band at a time, the last band only partly used, make the
// same file as the whole picture; rows never given are black.
TEST(PngEncoderTest, BandsMakeTheSameFileAndMissingRowsAreBlack)
{
    const QImage picture = Drawing();
    TPngEncoder encoder(picture.width(), picture.height());
    for (int top = 0; top < picture.height(); top += 64) {
        QImage band(picture.width(), 64, QImage::Format_RGB32);
        band.fill(Qt::red); // rows past the picture's end must be left out
        QPainter(&band).drawImage(0, -top, picture);
        encoder.AddRows(band, std::min(64, picture.height() - top));
    }
    EXPECT_EQ(encoder.Finish(), TPngEncoder::Encode(picture));

    TPngEncoder partial(3, 4);
    partial.AddRows(Noise(3, 1, QImage::Format_RGB32), 1);
    const QImage read = QImage::fromData(partial.Finish(), "PNG");
    ASSERT_EQ(read.size(), QSize(3, 4));
    EXPECT_EQ(read.pixel(1, 3) | 0xFF000000u, 0xFF000000u);
}

} // namespace
