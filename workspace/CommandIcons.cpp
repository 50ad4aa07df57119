#include "CommandIcons.h"

#include "GraphCursors.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPixmap>

namespace CommandIcons {

namespace {

const QStringList ThemeFolders = {
    QStringLiteral("/usr/share/icons/Adwaita/scalable/actions"),
    QStringLiteral("/usr/share/icons/Adwaita/scalable/status"),
    QStringLiteral("/usr/share/icons/Adwaita/scalable/legacy"),
    QStringLiteral("/usr/share/icons/Adwaita/scalable/mimetypes"),
};

// The symbolic pictures are grey already; a disabled command must still
// look different, so its picture is drawn faint.
QIcon WithFadedDisabled(const QIcon &source)
{
    QIcon icon;
    for (int size : {16, 24, 32}) {
        const QPixmap normal = source.pixmap(size, size);
        QPixmap faded(normal.size());
        faded.fill(Qt::transparent);
        QPainter painter(&faded);
        painter.setOpacity(0.3);
        painter.drawPixmap(0, 0, normal);
        painter.end();
        icon.addPixmap(normal, QIcon::Normal);
        icon.addPixmap(faded, QIcon::Disabled);
    }
    return icon;
}

} // namespace

QIcon Icon(const QString &name)
{
    if (name.isEmpty())
        return QIcon();
    if (name == u"hand") // moving the view: the control's own open hand
        return QIcon(GraphCursors::Cursor(GraphCursors::HandFlat).pixmap());
    for (const QString &folder : ThemeFolders) {
        const QString path = QDir(folder).filePath(name + QStringLiteral("-symbolic.svg"));
        if (QFileInfo::exists(path))
            return WithFadedDisabled(QIcon(path));
    }
    return QIcon::fromTheme(name);
}

} // namespace CommandIcons
