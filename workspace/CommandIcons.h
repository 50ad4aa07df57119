#pragma once

#include <QIcon>
#include <QString>

// Pictures of the commands: the symbolic icons of the Adwaita theme that
// Debian ships (freely licensed), or a drawing of our own where it has none.
namespace CommandIcons {

// A picture the window shows at once is drawn ahead, on a worker thread, at
// `drawAhead` (device pixels) when that is given.
QIcon Icon(const QString &name, const QSize &drawAhead = QSize());

} // namespace CommandIcons
