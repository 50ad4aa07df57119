#include "AppFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString Folder(const QString &path)
{
    return QDir::cleanPath(QDir(path).absolutePath()) + u'/';
}

bool HoldsLibrary(const QString &folder)
{
    return QFileInfo(QDir(folder).filePath(QStringLiteral("iconstore.xml"))).isFile();
}

} // namespace

TAppFolders TAppFolders::Same(const QString &folder)
{
    const QString path = Folder(folder);
    return {path, path};
}

TAppFolders TAppFolders::Choose(const QString &namedFolder, const QString &programFolder,
                                const QString &installedData, const QString &userFolder)
{
    if (!namedFolder.isEmpty())
        return Same(namedFolder);
    if (HoldsLibrary(programFolder) || !HoldsLibrary(installedData) || userFolder.isEmpty())
        return Same(programFolder);
    return {Folder(installedData), Folder(userFolder)};
}

TAppFolders TAppFolders::ForThisRun(const QString &namedFolder)
{
    const QString program = QCoreApplication::applicationDirPath();
    const QString generic = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return Choose(namedFolder, program,
                  QDir(program).filePath(QStringLiteral(VARNETH_INSTALLED_DATA)),
                  generic.isEmpty() ? QString() : generic + QStringLiteral("/varneth"));
}

QString TAppFolders::MakeUserFolders() const
{
    if (!Split())
        return QString();
    for (const char *name : {"projects", "templates"}) {
        const QString folder = User + QLatin1String(name);
        if (!QDir().mkpath(folder))
            return folder;
    }
    return QString();
}
