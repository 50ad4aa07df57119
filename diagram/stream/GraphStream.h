#pragma once

#include "GbkCodec.h"
#include "GraphErrors.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <string_view>
#include <unordered_map>

// The value tags of the component format.
enum TValueType : uint8_t {
    vaNull = 0x00,
    vaInt8 = 0x02,
    vaInt16 = 0x03,
    vaInt32 = 0x04,
    vaString = 0x06,
    vaIdent = 0x07,
    vaFalse = 0x08,
    vaTrue = 0x09,
    vaBinary = 0x0A,
    vaSet = 0x0B,
    vaLString = 0x0C,
    vaWString = 0x12,
    vaUTF8String = 0x14,
};

// Appends the values of the component format to a byte array.
class TValueWriter {
public:
    explicit TValueWriter(QByteArray &out) : FOut(out) {}
    // A writer whose output goes on to the drain in pieces of about the
    // threshold, so that a large stream is never whole in memory.
    using TDrain = std::function<void(const QByteArray &piece)>;
    TValueWriter(QByteArray &out, TDrain drain, qsizetype threshold)
        : FOut(out), FDrain(std::move(drain)), FThreshold(threshold)
    {
    }

    // Hands the bytes written so far to the drain once they reach the
    // threshold (all of them when asked) and starts the piece afresh.
    void Drain(bool all = false);

    void WriteByte(uint8_t value) { FOut.append(char(value)); }
    void WriteInt32(int32_t value);
    void WriteBytes(QByteArrayView bytes) { FOut.append(bytes); }
    // A length byte and at most 255 bytes.
    void WriteShortString(QByteArrayView latin1);

    // Values, each a tag and its payload.
    void WriteInteger(int64_t value);
    void WriteText(const QString &text);
    void WriteIdent(QByteArrayView name);
    void WriteBoolean(bool value) { WriteByte(value ? vaTrue : vaFalse); }
    void WriteBinary(const QByteArray &data);
    void WriteSet(const QList<QByteArray> &members);

private:
    void WriteConvertedText(const QString &text);

    QByteArray &FOut;
    TGbkCodec FCodec;
    QHash<QString, QByteArray> FTexts; // text that needs converting, as written
    TDrain FDrain;
    qsizetype FThreshold = 0;
};

class TDecodedPictures;

// Reads the values of the component format from bytes in memory. Every
// count and length is checked against what is left before anything is
// taken or allocated; running out ends in "Stream read error".
class TValueReader {
public:
    TValueReader(const QByteArray &data, qint64 position = 0) : FData(data), FPos(position) {}

    qint64 Position() const { return FPos; }
    qint64 Remaining() const { return FData.size() - FPos; }

    uint8_t ReadByte();
    int32_t ReadInt32();
    QByteArray ReadBytes(qint64 count);
    QByteArray ReadShortString();
    // The same bytes without a copy; valid while the data read from lives.
    QByteArrayView ReadView(qint64 count);
    QByteArrayView ReadShortView() { return ReadView(ReadByte()); }
    // Converts the 8-bit text of the stream.
    TGbkCodec &Codec() { return FCodec; }
    TValueType ReadTag() { return TValueType(ReadByte()); }
    // Pictures decoded so far by the read these values belong to, if kept.
    TDecodedPictures *DecodedPictures() const { return FPictures; }
    void SetDecodedPictures(TDecodedPictures *pictures) { FPictures = pictures; }

    // Payload readers for a tag already read.
    int64_t ReadIntegerPayload(TValueType tag);
    QString ReadTextPayload(TValueType tag);
    QByteArray ReadBinaryPayload();
    QList<QByteArray> ReadSetPayload();

    static bool IsIntegerTag(TValueType tag) { return tag >= vaInt8 && tag <= vaInt32; }
    static bool IsTextTag(TValueType tag)
    {
        return tag == vaString || tag == vaLString || tag == vaWString || tag == vaUTF8String;
    }

private:
    // Diagrams repeat the same labels and symbol fields thousands of times:
    // text read before, by its bytes in the stream, is shared, not made again.
    using TTexts = std::unordered_map<std::string_view, QString>;
    template <typename Convert>
    QString Shared(TTexts &texts, QByteArrayView bytes, Convert convert);

    const QByteArray &FData;
    qint64 FPos;
    TGbkCodec FCodec;
    TTexts FGbkTexts;
    TTexts FWideTexts;
    TDecodedPictures *FPictures = nullptr;
};
