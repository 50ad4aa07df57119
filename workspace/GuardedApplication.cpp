#include "GuardedApplication.h"

TGuardedApplication::TGuardedApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool TGuardedApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        Report(event, QString::fromUtf8(error.what()));
    } catch (...) {
        Report(event, QStringLiteral("Unknown error"));
    }
    return true;
}

void TGuardedApplication::Report(QEvent *event, const QString &message)
{
    FErrorReport.Report(event, message, FReporter);
}
