#include "QStringPrinter.h"
#include "WorkspaceTestSupport.h"

#include "ConfigListView.h"
#include "GraphNode.h"

#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>

namespace {

// A project open on a library of a lamp that brings its switch, a socket
// and a breaker; the drawings are filled by drops as the designer makes them.
class ConfigTabTest : public WorkspaceTest {
protected:
    void SetUp() override
    {
        WorkspaceTest::SetUp();
        WriteFourSymbolLibrary(App, qRgb(0, 150, 0));
        Start();
        CreateOnPage0(QStringLiteral("config"));
    }
    void Drop(int page, int tag, int times = 1)
    {
        Window->PageControl->setCurrentIndex(page);
        for (int i = 0; i < times; ++i) {
            Window->PaletteTag = tag;
            Window->DropPending = true;
            Window->gcWiringDragDrop(Window->ActiveGraph, QPoint(40 + 90 * i, 40));
        }
    }
    // "code caption quantity" of every row as the tab shows it.
    QStringList Shown() const
    {
        QStringList rows;
        for (int i = 0; i < Window->ConfigListView()->topLevelItemCount(); ++i) {
            const QTreeWidgetItem *row = Window->ConfigListView()->topLevelItem(i);
            rows << row->text(1) + u' ' + row->text(2) + u' ' + row->text(3);
        }
        return rows;
    }
};

TEST_F(ConfigTabTest, ShowingTheTabListsTheProductsAndClickingAHeaderSortsTheView)
{
    Drop(1, 0, 2);  // two lamps with their switches
    Drop(1, 2, 10); // ten sockets
    Drop(2, 3);     // a breaker
    Window->PageControl->setCurrentIndex(3);
    const QStringList listOrder{QStringLiteral("A01 一开单控 2"), QStringLiteral("B01 五孔插座 10"),
                                QStringLiteral("K01 C16断路器 1")};
    EXPECT_EQ(Shown(), listOrder);
    const QTreeWidgetItem *first = Window->ConfigListView()->topLevelItem(0);
    EXPECT_TRUE(first->text(0).isEmpty());
    EXPECT_EQ(first->icon(0).pixmap(20, 20).toImage().pixel(10, 10), qRgb(0, 150, 0));

    QHeaderView *header = Window->ConfigListView()->header();
    header->sectionClicked(3);
    EXPECT_EQ(Shown(), (QStringList{listOrder[2], listOrder[0], listOrder[1]}))
        << "quantities sort as numbers";
    header->sectionClicked(3);
    EXPECT_EQ(Shown(), (QStringList{listOrder[1], listOrder[0], listOrder[2]}));

    // Showing the tab again rebuilds the list in its own order.
    Window->gcGuard->Clear();
    Window->PageControl->setCurrentIndex(0);
    Window->PageControl->setCurrentIndex(3);
    EXPECT_EQ(Shown(), (QStringList{listOrder[0], listOrder[1]}));

    CloseProject(IUserDialogs::No);
    EXPECT_EQ(Window->ConfigListView()->topLevelItemCount(), 0);
}

TEST_F(ConfigTabTest, ExportsTheListFromTheFileMenuAndTheTabsContextMenu)
{
    QAction *command = Act("actFileExportConfig");
    EXPECT_EQ(command->text(), QStringLiteral("导出配置单"));
    EXPECT_TRUE(command->isEnabled());
    EXPECT_TRUE(Window->ConfigListView()->actions().contains(command));
    const QList<QAction *> fileMenu = Window->menuBar()->actions().first()->menu()->actions();
    EXPECT_EQ(fileMenu.indexOf(command), fileMenu.indexOf(Act("actFileExport")) + 1);

    Drop(1, 2, 2);
    const QString csv = Dir.path() + QStringLiteral("/list");
    const QString book = Dir.path() + QStringLiteral("/list.xlsx");
    Dialogs.Files = {csv, book, Dir.path() + QStringLiteral("/missing/list.csv"), QString()};
    command->trigger();
    EXPECT_EQ(
        ReadBytes(csv + QStringLiteral(".csv")),
        QStringLiteral("\xFEFF编号,产品名称,数量,图例\r\nB01,五孔插座,2,B01.bmp\r\n").toUtf8());
    command->trigger();
    EXPECT_TRUE(ReadBytes(book).startsWith("PK"));
    EXPECT_TRUE(Dialogs.Messages.empty());

    command->trigger();
    ASSERT_EQ(Dialogs.Only().Icon, IUserDialogs::Error);
    EXPECT_TRUE(Dialogs.Only().Text.contains(QStringLiteral("missing"))) << "names the file";
    command->trigger(); // cancelled: nothing happens
    EXPECT_EQ(Dialogs.Messages.size(), 1u);

    CloseProject(IUserDialogs::No);
    EXPECT_FALSE(command->isEnabled());
}

} // namespace
