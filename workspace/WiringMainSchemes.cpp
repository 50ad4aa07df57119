#include "WiringMain.h"

#include "GraphControl.h"
#include "NavBar.h"
#include "WiringAbout.h"
#include "WiringSetProjectName.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QShowEvent>

// The recommended schemes: every ".prj" file of the scheme folder becomes
// an item of the first group of the distribution-box palette.

QStringList TFrmMain::ListSchemeFiles(const QString &folder)
{
    // As the file system returns them; hidden files count, folders do not.
    QDir dir(folder);
    dir.setNameFilters({QStringLiteral("*.prj")});
    dir.setFilter(QDir::Files | QDir::Hidden);
    dir.setSorting(QDir::Unsorted);
    return dir.entryList();
}

QStringList TFrmMain::SchemeFiles() const
{
    QStringList names = ListSchemeFiles(UserPath + QStringLiteral("templates"));
    if (UserPath == AppPath)
        return names;
    const QStringList own = names;
    for (const QString &name : ListSchemeFiles(AppPath + QStringLiteral("templates")))
        if (!own.contains(name))
            names.append(name);
    return names;
}

QString TFrmMain::SchemePath(const QString &fileName) const
{
    const QString own = UserPath + QStringLiteral("templates/") + fileName;
    return UserPath == AppPath || QFileInfo::exists(own)
               ? own
               : AppPath + QStringLiteral("templates/") + fileName;
}

void TFrmMain::LoadRecommendedSchemes()
{
    navBarGuard->BeginUpdate();
    struct End {
        TNavBar *bar;
        ~End() { bar->EndUpdate(); }
    } end{navBarGuard};
    ClearSchemeItems();
    const QStringList names = SchemeFiles();
    for (int i = 0; i < names.size(); ++i) {
        const QString &name = names[i];
        const int dot = name.lastIndexOf(u'.');
        // The listing ignores letter case; the extension test does not.
        if (dot < 0 || name.mid(dot) != u".prj")
            continue;
        QString caption = name;
        caption.remove(caption.indexOf(QStringLiteral(".prj")), 4);
        AddSchemeItem(caption, name, 60001 + i);
    }
}

void TFrmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (FStart == TStart::Complete)
        FinishStart();
}

void TFrmMain::FinishStart()
{
    // Windows that only commands open, made when the first page is up.
    MakeCommandWindows();
    if (!FrmAbout)
        FrmAbout = new TFrmAbout(this);
    // The palettes first: filling them empties the scheme group.
    if (!ImageListSmallNav)
        SetUpPalettes();
    if (FPalettesPending) {
        FPalettesPending = false;
        Run([this] { FillPalettes(); });
    }
    if (!FSchemesListed) {
        FSchemesListed = true;
        Run([this] { LoadRecommendedSchemes(); });
    }
}

TNavBarItem *TFrmMain::SchemeItemOf(const QString &fileName) const
{
    // The designer may have dragged it into another group.
    for (int g = 0; g < navBarGuard->GroupCount(); ++g)
        for (TNavBarItem *item : navBarGuard->Groups(g)->Links())
            if (item->Tag > 60000 && item->Hint == fileName)
                return item;
    return nullptr;
}

QString TFrmMain::TemplateNameProblem(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("推荐方案名称不能为空！");
    // The name becomes a file name in the scheme folder, and nothing else.
    if (!IsPlainFileName(name))
        return QStringLiteral("推荐方案名称不能包含 \\ / : * ? \" < > | 等字符，不能是 . 或 ..，"
                              "也不能以点或空格结尾，请使用其他名称！");
    return QString();
}

void TFrmMain::actSaveAsProjectExecute()
{
    FinishStart();
    if (FrmSetProjectName->exec() != QDialog::Accepted)
        return;
    const QString name = FrmSetProjectName->edtProjectName->text();
    if (const QString problem = TemplateNameProblem(name); !problem.isEmpty())
        return Tell(problem);
    const QString folder = UserPath + QStringLiteral("templates");
    const QString fileName = name + QStringLiteral(".prj");
    const QString path = folder + u'/' + fileName;
    // A bundled scheme of that name would be hidden by the new one.
    if (QFileInfo::exists(SchemePath(fileName)) &&
        FDialogs->Ask(this, QStringLiteral("推荐方案“%1”已经存在，是否替换？").arg(name),
                      IUserDialogs::Question, IUserDialogs::No) != IUserDialogs::Yes)
        return;
    QDir().mkpath(folder);
    gcGuard->SaveToFile(path); // whole or not at all; an error is reported by the caller
    // Listed only once the file is there, and once per file.
    if (!SchemeItemOf(fileName))
        AddSchemeItem(name, fileName, 65000);
}
