#include "CommandIconEngine.h"
#include "WorkspaceStyle.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The summed opacity of a picture's pixels.
qint64 Ink(const QPixmap &pixmap)
{
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    qint64 sum = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            sum += qAlpha(image.pixel(x, y));
    return sum;
}

class CommandIconEngineTest : public ::testing::Test {
protected:
    QTemporaryDir Dir;
    QString File;

    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        File = Dir.filePath(QStringLiteral("square-symbolic.svg"));
        QFile file(File);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<svg xmlns='http://www.w3.org/2000/svg' width='16' height='16'>"
                   "<rect x='2' y='2' width='12' height='12' fill='#2e3436'/></svg>");
    }
};

TEST_F(CommandIconEngineTest, DrawsEachAskedSizeAndDrawsADisabledCommandFaint)
{
    const QIcon icon(new TCommandIconEngine(TCommandIconEngine::SvgFile, File));
    for (int side : {16, 24, 32, 20}) {
        const QPixmap normal = icon.pixmap(QSize(side, side), QIcon::Normal);
        const QPixmap disabled = icon.pixmap(QSize(side, side), QIcon::Disabled);
        ASSERT_EQ(normal.size(), QSize(side, side)) << side;
        EXPECT_EQ(disabled.size(), normal.size()) << side;
        EXPECT_GT(Ink(normal), 0) << side;
        EXPECT_LT(Ink(disabled), Ink(normal) / 2) << side;
        EXPECT_GT(Ink(disabled), 0) << "still seen, " << side;
        EXPECT_EQ(Ink(icon.pixmap(QSize(side, side), QIcon::Active)), Ink(normal)) << side;
    }
    EXPECT_EQ(icon.actualSize(QSize(24, 24)), QSize(24, 24));
    EXPECT_EQ(icon.actualSize(QSize(32, 24)), QSize(24, 24));
}

TEST_F(CommandIconEngineTest, ACopyDrawsTheSameAndAMissingFileDrawsNothing)
{
    QIcon icon(new TCommandIconEngine(TCommandIconEngine::SvgFile, File));
    const QIcon copy = icon; // shares; a detached copy clones the engine
    icon.detach();
    EXPECT_EQ(Ink(copy.pixmap(24)), Ink(icon.pixmap(24)));
    const QIcon missing(new TCommandIconEngine(TCommandIconEngine::SvgFile,
                                               Dir.filePath(QStringLiteral("none.svg"))));
    EXPECT_TRUE(missing.pixmap(24).isNull());
    EXPECT_TRUE(missing.pixmap(QSize(24, 24), QIcon::Disabled).isNull());
}

TEST_F(CommandIconEngineTest, APictureDrawnAheadIsTheOneDrawnWhenAsked)
{
    const QIcon plain(new TCommandIconEngine(TCommandIconEngine::SvgFile, File));
    auto *engine = new TCommandIconEngine(TCommandIconEngine::SvgFile, File);
    engine->DrawAhead(QSize(24, 24));
    const QIcon ahead(engine);
    for (int side : {24, 16, 24}) {
        const QSize size(side, side);
        EXPECT_EQ(ahead.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32),
                  plain.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32))
            << side;
        EXPECT_EQ(Ink(ahead.pixmap(size, QIcon::Disabled)),
                  Ink(plain.pixmap(size, QIcon::Disabled)))
            << side;
    }
    auto *missing = new TCommandIconEngine(TCommandIconEngine::SvgFile,
                                           Dir.filePath(QStringLiteral("none.svg")));
    missing->DrawAhead(QSize(24, 24));
    EXPECT_TRUE(QIcon(missing).pixmap(24).isNull());
}

TEST_F(CommandIconEngineTest, AThemeIconIsTheThemesOwn)
{
    // A theme of our own, searched only when the picture is first asked for.
    const QString theme = Dir.filePath(QStringLiteral("icons/own"));
    QDir().mkpath(theme + QStringLiteral("/scalable"));
    QFile::copy(File, theme + QStringLiteral("/scalable/own-command.svg"));
    QFile index(theme + QStringLiteral("/index.theme"));
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.write("[Icon Theme]\nName=own\nDirectories=scalable\n\n[scalable]\nSize=16\n"
                "Type=Scalable\nMinSize=8\nMaxSize=64\n");
    index.close();
    const QStringList paths = QIcon::themeSearchPaths();
    const QString name = QIcon::themeName();
    const QIcon icon(
        new TCommandIconEngine(TCommandIconEngine::ThemeIcon, QStringLiteral("own-command")));
    QIcon::setThemeSearchPaths({Dir.filePath(QStringLiteral("icons"))});
    QIcon::setThemeName(QStringLiteral("own"));
    const QIcon expected = QIcon::fromTheme(QStringLiteral("own-command"));
    EXPECT_EQ(Ink(icon.pixmap(24)), Ink(expected.pixmap(24)));
    EXPECT_GT(Ink(icon.pixmap(24)), 0);
    EXPECT_EQ(Ink(icon.pixmap(QSize(24, 24), QIcon::Disabled)),
              Ink(expected.pixmap(QSize(24, 24), QIcon::Disabled)))
        << "the theme's own disabled form";
    QIcon::setThemeSearchPaths(paths);
    QIcon::setThemeName(name);
}

TEST(WorkspaceStyleTest, OverflowButtonsShowTheBaseStylesPictures)
{
    TWorkspaceStyle style(QStyleFactory::create(QStringLiteral("Fusion")));
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    for (const QStyle::StandardPixmap icon :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton,
          QStyle::SP_DialogOkButton}) {
        const QPixmap own = style.standardIcon(icon).pixmap(16);
        EXPECT_GT(Ink(own), 0) << icon;
        EXPECT_EQ(own.toImage(), fusion->standardIcon(icon).pixmap(16).toImage()) << icon;
    }
}

} // namespace
