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
    switch (tag) {
    case vaString:
        return FCodec.FromGBK(ReadView(ReadByte()));
    case vaLString:
        return FCodec.FromGBK(ReadView(uint32_t(ReadInt32())));
    case vaUTF8String:
        return FCodec.Narrow(QString::fromUtf8(ReadView(uint32_t(ReadInt32()))));
    default: {
        const qint64 units = uint32_t(ReadInt32());
        if (units > Remaining() / 2)
            throw ReadError();
        const QByteArrayView bytes = ReadView(units * 2);
        QString text(units, Qt::Uninitialized);
        for (qint64 i = 0; i < units; ++i)
            text[i] = QChar(qFromLittleEndian<char16_t>(bytes.data() + 2 * i));
        return FCodec.Narrow(text);
    }
    }
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
