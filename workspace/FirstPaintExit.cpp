#include "FirstPaintExit.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <cstdlib>

void TFirstPaintExit::InstallIfAsked(QWidget &window)
{
    if (qEnvironmentVariableIsSet("VARNETH_EXIT_AFTER_FIRST_PAINT"))
        window.installEventFilter(new TFirstPaintExit(&window));
}

bool TFirstPaintExit::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::Paint && !FExitPosted) {
        FExitPosted = true;
        // Queued, so the whole window is painted and flushed first. Quitting
        // skips tearing the window down: only the way up is being timed.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [] { std::_Exit(0); }, Qt::QueuedConnection);
    }
    return false;
}
