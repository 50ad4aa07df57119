#include "GraphText.h"

#include "GbkCodec.h"

namespace GraphText {

QByteArray ToGBK(const QString &text)
{
    return TGbkCodec().ToGBK(text);
}

QString FromGBK(const QByteArray &bytes)
{
    return TGbkCodec().FromGBK(bytes);
}

QString Narrow(const QString &text)
{
    return TGbkCodec().Narrow(text);
}

} // namespace GraphText
