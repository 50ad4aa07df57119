#include <QCoreApplication>
#include <QTextStream>

// varneth-tool: scripting and checking of diagram files and libraries.
int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments().mid(1);
    err << "usage: varneth-tool COMMAND [ARGS]\n";
    return args.isEmpty() ? 2 : 1;
}
