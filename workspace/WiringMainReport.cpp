// The configuration list and the report of the main window.

#include "WiringMain.h"

#include "ConfigExport.h"
#include "ConfigList.h"
#include "ConfigListView.h"

#include <QDir>
#include <QFileInfo>

void TFrmMain::BuildConfigList()
{
    ConfigItems->BuildConfigList(*gcWiring, *gcGuard);
}

void TFrmMain::TabSheet3Show()
{
    BuildConfigList();
    lvConfig->Fill(ConfigItems->Items());
}

QString TFrmMain::ConfigExportFilter()
{
    return QStringLiteral("CSV (*.csv);;Excel 工作簿 (*.xlsx)");
}

void TFrmMain::actFileExportConfigExecute()
{
    QString name = FDialogs->SaveFile(this, ConfigExportFilter(), QString());
    if (name.isEmpty()) return;
    if (QFileInfo(name).suffix().isEmpty()) name += QStringLiteral(".csv");
    BuildConfigList();
    ConfigExport::Write(ConfigItems->Items(), name);
}
