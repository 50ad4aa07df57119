#pragma once

#include <QObject>

class QWidget;

// Ends the process right after a window's first paint, so that the time a
// program takes to show its first window can be measured from outside
// (the start benchmark runs programs with VARNETH_EXIT_AFTER_FIRST_PAINT set).
class TFirstPaintExit : public QObject {
public:
    // Watches the window when the variable is set; does nothing otherwise.
    static void InstallIfAsked(QWidget &window);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit TFirstPaintExit(QObject *parent) : QObject(parent) {}
    bool FExitPosted = false;
};
