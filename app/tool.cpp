#include "AppFolders.h"
#include "DiagramJsonWriter.h"
#include "GraphControl.h"
#include "GraphExport.h"
#include "GraphObject.h"
#include "HeapReserve.h"
#include "LibraryCheck.h"
#include "SymbolGroups.h"
#include "ToolCommands.h"
#include "iconstore.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <QTextStream>
#include <cstdio>
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
    HeapReserve::ForDiagramFile(args[0]);
    TGraphControl graph;
    graph.LoadFromFile(args[0]);
    // The lines are UTF-8 already: straight to the output, in large pieces.
    Out().flush();
    QByteArray lines;
    TDiagramJsonWriter json;
    const auto write = [&lines] {
        std::fwrite(lines.constData(), 1, size_t(lines.size()), stdout);
        lines.clear();
    };
    graph.Objects().ForEach([&](TGraphObject *object) {
        json.Append(lines, *object);
        lines += '\n';
        if (lines.size() >= 1 << 20)
            write();
    });
    write();
    std::fflush(stdout);
    return 0;
}

// resave IN OUT: loads a diagram file and saves it again.
int Resave(const QStringList &args)
{
    if (args.size() != 2) {
        Err() << "usage: varneth-tool resave IN OUT\n";
        return 2;
    }
    HeapReserve::ForDiagramFile(args[0]);
    TGraphControl graph;
    graph.LoadFromFile(args[0]);
    graph.SaveToFile(args[1]);
    return 0;
}

// export DIAGRAM OUT [--background PICTURE] [--zoom PERCENT]: the drawing
// as a picture file (.emf, .wmf, .svg or .png by OUT's extension), framed as
// the metafile export frames it; a PNG at the zoom given (default 100).
int Export(const QStringList &args)
{
    QStringList rest = args;
    QString background;
    int zoom = 100;
    const int option = rest.indexOf(QStringLiteral("--background"));
    if (option >= 0 && option + 1 < rest.size()) {
        background = rest[option + 1];
        rest.remove(option, 2);
    }
    bool zoomValid = true;
    if (const int at = rest.indexOf(QStringLiteral("--zoom")); at >= 0 && at + 1 < rest.size()) {
        zoom = rest[at + 1].toInt(&zoomValid);
        rest.remove(at, 2);
    }
    if (rest.size() != 2 || !zoomValid || zoom < 1 || zoom > 1000) {
        Err() << "usage: varneth-tool export DIAGRAM OUT [--background PICTURE] [--zoom 1..1000]\n";
        return 2;
    }
    HeapReserve::ForDiagramFile(rest[0]);
    TGraphControl graph;
    graph.LoadFromFile(rest[0]);
    if (!background.isEmpty())
        graph.Background().LoadFromFile(background);
    const QString out = rest[1];
    const QString extension = QFileInfo(out).suffix().toLower();
    const TRect frame = graph.MetafileFrame();
    const QSize size(std::max(frame.Width(), 1), std::max(frame.Height(), 1));
    if (extension == u"emf" || extension == u"wmf") {
        graph.SaveAsMetafile(out);
    } else if (extension == u"svg") {
        QSvgGenerator svg;
        svg.setFileName(out);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setResolution(96);
        QPainter canvas(&svg);
        graph.DrawDiagram(canvas, frame);
    } else if (extension == u"png") {
        GraphExport::SavePng(graph, zoom, out);
    } else {
        Err() << "Unknown picture file extension (." << extension << ")\n";
        return 1;
    }
    return 0;
}

// library [APPDIR]: lists the symbol library and checks it.
int Library(const QStringList &args)
{
    if (args.size() > 1) {
        Err() << "usage: varneth-tool library [APPDIR]\n";
        return 2;
    }
    const QString appPath = args.isEmpty() ? TAppFolders::ForThisRun(QString()).Data : args[0];
    const TIconstore library(QDir(appPath).filePath(QStringLiteral("iconstore.xml")));
    Out() << "index\tgroup\tcode\tcaption\tref\n";
    for (int i = 0; i < library.IconCount(); ++i) {
        const IXMLIconType *icon = library.Icon(i);
        const TSymbolGroup group = SymbolGroups::Of(icon->System(), icon->Type());
        Out() << i << '\t' << (group.IsValid() ? group.caption : QStringLiteral("-")) << '\t'
              << icon->Code() << '\t' << icon->Caption() << '\t' << icon->Ref() << '\n';
    }
    const QStringList problems = LibraryCheck::Problems(library, appPath);
    Out().flush();
    for (const QString &problem : problems)
        Err() << "problem: " << problem << '\n';
    if (!problems.isEmpty()) {
        Err() << problems.size() << " problem(s) in " << library.IconCount() << " icons\n";
        return 1;
    }
    Out() << library.IconCount() << " icons, no problems\n";
    return 0;
}

const std::map<QString, std::function<int(const QStringList &)>> Commands = {
    {"library", Library},
    {"export", Export},
    {"dump", Dump},
    {"resave", Resave},
    {"bom", ToolCommands::Bom},
    {"report", ToolCommands::Report},
};

void Usage()
{
    Err() << "usage: varneth-tool COMMAND [ARGS]\n"
             "  dump FILE          print a diagram file's objects as JSON lines\n"
             "  resave IN OUT      load a diagram file and save it again\n"
             "  export DIAGRAM OUT [--background PICTURE] [--zoom PERCENT]\n"
             "                     write the drawing as .emf, .wmf, .svg or .png\n"
             "  library [APPDIR]   list the symbol library and check it\n"
             "  bom PROJECT.ini [--appdir DIR] [--csv FILE | --xlsx FILE]\n"
             "                     the configuration list of a project\n"
             "  report PROJECT.ini OUT [--page N] [--appdir DIR]\n"
             "                     the report as .pdf, or page N as .png, .emf, .wmf or .svg\n";
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
