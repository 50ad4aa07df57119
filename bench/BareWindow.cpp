#include "AfterFirstPaint.h"

#include <QApplication>
#include <QMainWindow>

// The yardstick of the start benchmark: an empty main window, built and
// shown as the program shows its own.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("bare"));
    TAfterFirstPaint::ExitIfAsked(window);
    window.showMaximized();
    return app.exec();
}
