#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#ifdef VARNETH_GUARDED_APPLICATION
#include "GuardedApplication.h"
using TTestApplication = TGuardedApplication;
#else
using TTestApplication = QApplication;
#endif

// Tests run headless: the diagram control is a widget, but is never shown.
// The workspace's tests run under the program's own application object.
// What the program keeps in the user's data folder (recovered work, own
// schemes) goes to a folder of the run's own, never into the real one.
int main(int argc, char **argv)
{
    const QTemporaryDir userData;
    if (userData.isValid())
        qputenv("XDG_DATA_HOME", QFile::encodeName(userData.path()));
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    TTestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
