#include "GraphStream.h"

#include <QtEndian>

namespace {

EStreamError ReadError()
{
    return EStreamError(QStringLiteral("Stream read error"));
}

} // namespace

void TValueWriter::Drain(bool all)
{
    if (!FDrain || FOut.isEmpty() || (!all && FOut.size() < FThreshold))
        return;
    FDrain(FOut);
    FOut.truncate(0); // keeps the room for the next piece
}

void TValueWriter::WriteInt32(int32_t value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    FOut.append(bytes, 4);
}

void TValueWriter::WriteShortString(QByteArrayView latin1)
{
    const QByteArrayView text = latin1.first(std::min<qsizetype>(latin1.size(), 255));
    WriteByte(uint8_t(text.size()));
    FOut.append(text);
}

void TValueWriter::WriteInteger(int64_t value)
{
    if (value >= -128 && value <= 127) {
        WriteByte(vaInt8);
        WriteByte(uint8_t(int8_t(value)));
    } else if (value >= -32768 && value <= 32767) {
        WriteByte(vaInt16);
        char bytes[2];
        qToLittleEndian(int16_t(value), bytes);
        FOut.append(bytes, 2);
    } else {
        WriteByte(vaInt32);
        WriteInt32(int32_t(value));
    }
}

void TValueWriter::WriteText(const QString &value)
{
    // Most text is ASCII: its own bytes, without a conversion.
    if (!value.isEmpty() && TGbkCodec::IsAscii(value)) {
        const qsizetype units = value.size();
        if (units <= 255) {
            WriteByte(vaString);
            WriteByte(uint8_t(units));
        } else {
            WriteByte(vaLString);
            WriteInt32(int32_t(units));
        }
        const qsizetype at = FOut.size();
        FOut.resize(at + units);
        char *out = FOut.data() + at;
        for (QChar c : value)
            *out++ = char(c.unicode());
        return;
    }
    // Labels and symbol fields repeat: each text is converted once.
    if (const auto known = FTexts.constFind(value); known != FTexts.cend()) {
        FOut.append(*known);
        return;
    }
    const qsizetype start = FOut.size();
    WriteConvertedText(value);
    constexpr qsizetype LongestShared = 256;
    constexpr qsizetype MostShared = 1 << 16;
    if (value.size() <= LongestShared && FTexts.size() < MostShared)
        FTexts.insert(value, FOut.mid(start));
}

void TValueWriter::WriteConvertedText(const QString &value)
{
    // The drawings hold 8-bit text of code page 936; a character outside it
    // is written as the question mark that text stands for.
    const QString text = FCodec.Narrow(value);
    const QByteArray utf8 = text.toUtf8();
    const qint64 units = text.size();
    bool ascii = true;
    for (QChar c : text)
        ascii = ascii && c.unicode() < 0x80;
    if (utf8.size() < 2 * units && ascii) {
        if (utf8.size() <= 255) {
            WriteByte(vaString);
            WriteByte(uint8_t(utf8.size()));
        } else {
            WriteByte(vaLString);
            WriteInt32(int32_t(utf8.size()));
        }
        FOut.append(utf8);
    } else if (utf8.size() < 2 * units) {
        WriteByte(vaUTF8String);
        WriteInt32(int32_t(utf8.size()));
        FOut.append(utf8);
    } else {
        WriteByte(vaWString);
        WriteInt32(int32_t(units));
        for (QChar c : text) {
            char bytes[2];
            qToLittleEndian(c.unicode(), bytes);
            FOut.append(bytes, 2);
        }
    }
}

void TValueWriter::WriteIdent(QByteArrayView name)
{
    WriteByte(vaIdent);
    WriteShortString(name);
}

void TValueWriter::WriteBinary(const QByteArray &data)
{
    WriteByte(vaBinary);
    WriteInt32(int32_t(data.size()));
    FOut.append(data);
}

void TValueWriter::WriteSet(const QList<QByteArray> &members)
{
    WriteByte(vaSet);
    for (const QByteArray &member : members)
        WriteShortString(member);
    WriteByte(0);
}

uint8_t TValueReader::ReadByte()
{
    if (FPos >= FData.size())
        throw ReadError();
    return uint8_t(FData[FPos++]);
}

int32_t TValueReader::ReadInt32()
{
    if (Remaining() < 4)
        throw ReadError();
    const int32_t value = qFromLittleEndian<int32_t>(FData.constData() + FPos);
    FPos += 4;
    return value;
}

QByteArray TValueReader::ReadBytes(qint64 count)
{
    return ReadView(count).toByteArray();
}

QByteArrayView TValueReader::ReadView(qint64 count)
{
    if (count < 0 || count > Remaining())
        throw ReadError();
    const QByteArrayView bytes(FData.constData() + FPos, count);
    FPos += count;
    return bytes;
}

QByteArray TValueReader::ReadShortString()
{
    return ReadBytes(ReadByte());
}

int64_t TValueReader::ReadIntegerPayload(TValueType tag)
{
    switch (tag) {
    case vaInt8:
        return int8_t(ReadByte());
    case vaInt16:
        return qFromLittleEndian<int16_t>(ReadView(2).data());
    default:
        return ReadInt32();
    }
}

QString TValueReader::ReadTextPayload(TValueType tag)
{
    const auto fromGBK = [this](QByteArrayView bytes) { return FCodec.FromGBK(bytes); };
    switch (tag) {
    case vaString:
        return Shared(FGbkTexts, ReadView(ReadByte()), fromGBK);
    case vaLString:
        return Shared(FGbkTexts, ReadView(uint32_t(ReadInt32())), fromGBK);
    case vaUTF8String:
        return FCodec.Narrow(QString::fromUtf8(ReadView(uint32_t(ReadInt32()))));
    default: {
        const qint64 units = uint32_t(ReadInt32());
        if (units > Remaining() / 2)
            throw ReadError();
        return Shared(FWideTexts, ReadView(units * 2), [this](QByteArrayView bytes) {
            QString text(bytes.size() / 2, Qt::Uninitialized);
            char16_t *out = reinterpret_cast<char16_t *>(text.data());
            for (qsizetype i = 0; i < text.size(); ++i)
                out[i] = qFromLittleEndian<char16_t>(bytes.data() + 2 * i);
            return FCodec.Narrow(text);
        });
    }
    }
}

template <typename Convert>
QString TValueReader::Shared(TTexts &texts, QByteArrayView bytes, Convert convert)
{
    // Long texts rarely repeat; the table stops growing at a bound.
    constexpr qsizetype LongestShared = 256;
    constexpr size_t MostShared = 1 << 16;
    if (bytes.size() > LongestShared)
        return convert(bytes);
    const std::string_view key(bytes.data(), size_t(bytes.size()));
    const auto known = texts.find(key);
    if (known != texts.end())
        return known->second;
    QString text = convert(bytes);
    if (texts.size() < MostShared)
        texts.emplace(key, text);
    return text;
}

QByteArray TValueReader::ReadBinaryPayload()
{
    return ReadBytes(uint32_t(ReadInt32()));
}

QList<QByteArray> TValueReader::ReadSetPayload()
{
    QList<QByteArray> members;
    for (QByteArray name = ReadShortString(); !name.isEmpty(); name = ReadShortString())
        members << name;
    return members;
}
