#pragma once

#include <QFont>
#include <QProxyStyle>

// The desktop's style and face, with the pictures of the menu bar's and
// toolbars' overflow buttons made only when such a button is first drawn. The style
// reads them from image files, and reading the first image file makes Qt load
// every image format plug-in: work the window does not need to come up, as
// the buttons show only when a bar is too narrow for its items.
class TWorkspaceStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    // The face of menus, toolbars, the status bar and dialogs: a CJK sans in
    // its simplified Chinese forms, at the platform's size. Left to
    // fontconfig, Chinese captions take the first CJK face of the fallbacks,
    // outside a Chinese locale the Japanese one, whose forms of many
    // characters differ ("户", "关", "没").
    static QFont InterfaceFont();

    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};
