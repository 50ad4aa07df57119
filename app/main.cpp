#include "GraphControl.h"

#include <QApplication>
#include <QMainWindow>

// The program entry: sets the application title and runs the main window.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString title = QStringLiteral("Varneth电气线路设计系统 V1.0");
    QApplication::setApplicationName(title);
    QMainWindow window;
    window.setWindowTitle(title);
    auto *drawing = new TGraphControl(&window);
    drawing->SetShowGrid(true);
    window.setCentralWidget(drawing);
    window.resize(1024, 720);
    window.show();
    return app.exec();
}
