#include "HeapReserve.h"

#include <QFileInfo>
#include <algorithm>
#include <cstdint>

#if defined(__GLIBC__) && defined(__linux__) && !defined(__SANITIZE_ADDRESS__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
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
constexpr int GlibcTopPad = 128 * 1024;
constexpr uintptr_t HugePage = uintptr_t(2) << 20;
// A heap chunk's header and the least piece malloc cuts.
constexpr uintptr_t SmallestPiece = 4 * sizeof(size_t);

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
    // The heap grows once, by the whole reserve: a piece one byte more than
    // its free top holds makes malloc stretch it, padded by the reserve, and
    // malloc writes only that piece's header and the new free top's (a huge
    // page with one small page touched stays in small pages). The whole huge
    // pages past them are advised before anything touches them.
    // Large pieces come from the heap itself rather than from mappings of
    // their own, and the heap is not trimmed when the piece is freed: the
    // reserve stays its free top, from which the load's pieces are cut.
    mallopt(M_MMAP_THRESHOLD, int(2 * Piece));
    mallopt(M_TRIM_THRESHOLD, int(Largest + 2 * Piece));
    const size_t past = mallinfo2().keepcost + 1;
    mallopt(M_TOP_PAD, int(bytes));
    void *piece = std::malloc(past);
    mallopt(M_TOP_PAD, GlibcTopPad);
    if (!piece)
        return;
    // Past the piece and the free top's header behind it.
    AdviseHuge(uintptr_t(piece) + past + SmallestPiece, uintptr_t(sbrk(0)));
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
    // Only memory not yet touched can be faulted in huge pages: a huge page
    // that has one small page in it stays in small pages. A probe stretches
    // the heap by the window's share and a huge page more; malloc writes only
    // the probe's header, below the first boundary inside it, and the free
    // top's header, past its end. The whole huge pages between are advised
    // before the probe goes back to the heap's free top.
    constexpr size_t Probe = FirstWindow + HugePage;
    mallopt(M_MMAP_THRESHOLD, int(2 * Probe));
    mallopt(M_TRIM_THRESHOLD, int(2 * Probe));
    void *probe = std::malloc(Probe);
    TPadding padding;
    if (probe) {
        const uintptr_t start = uintptr_t(probe);
        uintptr_t boundary = HugePageAbove(start);
        if (boundary - start < SmallestPiece)
            boundary += HugePage;
        AdviseHuge(boundary, boundary + FirstWindow);
        std::free(probe);
        // The padding takes the free top's stretch below the boundary, so the
        // top's header lies just below it and the window's first piece starts
        // on it. Freed chunks of this size do not exist yet, so the padding
        // is cut from the top.
        padding.reset(std::malloc(boundary - start - sizeof(size_t)));
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
