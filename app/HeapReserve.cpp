#include "HeapReserve.h"

#include <QFileInfo>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#if defined(__GLIBC__) && defined(__linux__)
#include <malloc.h>
#include <sys/mman.h>
#define VARNETH_HEAP_RESERVE 1
#endif

namespace HeapReserve {
namespace {

constexpr qint64 HeapPerFileByte = 9;
constexpr qint64 SmallestWorthIt = qint64(16) << 20;
constexpr qint64 Largest = qint64(1) << 30;

#ifdef VARNETH_HEAP_RESERVE
constexpr size_t Piece = size_t(16) << 20;
constexpr uintptr_t HugePage = uintptr_t(2) << 20;

void Reserve(qint64 bytes)
{
    // Pieces this large come from the heap itself rather than from mappings
    // of their own, and the heap is not trimmed when they are freed: they
    // join its free top, from which the load's small pieces are then cut.
    mallopt(M_MMAP_THRESHOLD, int(2 * Piece));
    mallopt(M_TRIM_THRESHOLD, int(Largest + 2 * Piece));
    std::vector<void *> pieces;
    for (qint64 left = bytes; left > 0; left -= qint64(Piece)) {
        void *piece = std::malloc(Piece);
        if (!piece)
            break;
        const uintptr_t begin = (uintptr_t(piece) + HugePage - 1) & ~(HugePage - 1);
        const uintptr_t end = (uintptr_t(piece) + Piece) & ~(HugePage - 1);
        if (end > begin)
            madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE);
        pieces.push_back(piece);
    }
    for (void *piece : pieces)
        std::free(piece);
}
#else
void Reserve(qint64) {}
#endif

} // namespace

void ForDiagramFile(const QString &fileName)
{
    const qint64 heap = QFileInfo(fileName).size() * HeapPerFileByte;
    if (heap >= SmallestWorthIt)
        Reserve(std::min(heap, Largest));
}

} // namespace HeapReserve
