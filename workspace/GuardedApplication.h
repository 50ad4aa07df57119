#pragma once

#include "EventErrorReport.h"

#include <QApplication>
#include <functional>

// The program's application object. An error that escapes an event handler
// (a command, a timer, a dialog, a widget of the window) ends the event it
// came with, not the program: it is caught here, before it would unwind
// into Qt, and handed to the reporter, which shows it to the designer.
class TGuardedApplication : public QApplication {
public:
    using TReporter = std::function<void(const QString &message)>;

    TGuardedApplication(int &argc, char **argv);

    void SetErrorReporter(TReporter reporter) { FReporter = std::move(reporter); }
    bool notify(QObject *receiver, QEvent *event) override;

private:
    void Report(QEvent *event, const QString &message);

    TReporter FReporter;
    TEventErrorReport FErrorReport;
};
