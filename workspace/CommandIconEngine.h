#pragma once

#include <QIcon>
#include <QIconEngine>
#include <map>
#include <optional>
#include <utility>

// A command's picture, read and drawn only when a size of it is first shown,
// and kept. Most commands sit in menus that are not open at start, so none of
// their pictures is read before the window is up. The picture is an SVG file
// of the symbolic theme, whose disabled form is the normal one drawn faint
// (the symbolic pictures are grey already and must still look different when
// the command is off), or else an icon of the desktop's theme as it is.
class TCommandIconEngine : public QIconEngine {
public:
    enum TSource { SvgFile, ThemeIcon };
    TCommandIconEngine(TSource kind, const QString &name);

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine *clone() const override;
    QString key() const override;

private:
    QIcon &Source();

    TSource FKind;
    QString FName;
    std::optional<QIcon> FSource;                      // made when first asked for a picture
    std::map<std::pair<qint64, bool>, QPixmap> FDrawn; // by size and faintness
};
