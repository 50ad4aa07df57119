#include "TextRunCache.h"

#include <QPaintEngine>
#include <QPainter>
#include <QTextLayout>

void TTextRunCache::Draw(QPainter &painter, const TFont &font, const QStringList &lines,
                         const QRect &rect, const TTextFormat &format)
{
    const QPaintEngine *engine = painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster || format.RightToLeft) {
        TTextLayout::DrawLines(painter, font, lines, rect, format);
        return;
    }
    const int dpi = painter.device()->logicalDpiY();
    if (!FValid || FDpi != dpi || FRect != rect || !(FFormat == format) || FLines != lines ||
        FFont != painter.font()) {
        FLines = lines;
        FRect = rect;
        FFormat = format;
        FFont = painter.font();
        FDpi = dpi;
        Prepare(painter, font);
        FValid = true;
    }
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    for (const TLine &line : FShaped)
        for (const QGlyphRun &run : line.Runs)
            painter.drawGlyphRun(line.Origin, run);
    painter.restore();
}

void TTextRunCache::Prepare(QPainter &painter, const TFont &font)
{
    FShaped.clear();
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(Qt::LeftToRight);
    for (const TTextLayout::TPlacedLine &placed :
         TTextLayout::PlaceLines(font, FLines, FRect, FFormat)) {
        QTextLayout layout(placed.Text, FFont, painter.device());
        layout.setTextOption(option);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        if (!line.isValid()) {
            layout.endLayout();
            continue;
        }
        line.setPosition(QPointF(0, 0));
        layout.endLayout();
        // The glyph positions stand on a baseline one ascent down.
        FShaped.push_back(
            {QPointF(placed.Origin.x(), placed.Origin.y() - line.ascent()), layout.glyphRuns()});
    }
}
