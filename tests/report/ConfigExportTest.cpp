#include "ConfigExport.h"
#include "ConfigItem.h"
#include "ReportTestSupport.h"
#include "ZipEntries.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <vector>

namespace {

std::vector<TConfigItem> SampleItems()
{
    std::vector<TConfigItem> items(3);
    items[0] = {Filled(qRgb(0, 200, 0)), QStringLiteral("B01.bmp"), QStringLiteral("五孔插座"), 12,
                QStringLiteral("B01")};
    items[1] = {QImage(), QStringLiteral("a,b.bmp"), QStringLiteral("开关 \"16A\""), 1,
                QStringLiteral("A01")};
    items[2] = {QImage(), QString(), QStringLiteral("两行\n名称"), 3, QString()};
    return items;
}

TEST(ConfigExportTest, QuotesCsvFieldsOnlyWhenTheyNeedIt)
{
    const struct {
        const char *text, *field;
    } cases[] = {
        {"plain", "plain"},
        {"", ""},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\nlines", "\"two\nlines\""},
        {"cr\r", "\"cr\r\""},
        {" spaced ", " spaced "},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ConfigExport::CsvField(QString::fromUtf8(c.text)), QString::fromUtf8(c.field))
            << c.text;
}

TEST(ConfigExportTest, CsvHasTheHeaderRowThenOneRowPerItemInEitherStyle)
{
    const std::vector<TConfigItem> items = SampleItems();
    const QByteArray rows = QStringLiteral("编号,产品名称,数量,图例\n"
                                           "B01,五孔插座,12,B01.bmp\n"
                                           "A01,\"开关 \"\"16A\"\"\",1,\"a,b.bmp\"\n"
                                           ",\"两行\n名称\",3,\n")
                                .toUtf8();
    EXPECT_EQ(ConfigExport::Csv(items, ConfigExport::TCsvStyle::Plain), rows);
    QByteArray spreadsheet = rows;
    // Row ends become CRLF; the line break inside a quoted name stays.
    spreadsheet.replace("\n", "\r\n");
    spreadsheet.replace("两行\r\n", "两行\n");
    EXPECT_EQ(ConfigExport::Csv(items, ConfigExport::TCsvStyle::Spreadsheet),
              "\xEF\xBB\xBF" + spreadsheet);
    EXPECT_EQ(ConfigExport::Csv({}, ConfigExport::TCsvStyle::Plain),
              QStringLiteral("编号,产品名称,数量,图例\n").toUtf8());
}

TEST(ConfigExportTest, WorkbookHoldsTheColumnsPicturesAndATotal)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/list.XLSX");
    ConfigExport::Write(SampleItems(), path);
    const QMap<QString, QByteArray> zip = ZipEntries(ReadBytes(path));
    ASSERT_TRUE(zip.contains(QStringLiteral("xl/worksheets/sheet1.xml")))
        << zip.keys().join(u' ').toStdString();
    const QString sheet = QString::fromUtf8(zip[QStringLiteral("xl/worksheets/sheet1.xml")]);
    const QString strings = QString::fromUtf8(zip[QStringLiteral("xl/sharedStrings.xml")]);
    for (const char *text : {"编号", "产品名称", "数量", "图例", "五孔插座", "B01.bmp", "合计"})
        EXPECT_TRUE(strings.contains(QString::fromUtf8(text))) << text;
    EXPECT_TRUE(strings.contains(QStringLiteral("开关 &quot;16A&quot;")) ||
                strings.contains(QStringLiteral("开关 \"16A\"")));
    EXPECT_TRUE(sheet.contains(QStringLiteral("<c r=\"A1\"")));
    EXPECT_TRUE(sheet.contains(QStringLiteral("<c r=\"C2\"")) &&
                sheet.contains(QStringLiteral("<v>12</v>")));
    EXPECT_TRUE(sheet.contains(QStringLiteral("<f>SUM(C2:C4)</f><v>16</v>"))) << "the total row";
    EXPECT_EQ(sheet.count(QStringLiteral("<col ")), 4) << "column widths";
    // One picture, the first item's, anchored in its "图例" cell (D2).
    const QStringList media = zip.keys().filter(QStringLiteral("xl/media/"));
    ASSERT_EQ(media.size(), 1);
    EXPECT_TRUE(zip[media[0]].startsWith("\x89PNG"));
    const QImage legend = QImage::fromData(zip[media[0]], "PNG");
    EXPECT_EQ(legend.size(), QSize(20, 20));
    EXPECT_EQ(legend.pixel(10, 10), qRgb(0, 200, 0));
    const QString drawing = QString::fromUtf8(zip[QStringLiteral("xl/drawings/drawing1.xml")]);
    EXPECT_TRUE(drawing.contains(QStringLiteral("<xdr:col>3</xdr:col>")) &&
                drawing.contains(QStringLiteral("<xdr:row>1</xdr:row>")));
    // A bold format for the header.
    EXPECT_TRUE(QString::fromUtf8(zip[QStringLiteral("xl/styles.xml")]).contains(u"<b/>"));
}

TEST(ConfigExportTest, AFailedExportLeavesNothingAndKeepsAnOlderFile)
{
    QTemporaryDir dir;
    for (const char *name : {"list.csv", "list.xlsx"}) {
        const QString missingFolder =
            dir.path() + QStringLiteral("/no/such/") + QLatin1String(name);
        try {
            ConfigExport::Write(SampleItems(), missingFolder);
            ADD_FAILURE() << "no error for " << name;
        } catch (const EConfigExportError &error) {
            EXPECT_TRUE(QString::fromUtf8(error.what()).contains(u"no/such")) << error.what();
        }
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());

    // Writing over an older export replaces it whole.
    const QString path = dir.path() + QStringLiteral("/list.xlsx");
    WriteBytes(path, "old");
    ConfigExport::Write(SampleItems(), path);
    EXPECT_FALSE(ZipEntries(ReadBytes(path)).isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
              QStringList{QStringLiteral("list.xlsx")})
        << "no partial file is left beside it";
}

} // namespace
