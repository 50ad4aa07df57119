#include "GuardedApplication.h"
#include "QtTranslations.h"
#include "WiringMain.h"

#include <QCommandLineParser>
#include <QDir>
#include <QTimer>

// The program entry: sets the application title, finds the data folder and
// runs the main window until it closes.
//
// The data folder (library, floor plans, projects, schemes) is the
// executable's folder unless --appdir or VARNETH_APPDIR names another.
int main(int argc, char *argv[])
{
    TGuardedApplication app(argc, argv);
    QApplication::setApplicationName(IUserDialogs::ApplicationTitle());
    InstallQtTranslations(app);
    QCommandLineParser parser;
    const QCommandLineOption appDir(QStringLiteral("appdir"),
                                    QStringLiteral("The folder of the program's data."),
                                    QStringLiteral("folder"));
    parser.addOption(appDir);
    parser.addHelpOption();
    parser.process(app);
    QString appPath = QCoreApplication::applicationDirPath();
    if (qEnvironmentVariableIsSet("VARNETH_APPDIR"))
        appPath = qEnvironmentVariable("VARNETH_APPDIR");
    if (parser.isSet(appDir))
        appPath = parser.value(appDir);

    TFrmMain window(QDir(appPath).absolutePath());
    app.SetErrorReporter([&window](const QString &message) {
        window.Dialogs().Tell(&window, message, IUserDialogs::Error);
    });
    window.showMaximized();
    // Once the window is up: what a crash left of unsaved work is offered back.
    QTimer::singleShot(0, &window, [&window] { window.OfferRecovery(); });
    return app.exec();
}
