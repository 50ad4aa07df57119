#include "PngCodec.h"

#include <QtEndian>
#include <new>
#include <stdexcept>
#include <vector>
#include <zlib.h>

namespace PngCodec {

namespace {

// Deflated data goes out in chunks of this size.
constexpr uInt ChunkBytes = 1 << 20;

void AppendChunk(QByteArray &out, const char type[4], const char *data, uInt size)
{
    char length[4];
    qToBigEndian<quint32>(size, length);
    out.append(length, 4);
    const qsizetype start = out.size();
    out.append(type, 4);
    out.append(data, size);
    const uLong crc = crc32(0, reinterpret_cast<const Bytef *>(out.constData() + start),
                            uInt(out.size() - start));
    char sum[4];
    qToBigEndian<quint32>(quint32(crc), sum);
    out.append(sum, 4);
}

class TDeflater {
public:
    TDeflater()
    {
        if (deflateInit(&FStream, Z_BEST_SPEED) != Z_OK)
            throw std::bad_alloc();
        FStream.next_out = FBuffer.data();
        FStream.avail_out = ChunkBytes;
    }
    ~TDeflater() { deflateEnd(&FStream); }
    TDeflater(const TDeflater &) = delete;
    TDeflater &operator=(const TDeflater &) = delete;

    // Deflates the bytes, writing an IDAT chunk whenever the buffer fills.
    void Add(QByteArray &out, const unsigned char *bytes, uInt size, bool last)
    {
        FStream.next_in = const_cast<Bytef *>(bytes);
        FStream.avail_in = size;
        for (;;) {
            const int result = deflate(&FStream, last ? Z_FINISH : Z_NO_FLUSH);
            if (result == Z_STREAM_ERROR)
                throw std::runtime_error("deflate failed");
            if (FStream.avail_out == 0 || (last && result == Z_STREAM_END))
                Flush(out);
            if (last ? result == Z_STREAM_END : FStream.avail_in == 0)
                return;
        }
    }

private:
    void Flush(QByteArray &out)
    {
        const uInt used = ChunkBytes - FStream.avail_out;
        if (used > 0)
            AppendChunk(out, "IDAT", reinterpret_cast<const char *>(FBuffer.data()), used);
        FStream.next_out = FBuffer.data();
        FStream.avail_out = ChunkBytes;
    }

    z_stream FStream{};
    std::vector<Bytef> FBuffer = std::vector<Bytef>(ChunkBytes);
};

} // namespace

QByteArray Encode(const QImage &source)
{
    const QImage image =
        source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
            ? source
            : source.convertToFormat(QImage::Format_RGB32);
    const int width = image.width(), height = image.height();
    QByteArray out("\x89PNG\r\n\x1a\n", 8);
    char header[13];
    qToBigEndian<quint32>(quint32(width), header);
    qToBigEndian<quint32>(quint32(height), header + 4);
    header[8] = 8;  // bits per sample
    header[9] = 2;  // RGB
    header[10] = 0; // deflate
    header[11] = 0; // adaptive filtering, one filter type per row
    header[12] = 0; // not interlaced
    AppendChunk(out, "IHDR", header, 13);

    TDeflater deflater;
    const size_t rowBytes = 1 + size_t(width) * 3;
    std::vector<unsigned char> previous(rowBytes, 0), row(rowBytes, 0), filtered(rowBytes, 0);
    for (int y = 0; y < height; ++y) {
        const QRgb *pixels = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        unsigned char *rgb = row.data() + 1;
        for (int x = 0; x < width; ++x) {
            rgb[3 * x] = uchar(qRed(pixels[x]));
            rgb[3 * x + 1] = uchar(qGreen(pixels[x]));
            rgb[3 * x + 2] = uchar(qBlue(pixels[x]));
        }
        filtered[0] = 2; // Up: the difference to the row above
        for (size_t i = 1; i < rowBytes; ++i)
            filtered[i] = uchar(row[i] - previous[i]);
        deflater.Add(out, filtered.data(), uInt(rowBytes), y == height - 1);
        std::swap(previous, row);
    }
    if (height == 0)
        deflater.Add(out, nullptr, 0, true);
    AppendChunk(out, "IEND", nullptr, 0);
    return out;
}

} // namespace PngCodec
