#include "HeapReserve.h"

#include <QFileInfo>
#include <algorithm>
#include <cstdint>
#include <vector>

#if defined(__GLIBC__) && defined(__linux__) && !defined(__SANITIZE_ADDRESS__)
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
constexpr size_t FirstWindow = size_t(8) << 20;
constexpr int GlibcMmapThreshold = 128 * 1024;
constexpr uintptr_t HugePage = uintptr_t(2) << 20;

uintptr_t HugePageAbove(uintptr_t address)
{
    return (address + HugePage - 1) & ~(HugePage - 1);
}

// Asks for huge pages over the whole huge pages inside [begin, end).
void AdviseHuge(uintptr_t begin, uintptr_t end)
{
    begin = HugePageAbove(begin);
    end &= ~(HugePage - 1);
    if (end > begin)
        madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE);
}

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
        AdviseHuge(uintptr_t(piece), uintptr_t(piece) + Piece);
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

TPadding ForFirstWindow()
{
#ifdef VARNETH_HEAP_RESERVE
    // The heap's free top starts anywhere; what lies below the next huge-page
    // boundary would still be faulted in small pages, and small pieces are
    // cut from it first. A padding piece takes it, so the window's pieces are
    // cut from the advised part above, which is not trimmed off the heap when
    // the reserving piece is freed.
    mallopt(M_MMAP_THRESHOLD, int(2 * FirstWindow));
    mallopt(M_TRIM_THRESHOLD, int(2 * FirstWindow));
    void *probe = std::malloc(FirstWindow);
    if (!probe)
        return nullptr;
    const uintptr_t top = uintptr_t(probe);
    std::free(probe);
    const size_t below = HugePageAbove(top) - top;
    TPadding padding(below ? std::malloc(below) : nullptr);
    if (void *piece = std::malloc(FirstWindow)) {
        // From the piece's header, which starts at the boundary.
        AdviseHuge(uintptr_t(piece) - 2 * sizeof(size_t), uintptr_t(piece) + FirstWindow);
        std::free(piece);
    }
    // Large pieces get mappings of their own again, returned when freed; the
    // advised top stays for the small ones.
    mallopt(M_MMAP_THRESHOLD, GlibcMmapThreshold);
    return padding;
#else
    return nullptr;
#endif
}

} // namespace HeapReserve
