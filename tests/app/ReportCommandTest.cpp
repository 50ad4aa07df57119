#include "ToolTestSupport.h"

#include <QImage>

namespace {

class ReportCommandTest : public ToolFixture {
protected:
    void SetUp() override
    {
        ToolFixture::SetUp();
        Place(Wiring, Socket);
        Place(Guard, Breaker);
        Save();
    }
    TToolRun Report(const QString &out, const QStringList &more = {})
    {
        return RunTool(
            QStringList{QStringLiteral("report"), Project, out, QStringLiteral("--appdir"), App} +
            more);
    }
};

TEST_F(ReportCommandTest, WritesTheReportOrOnePageByTheExtension)
{
    const QString pdf = Dir.path() + QStringLiteral("/report.pdf");
    TToolRun run = Report(pdf);
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    const QByteArray bytes = ReadBytes(pdf);
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Width 400"), 1) << "the floor plan of the settings file, once";

    const QString png = Dir.path() + QStringLiteral("/page2.png");
    ASSERT_EQ(Report(png, {QStringLiteral("--page"), QStringLiteral("2")}).Status, 0);
    EXPECT_EQ(QImage(png).size(), QSize(800, 1152));

    const struct {
        const char *name;
        QByteArray magic;
        int at;
    } vectors[] = {
        {"page.emf", " EMF", 40}, {"page.wmf", "\xD7\xCD\xC6\x9A", 0}, {"page.svg", "<svg", -1}};
    for (const auto &v : vectors) {
        const QString out = Dir.path() + u'/' + QLatin1String(v.name);
        ASSERT_EQ(Report(out, {QStringLiteral("--page"), QStringLiteral("3")}).Status, 0) << v.name;
        const QByteArray file = ReadBytes(out);
        EXPECT_TRUE(v.at < 0 ? file.contains(v.magic) : file.mid(v.at, v.magic.size()) == v.magic)
            << v.name;
    }
    EXPECT_TRUE(ReadBytes(Dir.path() + QStringLiteral("/page.svg")).contains("配电箱线路图"));
}

TEST_F(ReportCommandTest, FailsOnMissingFilesPagesAndUnknownExtensions)
{
    const QString png = Dir.path() + QStringLiteral("/page.png");
    TToolRun run = Report(png, {QStringLiteral("--page"), QStringLiteral("4")});
    EXPECT_EQ(run.Status, 1);
    EXPECT_FALSE(QFile::exists(png));
    EXPECT_EQ(Report(Dir.path() + QStringLiteral("/page.doc")).Status, 2);
    QFile::remove(Beside(".gua"));
    run = Report(png);
    EXPECT_EQ(run.Status, 1);
    EXPECT_TRUE(QString::fromUtf8(run.Err).contains(Beside(".gua"))) << run.Err.toStdString();
    EXPECT_FALSE(QFile::exists(png));
}

} // namespace
