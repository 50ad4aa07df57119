#include "FuzzSupport.h"

#include <QApplication>

namespace FuzzSupport {

void StartApplication(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's warnings about damaged pictures are expected here.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    // Never destroyed: at process exit Qt's own statics may already be gone.
    static QApplication *application = new QApplication(*argc, *argv);
    Q_UNUSED(application);
}

} // namespace FuzzSupport
