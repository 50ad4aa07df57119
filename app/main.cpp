#include "AfterFirstPaint.h"
#include "AppFolders.h"
#include "GuardedApplication.h"
#include "HeapReserve.h"
#include "QtTranslations.h"
#include "WiringMain.h"
#include "WorkspaceStyle.h"

#include <QCommandLineParser>
#include <QDir>
#include <fontconfig/fontconfig.h>
#include <thread>

// The program entry: sets the application title, finds the data folders and
// runs the main window until it closes.
//
// The data (library, floor plans, projects, schemes) is read from the
// executable's folder unless --appdir or VARNETH_APPDIR names another. An
// installed program reads it from the system's data folder instead and keeps
// the designer's projects and schemes in a folder of the user's own.
int main(int argc, char *argv[])
{
    const HeapReserve::TPadding padding = HeapReserve::ForFirstWindow();
    // Fontconfig reads its configuration and font cache while Qt connects to
    // the display; the first text laid out would otherwise wait for it.
    std::jthread fontconfig([] { FcInit(); });
    TGuardedApplication app(argc, argv);
    QApplication::setStyle(new TWorkspaceStyle);
    QApplication::setFont(TWorkspaceStyle::InterfaceFont());
    QApplication::setApplicationName(IUserDialogs::ApplicationTitle());
    InstallQtTranslations(app);
    QCommandLineParser parser;
    const QCommandLineOption appDir(QStringLiteral("appdir"),
                                    QStringLiteral("The folder of the program's data."),
                                    QStringLiteral("folder"));
    parser.addOption(appDir);
    parser.addHelpOption();
    parser.process(app);
    const QString named =
        parser.isSet(appDir) ? parser.value(appDir) : qEnvironmentVariable("VARNETH_APPDIR");
    const TAppFolders folders = TAppFolders::ForThisRun(named);
    const QString unmade = folders.MakeUserFolders();

    // The palettes and schemes follow the first page, which shows neither.
    TFrmMain window(folders, nullptr, nullptr, TFrmMain::TStart::ShownPageFirst);
    app.SetErrorReporter([&window](const QString &message) {
        window.Dialogs().Tell(&window, message, IUserDialogs::Error);
    });
    // Once the window is up: a folder that could not be made, then what a
    // crash left of unsaved work, offered back.
    TAfterFirstPaint::Run(window, [&window, unmade] {
        if (!unmade.isEmpty())
            window.Dialogs().Tell(&window,
                                  QStringLiteral("无法创建文件夹 %1，方案将无法保存！")
                                      .arg(QDir::toNativeSeparators(unmade)),
                                  IUserDialogs::Error);
        window.OfferRecovery();
    });
    TAfterFirstPaint::ExitIfAsked(window);
    window.showMaximized();
    return app.exec();
}
