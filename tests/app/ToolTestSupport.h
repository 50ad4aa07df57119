#pragma once

// A project on disk over the report fixture's data folder, and varneth-tool
// run on it.

#include "IniFile.h"
#include "ReportTestSupport.h"

#include <QProcess>

struct TToolRun {
    int Status = -1;
    QByteArray Out;
    QByteArray Err;
};

inline TToolRun RunTool(const QStringList &args)
{
    QProcess tool;
    tool.start(QStringLiteral(VARNETH_TOOL), args);
    tool.waitForFinished(120000);
    return {tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1,
            tool.readAllStandardOutput(), tool.readAllStandardError()};
}

class ToolFixture : public ReportFixture {
protected:
    QString Project; // the settings file

    void SetUp() override
    {
        ReportFixture::SetUp();
        QDir(App).mkpath(QStringLiteral("projects/方案"));
        QDir(App).mkpath(QStringLiteral("background"));
        Project = App + QStringLiteral("projects/方案/方案.ini");
        TIniFile settings(Project);
        const std::pair<const char *, const char16_t *> keys[] = {
            {"ProjectName", u"张宅"},
            {"CustomerName", u"张三"},
            {"CustomerPhone", u"010-1234"},
            {"CustomerAddress", u"北京"},
            {"CustomerEmail", u"z@e.cn"},
            {"DesignerCompany", u"瓦尼斯"},
            {"DesignerName", u"李四"},
            {"BackgroundPath", u"plan.bmp"},
            {"ProjectComment", u"第一行\n第二行"},
        };
        for (const auto &[key, value] : keys)
            settings.WriteString(QStringLiteral("customer"), QLatin1String(key),
                                 QString::fromUtf16(value));
        WriteBytes(App + QStringLiteral("background/plan.bmp"),
                   BitmapCodec::Encode24(Filled(qRgb(230, 240, 250), 400)));
    }
    // Writes the two drawings beside the settings file.
    void Save()
    {
        Wiring.SaveToFile(Beside(".wir"));
        Guard.SaveToFile(Beside(".gua"));
    }
    QString Beside(const char *extension) const
    {
        return App + QStringLiteral("projects/方案/方案") + QLatin1String(extension);
    }
};
