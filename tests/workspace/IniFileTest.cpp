#include "IniFile.h"
#include "QStringPrinter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class IniFileTest : public ::testing::Test {
protected:
    QTemporaryDir Dir;
    QString Path() const { return Dir.path() + QStringLiteral("/p.ini"); }
    QByteArray Bytes() const
    {
        QFile file(Path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void WriteGbk(const QString &text) const
    {
        QFile file(Path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QStringEncoder encoder("GBK");
        file.write(encoder.encode(text));
    }
};

TEST_F(IniFileTest, EveryWriteReachesTheDiskAtOnce)
{
    TIniFile settings(Path());
    EXPECT_FALSE(QFile::exists(Path())) << "reading alone creates nothing";
    settings.WriteString(QStringLiteral("customer"), QStringLiteral("ProjectName"),
                         QStringLiteral("A"));
    EXPECT_EQ(TIniFile(Path()).ReadString(QStringLiteral("customer"), QStringLiteral("ProjectName")),
              QStringLiteral("A"));
    settings.WriteString(QStringLiteral("customer"), QStringLiteral("ProjectName"),
                         QStringLiteral("B"));
    EXPECT_EQ(TIniFile(Path()).ReadString(QStringLiteral("customer"), QStringLiteral("ProjectName")),
              QStringLiteral("B"));
    EXPECT_EQ(Bytes(), QByteArray("[customer]\r\nProjectName=B\r\n\r\n"));
}

TEST_F(IniFileTest, KeepsTheOrderOfSectionsAndKeysAndRewritesInPlace)
{
    {
        TIniFile settings(Path());
        settings.WriteString(QStringLiteral("customer"), QStringLiteral("ProjectName"), QStringLiteral("1"));
        settings.WriteString(QStringLiteral("customer"), QStringLiteral("CustomerName"), QStringLiteral("2"));
        settings.WriteString(QStringLiteral("project"), QStringLiteral("WiringPath"), QStringLiteral("3"));
        settings.WriteString(QStringLiteral("customer"), QStringLiteral("BackgroundPath"), QStringLiteral("4"));
        settings.WriteString(QStringLiteral("CUSTOMER"), QStringLiteral("projectname"), QStringLiteral("5"));
    }
    const TIniFile settings(Path());
    EXPECT_EQ(settings.Sections(), QStringList({"customer", "project"}));
    EXPECT_EQ(settings.Keys(QStringLiteral("customer")),
              QStringList({"ProjectName", "CustomerName", "BackgroundPath"}));
    EXPECT_EQ(settings.ReadString(QStringLiteral("customer"), QStringLiteral("ProjectName")),
              QStringLiteral("5"));
}

TEST_F(IniFileTest, NamesCompareWithoutCaseAndMissingKeysReadEmpty)
{
    WriteGbk(QStringLiteral("; made by hand\r\n[Customer]\r\n  ProjectName = 方案一 \r\n"
                            "no equals sign here\r\n[project]\r\nWiringPath=C:\\p\\a.wir\r\n"));
    const TIniFile settings(Path());
    const struct {
        const char *section, *key, *expected;
    } cases[] = {
        {"customer", "projectname", "方案一"},
        {"CUSTOMER", "PROJECTNAME", "方案一"},
        {"Project", "wiringpath", "C:\\p\\a.wir"},
        {"customer", "CustomerName", ""},
        {"nosection", "ProjectName", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(settings.ReadString(QString::fromUtf8(c.section), QString::fromUtf8(c.key)),
                  QString::fromUtf8(c.expected))
            << c.section << "/" << c.key;
    EXPECT_EQ(settings.ReadString(QStringLiteral("customer"), QStringLiteral("x"),
                                  QStringLiteral("default")),
              QStringLiteral("default"));
}

// Quotes around a hand-written value are dropped and the rest reads as it
// stands, so quoted Windows paths read as typed.
TEST_F(IniFileTest, HandWrittenQuotedValuesKeepTheirBackslashes)
{
    WriteGbk(QStringLiteral("[customer]\r\nBackgroundPath=\"C:\\Varneth\\background\\户型.jpg\"\r\n"
                            "DesignerName= \"陈工\" \r\n"
                            "CustomerAddress=\"C:\\new\\table\\\"\r\n"));
    const TIniFile settings(Path());
    EXPECT_EQ(settings.ReadString(QStringLiteral("customer"), QStringLiteral("CustomerAddress")),
              QStringLiteral("C:\\new\\table\\"))
        << "backslash sequences written by other programs are no escapes";
    EXPECT_EQ(settings.ReadString(QStringLiteral("customer"), QStringLiteral("BackgroundPath")),
              QStringLiteral("C:\\Varneth\\background\\户型.jpg"));
    EXPECT_EQ(settings.ReadString(QStringLiteral("customer"), QStringLiteral("DesignerName")),
              QStringLiteral("陈工"));
}

// Every value comes back exactly as written, whatever the line can carry;
// values a plain line can carry stay plain so that other readers see them.
TEST_F(IniFileTest, ValuesComeBackExactly)
{
    const struct {
        const char *name;
        QString value;
        bool plain;
    } cases[] = {
        {"plain", QStringLiteral("客厅 吊灯"), true},
        {"empty", QString(), true},
        {"equals and semicolon", QStringLiteral("a=b;c"), true},
        {"inner quotes", QStringLiteral("say \"hi\" now"), true},
        {"backslashes", QStringLiteral("C:\\a\\b\\"), true},
        {"lone quote", QStringLiteral("\""), true},
        {"line breaks", QStringLiteral("第一行\n第二行\r\n第三行\n"), false},
        {"leading blanks", QStringLiteral("  indented"), false},
        {"trailing blanks", QStringLiteral("end  "), false},
        {"tab at the end", QStringLiteral("tab\t"), false},
        {"surrounding quotes", QStringLiteral("\"quoted\""), false},
        {"quotes and backslash", QStringLiteral("\"a\\\"b\\n\""), false},
        {"backslash before break", QStringLiteral("dir\\\nnext"), false},
        {"only blanks", QStringLiteral("   "), false},
        {"like the escape marker", QStringLiteral("\\=x"), true},
        {"like the escape marker, quoted", QStringLiteral("\\=x "), false},
        {"quoted path with escapes", QStringLiteral("\"C:\\new\""), false},
        {"longer than 2047", QString(3000, QChar(u'长')) + QStringLiteral("尾"), true},
    };
    for (const auto &c : cases) {
        QFile::remove(Path());
        TIniFile(Path()).WriteString(QStringLiteral("customer"), QStringLiteral("ProjectComment"), c.value);
        EXPECT_EQ(TIniFile(Path()).ReadString(QStringLiteral("customer"),
                                               QStringLiteral("ProjectComment")),
                  c.value)
            << c.name;
        const QString text = QStringDecoder("GBK").decode(Bytes());
        EXPECT_EQ(text.count(u'\n'), 3) << c.name << ": one line per value";
        if (c.plain) {
            EXPECT_TRUE(text.contains(QStringLiteral("ProjectComment=") + c.value + u'\r'))
                << c.name;
        }
    }
}

TEST_F(IniFileTest, FileIsInCodePage936)
{
    TIniFile(Path()).WriteString(QStringLiteral("customer"), QStringLiteral("CustomerName"),
                                 QStringLiteral("张三"));
    QByteArray expected("[customer]\r\nCustomerName=\xd5\xc5\xc8\xfd\r\n\r\n");
    EXPECT_EQ(Bytes(), expected);
}

// A value the code page cannot hold would come back with question marks:
// the write is refused and the file stays as it was.
TEST_F(IniFileTest, ValuesOutsideCodePage936AreRefused)
{
    TIniFile settings(Path());
    settings.WriteString(QStringLiteral("customer"), QStringLiteral("CustomerName"),
                         QStringLiteral("张三"));
    const QByteArray before = Bytes();
    for (const QString &value : {QStringLiteral("\U00020BB7"), QStringLiteral("房😀间")}) {
        EXPECT_THROW(
            settings.WriteString(QStringLiteral("customer"), QStringLiteral("CustomerName"), value),
            EIniFileException);
        EXPECT_EQ(Bytes(), before);
        EXPECT_EQ(settings.ReadString(QStringLiteral("customer"), QStringLiteral("CustomerName")),
                  QStringLiteral("张三"));
    }
}

TEST_F(IniFileTest, FailedWriteIsAnErrorNamingTheFileAndLeavesItWhole)
{
    const QString folder = Dir.path() + QStringLiteral("/blocked.ini");
    ASSERT_TRUE(QDir().mkdir(folder));
    TIniFile settings(folder);
    try {
        settings.WriteString(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"));
        ADD_FAILURE() << "writing over a folder succeeded";
    } catch (const EIniFileException &error) {
        EXPECT_TRUE(error.Message().contains(folder)) << error.what();
    }
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

} // namespace
