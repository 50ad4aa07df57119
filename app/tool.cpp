#include "DiagramJson.h"
#include "GraphControl.h"
#include "GraphObject.h"

#include <QApplication>
#include <QJsonDocument>
#include <QTextStream>
#include <exception>
#include <functional>
#include <map>

// varneth-tool: scripting and checking of diagram files and libraries.

namespace {

QTextStream &Out()
{
    static QTextStream out(stdout);
    return out;
}

QTextStream &Err()
{
    static QTextStream err(stderr);
    return err;
}

// dump FILE: the objects of a diagram file, one JSON object per line.
int Dump(const QStringList &args)
{
    if (args.size() != 1) {
        Err() << "usage: varneth-tool dump FILE\n";
        return 2;
    }
    TGraphControl graph;
    graph.LoadFromFile(args[0]);
    for (TGraphObject *object : graph.Objects().Snapshot())
        Out() << QJsonDocument(DiagramObjectToJson(*object)).toJson(QJsonDocument::Compact)
              << '\n';
    return 0;
}

// resave IN OUT: loads a diagram file and saves it again.
int Resave(const QStringList &args)
{
    if (args.size() != 2) {
        Err() << "usage: varneth-tool resave IN OUT\n";
        return 2;
    }
    TGraphControl graph;
    graph.LoadFromFile(args[0]);
    graph.SaveToFile(args[1]);
    return 0;
}

const std::map<QString, std::function<int(const QStringList &)>> Commands = {
    {"dump", Dump},
    {"resave", Resave},
};

void Usage()
{
    Err() << "usage: varneth-tool COMMAND [ARGS]\n"
             "  dump FILE          print a diagram file's objects as JSON lines\n"
             "  resave IN OUT      load a diagram file and save it again\n";
}

// Qt's notes about the headless platform are not the tool's output.
void QuietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(u"QStandardPaths:"))
        return;
    Err() << message << '\n';
}

} // namespace

int main(int argc, char *argv[])
{
    qInstallMessageHandler(QuietMessages);
    // The diagram control is a widget; the tool never shows one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty() || !Commands.count(args[0])) {
        Usage();
        return 2;
    }
    try {
        const int status = Commands.at(args[0])(args.mid(1));
        Out().flush();
        return status;
    } catch (const std::exception &error) {
        Out().flush();
        Err() << QString::fromStdString(error.what()) << '\n';
        return 1;
    }
}
