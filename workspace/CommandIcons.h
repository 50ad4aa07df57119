#pragma once

#include <QIcon>
#include <QString>

// Pictures of the commands: the symbolic icons of the Adwaita theme that
// Debian ships (freely licensed), or a drawing of our own where it has none.
namespace CommandIcons {

QIcon Icon(const QString &name);

} // namespace CommandIcons
