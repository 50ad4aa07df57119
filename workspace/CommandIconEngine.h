#pragma once

#include <QIcon>
#include <QIconEngine>
#include <map>
#include <utility>

// A command's picture drawn from its SVG file only when a size of it is first
// shown, and kept. Most commands sit in menus that are not open at start, so
// none of their pictures is drawn before the window is up. A disabled
// command's picture is the normal one drawn faint: the symbolic pictures are
// grey already and must still look different when the command is off.
class TCommandIconEngine : public QIconEngine {
public:
    explicit TCommandIconEngine(const QString &svgFile);

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine *clone() const override;
    QString key() const override;

private:
    QString FFile;
    QIcon FSource; // reads and draws the file when first asked for a picture
    std::map<std::pair<qint64, bool>, QPixmap> FDrawn; // by size and faintness
};
