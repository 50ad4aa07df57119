#include "Report.h"

#include "GraphControl.h"
#include "GraphFont.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace {

// Where the footer begins, measured up from the page's bottom.
constexpr int FooterHeight = 100;

} // namespace

TReport::TReport(const TReportInput &input)
    : FInput(input), FConfigItems(input.Library, input.AppPath)
{
}

TReport::~TReport() = default;

void TReport::SetFont(QPainter &painter, double fontUnits, bool bold)
{
    TFont face;
    face.SetName(QStringLiteral("宋体"));
    QFont font = face.ToQFont();
    // Qt's PDF output (also what goes to a CUPS printer) maps the glyphs of
    // the Noto CJK faces back to the wrong characters (radicals for common
    // ideographs, no digits after shaping), so text copied from the report
    // would be wrong. Droid Sans Fallback reads back correctly; "宋体"'s
    // stand-in serves where it is missing, and for Latin text, unshaped.
    font.setFamilies({QStringLiteral("Droid Sans Fallback"), QStringLiteral("宋体")});
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::PreferNoShaping));
    // Point sizes are converted with the device's resolution before the
    // painter's transform applies, so this is fontUnits page units high.
    const int dpi = painter.device() ? painter.device()->logicalDpiY() : 96;
    font.setPointSizeF(fontUnits * 72.0 / std::max(dpi, 1));
    font.setBold(bold);
    painter.setFont(font);
}

void TReport::Bold(QPainter &painter, bool bold) const
{
    SetFont(painter, FFontUnits, bold);
}

void TReport::Text(QPainter &painter, int x, int y, const QString &text) const
{
    const QFontMetricsF metrics(painter.font(), painter.device());
    painter.drawText(QPointF(x, y + metrics.ascent()), text);
}

int TReport::TextHeight(QPainter &painter, const QString &text) const
{
    const QFontMetricsF metrics(painter.font(), painter.device());
    return int(std::lround(std::max(metrics.height(), metrics.boundingRect(text).height())));
}

int TReport::TextWidth(QPainter &painter, const QString &text) const
{
    return int(std::ceil(QFontMetricsF(painter.font(), painter.device()).horizontalAdvance(text)));
}

// --- Layout ---

void TReport::Layout(QPainter &painter, const QRect &pageRect, double fontUnits)
{
    FPage = pageRect;
    FFontUnits = fontUnits;
    Bold(painter, false);
    FConfigItems.BuildConfigList(*FInput.Wiring, *FInput.Guard);
    FRowHeight = TextHeight(painter, QStringLiteral("配置单"));
    LayOutComment(painter);
    PaginateConfigList(painter);
}

void TReport::LayOutComment(QPainter &painter)
{
    QString text = FInput.Scheme.ProjectComment;
    text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    text.replace(u'\n', QChar::LineSeparator);
    text.replace(u'\r', QChar::LineSeparator);
    FComment = std::make_unique<QTextLayout>(text, painter.font(), painter.device());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    FComment->setTextOption(option);
    const int x = FPage.left() + 100;
    const double width = std::max(1, (FPage.right() + 1 - x - 50) - x);
    double y = 0;
    FComment->beginLayout();
    for (QTextLine line = FComment->createLine(); line.isValid(); line = FComment->createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    FComment->endLayout();
}

int TReport::TableTop() const
{
    // Title at T + 50, the line under it h + 50 lower, the header 50 below that.
    return FPage.top() + 50 + FRowHeight + 50 + 50;
}

void TReport::PaginateConfigList(QPainter &)
{
    FConfigPages.clear();
    const int h = FRowHeight;
    const int limit = FPage.top() + FPage.height() - FooterHeight;
    const int pitch = h + 55; // a row: line h + 5 under the text above, text 50 below the line
    const int rows = (FConfigItems.Count() + 1) / 2;
    // Rows that fit under the header with the closing line above the footer.
    const int rowsPerPage = std::max(1, (limit - TableTop() - h - 5) / pitch);

    int row = 0;
    int closingLine = 0;
    do {
        TConfigPage page;
        page.Table = true;
        page.FirstRow = row;
        page.RowCount = std::min(rowsPerPage, rows - row);
        row += page.RowCount;
        closingLine = TableTop() + page.RowCount * pitch + h + 5;
        FConfigPages.push_back(page);
    } while (row < rows);

    // The comment: "备注：" h + 50 under the closing line, its box h + 50 + 10
    // under that and 10h - 10 high. A comment that does not fit there runs
    // down to the footer and goes on on further pages.
    const int lineCount = FComment->lineCount();
    const auto lineTop = [this](int i) { return int(std::floor(FComment->lineAt(i).y())); };
    const auto lineBottom = [this](int i) {
        const QTextLine line = FComment->lineAt(i);
        return int(std::ceil(line.y() + line.height()));
    };
    int headingY = closingLine + h + 50;
    const int total = lineCount ? lineBottom(lineCount - 1) : 0;
    const int boxTop = headingY + h + 50 + 10;
    const int boxBottom = headingY + h + 50 + 10 * h;
    if (total <= boxBottom - boxTop && boxTop + total <= limit) {
        FConfigPages.back().CommentHeading = true;
        FConfigPages.back().CommentTop = boxTop;
        FConfigPages.back().CommentBottom = boxBottom;
        FConfigPages.back().LineCount = lineCount;
        return;
    }
    bool underTable = true;
    int line = 0;
    for (;;) {
        const int top = headingY + h + 50 + 10;
        int count = 0;
        while (line + count < lineCount && top + lineBottom(line + count) - lineTop(line) <= limit)
            ++count;
        if (count == 0 && underTable) {
            // Not one line fits under the table: the comment begins on the next page.
            FConfigPages.push_back(TConfigPage());
            headingY = FPage.top() + 50 + h + 50;
            underTable = false;
            continue;
        }
        TConfigPage &page = FConfigPages.back();
        page.CommentHeading = true;
        page.CommentTop = top;
        page.CommentBottom = limit;
        page.FirstLine = line;
        // A line taller than a whole page still goes somewhere.
        page.LineCount = std::min(std::max(count, 1), lineCount - line);
        line += page.LineCount;
        if (line >= lineCount) return;
        FConfigPages.push_back(TConfigPage());
        headingY = FPage.top() + 50 + h + 50;
        underTable = false;
    }
}
