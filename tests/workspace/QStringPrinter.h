#pragma once

#include <QString>
#include <ostream>

// Texts in failure messages as text, not as code units. Every test source
// of this program must see this before comparing texts, or the printers
// instantiated without it may be the ones linked.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}
