#include "WiringMain.h"

#include "GraphControl.h"
#include "IniFile.h"
#include "WiringCustomer.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>

// The design project: creating, opening, saving, saving under another
// name and closing it, and its floor plan.

namespace {

const QString Customer = QStringLiteral("customer");
const QString FloorPlanMessage =
    QStringLiteral("请重新选择户型图，户型图必须存放在程序主目录的 background 子目录下！");

// The path with the extension of its file name replaced (or appended).
QString ChangeFileExt(const QString &path, const QString &extension)
{
    const int slash = path.lastIndexOf(u'/');
    const int dot = path.lastIndexOf(u'.');
    return (dot > slash ? path.left(dot) : path) + extension;
}

} // namespace

QString TFrmMain::ProjectPathOf(const QString &name) const
{
    return AppPath + QStringLiteral("projects/") + name + u'/' + name + QStringLiteral(".ini");
}

bool TFrmMain::FloorPlanAccepted(const QString &path, bool ignoreCase) const
{
    const int slash = path.lastIndexOf(u'/');
    if (slash < 0 || slash == path.size() - 1)
        return false; // a path without a folder, or without a file name, never passes
    const QString folder = QDir::cleanPath(path.left(slash)) + u'/';
    const QString expected = AppPath + QStringLiteral("background/");
    return folder.compare(expected, ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive) == 0;
}

QString TFrmMain::SchemeNameProblem(const QString &name)
{
    // The name becomes a folder and file name beside the other projects:
    // no path, no climbing out, nothing a file name may not hold.
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    bool bad = name == u"." || name == u".." || name.endsWith(u'.') || name.endsWith(u' ');
    for (QChar c : name)
        bad = bad || forbidden.contains(c) || c.unicode() < 0x20;
    if (!bad)
        return QString();
    return QStringLiteral("方案名称不能包含 \\ / : * ? \" < > | 等字符，不能是 . 或 ..，"
                          "也不能以点或空格结尾，请使用其他名称！");
}

void TFrmMain::LoadFloorPlan(TGraphControl *graph, const QString &path, bool record)
{
    TPicture picture;
    picture.LoadFromFile(path);
    graph->SetBackground(picture);
    if (record)
        graph->SetBackgroundPath(QFileInfo(path).fileName());
    // The control leaves its scroll extents for the next change; a floor
    // plan larger than the view must be scrollable at once.
    graph->UpdateScrollRanges();
    graph->viewport()->update();
}

QString TFrmMain::FloorPlanOf(const QString &settingsValue) const
{
    if (settingsValue.isEmpty())
        return QString();
    // Any folder part of the recorded name is ignored.
    const QString name = QFileInfo(QString(settingsValue).replace(u'\\', u'/')).fileName();
    const QString path = AppPath + QStringLiteral("background/") + name;
    return QFileInfo(path).isFile() ? path : QString();
}

void TFrmMain::FillProjectFields(const QString &floorPlan)
{
    const auto read = [this](const char *key) {
        return ProjectSettings->ReadString(Customer, QLatin1String(key));
    };
    EdtProjectName->setText(read("ProjectName"));
    EdtBackgroundPath->setText(floorPlan);
    EdtCustomerName->setText(read("CustomerName"));
    EdtCustomerPhone->setText(read("CustomerPhone"));
    EdtCustomerAddress->setText(read("CustomerAddress"));
    EdtCustomerEmail->setText(read("CustomerEmail"));
    EdtDesignerCompany->setText(read("DesignerCompany"));
    EdtDesignerName->setText(read("DesignerName"));
    EdtProjectComment->setPlainText(read("ProjectComment"));
}

// --- Create ---

QString TFrmMain::CreationProblem(const QString &name, const QString &floorPlan,
                                  bool ignoreCase) const
{
    if (name.isEmpty())
        return QStringLiteral("方案名称不允许为空！");
    if (const QString problem = SchemeNameProblem(name); !problem.isEmpty())
        return problem;
    if (floorPlan.isEmpty())
        return QStringLiteral("请设置户型图！");
    if (!QFileInfo(floorPlan).isFile()) // a folder is no floor plan
        return QStringLiteral("户型图文件不存在，请重新设置！");
    if (!FloorPlanAccepted(floorPlan, ignoreCase))
        return FloorPlanMessage;
    if (QFileInfo::exists(ProjectPathOf(name)))
        return QStringLiteral("该方案已经存在，请使用不同的方案名称！");
    return QString();
}

void TFrmMain::btnCreateFileClick()
{
    ActiveGraph = gcWiring;
    PageControl->setCurrentIndex(1);
    const QString name = EdtProjectName->text();
    if (const QString problem = CreationProblem(name, EdtBackgroundPath->text(), true);
        !problem.isEmpty())
        return Tell(problem);
    const QString path = ProjectPathOf(name);

    QDir(AppPath + QStringLiteral("projects")).mkdir(name);
    ProjectPath = path;
    ProjectSettings = std::make_unique<TIniFile>(path);
    if (!actFileSaveExecute()) {
        // Nothing is opened half way.
        ProjectSettings.reset();
        ProjectPath.clear();
        return;
    }
    gcWiring->viewport()->update();
    SetProjectOpen(true);
    SetModified(false);
}

void TFrmMain::actFileCreateExecute()
{
    if (FrmCustomer->exec() != QDialog::Accepted)
        return;
    const QString path = FrmCustomer->CreatedPath();
    ProjectSettings = std::make_unique<TIniFile>(path);
    ProjectPath = path;
    const QString floorPlan = FloorPlanOf(ProjectSettings->ReadString(Customer,
                                                                      QStringLiteral("BackgroundPath")));
    if (!floorPlan.isEmpty())
        LoadFloorPlan(gcWiring, floorPlan, true);
    FillProjectFields(floorPlan);
    SetProjectOpen(true);
    SetModified(true); // its drawings are not on disk yet
}

// --- Open ---

void TFrmMain::actFileOpenExecute()
{
    const QString fileName = FDialogs->OpenFile(this, QStringLiteral("Wiring Project (*.ini)"),
                                                AppPath + QStringLiteral("projects"));
    if (!fileName.isEmpty())
        OpenProjectFile(fileName);
}

bool TFrmMain::OpenProjectFile(const QString &fileName)
{
    auto settings = std::make_unique<TIniFile>(fileName);
    QString floorPlan;
    QString reading; // the file being read, named when it fails
    try {
        reading = ChangeFileExt(fileName, QStringLiteral(".wir"));
        gcWiring->LoadFromFile(reading);
        floorPlan = FloorPlanOf(settings->ReadString(Customer, QStringLiteral("BackgroundPath")));
        if (!floorPlan.isEmpty()) {
            reading = floorPlan;
            LoadFloorPlan(gcWiring, floorPlan, false);
        }
        reading = ChangeFileExt(fileName, QStringLiteral(".gua"));
        gcGuard->LoadFromFile(reading);
    } catch (const std::exception &error) {
        // The window stays usable and without an open project.
        gcWiring->Clear();
        gcGuard->Clear();
        Tell(QStringLiteral("无法打开方案 %1：\n%2：%3")
                 .arg(fileName, reading, QString::fromStdString(error.what())),
             IUserDialogs::Error);
        return false;
    }
    ProjectSettings = std::move(settings);
    ProjectPath = fileName;
    FillProjectFields(floorPlan);
    SetProjectOpen(true);
    SetModified(false);
    return true;
}

// --- Save ---

bool TFrmMain::actFileSaveExecute()
{
    const QString floorPlan = EdtBackgroundPath->text();
    if (!FloorPlanAccepted(floorPlan, true)) {
        Tell(FloorPlanMessage);
        return false;
    }
    try {
        TIniFile &settings = *ProjectSettings;
        settings.WriteString(QStringLiteral("project"), QStringLiteral("WiringPath"),
                             ChangeFileExt(ProjectPath, QStringLiteral(".wir")));
        settings.WriteString(QStringLiteral("project"), QStringLiteral("GuardPath"),
                             ChangeFileExt(ProjectPath, QStringLiteral(".gua")));
        settings.WriteString(Customer, QStringLiteral("ProjectName"), EdtProjectName->text());
        // The key is written even when the drawing already shows this floor
        // plan (left from the project before): the settings file may name
        // another one, or none at all in a project just made.
        const QString floorPlanName = QFileInfo(floorPlan).fileName();
        settings.WriteString(Customer, QStringLiteral("BackgroundPath"), floorPlanName);
        if (gcWiring->BackgroundPath() != floorPlanName)
            LoadFloorPlan(gcWiring, floorPlan, true);
        const std::pair<const char *, QString> keys[] = {
            {"CustomerName", EdtCustomerName->text()},
            {"CustomerPhone", EdtCustomerPhone->text()},
            {"CustomerAddress", EdtCustomerAddress->text()},
            {"CustomerEmail", EdtCustomerEmail->text()},
            {"DesignerCompany", EdtDesignerCompany->text()},
            {"DesignerName", EdtDesignerName->text()},
            {"ProjectComment", EdtProjectComment->toPlainText()},
        };
        for (const auto &[key, value] : keys)
            settings.WriteString(Customer, QLatin1String(key), value);
        gcWiring->SaveToFile(ChangeFileExt(ProjectPath, QStringLiteral(".wir")));
        gcGuard->SaveToFile(ChangeFileExt(ProjectPath, QStringLiteral(".gua")));
    } catch (const std::exception &error) {
        // Every file is written whole or not at all; the message names the
        // one that failed, and the project stays modified.
        Tell(QStringLiteral("保存失败，方案没有完整保存：\n%1").arg(QString::fromStdString(error.what())),
             IUserDialogs::Error);
        return false;
    }
    SetModified(false);
    return true;
}

bool TFrmMain::OfferSave()
{
    if (!Modified)
        return true;
    if (FDialogs->Ask(this, QStringLiteral("该文件尚未保存，你是否要保存该文件？"),
                      IUserDialogs::Warning, IUserDialogs::Yes) != IUserDialogs::Yes)
        return true; // the designer chose to drop the changes
    return actFileSaveExecute();
}

// --- Close and save as ---

void TFrmMain::btnCloseFileClick()
{
    if (!OfferSave())
        return; // the save did not happen: the project stays open
    SetModified(false);
    SetProjectOpen(false);
    ResetProject();
}

bool TFrmMain::CopyProjectFile(const QString &from, const QString &to)
{
    if (QFileInfo(from).absoluteFilePath() == QFileInfo(to).absoluteFilePath())
        return true;
    QFile::remove(to);
    if (QFile::copy(from, to))
        return true;
    Tell(QStringLiteral("另存为失败：无法将 %1 复制到 %2。").arg(from, to), IUserDialogs::Error);
    return false;
}

void TFrmMain::actFileSaveAsExecute()
{
    if (!OfferSave())
        return;
    const QString chosen = FDialogs->SaveFile(this, QString(), AppPath + QStringLiteral("projects"));
    if (chosen.isEmpty())
        return;
    const QString folder = QDir::cleanPath(chosen);
    const QString base = folder + u'/' + QFileInfo(folder).fileName();
    QDir().mkdir(folder);
    for (const QString &extension : {QStringLiteral(".ini"), QStringLiteral(".wir"),
                                     QStringLiteral(".gua")})
        if (!CopyProjectFile(ChangeFileExt(ProjectPath, extension), base + extension))
            return; // the current project stays open
    SetModified(false);
    SetProjectOpen(false);
    ResetProject();
    OpenProjectFile(base + QStringLiteral(".ini"));
}

// --- Floor plan ---

void TFrmMain::SpeedButton4Click()
{
    const QString chosen = FDialogs->OpenPicture(this, EdtBackgroundPath->text());
    if (!chosen.isEmpty())
        EdtBackgroundPath->setText(chosen);
}

void TFrmMain::actEditImportExecute()
{
    if (!ActiveGraph)
        return;
    const QString chosen =
        FDialogs->OpenPicture(this, AppPath + QStringLiteral("background"));
    if (chosen.isEmpty())
        return;
    if (!FloorPlanAccepted(chosen, true))
        return Tell(FloorPlanMessage);
    EdtBackgroundPath->setText(chosen);
    LoadFloorPlan(ActiveGraph, chosen, true);
    ProjectSettings->WriteString(Customer, QStringLiteral("BackgroundPath"),
                                 QFileInfo(chosen).fileName());
    SetModified(true);
}

void TFrmMain::actEditReImportExecute()
{
    if (!ActiveGraph)
        return;
    const QString value = ProjectSettings->ReadString(Customer, QStringLiteral("BackgroundPath"));
    if (value.isEmpty())
        return actEditImportExecute();
    // As everywhere the key is read, any folder part of it is ignored.
    const QString path = AppPath + QStringLiteral("background/") +
                         QFileInfo(QString(value).replace(u'\\', u'/')).fileName();
    if (!QFileInfo(path).isFile())
        return Tell(QStringLiteral("该文件不存在，请重新选择户型图，户型图必须存放在程序主目录的 "
                                   "background 子目录下！"));
    LoadFloorPlan(ActiveGraph, path, true);
    SetModified(true);
}

void TFrmMain::actDisplayBaseExecute()
{
    if (ActiveGraph)
        ActiveGraph->SetShowBackground(Action(QStringLiteral("actDisplayBase"))->isChecked());
}
