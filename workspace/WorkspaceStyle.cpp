#include "WorkspaceStyle.h"

#include "CommandIconEngine.h"

#include <QApplication>
#include <QPointer>

QFont TWorkspaceStyle::InterfaceFont()
{
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("Noto Sans CJK SC")});
    return font;
}

QIcon TWorkspaceStyle::standardIcon(StandardPixmap icon, const QStyleOption *option,
                                    const QWidget *widget) const
{
    if (icon != SP_ToolBarHorizontalExtensionButton && icon != SP_ToolBarVerticalExtensionButton)
        return QProxyStyle::standardIcon(icon, option, widget);
    // The base style's own picture; the style may be replaced before then.
    return QIcon(new TCommandIconEngine([base = QPointer<QStyle>(baseStyle()), icon] {
        return base ? base->standardIcon(icon) : QIcon();
    }));
}
