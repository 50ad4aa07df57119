#include "HeapReserve.h"

#include <QFile>
#include <QString>
#include <QTemporaryFile>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <vector>

namespace {

bool HugePagesOffered()
{
    QFile file(QStringLiteral("/sys/kernel/mm/transparent_hugepage/enabled"));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return !file.readAll().contains("[never]");
}

// What smaps says of the mapping holding an address.
struct TMapping {
    bool HugePagesAllowed = false;
    long RssKb = -1;
    long HugeKb = -1;
};

TMapping MappingOf(const void *address)
{
    TMapping mapping;
    QFile smaps(QStringLiteral("/proc/self/smaps"));
    if (!smaps.open(QIODevice::ReadOnly))
        return mapping;
    const auto at = uintptr_t(address);
    bool inside = false;
    // Read whole: files under /proc report no size.
    const QList<QByteArray> lines = smaps.readAll().split('\n');
    for (const QByteArray &line : lines) {
        // A mapping's line starts with its range, a field's with its name.
        const int space = line.indexOf(' ');
        const int dash = line.left(space).indexOf('-');
        const QList<QByteArray> words = line.simplified().split(' ');
        if (dash > 0) {
            const uintptr_t begin = line.left(dash).toULongLong(nullptr, 16);
            const uintptr_t end = line.mid(dash + 1, space - dash - 1).toULongLong(nullptr, 16);
            inside = begin <= at && at < end;
        } else if (inside && words.size() >= 2) {
            if (words[0] == "Rss:")
                mapping.RssKb = words[1].toLong();
            else if (words[0] == "AnonHugePages:")
                mapping.HugeKb = words[1].toLong();
            else if (words[0] == "THPeligible:")
                mapping.HugePagesAllowed = words[1] == "1";
        }
    }
    return mapping;
}

long HugePageFallbacks()
{
    QFile vmstat(QStringLiteral("/proc/vmstat"));
    if (!vmstat.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : vmstat.readAll().split('\n'))
        if (line.startsWith("thp_fault_fallback "))
            return line.mid(line.indexOf(' ') + 1).toLong();
    return 0;
}

constexpr int Inconclusive = 2;

// Pieces of 100,000 bytes, written: too large for the pieces a program frees
// early, so they are cut from the heap's free top.
std::vector<void *> TouchedPieces(int count)
{
    constexpr size_t Size = 100000;
    std::vector<void *> pieces;
    for (int i = 0; i < count; ++i) {
        pieces.push_back(std::malloc(Size));
        std::memset(pieces.back(), 1, Size);
    }
    return pieces;
}

// The window's pieces must come from the advised part of the heap, not from
// the stretch below the first huge-page boundary, and every page they touch
// must be a huge one: a huge page of which malloc wrote a small page before
// the advice stays in small pages. Enough pieces to reach into the second
// huge page.
void LargePiecesLandInHugePages()
{
    const long fallbacks = HugePageFallbacks();
    const HeapReserve::TPadding padding = HeapReserve::ForFirstWindow();
    const std::vector<void *> pieces = TouchedPieces(30);
    const TMapping first = MappingOf(pieces.front());
    const TMapping last = MappingOf(pieces.back());
    for (void *piece : pieces)
        std::free(piece);
    // The system may find no free huge page at the moment.
    if (HugePageFallbacks() != fallbacks)
        std::exit(Inconclusive);
    const bool huge = first.HugePagesAllowed && first.RssKb >= 2048 &&
                      first.HugeKb == first.RssKb && last.HugeKb == first.HugeKb;
    std::exit(huge ? 0 : 1);
}

// A drawing's reserve, too, must be huge pages throughout, not in pieces with
// small-paged seams between them.
void ADrawingsPiecesLandInHugePages()
{
    QTemporaryFile file;
    if (!file.open() || !file.resize(qint64(3) << 20))
        std::exit(1);
    const long fallbacks = HugePageFallbacks();
    HeapReserve::ForDiagramFile(file.fileName());
    const std::vector<void *> pieces = TouchedPieces(200);
    const TMapping last = MappingOf(pieces.back());
    if (HugePageFallbacks() != fallbacks)
        std::exit(Inconclusive);
    const bool huge = last.HugePagesAllowed && last.RssKb >= 16 * 1024 && last.HugeKb == last.RssKb;
    std::exit(huge ? 0 : 1);
}

bool PassedOrInconclusive(int status)
{
    return WIFEXITED(status) && (WEXITSTATUS(status) == 0 || WEXITSTATUS(status) == Inconclusive);
}

} // namespace

// Each case runs in a process of its own, so the heap is as fresh as at a
// program's start.
class HeapReserveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
#if defined(__SANITIZE_ADDRESS__)
        GTEST_SKIP() << "the sanitizer's allocator keeps its own heap";
#endif
        if (!HugePagesOffered())
            GTEST_SKIP() << "this system offers no transparent huge pages";
        GTEST_FLAG_SET(death_test_style, "threadsafe");
    }
};

TEST_F(HeapReserveTest, TheFirstWindowsPiecesComeFromHugePages)
{
    EXPECT_EXIT(LargePiecesLandInHugePages(), PassedOrInconclusive, "");
}

TEST_F(HeapReserveTest, ADrawingsReserveIsHugePagesThroughout)
{
    EXPECT_EXIT(ADrawingsPiecesLandInHugePages(), PassedOrInconclusive, "");
}
