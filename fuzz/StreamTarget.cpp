// Fuzz target: a diagram stream of any bytes loads or fails with a
// message, and never crashes, hangs or allocates without bound.

#include "FuzzSupport.h"
#include "GraphControl.h"
#include "GraphStream.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::StartApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TGraphControl graph;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        graph.LoadFromBytes(bytes);
        // What loaded must save and load again.
        const QByteArray saved = graph.SaveToBytes();
        TGraphControl again;
        again.LoadFromBytes(saved);
    } catch (const EStreamError &) {
    } catch (const std::exception &) {
    }
    return 0;
}
