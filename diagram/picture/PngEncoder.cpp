#include "PngEncoder.h"

#include <QtEndian>
#include <new>
#include <stdexcept>
#include <vector>
#include <zlib.h>

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

} // namespace

class TPngEncoder::TDeflater {
public:
    TDeflater()
    {
        if (deflateInit(&FStream, Z_BEST_SPEED) != Z_OK)
            throw std::bad_alloc();
        FStream.next_out = FBuffer.data();
        FStream.avail_out = ChunkBytes;
    }
    ~TDeflater() { deflateEnd(&FStream); }

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

TPngEncoder::TPngEncoder(int width, int height)
    : FWidth(std::max(width, 0)), FHeight(std::max(height, 0)),
      FDeflater(std::make_unique<TDeflater>()), FPrevious(1 + size_t(FWidth) * 3, 0),
      FRow(FPrevious.size(), 0), FFiltered(FPrevious.size(), 0)
{
    FOut = QByteArray("\x89PNG\r\n\x1a\n", 8);
    char header[13];
    qToBigEndian<quint32>(quint32(FWidth), header);
    qToBigEndian<quint32>(quint32(FHeight), header + 4);
    header[8] = 8;  // bits per sample
    header[9] = 2;  // RGB
    header[10] = 0; // deflate
    header[11] = 0; // adaptive filtering, one filter type per row
    header[12] = 0; // not interlaced
    AppendChunk(FOut, "IHDR", header, 13);
}

TPngEncoder::~TPngEncoder() = default;

void TPngEncoder::AddRows(const QImage &source, int rows)
{
    const QImage band =
        source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
            ? source
            : source.convertToFormat(QImage::Format_RGB32);
    rows = std::min({rows, band.height(), FHeight - FAdded});
    const int width = std::min(FWidth, band.width());
    for (int y = 0; y < rows; ++y) {
        const QRgb *pixels = reinterpret_cast<const QRgb *>(band.constScanLine(y));
        unsigned char *rgb = FRow.data() + 1;
        for (int x = 0; x < width; ++x) {
            rgb[3 * x] = uchar(qRed(pixels[x]));
            rgb[3 * x + 1] = uchar(qGreen(pixels[x]));
            rgb[3 * x + 2] = uchar(qBlue(pixels[x]));
        }
        FFiltered[0] = 2; // Up: the difference to the row above
        for (size_t i = 1; i < FRow.size(); ++i)
            FFiltered[i] = uchar(FRow[i] - FPrevious[i]);
        ++FAdded;
        FDeflater->Add(FOut, FFiltered.data(), uInt(FFiltered.size()), FAdded == FHeight);
        std::swap(FPrevious, FRow);
    }
}

QByteArray TPngEncoder::Finish()
{
    // Rows never given are left black.
    if (FAdded < FHeight || FHeight == 0) {
        std::fill(FRow.begin(), FRow.end(), 0);
        while (FAdded < FHeight) {
            FFiltered[0] = 2;
            for (size_t i = 1; i < FRow.size(); ++i)
                FFiltered[i] = uchar(0 - FPrevious[i]);
            std::fill(FPrevious.begin(), FPrevious.end(), 0);
            ++FAdded;
            FDeflater->Add(FOut, FFiltered.data(), uInt(FFiltered.size()), FAdded == FHeight);
        }
        if (FHeight == 0)
            FDeflater->Add(FOut, nullptr, 0, true);
    }
    AppendChunk(FOut, "IEND", nullptr, 0);
    return std::move(FOut);
}

QByteArray TPngEncoder::Encode(const QImage &image)
{
    TPngEncoder encoder(image.width(), image.height());
    encoder.AddRows(image, image.height());
    return encoder.Finish();
}
