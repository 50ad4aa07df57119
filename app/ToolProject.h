#pragma once

#include "GraphControl.h"
#include "SchemeData.h"

#include <QString>
#include <memory>

class TIconstore;

// A design project read for the command-line tool: the settings file, the
// two drawings beside it, the floor plan and the library of a data folder.
// Every failure throws with a message that names the file.
class TToolProject {
public:
    TToolProject(const QString &settingsFile, const QString &appPath);
    ~TToolProject();

    TGraphControl Wiring;
    TGraphControl Guard;
    TSchemeData Scheme;
    std::unique_ptr<TIconstore> Library;
    QString AppPath; // ends in '/'

    // The data folder: --appdir DIR taken out of args, else VARNETH_APPDIR,
    // else the tool's own folder.
    static QString TakeAppDir(QStringList &args);

private:
    static void LoadDrawing(TGraphControl &graph, const QString &fileName);
    void ReadSettings(const QString &settingsFile);

    QString FFloorPlan; // empty when the project has none on this data folder
};
