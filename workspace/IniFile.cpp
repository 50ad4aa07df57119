#include "IniFile.h"

#include "TextCodePage.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

bool SameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Opens the escaped form of a value, right after its opening quote; no
// value written by hand begins like this.
const QString EscapeMarker = QStringLiteral("\\=");

} // namespace

TIniFile::TIniFile(const QString &fileName) : FFileName(fileName)
{
    Load();
}

void TIniFile::Load()
{
    QFile file(FFileName);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QStringDecoder decoder("GBK");
    const QString text = decoder.decode(file.readAll());
    TSection *current = nullptr;
    for (QString line : text.split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u';'))
            continue;
        if (trimmed.startsWith(u'[') && trimmed.endsWith(u']')) {
            const QString name = trimmed.mid(1, trimmed.size() - 2).trimmed();
            current = FindSection(name);
            if (!current) {
                FSections.push_back(TSection{name, {}});
                current = &FSections.back();
            }
            continue;
        }
        const int equals = line.indexOf(u'=');
        if (!current || equals < 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = DecodeValue(line.mid(equals + 1));
        bool known = false;
        for (TEntry &entry : current->Entries)
            known = known || SameName(entry.Key, key);
        if (!known) // the first of two equal keys is the one read
            current->Entries.push_back(TEntry{key, value});
    }
}

void TIniFile::Save() const
{
    QString text;
    for (const TSection &section : FSections) {
        text += u'[' + section.Name + QStringLiteral("]\r\n");
        for (const TEntry &entry : section.Entries)
            text += entry.Key + u'=' + EncodeValue(entry.Value) + QStringLiteral("\r\n");
        text += QStringLiteral("\r\n");
    }
    QStringEncoder encoder("GBK");
    const QByteArray bytes = encoder.encode(text);
    QSaveFile file(FFileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw EIniFileException(QStringLiteral("Unable to write to %1").arg(FFileName));
}

const TIniFile::TSection *TIniFile::FindSection(const QString &name) const
{
    for (const TSection &section : FSections)
        if (SameName(section.Name, name))
            return &section;
    return nullptr;
}

TIniFile::TSection *TIniFile::FindSection(const QString &name)
{
    return const_cast<TSection *>(std::as_const(*this).FindSection(name));
}

QString TIniFile::ReadString(const QString &section, const QString &key,
                             const QString &defaultValue) const
{
    if (const TSection *s = FindSection(section))
        for (const TEntry &entry : s->Entries)
            if (SameName(entry.Key, key))
                return entry.Value;
    return defaultValue;
}

void TIniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    TCodePage936 codePage;
    for (const QString &text : {section, key, value})
        if (const QString unheld = codePage.Unheld(text); !unheld.isEmpty())
            throw EIniFileException(QStringLiteral("Unable to write to %1\n%2")
                                        .arg(FFileName, TCodePage936::Message(key, unheld)));
    TSection *s = FindSection(section);
    if (!s) {
        FSections.push_back(TSection{section, {}});
        s = &FSections.back();
    }
    bool found = false;
    for (TEntry &entry : s->Entries)
        if (SameName(entry.Key, key)) {
            entry.Value = value;
            found = true;
            break;
        }
    if (!found)
        s->Entries.push_back(TEntry{key, value});
    Save();
}

bool TIniFile::SectionExists(const QString &section) const
{
    return FindSection(section) != nullptr;
}

bool TIniFile::ValueExists(const QString &section, const QString &key) const
{
    if (const TSection *s = FindSection(section))
        for (const TEntry &entry : s->Entries)
            if (SameName(entry.Key, key))
                return true;
    return false;
}

QStringList TIniFile::Sections() const
{
    QStringList names;
    for (const TSection &section : FSections)
        names << section.Name;
    return names;
}

QStringList TIniFile::Keys(const QString &section) const
{
    QStringList keys;
    if (const TSection *s = FindSection(section))
        for (const TEntry &entry : s->Entries)
            keys << entry.Key;
    return keys;
}

QString TIniFile::EncodeValue(const QString &value)
{
    const bool breaks = value.contains(u'\n') || value.contains(u'\r');
    const bool quoted = value.trimmed() != value ||
                        (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'));
    if (!breaks && !quoted)
        return value;
    // Quotes alone keep blanks and quotes, read as the profile functions
    // read them; unless the value would then look like the escaped form.
    if (!breaks && !value.startsWith(EscapeMarker))
        return u'"' + value + u'"';
    QString escaped;
    for (const QChar c : value) {
        if (c == u'\\')
            escaped += QStringLiteral("\\\\");
        else if (c == u'\r')
            escaped += QStringLiteral("\\r");
        else if (c == u'\n')
            escaped += QStringLiteral("\\n");
        else
            escaped += c;
    }
    return u'"' + EscapeMarker + escaped + u'"';
}

QString TIniFile::DecodeValue(const QString &text)
{
    const QString value = text.trimmed();
    if (value.size() < 2 || !value.startsWith(u'"') || !value.endsWith(u'"'))
        return value;
    const QString inner = value.mid(1, value.size() - 2);
    if (!inner.startsWith(EscapeMarker)) return inner; // quotes dropped, the rest as it stands
    QString decoded;
    for (qsizetype i = EscapeMarker.size(); i < inner.size(); ++i) {
        if (inner[i] != u'\\' || i + 1 == inner.size()) {
            decoded += inner[i];
            continue;
        }
        const QChar next = inner[++i];
        if (next == u'n')
            decoded += u'\n';
        else if (next == u'r')
            decoded += u'\r';
        else
            decoded += next;
    }
    return decoded;
}
