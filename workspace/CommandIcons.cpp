#include "CommandIcons.h"

#include "CommandIconEngine.h"
#include "GraphCursors.h"

#include <QDir>
#include <QFileInfo>

namespace CommandIcons {

namespace {

const QStringList ThemeFolders = {
    QStringLiteral("/usr/share/icons/Adwaita/scalable/actions"),
    QStringLiteral("/usr/share/icons/Adwaita/scalable/status"),
    QStringLiteral("/usr/share/icons/Adwaita/scalable/legacy"),
    QStringLiteral("/usr/share/icons/Adwaita/scalable/mimetypes"),
};

} // namespace

QIcon Icon(const QString &name, const QSize &drawAhead)
{
    if (name.isEmpty())
        return QIcon();
    if (name == u"hand") // moving the view: the control's own open hand
        return QIcon(new TCommandIconEngine(
            [] { return QIcon(GraphCursors::Cursor(GraphCursors::HandFlat).pixmap()); }));
    for (const QString &folder : ThemeFolders) {
        const QString path = QDir(folder).filePath(name + QStringLiteral("-symbolic.svg"));
        if (QFileInfo::exists(path)) {
            auto *engine = new TCommandIconEngine(TCommandIconEngine::SvgFile, path);
            if (drawAhead.isValid())
                engine->DrawAhead(drawAhead);
            return QIcon(engine);
        }
    }
    return QIcon(new TCommandIconEngine(TCommandIconEngine::ThemeIcon, name));
}

} // namespace CommandIcons
