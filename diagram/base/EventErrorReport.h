#pragma once

#include <QEvent>
#include <QString>
#include <functional>

// Reports an error caught while an event was handled, once: a paint that
// fails would fail again under a message box, one report must not stack
// another on top of it, and a report that fails itself is only logged.
// Without a handler the message goes to the log.
class TEventErrorReport {
public:
    using THandler = std::function<void(const QString &message)>;

    void Report(const QEvent *event, const QString &message, const THandler &handler);

private:
    bool FReporting = false;
};
