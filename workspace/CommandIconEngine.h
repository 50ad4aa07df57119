#pragma once

#include <QIcon>
#include <QIconEngine>
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <optional>
#include <utility>

class QSvgRenderer;

// A command's picture, read and drawn only when a size of it is first shown,
// and kept. Most commands sit in menus that are not open at start, so none of
// their pictures is read before the window is up. The picture is an SVG file
// of the symbolic theme, whose disabled form is the normal one drawn faint
// (the symbolic pictures are grey already and must still look different when
// the command is off), or else an icon made when first needed (one of the
// desktop's theme, or a drawing of our own) and shown as it is.
class TCommandIconEngine : public QIconEngine {
public:
    enum TSource { SvgFile, ThemeIcon };
    TCommandIconEngine(TSource kind, const QString &name);
    explicit TCommandIconEngine(std::function<QIcon()> make);
    ~TCommandIconEngine() override;

    // Starts drawing an SVG picture at this size (in device pixels) on a
    // worker thread, for a command shown as soon as the window is: the
    // window's first paint then finds it drawn.
    void DrawAhead(const QSize &size);

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine *clone() const override;
    QString key() const override;

private:
    static QImage Draw(QSvgRenderer &renderer, const QSize &size);
    QPixmap DrawSvg(const QSize &size);
    QIcon &Made();

    QString FSvgFile;             // empty when the icon is made instead
    std::function<QIcon()> FMake; // makes the icon of any other kind
    // The SVG is read straight into a renderer: going through QIcon would load
    // Qt's SVG icon plug-in at start for the toolbar's first pictures.
    std::unique_ptr<QSvgRenderer> FRenderer;
    std::optional<QIcon> FMade;
    QSize FAheadSize;
    std::future<QImage> FAhead;
    std::map<std::pair<qint64, bool>, QPixmap> FDrawn; // by size and faintness
};
