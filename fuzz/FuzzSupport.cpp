#include "FuzzSupport.h"

#include <QApplication>

namespace FuzzSupport {

void StartApplication(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's warnings about damaged pictures are expected here.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    static QApplication application(*argc, *argv);
}

} // namespace FuzzSupport
