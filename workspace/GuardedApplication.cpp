#include "GuardedApplication.h"

#include <QScopeGuard>

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
    // A failing paint would fail again under the message box, and one report
    // must not stack another on top of it.
    if (!FReporter || FReporting || event->type() == QEvent::Paint) {
        qWarning("%s", qUtf8Printable(message));
        return;
    }
    FReporting = true;
    const auto done = qScopeGuard([this] { FReporting = false; });
    try {
        FReporter(message);
    } catch (const std::exception &error) {
        qWarning("%s; %s", qUtf8Printable(message), error.what());
    } catch (...) {
        qWarning("%s", qUtf8Printable(message));
    }
}
