#include "GraphText.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace GraphText {

QByteArray ToGBK(const QString &text)
{
    QStringEncoder encoder("GBK", QStringConverter::Flag::Default);
    return encoder.encode(text);
}

QString FromGBK(const QByteArray &bytes)
{
    QStringDecoder decoder("GBK", QStringConverter::Flag::Default);
    return decoder.decode(bytes);
}

QString Narrow(const QString &text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x80) return FromGBK(ToGBK(text));
    return text;
}

} // namespace GraphText
