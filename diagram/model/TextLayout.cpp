#include "TextLayout.h"

#include "GraphFont.h"
#include "GraphMath.h"

#include <QFontMetricsF>
#include <cmath>
#include <QImage>
#include <QPainter>

namespace {

const QString Ellipsis = QStringLiteral("...");

// Text is measured on a 96 dpi device, whatever the screen is.
const QPaintDevice *MeasureDevice()
{
    static const QImage device(1, 1, QImage::Format_RGB32);
    return &device;
}

// A text's width is the sum of its characters' advances, everywhere the
// same, so that what a layout measured is what drawing finds.
// Fractional advances are added and the sum rounded up, so that a text
// never measures narrower than it draws.
int CharSum(const QFontMetricsF &metrics, const QString &text)
{
    qreal width = 0;
    for (QChar c : text)
        width += metrics.horizontalAdvance(c);
    return int(std::ceil(width - 1e-6));
}

bool IsSpace(QChar c)
{
    return c == u' ' || c == u'\t';
}

// A unit that a line may not be broken inside: a run of Latin letters and
// digits, or one ideograph (ideographic text breaks between any two).
int UnitEnd(const QString &text, int start)
{
    if (text[start].unicode() >= 0x2E80)
        return start + 1;
    int end = start;
    while (end < text.size() && !IsSpace(text[end]) && text[end].unicode() < 0x2E80)
        ++end;
    return end;
}

} // namespace

TTextLayout::TTextLayout(const TFont &font, const QString &text, int width,
                         const TTextFormat &format)
    : FFont(font), FFormat(format), FAvailable(width), FMetrics(MetricsOf(font)),
      FLineHeight(LineHeightOf(font))
{
    QString normal = text;
    normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normal.replace(u'\r', u'\n');
    const QStringList paragraphs = normal.split(u'\n');
    for (const QString &paragraph : paragraphs) {
        if (FFormat.WordBreak)
            BreakParagraph(paragraph);
        else
            FLines << paragraph;
    }
    if (FFormat.EndEllipsis) {
        for (QString &line : FLines)
            line = Elide(FMetrics, line, FAvailable);
    }
    for (const QString &line : FLines)
        FWidth = std::max(FWidth, Advance(line));
}

// Widths add up character by character, so that breaking a long paragraph
// measures each character once instead of every line prefix again.
int TTextLayout::Advance(const QString &text) const
{
    qreal width = 0;
    for (QChar c : text) {
        auto [it, inserted] = FAdvances.try_emplace(c.unicode(), 0);
        if (inserted)
            it->second = FMetrics.horizontalAdvance(c);
        width += it->second;
    }
    return int(std::ceil(width - 1e-6));
}

QFontMetricsF TTextLayout::MetricsOf(const TFont &font)
{
    return QFontMetricsF(font.ToQFont(), MeasureDevice());
}

void TTextLayout::BreakParagraph(const QString &paragraph)
{
    QString line;
    bool wrapped = false; // spaces at a line break are dropped
    int pos = 0;
    const auto emitLine = [&] {
        while (!line.isEmpty() && IsSpace(line.back()))
            line.chop(1);
        FLines << line;
        line.clear();
        wrapped = true;
    };
    while (pos < paragraph.size()) {
        if (IsSpace(paragraph[pos])) {
            if (!(wrapped && line.isEmpty()))
                line += paragraph[pos];
            ++pos;
            continue;
        }
        const int end = UnitEnd(paragraph, pos);
        const QString unit = paragraph.mid(pos, end - pos);
        if (Advance(line + unit) <= FAvailable) {
            line += unit;
            pos = end;
        } else if (!line.trimmed().isEmpty()) {
            emitLine(); // the unit starts the next line
        } else if (FFormat.EditControl) {
            // A word longer than a whole line is broken between characters.
            int fit = 1;
            while (fit < unit.size() && Advance(line + unit.left(fit + 1)) <= FAvailable)
                ++fit;
            line += unit.left(fit);
            pos += fit;
            emitLine();
        } else {
            line += unit; // it overflows its line
            pos = end;
        }
    }
    if (!line.isEmpty() || !wrapped)
        emitLine();
}

QString TTextLayout::Elide(const QFontMetricsF &metrics, const QString &line, int width)
{
    if (CharSum(metrics, line) <= width)
        return line;
    QString shown = line;
    while (!shown.isEmpty() && CharSum(metrics, shown + Ellipsis) > width)
        shown.chop(1);
    if (!shown.isEmpty())
        return shown + Ellipsis;
    QString dots = Ellipsis;
    while (!dots.isEmpty() && CharSum(metrics, dots) > width)
        dots.chop(1);
    return dots;
}

QRect TTextLayout::MeasuredRect(const QRect &rect) const
{
    return QRect(rect.left(), rect.top(), Width(), Height());
}

void TTextLayout::Draw(QPainter &painter, const QRect &rect) const
{
    DrawLines(painter, FFont, FLines, rect, FFormat);
}

std::vector<TTextLayout::TPlacedLine> TTextLayout::PlaceLines(const TFont &font,
                                                              const QStringList &lines,
                                                              const QRect &rect,
                                                              const TTextFormat &format)
{
    const QFontMetricsF metrics = MetricsOf(font);
    const int lineHeight = LineHeightOf(font);
    const int ascent = AscentOf(font);
    int shown = int(lines.size());
    if (format.EditControl)
        shown = std::min(shown, std::max(rect.height() / lineHeight, 0));
    TAlignment alignment = format.Alignment;
    if (format.RightToLeft && alignment != taCenter)
        alignment = alignment == taLeftJustify ? taRightJustify : taLeftJustify;

    std::vector<TPlacedLine> placed;
    placed.reserve(size_t(std::max(shown, 0)));
    for (int i = 0; i < shown; ++i) {
        QString line = lines[i];
        if (i == shown - 1 && shown < lines.size() && format.EndEllipsis)
            line = Elide(metrics, line + Ellipsis, rect.width());
        const int width = CharSum(metrics, line);
        int x = rect.left();
        if (alignment == taRightJustify)
            x = rect.left() + rect.width() - width;
        else if (alignment == taCenter)
            x = rect.left() + GraphMath::Div(rect.width() - width, 2);
        placed.push_back({line, QPoint(x, rect.top() + i * lineHeight + ascent)});
    }
    return placed;
}

void TTextLayout::DrawLines(QPainter &painter, const TFont &font, const QStringList &lines,
                            const QRect &rect, const TTextFormat &format)
{
    const std::vector<TPlacedLine> placed = PlaceLines(font, lines, rect, format);
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.setLayoutDirection(format.RightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    for (const TPlacedLine &line : placed)
        painter.drawText(line.Origin, line.Text);
    painter.restore();
}

int TTextLayout::TextWidth(const TFont &font, const QString &text)
{
    return text.isEmpty() ? 0 : CharSum(MetricsOf(font), text);
}

int TTextLayout::LineHeightOf(const TFont &font)
{
    return std::max(1, std::abs(font.Height()));
}

int TTextLayout::AscentOf(const TFont &font)
{
    const int height = LineHeightOf(font);
    return height - GraphMath::RoundHalfEven(height * 0.14);
}
