#include "AfterFirstPaint.h"

#include <QEvent>
#include <QWidget>
#include <cstdlib>

TAfterFirstPaint::TAfterFirstPaint(QWidget &window, std::function<void()> work)
    : QObject(&window), FWork(std::move(work))
{
    window.installEventFilter(this);
}

void TAfterFirstPaint::Run(QWidget &window, std::function<void()> work)
{
    new TAfterFirstPaint(window, std::move(work));
}

void TAfterFirstPaint::ExitIfAsked(QWidget &window)
{
    // Quitting skips tearing the window down: only the way up is timed.
    if (qEnvironmentVariableIsSet("VARNETH_EXIT_AFTER_FIRST_PAINT"))
        Run(window, [] { std::_Exit(0); });
}

bool TAfterFirstPaint::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && FWork) {
        QMetaObject::invokeMethod(watched, std::move(FWork), Qt::QueuedConnection);
        FWork = nullptr;
        watched->removeEventFilter(this);
        deleteLater();
    }
    return false;
}
