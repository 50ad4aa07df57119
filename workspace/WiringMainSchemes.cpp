#include "WiringMain.h"

#include "NavBar.h"

#include <QDir>
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

void TFrmMain::LoadRecommendedSchemes()
{
    navBarGuard->BeginUpdate();
    struct End {
        TNavBar *bar;
        ~End() { bar->EndUpdate(); }
    } end{navBarGuard};
    ClearSchemeItems();
    const QStringList names = ListSchemeFiles(AppPath + QStringLiteral("templates"));
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
    if (!FSchemesListed) {
        FSchemesListed = true;
        Run([this] { LoadRecommendedSchemes(); });
    }
}
