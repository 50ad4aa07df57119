#include "HeapReserve.h"

#include <QFile>
#include <QString>
#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

namespace {

bool HugePagesOffered()
{
    QFile file(QStringLiteral("/sys/kernel/mm/transparent_hugepage/enabled"));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return !file.readAll().contains("[never]");
}

// Whether the mapping holding the address may be backed by huge pages.
bool InHugePageMapping(const void *address)
{
    QFile smaps(QStringLiteral("/proc/self/smaps"));
    if (!smaps.open(QIODevice::ReadOnly))
        return false;
    const auto at = uintptr_t(address);
    bool inside = false;
    // Read whole: files under /proc report no size.
    const QList<QByteArray> lines = smaps.readAll().split('\n');
    for (const QByteArray &line : lines) {
        // A mapping's line starts with its range, a field's with its name.
        const int space = line.indexOf(' ');
        const int dash = line.left(space).indexOf('-');
        if (dash > 0) {
            const uintptr_t begin = line.left(dash).toULongLong(nullptr, 16);
            const uintptr_t end = line.mid(dash + 1, space - dash - 1).toULongLong(nullptr, 16);
            inside = begin <= at && at < end;
        } else if (inside && line.startsWith("THPeligible:")) {
            return line.trimmed().endsWith('1');
        }
    }
    return false;
}

// The window's pieces must come from the advised part of the heap, not from
// the stretch below the first huge-page boundary. Sizes that a fresh process
// has no free pieces of, so they are cut from the heap's top.
void SmallPiecesLandInHugePages()
{
    const HeapReserve::TPadding padding = HeapReserve::ForFirstWindow();
    std::vector<void *> pieces;
    bool all = true;
    for (const size_t size : {size_t(4000), size_t(20000), size_t(60000), size_t(100000)}) {
        pieces.push_back(std::malloc(size));
        all = all && InHugePageMapping(pieces.back());
    }
    for (void *piece : pieces)
        std::free(piece);
    std::exit(all ? 0 : 1);
}

} // namespace

TEST(HeapReserveTest, TheFirstWindowsPiecesComeFromHugePages)
{
#if defined(__SANITIZE_ADDRESS__)
    constexpr bool ownHeap = true;
#else
    constexpr bool ownHeap = false;
#endif
    if (ownHeap)
        GTEST_SKIP() << "the sanitizer's allocator keeps its own heap";
    if (!HugePagesOffered())
        GTEST_SKIP() << "this system offers no transparent huge pages";
    // A process of its own, so the heap is as fresh as at the program's start.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(SmallPiecesLandInHugePages(), testing::ExitedWithCode(0), "");
}
