#include "WorkspaceStatusBar.h"

#include <QLabel>

TWorkspaceStatusBar::TWorkspaceStatusBar(QWidget *parent)
    : QStatusBar(parent), FScheme(new QLabel), FModified(new QLabel), FZoom(new QLabel)
{
    setObjectName(QStringLiteral("StatusBar"));
    FScheme->setObjectName(QStringLiteral("StatusScheme"));
    FModified->setObjectName(QStringLiteral("StatusModified"));
    FZoom->setObjectName(QStringLiteral("StatusZoom"));
    // Wide enough for "缩放：1000%", so the bar does not jump while zooming.
    FZoom->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("缩放：1000%")) + 8);
    addPermanentWidget(FScheme);
    addPermanentWidget(FModified);
    addPermanentWidget(FZoom);
    ShowScheme(QString(), false);
    ShowZoom(0);
}

void TWorkspaceStatusBar::ShowScheme(const QString &name, bool modified)
{
    FScheme->setText(name.isEmpty() ? QStringLiteral("未打开方案")
                                    : QStringLiteral("方案：") + name);
    FModified->setText(modified ? QStringLiteral("已修改") : QString());
    FModified->setVisible(modified);
}

void TWorkspaceStatusBar::ShowZoom(int zoom)
{
    FZoom->setText(zoom > 0 ? QStringLiteral("缩放：%1%").arg(zoom) : QString());
}

QString TWorkspaceStatusBar::SchemeText() const
{
    return FScheme->text();
}

QString TWorkspaceStatusBar::ModifiedText() const
{
    return FModified->text();
}

QString TWorkspaceStatusBar::ZoomText() const
{
    return FZoom->text();
}
