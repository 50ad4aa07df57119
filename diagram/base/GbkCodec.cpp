#include "GbkCodec.h"

bool TGbkCodec::IsAscii(QStringView text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

bool TGbkCodec::IsAscii(QByteArrayView bytes)
{
    for (char c : bytes)
        if (uchar(c) >= 0x80)
            return false;
    return true;
}

QByteArray TGbkCodec::ToGBK(QStringView text)
{
    if (IsAscii(text))
        return text.toLatin1();
    if (!FEncoder)
        FEncoder.emplace("GBK", QStringConverter::Flag::Default);
    QByteArray bytes = FEncoder->encode(text);
    FEncoder->resetState();
    return bytes;
}

QString TGbkCodec::FromGBK(QByteArrayView bytes)
{
    if (IsAscii(bytes))
        return QString::fromLatin1(bytes);
    if (!FDecoder)
        FDecoder.emplace("GBK", QStringConverter::Flag::Default);
    QString text = FDecoder->decode(bytes);
    FDecoder->resetState();
    return text;
}

QString TGbkCodec::Narrow(const QString &text)
{
    if (IsAscii(text))
        return text;
    return FromGBK(ToGBK(text));
}
