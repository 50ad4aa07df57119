#include "ToolCommands.h"

#include "ConfigExport.h"
#include "ConfigList.h"
#include "ToolProject.h"
#include "iconstore.h"

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

int Report(const QStringList &)
{
    Err() << "report: not available yet\n";
    return 1;
}

} // namespace ToolCommands
