#pragma once

#include <QStringList>

// The report commands of varneth-tool; each returns the exit status.
namespace ToolCommands {

// bom PROJECT.ini [--appdir DIR] [--csv FILE | --xlsx FILE]
int Bom(const QStringList &args);
// report PROJECT.ini OUT [--page N] [--appdir DIR]
int Report(const QStringList &args);

} // namespace ToolCommands
