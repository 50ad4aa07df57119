#include "ToolTestSupport.h"

#include <QImage>

namespace {

class ExportCommandTest : public ToolFixture {
protected:
    void SetUp() override
    {
        ToolFixture::SetUp();
        Place(Wiring, Socket);
        Save();
    }
    TToolRun Export(const QString &out, const QStringList &more = {})
    {
        return RunTool(QStringList{QStringLiteral("export"), Beside(".wir"), out} + more);
    }
};

// A PNG can be written at any zoom; the picture keeps its frame.
TEST_F(ExportCommandTest, PngFollowsTheZoom)
{
    const QString png = Dir.path() + QStringLiteral("/drawing.png");
    TToolRun run = Export(png);
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    const QSize plain = QImage(png).size();
    ASSERT_FALSE(plain.isEmpty());
    run = Export(png, {QStringLiteral("--zoom"), QStringLiteral("300")});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    EXPECT_EQ(QImage(png).size(), plain * 3);
}

TEST_F(ExportCommandTest, ZoomOutsideItsRangeIsAUsageError)
{
    const QString png = Dir.path() + QStringLiteral("/drawing.png");
    for (const char *zoom : {"0", "1001", "abc"})
        EXPECT_EQ(Export(png, {QStringLiteral("--zoom"), QLatin1String(zoom)}).Status, 2) << zoom;
}

} // namespace
