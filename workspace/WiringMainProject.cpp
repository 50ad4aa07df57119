#include "WiringMain.h"

#include "GraphControl.h"
#include "GraphHistory.h"
#include "GraphObject.h"
#include "IniFile.h"
#include "TextCodePage.h"
#include "WiringCustomer.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTabWidget>

// The design project: creating, opening, saving, saving under another
// name and closing it, and its floor plan.

namespace {

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
    return UserPath + QStringLiteral("projects/") + name + u'/' + name + QStringLiteral(".ini");
}

QString TFrmMain::FloorPlanFolder() const
{
    return AppPath + QStringLiteral("background/");
}

bool TFrmMain::FloorPlanAccepted(const QString &path, bool ignoreCase) const
{
    const int slash = path.lastIndexOf(u'/');
    if (slash < 0 || slash == path.size() - 1)
        return false; // a path without a folder, or without a file name, never passes
    const QString folder = QDir::cleanPath(path.left(slash)) + u'/';
    const QString expected = FloorPlanFolder();
    return folder.compare(expected, ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive) == 0;
}

bool TFrmMain::IsPlainFileName(const QString &name)
{
    // No path, no climbing out, nothing a file name may not hold.
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    bool bad = name == u"." || name == u".." || name.endsWith(u'.') || name.endsWith(u' ');
    for (QChar c : name)
        bad = bad || forbidden.contains(c) || c.unicode() < 0x20;
    return !bad;
}

QString TFrmMain::SchemeNameProblem(const QString &name)
{
    // The name becomes a folder and file name beside the other projects.
    if (IsPlainFileName(name))
        return QString();
    return QStringLiteral("方案名称不能包含 \\ / : * ? \" < > | 等字符，不能是 . 或 ..，"
                          "也不能以点或空格结尾，请使用其他名称！");
}

bool TFrmMain::LoadFloorPlanPicture(const QString &path, TPicture &picture)
{
    try {
        picture.LoadFromFile(path);
    } catch (const std::exception &error) {
        Tell(QStringLiteral("户型图 %1 无法读取：\n%2")
                 .arg(path, QString::fromStdString(error.what())),
             IUserDialogs::Error);
        return false;
    }
    return true;
}

void TFrmMain::ShowFloorPlan(TGraphControl *graph, const TPicture &picture, const QString &path)
{
    graph->SetBackground(picture);
    graph->SetBackgroundPath(path.isEmpty() ? QString() : QFileInfo(path).fileName());
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
    const QString path = FloorPlanFolder() + name;
    return QFileInfo(path).isFile() ? path : QString();
}

void TFrmMain::FillProjectFields(const QString &floorPlan)
{
    const auto read = [this](const char *key) {
        return ProjectSettings->ReadString(CustomerSection, QLatin1String(key));
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

    if (!ProjectTextsFit())
        return;
    QDir projects(UserPath + QStringLiteral("projects"));
    projects.mkdir(name);
    ProjectPath = path;
    ProjectSettings = std::make_unique<TIniFile>(path);
    if (!actFileSaveExecute()) {
        // Nothing is opened half way, and no empty folder stays behind.
        ProjectSettings.reset();
        ProjectPath.clear();
        projects.rmdir(name);
        return;
    }
    gcWiring->viewport()->update();
    SetProjectOpen(true);
    ClearHistories();
    SetModified(false);
}

void TFrmMain::actFileCreateExecute()
{
    FinishStart();
    if (FrmCustomer->exec() != QDialog::Accepted)
        return;
    const QString path = FrmCustomer->CreatedPath();
    ProjectSettings = std::make_unique<TIniFile>(path);
    ProjectPath = path;
    // The dialog loaded the floor plan before writing its name.
    QString floorPlan = FloorPlanOf(ProjectSettings->ReadString(CustomerSection, FloorPlanKey));
    TPicture picture;
    if (!floorPlan.isEmpty() && !LoadFloorPlanPicture(floorPlan, picture))
        floorPlan.clear();
    ShowFloorPlan(gcWiring, picture, floorPlan);
    FillProjectFields(floorPlan);
    SetProjectOpen(true);
    ClearHistories();
    MarkUnrecordedChange(); // its drawings are not on disk yet
}

// --- Open ---

void TFrmMain::actFileOpenExecute()
{
    const QString fileName = FDialogs->OpenFile(this, QStringLiteral("Wiring Project (*.ini)"),
                                                UserPath + QStringLiteral("projects"));
    if (!fileName.isEmpty())
        OpenProjectFile(fileName);
}

bool TFrmMain::OpenProjectFile(const QString &fileName, TDrawings drawings)
{
    auto settings = std::make_unique<TIniFile>(fileName);
    const QString recorded = settings->ReadString(CustomerSection, FloorPlanKey);
    QString floorPlan = FloorPlanOf(recorded);
    QString reading; // the file being read, named when it fails
    QString floorPlanProblem;
    TPicture picture;
    try {
        const auto load = [&](TGraphControl *graph, const QString &extension) {
            reading = ChangeFileExt(fileName, extension);
            if (drawings == TDrawings::FromFiles)
                graph->LoadFromFile(reading);
            else
                graph->Clear();
        };
        load(gcWiring, QStringLiteral(".wir"));
        if (!recorded.isEmpty() && floorPlan.isEmpty())
            floorPlanProblem = QStringLiteral("户型图文件 %1 不存在，方案已不带户型图打开，"
                                              "请重新选择户型图。")
                                   .arg(FloorPlanFolder() + recorded);
        try {
            if (!floorPlan.isEmpty())
                picture.LoadFromFile(floorPlan);
        } catch (const std::exception &error) {
            // A floor plan that does not load must not lock the project out.
            floorPlanProblem = QStringLiteral("户型图 %1 无法读取，方案已不带户型图打开，"
                                              "请重新选择户型图：\n%2")
                                   .arg(floorPlan, QString::fromStdString(error.what()));
            floorPlan.clear();
            picture.Clear();
        }
        load(gcGuard, QStringLiteral(".gua"));
    } catch (const std::exception &error) {
        // The window stays usable and without an open project.
        gcWiring->Clear();
        gcGuard->Clear();
        Tell(QStringLiteral("无法打开方案 %1：\n%2：%3")
                 .arg(fileName, reading, QString::fromStdString(error.what())),
             IUserDialogs::Error);
        return false;
    }
    // Each drawing shows this project's floor plan or none, never the one
    // of the project before; the recorded name is what the next save
    // compares with.
    ShowFloorPlan(gcWiring, picture, floorPlan);
    ShowFloorPlan(gcGuard, TPicture(), QString());
    ProjectSettings = std::move(settings);
    ProjectPath = fileName;
    FillProjectFields(floorPlan);
    SetProjectOpen(true);
    ClearHistories();
    SetModified(false);
    if (!floorPlanProblem.isEmpty())
        Tell(floorPlanProblem, IUserDialogs::Warning);
    return true;
}

bool TFrmMain::TextsFit(const TLabelledTexts &fields)
{
    TCodePage936 codePage;
    for (const auto &[label, text] : fields)
        if (const QString unheld = codePage.Unheld(text); !unheld.isEmpty()) {
            Tell(TCodePage936::Message(label, unheld), IUserDialogs::Warning);
            return false;
        }
    return true;
}

bool TFrmMain::ProjectTextsFit()
{
    const TLabelledTexts texts = {
        {QStringLiteral("方案名称"), EdtProjectName->text()},
        {QStringLiteral("客户姓名"), EdtCustomerName->text()},
        {QStringLiteral("客户电话"), EdtCustomerPhone->text()},
        {QStringLiteral("客户地址"), EdtCustomerAddress->text()},
        {QStringLiteral("客户EMail"), EdtCustomerEmail->text()},
        {QStringLiteral("设计师公司"), EdtDesignerCompany->text()},
        {QStringLiteral("设计师姓名"), EdtDesignerName->text()},
        {QStringLiteral("浏览户型图"), QFileInfo(EdtBackgroundPath->text()).fileName()},
        {QStringLiteral("备注"), EdtProjectComment->toPlainText()},
    };
    if (!TextsFit(texts))
        return false;
    // The texts of both drawings go into their files as 8-bit text too.
    TCodePage936 codePage;
    for (TGraphControl *graph : {gcWiring, gcGuard}) {
        for (TGraphObject *object : graph->Objects().Snapshot()) {
            const QString unheld = codePage.Unheld(object->Text());
            if (unheld.isEmpty())
                continue;
            const QString drawing = graph == gcWiring ? QStringLiteral("电气线路设计图")
                                                      : QStringLiteral("配电箱线路图");
            Tell(TCodePage936::Message(
                     drawing + QStringLiteral("中的文字“") + object->Text() + u'”', unheld),
                 IUserDialogs::Warning);
            return false;
        }
    }
    return true;
}

QString TFrmMain::CreateFromDialog(TFrmCustomer &dialog)
{
    // The checks of the page-0 creation; the floor-plan rule is exact here.
    const QString name = dialog.EdtProjectName->text();
    const QString floorPlan = dialog.EdtBackgroundPath->text();
    if (const QString problem = CreationProblem(name, floorPlan, false); !problem.isEmpty()) {
        Tell(problem);
        return QString();
    }
    const std::pair<const char *, QString> keys[] = {
        {"ProjectName", name},
        {"CustomerName", dialog.EdtCustomerName->text()},
        {"CustomerPhone", dialog.EdtCustomerPhone->text()},
        {"CustomerAddress", dialog.EdtCustomerAddress->text()},
        {"CustomerEmail", dialog.EdtCustomerEmail->text()},
        {"DesignerCompany", dialog.EdtDesignerCompany->text()},
        {"DesignerName", dialog.EdtDesignerName->text()},
        {"BackgroundPath", QFileInfo(floorPlan).fileName()},
        {"ProjectComment", dialog.EdtProjectComment->toPlainText()},
    };
    const QString labels[] = {
        QStringLiteral("方案名称"),   QStringLiteral("客户姓名"),   QStringLiteral("客户电话"),
        QStringLiteral("客户地址"),   QStringLiteral("客户EMail"),  QStringLiteral("设计师公司"),
        QStringLiteral("设计师姓名"), QStringLiteral("浏览户型图"), QStringLiteral("备注")};
    TLabelledTexts texts;
    for (size_t i = 0; i < std::size(keys); ++i)
        texts.emplace_back(labels[i], keys[i].second);
    TPicture picture;
    if (!TextsFit(texts) || !LoadFloorPlanPicture(floorPlan, picture))
        return QString();
    const QString path = ProjectPathOf(name);
    QDir projects(UserPath + QStringLiteral("projects"));
    projects.mkdir(name);
    try {
        TIniFile settings(path);
        for (const auto &[key, value] : keys)
            settings.WriteString(CustomerSection, QLatin1String(key), value);
    } catch (...) {
        QFile::remove(path);
        projects.rmdir(name);
        throw;
    }
    return path;
}

// --- Save ---

bool TFrmMain::actFileSaveExecute()
{
    const QString floorPlan = EdtBackgroundPath->text();
    if (!FloorPlanAccepted(floorPlan, true)) {
        Tell(FloorPlanMessage);
        return false;
    }
    if (!ProjectTextsFit())
        return false;
    // A new floor plan is loaded before anything is written: one that does
    // not load must not reach the settings file.
    const QString floorPlanName = QFileInfo(floorPlan).fileName();
    if (gcWiring->BackgroundPath() != floorPlanName) {
        TPicture picture;
        if (!LoadFloorPlanPicture(floorPlan, picture))
            return false;
        ShowFloorPlan(gcWiring, picture, floorPlan);
    }
    try {
        TIniFile &settings = *ProjectSettings;
        settings.WriteString(QStringLiteral("project"), QStringLiteral("WiringPath"),
                             ChangeFileExt(ProjectPath, QStringLiteral(".wir")));
        settings.WriteString(QStringLiteral("project"), QStringLiteral("GuardPath"),
                             ChangeFileExt(ProjectPath, QStringLiteral(".gua")));
        settings.WriteString(CustomerSection, QStringLiteral("ProjectName"),
                             EdtProjectName->text());
        // The key is written even when the drawing already shows this floor
        // plan: the settings file may name another one, or none at all in a
        // project just made.
        settings.WriteString(CustomerSection, FloorPlanKey, floorPlanName);
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
            settings.WriteString(CustomerSection, QLatin1String(key), value);
        gcWiring->SaveToFile(ChangeFileExt(ProjectPath, QStringLiteral(".wir")));
        gcGuard->SaveToFile(ChangeFileExt(ProjectPath, QStringLiteral(".gua")));
    } catch (const std::exception &error) {
        // Every file is written whole or not at all; the message names the
        // one that failed, and the project stays modified.
        Tell(QStringLiteral("保存失败，方案没有完整保存：\n%1")
                 .arg(QString::fromStdString(error.what())),
             IUserDialogs::Error);
        return false;
    }
    SetModified(false);
    DiscardRecovery();
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
    DiscardRecovery();
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
    const QString chosen =
        FDialogs->SaveFile(this, QString(), UserPath + QStringLiteral("projects"));
    if (chosen.isEmpty())
        return;
    const QString folder = QDir::cleanPath(chosen);
    const QString base = folder + u'/' + QFileInfo(folder).fileName();
    QDir().mkdir(folder);
    for (const QString &extension :
         {QStringLiteral(".ini"), QStringLiteral(".wir"), QStringLiteral(".gua")})
        if (!CopyProjectFile(ChangeFileExt(ProjectPath, extension), base + extension))
            return; // the current project stays open
    DiscardRecovery();
    SetModified(false);
    SetProjectOpen(false);
    ResetProject();
    OpenProjectFile(base + QStringLiteral(".ini"));
}

// --- Floor plan ---

void TFrmMain::SpeedButton4Click()
{
    // An empty field starts where floor plans must lie, as the creation
    // dialog does.
    const QString field = EdtBackgroundPath->text();
    const QString chosen = FDialogs->OpenPicture(this, field.isEmpty() ? FloorPlanFolder() : field);
    if (!chosen.isEmpty())
        EdtBackgroundPath->setText(chosen);
}

void TFrmMain::actEditImportExecute()
{
    if (!ActiveGraph)
        return;
    const QString chosen = FDialogs->OpenPicture(this, FloorPlanFolder());
    if (chosen.isEmpty())
        return;
    if (!FloorPlanAccepted(chosen, true))
        return Tell(FloorPlanMessage);
    // Loaded before anything changes: a picture that does not load leaves
    // the field, the drawing and the settings file as they were.
    TPicture picture;
    if (!LoadFloorPlanPicture(chosen, picture))
        return;
    const QString name = QFileInfo(chosen).fileName();
    if (const QString unheld = TCodePage936().Unheld(name); !unheld.isEmpty())
        return Tell(TCodePage936::Message(QStringLiteral("浏览户型图"), unheld),
                    IUserDialogs::Warning);
    {
        const TGraphHistoryStep step(HistoryOf(ActiveGraph), QStringLiteral("导入户型图"),
                                     TGraphEditScope::Settings);
        ProjectSettings->WriteString(CustomerSection, FloorPlanKey, name);
        const QSignalBlocker recorded(EdtBackgroundPath); // the step keeps the field
        EdtBackgroundPath->setText(chosen);
        ShowFloorPlan(ActiveGraph, picture, chosen);
    }
    SetModified(true);
}

void TFrmMain::actEditReImportExecute()
{
    if (!ActiveGraph)
        return;
    const QString value = ProjectSettings->ReadString(CustomerSection, FloorPlanKey);
    if (value.isEmpty())
        return actEditImportExecute();
    const QString path = FloorPlanOf(value);
    if (path.isEmpty())
        return Tell(QStringLiteral("该文件不存在，请重新选择户型图，户型图必须存放在程序主目录的 "
                                   "background 子目录下！"));
    TPicture picture;
    if (!LoadFloorPlanPicture(path, picture))
        return;
    {
        const TGraphHistoryStep step(HistoryOf(ActiveGraph), QStringLiteral("重新导入户型图"),
                                     TGraphEditScope::Settings);
        ShowFloorPlan(ActiveGraph, picture, path);
    }
    SetModified(true);
}

void TFrmMain::actDisplayBaseExecute()
{
    if (ActiveGraph)
        ActiveGraph->SetShowBackground(Action(QStringLiteral("actDisplayBase"))->isChecked());
}
