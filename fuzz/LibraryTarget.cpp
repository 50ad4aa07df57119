// Fuzz target: a symbol library document of any bytes loads or fails with a
// message; what loads can be walked and checked as the program and
// varneth-tool do, without crashing, hanging or reaching outside the data
// folder's pictures.

#include "FuzzSupport.h"
#include "LibraryCheck.h"
#include "SymbolGroups.h"
#include "iconstore.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

namespace {

// A data folder with one small and one large picture the documents may name.
const QTemporaryDir &DataFolder()
{
    static const QTemporaryDir *folder = [] {
        auto *dir = new QTemporaryDir;
        FuzzSupport::WriteSampleLibraryPictures(dir->path());
        return dir;
    }();
    return *folder;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::StartApplication(argc, argv);
    DataFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = DataFolder().filePath(QStringLiteral("iconstore.xml"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    try {
        const TIconstore library(path);
        for (int i = 0; i < library.IconCount(); ++i) {
            const IXMLIconType *icon = library.Icon(i);
            SymbolGroups::Of(icon->System(), icon->Type());
            library.IndexOfCaption(icon->Ref());
        }
        LibraryCheck::Problems(library, DataFolder().path());
    } catch (const std::exception &) {
    }
    return 0;
}
