#include "XlsxLibrary.h"

#include <QLibrary>

namespace {

struct TLoaded {
    TXlsxLibrary Functions;
    QString Problem; // empty when every function was found
};

TLoaded Load()
{
    TLoaded loaded;
    // The major version the header was written for.
    QLibrary library(QStringLiteral("xlsxwriter"), QStringLiteral(LXW_SOVERSION));
    if (!library.load()) {
        loaded.Problem = library.errorString();
        return loaded;
    }
#define VARNETH_XLSX_RESOLVE(name)                                                                 \
    loaded.Functions.name = reinterpret_cast<decltype(&::name)>(library.resolve(#name));           \
    if (!loaded.Functions.name && loaded.Problem.isEmpty())                                        \
        loaded.Problem = library.errorString();
    VARNETH_XLSX_FUNCTIONS(VARNETH_XLSX_RESOLVE)
#undef VARNETH_XLSX_RESOLVE
    return loaded; // QLibrary leaves the library loaded for the rest of the run
}

} // namespace

const TXlsxLibrary *TXlsxLibrary::Get(QString &problem)
{
    static const TLoaded loaded = Load();
    problem = loaded.Problem;
    return problem.isEmpty() ? &loaded.Functions : nullptr;
}
