#pragma once

#include <QString>
#include <QStringList>
#include <stdexcept>
#include <vector>

// A write to a profile file failed ("Unable to write to %s").
class EIniFileException : public std::runtime_error {
public:
    explicit EIniFileException(const QString &message)
        : std::runtime_error(message.toStdString())
    {
    }
    QString Message() const { return QString::fromStdString(what()); }
};

// A profile file: sections in square brackets, "key=value" lines, kept in
// code page 936 with Windows line ends. Every write goes to disk at once,
// through a temporary file, so a failed write leaves the old file whole;
// the order of sections and keys is kept; a missing key reads as empty.
// Section and key names compare without regard to case.
//
// A value is one line. As the system's profile functions do, a value in
// double quotes is read without them and otherwise as it stands, so values
// that other programs wrote ("C:\new") read back as typed. Values that a
// plain line cannot carry (leading or trailing blanks, surrounding quotes)
// are written in quotes; values with line breaks in quotes behind the
// marker \= with backslash escapes. A value that code page 936 cannot hold
// is refused rather than written with question marks.
class TIniFile {
public:
    // Reads the file if it exists; a missing file is an empty profile.
    explicit TIniFile(const QString &fileName);

    const QString &FileName() const { return FFileName; }
    QString ReadString(const QString &section, const QString &key,
                       const QString &defaultValue = QString()) const;
    void WriteString(const QString &section, const QString &key, const QString &value);
    bool SectionExists(const QString &section) const;
    bool ValueExists(const QString &section, const QString &key) const;
    QStringList Sections() const;
    QStringList Keys(const QString &section) const;

    // How a value is written on its line, and how a line's value is read.
    static QString EncodeValue(const QString &value);
    static QString DecodeValue(const QString &text);

private:
    struct TEntry {
        QString Key;
        QString Value;
    };
    struct TSection {
        QString Name;
        std::vector<TEntry> Entries;
    };

    void Load();
    void Save() const;
    const TSection *FindSection(const QString &name) const;
    TSection *FindSection(const QString &name);

    QString FFileName;
    std::vector<TSection> FSections;
};
