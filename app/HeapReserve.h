#pragma once

#include <QString>

#include <cstdlib>
#include <memory>

// A drawing of 100,000 objects allocates about nine bytes of heap for every
// byte of its file, in a million small pieces. Faulting that memory in 4 KB
// pages costs more than reading the file (about 10 microseconds a page in a
// virtual machine); growing the heap once, backed by transparent huge pages
// where the system offers them, saves most of it.
namespace HeapReserve {

// Makes room for loading the diagram file; small files are left alone. Meant
// for the command-line tool, which loads one drawing and ends: the heap it
// grows is kept until the process ends.
void ForDiagramFile(const QString &fileName);

struct TFree {
    void operator()(void *piece) const { std::free(piece); }
};
using TPadding = std::unique_ptr<void, TFree>;

// Makes room for the first window: Qt's start, the first page's widgets and
// the fonts touch a few megabytes of fresh heap. Returns the piece that
// keeps the heap's start, short of the first huge-page boundary, out of use
// while the window starts; hold it at least until the window is up (longer
// costs only address space: the piece's pages are never touched).
[[nodiscard]] TPadding ForFirstWindow();

} // namespace HeapReserve
