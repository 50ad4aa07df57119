// The program's application object: an error that escapes any event handler
// reaches the reporter once and ends only that event.

#include "GuardedApplication.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

TEST(GuardedApplicationTest, AnErrorFromAHandlerIsReportedAndTheLoopGoesOn)
{
    auto *app = dynamic_cast<TGuardedApplication *>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    QStringList reported;
    app->SetErrorReporter([&](const QString &message) {
        reported << message;
        // A reporter that fails itself is only logged.
        throw std::runtime_error("while reporting");
    });

    // A timer's handler.
    struct TFailingTimer : QObject {
        int Id = 0;
        void timerEvent(QTimerEvent *) override
        {
            killTimer(Id);
            throw std::runtime_error("Stream read error");
        }
    } timer;
    timer.Id = timer.startTimer(0);
    QElapsedTimer waited;
    waited.start();
    while (reported.isEmpty() && waited.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    // A widget's own handler, reached through the application's notify.
    struct TFailingWidget : QWidget {
        void keyPressEvent(QKeyEvent *) override
        {
            throw std::out_of_range("List index out of bounds (3)");
        }
    } widget;
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    EXPECT_TRUE(QApplication::sendEvent(&widget, &key));

    int later = 0;
    QTimer::singleShot(0, [&later] { ++later; });
    QCoreApplication::processEvents();
    app->SetErrorReporter(nullptr);
    EXPECT_EQ(reported, (QStringList{QStringLiteral("Stream read error"),
                                     QStringLiteral("List index out of bounds (3)")}));
    EXPECT_EQ(later, 1);
}

} // namespace
