#include "ToolCommands.h"

#include "ConfigExport.h"
#include "ConfigList.h"
#include "Report.h"
#include "ReportOutput.h"
#include "ToolProject.h"
#include "iconstore.h"

#include <QFileInfo>
#include <QTextStream>
#include <cstdio>

namespace ToolCommands {

namespace {

QTextStream &Err()
{
    static QTextStream err(stderr);
    return err;
}

// The value of an option taken out of args; empty when it is not given.
// Throws on an option without its value.
QString TakeOption(QStringList &args, const QString &name, bool *given = nullptr)
{
    const int at = int(args.indexOf(name));
    if (given) *given = at >= 0;
    if (at < 0) return QString();
    if (at + 1 >= args.size()) return QString();
    const QString value = args[at + 1];
    args.remove(at, 2);
    return value;
}

void WarnOfForeignTags(const TConfigList &list, int iconCount)
{
    if (list.ForeignTags().empty()) return;
    QStringList tags;
    for (int tag : list.ForeignTags())
        tags << QString::number(tag);
    Err() << "warning: symbols with Tag " << tags.join(QStringLiteral(", "))
          << " name no icon of the library (" << iconCount
          << " icons); they were counted by their own type\n";
    Err().flush();
}

} // namespace

int Bom(const QStringList &arguments)
{
    QStringList args = arguments;
    const QString appPath = TToolProject::TakeAppDir(args);
    bool csvGiven = false, xlsxGiven = false;
    const QString csv = TakeOption(args, QStringLiteral("--csv"), &csvGiven);
    const QString xlsx = TakeOption(args, QStringLiteral("--xlsx"), &xlsxGiven);
    if (args.size() != 1 || args[0].startsWith(u"--") || (csvGiven && xlsxGiven) ||
        (csvGiven && csv.isEmpty()) || (xlsxGiven && xlsx.isEmpty())) {
        Err() << "usage: varneth-tool bom PROJECT.ini [--appdir DIR] [--csv FILE | --xlsx FILE]\n";
        return 2;
    }
    const TToolProject project(args[0], appPath);
    TConfigList list(project.Library.get(), project.AppPath);
    list.BuildConfigList(project.Wiring, project.Guard);
    WarnOfForeignTags(list, project.Library->IconCount());
    if (csvGiven) {
        ConfigExport::WriteCsv(list.Items(), csv);
    } else if (xlsxGiven) {
        ConfigExport::WriteWorkbook(list.Items(), xlsx);
    } else {
        const QByteArray text = ConfigExport::Csv(list.Items(), ConfigExport::TCsvStyle::Plain);
        if (std::fwrite(text.constData(), 1, size_t(text.size()), stdout) != size_t(text.size()) ||
            std::fflush(stdout) != 0) {
            Err() << "Cannot write the list to standard output\n";
            return 1;
        }
    }
    return 0;
}

int Report(const QStringList &arguments)
{
    QStringList args = arguments;
    const QString appPath = TToolProject::TakeAppDir(args);
    bool pageGiven = false;
    const QString pageText = TakeOption(args, QStringLiteral("--page"), &pageGiven);
    bool pageOk = true;
    const int page = pageGiven ? pageText.toInt(&pageOk) : 1;
    if (args.size() != 2 || args[0].startsWith(u"--") || args[1].startsWith(u"--") || !pageOk) {
        Err() << "usage: varneth-tool report PROJECT.ini OUT [--page N] [--appdir DIR]\n";
        return 2;
    }
    const QString out = args[1];
    const QString extension = QFileInfo(out).suffix().toLower();
    if (!QStringList{"pdf", "png", "emf", "wmf", "svg"}.contains(extension)) {
        Err() << "Unknown report file extension (." << extension << ")\n";
        return 2;
    }
    TToolProject project(args[0], appPath);
    TReport report(
        {&project.Wiring, &project.Guard, project.Library.get(), project.AppPath, project.Scheme});
    if (extension == u"pdf") {
        ReportOutput::WritePdf(report, out);
    } else {
        // No printer here: the preview's fallback page.
        const QSize sheet = ReportOutput::PreviewPage(nullptr);
        const int pages = ReportOutput::PreviewPageCount(report, sheet);
        if (page < 1 || page > pages) {
            Err() << "There is no page " << page << "; the report has " << pages << " pages\n";
            return 1;
        }
        ReportOutput::WritePage(report, sheet, page, out);
    }
    WarnOfForeignTags(report.ConfigItems(), project.Library->IconCount());
    return 0;
}

} // namespace ToolCommands
