#pragma once

#include "TextLayout.h"

#include <QFont>
#include <QGlyphRun>
#include <QList>
#include <QPointF>
#include <QRect>
#include <QStringList>
#include <vector>

class QPainter;
class TFont;

// The glyphs of an object's text lines, shaped once and drawn again as
// long as the lines, their box, the format and the font stay the same:
// shaping a line costs many times what drawing its glyphs does, and a
// frame draws every label in view. Only raster devices take the glyphs;
// metafiles and other vector devices get the text itself, as they keep it.
class TTextRunCache {
public:
    // Draws the lines as TTextLayout::DrawLines does, with the painter's
    // font (the object's, selected before) and pen.
    void Draw(QPainter &painter, const TFont &font, const QStringList &lines, const QRect &rect,
              const TTextFormat &format);

private:
    struct TLine {
        QPointF Origin; // where the glyph positions are counted from
        QList<QGlyphRun> Runs;
    };

    void Prepare(QPainter &painter, const TFont &font);

    bool FValid = false;
    QStringList FLines;
    QRect FRect;
    TTextFormat FFormat;
    QFont FFont;
    int FDpi = 0;
    std::vector<TLine> FShaped;
};
