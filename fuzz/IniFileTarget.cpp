// Fuzz target: a settings file of any bytes reads without crashing, and
// every value it yields that can be written back reads back exactly.

#include "FuzzSupport.h"
#include "IniFile.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

const QTemporaryDir &Folder()
{
    static const QTemporaryDir *folder = new QTemporaryDir;
    return *folder;
}

// Only the first values are written back: every write replaces the file.
constexpr int MaxWrites = 40;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::StartApplication(argc, argv);
    Folder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString in = Folder().filePath(QStringLiteral("in.ini"));
    const QString out = Folder().filePath(QStringLiteral("out.ini"));
    {
        QFile file(in);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    QFile::remove(out);
    try {
        const TIniFile read(in);
        TIniFile written(out);
        QList<std::pair<QString, QString>> keys;
        QSet<QString> seen;
        for (const QString &section : read.Sections())
            for (const QString &key : read.Keys(section)) {
                const QString id = section.toLower() + u'\n' + key.toLower();
                if (seen.contains(id) || keys.size() >= MaxWrites)
                    continue;
                seen.insert(id);
                keys.append({section, key});
            }
        QList<std::pair<std::pair<QString, QString>, QString>> kept;
        for (const auto &[section, key] : keys) {
            const QString value = read.ReadString(section, key);
            try {
                written.WriteString(section, key, value);
                kept.append({{section, key}, value});
            } catch (const EIniFileException &) {
                // Text code page 936 cannot hold is refused, not mangled.
            }
        }
        const TIniFile again(out);
        for (const auto &[where, value] : kept)
            if (again.ReadString(where.first, where.second) != value)
                std::abort(); // a value written did not read back as it was
    } catch (const EIniFileException &) {
    }
    return 0;
}
