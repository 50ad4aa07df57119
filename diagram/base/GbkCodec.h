#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>
#include <optional>

// Code page 936 conversion for one reader or writer of many strings.
// Making a converter costs far more than converting a short string, so the
// converters are made once, when first needed, and reset after each string:
// every string converts as a fresh converter would convert it, whatever came
// before (an incomplete character at the end of one string is dropped, not
// carried into the next). Pure ASCII, which both encodings spell alike,
// needs no converter at all.
class TGbkCodec {
public:
    QByteArray ToGBK(QStringView text);
    QString FromGBK(QByteArrayView bytes);
    // Text as an 8-bit string of code page 936 would hold it: characters
    // outside the code page become question marks.
    QString Narrow(const QString &text);

    static bool IsAscii(QStringView text);
    static bool IsAscii(QByteArrayView bytes);

private:
    std::optional<QStringEncoder> FEncoder;
    std::optional<QStringDecoder> FDecoder;
};
