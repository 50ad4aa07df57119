#include "ToolProject.h"

#include "AppFolders.h"
#include "GraphPicture.h"
#include "IniFile.h"
#include "iconstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace {

[[noreturn]] void Fail(const QString &fileName, const QString &problem)
{
    throw std::runtime_error(
        QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(fileName), problem).toStdString());
}

// The path with the extension of its file-name part replaced.
QString WithExtension(const QString &path, const QString &extension)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    const int dot = int(name.lastIndexOf(u'.'));
    const QString base = dot < 0 ? name : name.left(dot);
    return QDir(info.path()).filePath(base + extension);
}

} // namespace

TToolProject::TToolProject(const QString &settingsFile, const QString &appPath)
    : AppPath(QDir::cleanPath(appPath) + u'/')
{
    ReadSettings(settingsFile);
    LoadDrawing(Wiring, WithExtension(settingsFile, QStringLiteral(".wir")));
    LoadDrawing(Guard, WithExtension(settingsFile, QStringLiteral(".gua")));
    if (!FFloorPlan.isEmpty()) {
        try {
            Wiring.Background().LoadFromFile(FFloorPlan);
        } catch (const std::exception &error) {
            Fail(FFloorPlan, QString::fromStdString(error.what()));
        }
    }
    const QString library = AppPath + QStringLiteral("iconstore.xml");
    try {
        Library = std::make_unique<TIconstore>(library);
    } catch (const std::exception &error) {
        Fail(library, QString::fromStdString(error.what()));
    }
}

TToolProject::~TToolProject() = default;

QString TToolProject::TakeAppDir(QStringList &args)
{
    const int option = int(args.indexOf(QStringLiteral("--appdir")));
    if (option >= 0 && option + 1 < args.size()) {
        const QString dir = args[option + 1];
        args.remove(option, 2);
        return dir;
    }
    const QString environment = qEnvironmentVariable("VARNETH_APPDIR");
    // Installed, the library and floor plans lie in the system's data folder.
    return TAppFolders::ForThisRun(environment).Data;
}

void TToolProject::ReadSettings(const QString &settingsFile)
{
    QFile file(settingsFile);
    if (!QFileInfo(settingsFile).isFile() || !file.open(QIODevice::ReadOnly))
        Fail(settingsFile, QStringLiteral("cannot read the settings file (%1)")
                               .arg(QFileInfo::exists(settingsFile) ? file.errorString()
                                                                    : QStringLiteral("missing")));
    const TIniFile settings(settingsFile);
    const auto read = [&](const char *key) {
        return settings.ReadString(QStringLiteral("customer"), QLatin1String(key));
    };
    Scheme = {read("ProjectName"),     read("CustomerName"),  read("CustomerPhone"),
              read("CustomerAddress"), read("CustomerEmail"), read("DesignerCompany"),
              read("DesignerName"),    read("ProjectComment")};
    // The floor plan lies in the data folder's background folder; any folder
    // part of the recorded name is ignored, as the program does.
    QString floorPlan = read("BackgroundPath");
    floorPlan.replace(u'\\', u'/');
    floorPlan = QFileInfo(floorPlan).fileName();
    const QString path = AppPath + QStringLiteral("background/") + floorPlan;
    if (!floorPlan.isEmpty() && QFileInfo(path).isFile()) FFloorPlan = path;
}

void TToolProject::LoadDrawing(TGraphControl &graph, const QString &fileName)
{
    if (!QFileInfo(fileName).isFile()) Fail(fileName, QStringLiteral("the drawing is missing"));
    try {
        graph.LoadFromFile(fileName);
    } catch (const std::exception &error) {
        Fail(fileName, QString::fromStdString(error.what()));
    }
}
