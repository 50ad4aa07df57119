#pragma once

#include <QObject>
#include <functional>

class QWidget;

// Runs work once a window has been painted for the first time: what the
// designer need not wait for to see the window. Queued, so the whole window is
// painted and flushed first.
//
// It also serves the start benchmark, which times how long a program takes to
// show its first window: with VARNETH_EXIT_AFTER_FIRST_PAINT set the process
// ends right after the first paint.
class TAfterFirstPaint : public QObject {
public:
    static void Run(QWidget &window, std::function<void()> work);
    // Installed after every Run of the window, as the last filter installed
    // sees the paint first and so queues its work first.
    static void ExitIfAsked(QWidget &window);

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TAfterFirstPaint(QWidget &window, std::function<void()> work);
    std::function<void()> FWork;
};
