#pragma once

#include <QString>

// A drawing of 100,000 objects allocates about nine bytes of heap for every
// byte of its file, in a million small pieces. Faulting that memory in 4 KB
// pages costs more than reading the file; growing the heap once, backed by
// transparent huge pages where the system offers them, saves most of it.
// Meant for the command-line tool, which loads one drawing and ends: the
// heap it grows is kept until the process ends.
namespace HeapReserve {

// Makes room for loading the diagram file; small files are left alone.
void ForDiagramFile(const QString &fileName);

} // namespace HeapReserve
