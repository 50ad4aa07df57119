#pragma once

#include <QProxyStyle>

// The desktop's style, with the pictures of the menu bar's and toolbars'
// overflow buttons made only when such a button is first drawn. The style
// reads them from image files, and reading the first image file makes Qt load
// every image format plug-in: work the window does not need to come up, as
// the buttons show only when a bar is too narrow for its items.
class TWorkspaceStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};
