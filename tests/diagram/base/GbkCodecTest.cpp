// One codec converting many strings converts each as a converter made for
// it alone would, whatever it converted before.

#include "GbkCodec.h"
#include "GraphText.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <gtest/gtest.h>

namespace {

QString FreshDecode(const QByteArray &bytes)
{
    QStringDecoder decoder("GBK", QStringConverter::Flag::Default);
    return decoder.decode(bytes);
}

QByteArray FreshEncode(const QString &text)
{
    QStringEncoder encoder("GBK", QStringConverter::Flag::Default);
    return encoder.encode(text);
}

QByteArray AllAscii()
{
    QByteArray bytes;
    for (int b = 0; b < 0x80; ++b)
        bytes.append(char(b));
    return bytes;
}

// In an order where each string could spoil the next: lead bytes without
// their trail byte, invalid pairs, a lone surrogate, unencodable text.
const QByteArray ByteCases[] = {
    QByteArray("\xB2\xE5\xD7\xF9", 4), // 插座
    QByteArray("\xB2", 1),             // a lead byte alone
    QByteArray("K1"),
    QByteArray("\xB2\xE5\xD7", 3), // ends in a lead byte
    QByteArray("\xD7\xF9", 2),
    QByteArray("\x80\xFF\x81\x20", 4),
    QByteArray(),
    AllAscii(),
    QByteArray("A\0B", 3),
    QByteArray("\xA1", 1),
};

const QString TextCases[] = {
    QStringLiteral("五孔插座"),
    QString(QChar(0xD83D)), // a lone high surrogate
    QStringLiteral("K1"),
    QStringLiteral("😀 and ∮ and €"),
    QStringLiteral("日本語の仮名 ひらがな"),
    QString(),
    QString::fromLatin1(AllAscii()),
    QStringLiteral("é"),
};

TEST(GbkCodecTest, DecodesEachStringAsAFreshDecoder)
{
    TGbkCodec codec;
    for (int round = 0; round < 2; ++round)
        for (const QByteArray &bytes : ByteCases)
            EXPECT_EQ(codec.FromGBK(bytes), FreshDecode(bytes)) << bytes.toHex().constData();
}

TEST(GbkCodecTest, EncodesAndNarrowsEachStringAsFreshConverters)
{
    TGbkCodec codec;
    for (int round = 0; round < 2; ++round)
        for (const QString &text : TextCases) {
            EXPECT_EQ(codec.ToGBK(text), FreshEncode(text)) << text.toStdString();
            EXPECT_EQ(codec.Narrow(text), FreshDecode(FreshEncode(text))) << text.toStdString();
            EXPECT_EQ(GraphText::Narrow(text), codec.Narrow(text));
        }
}

} // namespace
