// Fuzz target: picture bytes of every form load or are refused, and what
// loads draws without harm. The first byte picks the form; the rest are the
// picture's bytes (or, for the last choice, a diagram stream's picture data).

#include "FuzzSupport.h"
#include "GraphPicture.h"
#include "GraphStream.h"

#include <QImage>
#include <QPainter>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::StartApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    TPicture picture;
    try {
        const int choice = data[0] % 5;
        if (choice == 4)
            picture.LoadStreamData(bytes);
        else
            picture.LoadFromData(TPicture::Format(choice + 1), bytes);
    } catch (const std::exception &) {
        return 0;
    }
    QImage canvas(32, 32, QImage::Format_RGB32);
    QPainter painter(&canvas);
    picture.Draw(painter, QRect(0, 0, 32, 32));
    return 0;
}
