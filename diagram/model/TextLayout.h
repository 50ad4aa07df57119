#pragma once

#include "GraphTypes.h"

#include <QFontMetricsF>
#include <QRect>
#include <QString>
#include <QStringList>
#include <unordered_map>
#include <vector>

class QPainter;
class TFont;

// How a text is laid out in a rectangle: the formatting of the platform's
// multi-line text measurement that the diagram objects use.
struct TTextFormat {
    TAlignment Alignment = taLeftJustify;
    bool WordBreak = false;   // break lines between words to fit the width
    bool EndEllipsis = false; // end a line that does not fit in "..."
    bool EditControl = false; // break words longer than a line; show only whole lines
    bool RightToLeft = false; // right-to-left reading: mirrored alignment
    bool operator==(const TTextFormat &) const = default;
};

// A text broken into lines for one font and width, at a fixed 96 pixels per
// inch. Lines stand one character height apart (the Song faces drawings use
// have no internal leading), so a layout is the same on every screen.
class TTextLayout {
public:
    TTextLayout(const TFont &font, const QString &text, int width, const TTextFormat &format);

    const QStringList &Lines() const { return FLines; }
    int LineHeight() const { return FLineHeight; }
    // Width of the widest line and height of all lines.
    int Width() const { return FWidth; }
    int Height() const { return FLineHeight * int(FLines.size()); }

    // The rectangle a measurement gives: the given top-left corner with the
    // width and height of the laid-out text.
    QRect MeasuredRect(const QRect &rect) const;

    // Draws the lines into the rectangle with the painter's font and pen.
    // With EditControl only lines that fit whole are shown, and the last
    // shown line ends in "..." when lines are left out.
    void Draw(QPainter &painter, const QRect &rect) const;

    // Where drawing puts each line laid out earlier: its text (the last
    // shown one ended in "..." where lines are left out) and the origin of
    // its baseline.
    struct TPlacedLine {
        QString Text;
        QPoint Origin;
    };
    static std::vector<TPlacedLine> PlaceLines(const TFont &font, const QStringList &lines,
                                               const QRect &rect, const TTextFormat &format);
    // Draws lines laid out earlier; what Draw does with this layout's lines.
    static void DrawLines(QPainter &painter, const TFont &font, const QStringList &lines,
                          const QRect &rect, const TTextFormat &format);

    // Width of a single line of text in the font.
    static int TextWidth(const TFont &font, const QString &text);
    // The font's line height and the distance from a line's top to its baseline.
    static int LineHeightOf(const TFont &font);
    static int AscentOf(const TFont &font);

private:
    void BreakParagraph(const QString &paragraph);
    int Advance(const QString &text) const;
    static QString Elide(const QFontMetricsF &metrics, const QString &line, int width);
    static QFontMetricsF MetricsOf(const TFont &font);

    const TFont &FFont;
    TTextFormat FFormat;
    int FAvailable;
    QFontMetricsF FMetrics;
    mutable std::unordered_map<char16_t, qreal> FAdvances; // per character, measured once
    int FLineHeight;
    int FWidth = 0;
    QStringList FLines;
};
