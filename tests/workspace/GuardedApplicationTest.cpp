// The program's application object: an error that escapes any event handler
// reaches the reporter once and ends only that event.

#include "GuardedApplication.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>
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

    // A timer, and a button's command, as the window's handlers are reached.
    QTimer::singleShot(0, [] { throw std::runtime_error("Stream read error"); });
    QCoreApplication::processEvents();
    QPushButton button;
    QObject::connect(&button, &QPushButton::clicked,
                     [] { throw std::out_of_range("List index out of bounds (3)"); });
    button.animateClick();
    QTest::qWait(300);

    int later = 0;
    QTimer::singleShot(0, [&later] { ++later; });
    QCoreApplication::processEvents();
    app->SetErrorReporter(nullptr);
    EXPECT_EQ(reported, (QStringList{QStringLiteral("Stream read error"),
                                     QStringLiteral("List index out of bounds (3)")}));
    EXPECT_EQ(later, 1);
}

} // namespace
