// Labels drawn from glyphs shaped once look exactly as the text drawn
// afresh, at every zoom and after the text or font changes.

#include "TextRunCache.h"
#include "GraphCanvas.h"
#include "GraphFont.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

struct TLabel {
    const char *What;
    QStringList Lines;
    TTextFormat Format;
    double Zoom;
};

QImage Draw(const TFont &font, const TLabel &label,
            const std::function<void(QPainter &, const QRect &)> &draw)
{
    QImage image(400, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(label.Zoom, label.Zoom);
    GraphCanvas::SelectFont(painter, font);
    draw(painter, QRect(5, 5, 60, 30));
    return image;
}

TEST(TextRunCacheTest, DrawsWhatTheTextDrawsAfresh)
{
    TFont font;
    font.SetName(QStringLiteral("新宋体"));
    font.SetSize(10);
    font.SetStyle(fsBold);
    font.SetColor(clBlue);
    TTextFormat centred;
    centred.Alignment = taCenter;
    TTextFormat right;
    right.Alignment = taRightJustify;
    TTextFormat cut;
    cut.EditControl = true;
    cut.EndEllipsis = true;
    const TLabel labels[] = {
        {"code", {QStringLiteral("B01")}, centred, 1},
        {"zoomed code", {QStringLiteral("K13")}, centred, 4},
        {"two lines", {QStringLiteral("客厅"), QStringLiteral("WL2 C20")}, right, 1},
        {"odd zoom", {QStringLiteral("客厅插座")}, TTextFormat(), 1.37},
        {"cut short", {QStringLiteral("一"), QStringLiteral("二"), QStringLiteral("三")}, cut, 2},
    };
    TTextRunCache cache;
    // Twice over, so each label is drawn once from glyphs shaped for the
    // label before it and once from its own.
    for (int round = 0; round < 2; ++round)
        for (const TLabel &label : labels) {
            const QImage cached = Draw(font, label, [&](QPainter &p, const QRect &r) {
                cache.Draw(p, font, label.Lines, r, label.Format);
            });
            const QImage fresh = Draw(font, label, [&](QPainter &p, const QRect &r) {
                TTextLayout::DrawLines(p, font, label.Lines, r, label.Format);
            });
            EXPECT_EQ(cached, fresh) << label.What << " round " << round;
        }
    // A new font shapes again.
    const TLabel code = labels[0];
    font.SetSize(20);
    EXPECT_EQ(
        Draw(font, code,
             [&](QPainter &p, const QRect &r) { cache.Draw(p, font, code.Lines, r, code.Format); }),
        Draw(font, code, [&](QPainter &p, const QRect &r) {
            TTextLayout::DrawLines(p, font, code.Lines, r, code.Format);
        }));
}

} // namespace
