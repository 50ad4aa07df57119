#include "ToolTestSupport.h"
#include "ZipEntries.h"

namespace {

class BomCommandTest : public ToolFixture {
protected:
    void SetUp() override
    {
        ToolFixture::SetUp();
        Place(Wiring, Fridge);
        Place(Wiring, Socket);
        Symbol(Wiring, Socket, QStringLiteral("插座, 带开关"), QStringLiteral("插座"),
               QStringLiteral("B\"02"), QStringLiteral("B01.bmp"));
        Place(Guard, Breaker);
        Place(Guard, Socket);
        AddWireAndLabel(Guard);
        Save();
    }
};

const QByteArray Rows = QStringLiteral("编号,产品名称,数量,图例\n"
                                       "B01,五孔插座,2,B01.bmp\n"
                                       "\"B\"\"02\",\"插座, 带开关\",1,B01.bmp\n"
                                       "K01,C16断路器,1,K01.bmp\n")
                            .toUtf8();

TEST_F(BomCommandTest, PrintsTheListAsCsvOrWritesTheExports)
{
    const TToolRun run = RunTool({QStringLiteral("bom"), Project, QStringLiteral("--appdir"), App});
    EXPECT_EQ(run.Status, 0) << run.Err.toStdString();
    EXPECT_EQ(run.Out, Rows);
    EXPECT_TRUE(run.Err.isEmpty()) << run.Err.toStdString();

    const QString csv = Dir.path() + QStringLiteral("/out.csv");
    const QString book = Dir.path() + QStringLiteral("/out.xlsx");
    EXPECT_EQ(RunTool({QStringLiteral("bom"), QStringLiteral("--appdir"), App, Project,
                       QStringLiteral("--csv"), csv})
                  .Status,
              0);
    QByteArray crlf = Rows;
    crlf.replace("\n", "\r\n");
    EXPECT_EQ(ReadBytes(csv), "\xEF\xBB\xBF" + crlf);
    EXPECT_EQ(RunTool({QStringLiteral("bom"), Project, QStringLiteral("--xlsx"), book,
                       QStringLiteral("--appdir"), App})
                  .Status,
              0);
    const QString sheet =
        QString::fromUtf8(ZipEntries(ReadBytes(book))[QStringLiteral("xl/worksheets/sheet1.xml")]);
    EXPECT_TRUE(sheet.contains(QStringLiteral("<f>SUM(C2:C4)</f><v>4</v>")));
}

TEST_F(BomCommandTest, WarnsOfSymbolsFromAnotherLibrary)
{
    Symbol(Wiring, 77, QStringLiteral("外来插座"), QStringLiteral("插座"), QStringLiteral("X1"),
           QString());
    Symbol(Wiring, 78, QStringLiteral("外来灯"), QStringLiteral("灯"), QStringLiteral("X2"),
           QString());
    Save();
    const TToolRun run = RunTool({QStringLiteral("bom"), Project, QStringLiteral("--appdir"), App});
    EXPECT_EQ(run.Status, 0);
    EXPECT_TRUE(run.Out.contains("\nX1,外来插座,1,\nK01,")) << run.Out.toStdString();
    EXPECT_FALSE(run.Out.contains("X2"));
    EXPECT_TRUE(run.Err.startsWith("warning:") && run.Err.contains("77")) << run.Err.toStdString();
}

TEST_F(BomCommandTest, FailsNamingTheFileThatIsMissingOrUnreadable)
{
    const QString wir = Beside(".wir"), gua = Beside(".gua");
    const struct {
        const char *what;
        std::function<void()> damage;
        QString named;
    } cases[] = {
        {"settings missing", [&] { QFile::remove(Project); }, Project},
        {"wiring drawing missing", [&] { QFile::remove(wir); }, wir},
        {"distribution-box drawing damaged", [&] { WriteBytes(gua, "not a drawing"); }, gua},
        {"library missing", [&] { QFile::remove(App + QStringLiteral("iconstore.xml")); },
         App + QStringLiteral("iconstore.xml")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        c.damage();
        const TToolRun run =
            RunTool({QStringLiteral("bom"), Project, QStringLiteral("--appdir"), App});
        EXPECT_EQ(run.Status, 1);
        EXPECT_TRUE(run.Out.isEmpty());
        EXPECT_TRUE(QString::fromUtf8(run.Err).contains(c.named)) << run.Err.toStdString();
        SetUp(); // whole again for the next case
    }
    EXPECT_EQ(RunTool({QStringLiteral("bom")}).Status, 2);
    EXPECT_EQ(RunTool({QStringLiteral("bom"), Project, QStringLiteral("--csv")}).Status, 2);
}

} // namespace
