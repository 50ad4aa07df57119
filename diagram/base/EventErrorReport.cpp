#include "EventErrorReport.h"

#include <QScopeGuard>

void TEventErrorReport::Report(const QEvent *event, const QString &message, const THandler &handler)
{
    if (!handler || FReporting || event->type() == QEvent::Paint) {
        qWarning("%s", qUtf8Printable(message));
        return;
    }
    FReporting = true;
    const auto done = qScopeGuard([this] { FReporting = false; });
    try {
        handler(message);
    } catch (const std::exception &error) {
        qWarning("%s; %s", qUtf8Printable(message), error.what());
    } catch (...) {
        qWarning("%s", qUtf8Printable(message));
    }
}
