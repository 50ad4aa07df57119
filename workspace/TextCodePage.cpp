#include "TextCodePage.h"

TCodePage936::TCodePage936()
    : FEncoder("GBK", QStringConverter::Flag::Stateless),
      FDecoder("GBK", QStringConverter::Flag::Stateless)
{
}

bool TCodePage936::Survives(const QString &text)
{
    return FDecoder.decode(FEncoder.encode(text)) == text;
}

QString TCodePage936::Unheld(const QString &text)
{
    bool ascii = true;
    for (QChar c : text)
        ascii = ascii && c.unicode() < 0x80;
    if (ascii || Survives(text))
        return QString();
    // Rare: find the culprits one character (code point) at a time.
    QString unheld;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const QString one = text.mid(i, pair ? 2 : 1);
        i += pair ? 1 : 0;
        if (one[0].unicode() >= 0x80 && !unheld.contains(one) && !Survives(one))
            unheld += one;
    }
    return unheld;
}

QString TCodePage936::Message(const QString &where, const QString &unheld)
{
    return QStringLiteral("“%1”中含有无法保存的字符：%2\n"
                          "方案和图纸只能保存简体中文（GBK）字符，请修改后再试。")
        .arg(where, unheld);
}
