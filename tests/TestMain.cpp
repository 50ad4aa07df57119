#include <QApplication>
#include <gtest/gtest.h>

#ifdef VARNETH_GUARDED_APPLICATION
#include "GuardedApplication.h"
using TTestApplication = TGuardedApplication;
#else
using TTestApplication = QApplication;
#endif

// Tests run headless: the diagram control is a widget, but is never shown.
// The workspace's tests run under the program's own application object.
int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    TTestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
