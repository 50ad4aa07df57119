#pragma once

#include <QByteArray>
#include <QString>

// The 8-bit text of the drawings, code page 936.
namespace GraphText {

QByteArray ToGBK(const QString &text);
QString FromGBK(const QByteArray &bytes);
// Text as an 8-bit string of code page 936 would hold it: characters
// outside the code page become question marks.
QString Narrow(const QString &text);

} // namespace GraphText
