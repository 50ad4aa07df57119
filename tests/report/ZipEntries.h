#pragma once

// The entries of a zip archive (an xlsx workbook), read with zlib: enough
// to look inside the workbooks the export writes.

#include <QByteArray>
#include <QMap>
#include <QString>
#include <zlib.h>

inline quint32 ZipU32(const QByteArray &b, qsizetype at)
{
    const auto *p = reinterpret_cast<const uchar *>(b.constData() + at);
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}

inline quint16 ZipU16(const QByteArray &b, qsizetype at)
{
    const auto *p = reinterpret_cast<const uchar *>(b.constData() + at);
    return quint16(p[0] | p[1] << 8);
}

// Name to contents; empty when the bytes are no zip archive this reads.
inline QMap<QString, QByteArray> ZipEntries(const QByteArray &zip)
{
    QMap<QString, QByteArray> entries;
    const qsizetype end = zip.lastIndexOf(QByteArray("PK\x05\x06", 4));
    if (end < 0 || end + 22 > zip.size()) return entries;
    qsizetype at = ZipU32(zip, end + 16);
    for (int i = 0, n = ZipU16(zip, end + 10); i < n; ++i) {
        if (at + 46 > zip.size() || ZipU32(zip, at) != 0x02014b50) return {};
        const int method = ZipU16(zip, at + 10);
        const quint32 packed = ZipU32(zip, at + 20), size = ZipU32(zip, at + 24);
        const int nameLength = ZipU16(zip, at + 28);
        const int extra = ZipU16(zip, at + 30), comment = ZipU16(zip, at + 32);
        const qsizetype local = ZipU32(zip, at + 42);
        const QString name = QString::fromUtf8(zip.mid(at + 46, nameLength));
        at += 46 + nameLength + extra + comment;
        const qsizetype data = local + 30 + ZipU16(zip, local + 26) + ZipU16(zip, local + 28);
        const QByteArray raw = zip.mid(data, packed);
        if (method == 0) {
            entries[name] = raw;
            continue;
        }
        QByteArray out(qsizetype(size), '\0');
        z_stream stream{};
        inflateInit2(&stream, -MAX_WBITS);
        stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(raw.constData()));
        stream.avail_in = uInt(raw.size());
        stream.next_out = reinterpret_cast<Bytef *>(out.data());
        stream.avail_out = uInt(out.size());
        const int status = inflate(&stream, Z_FINISH);
        inflateEnd(&stream);
        if (status != Z_STREAM_END) return {};
        entries[name] = out;
    }
    return entries;
}
