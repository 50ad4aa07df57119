#pragma once

#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

// Checks text against code page 936, the 8-bit text of the settings files
// and drawings: a character it cannot hold would be stored as "?" and the
// text would silently change. Make one and check many texts with it.
class TCodePage936 {
public:
    TCodePage936();

    // The characters of text that the code page cannot hold, each once, in
    // order of appearance; empty when the text survives unchanged.
    QString Unheld(const QString &text);

    // The designer's message for a field or text that holds such characters.
    static QString Message(const QString &where, const QString &unheld);

private:
    bool Survives(const QString &text);

    QStringEncoder FEncoder;
    QStringDecoder FDecoder;
};
