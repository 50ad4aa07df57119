// Drawing the report's pages; the layout is in Report.cpp.

#include "Report.h"

#include "GraphControl.h"
#include "MetafileCanvas.h"
#include "ReportTexts.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace {

constexpr int MaxBitmapSide = 8000;
constexpr int FooterHeight = 100;

// A black pen at least one device pixel wide, one page unit where that is more.
QPen ReportPen(const QPainter &painter)
{
    const double scale = std::max(std::abs(painter.worldTransform().m11()), 1e-6);
    QPen pen(Qt::black);
    pen.setWidthF(std::max(1.0, 1.0 / scale));
    return pen;
}

} // namespace

void TReport::DrawPage(QPainter &painter, int page, TDrawMode mode)
{
    FLastDrawingRect = QRect();
    if (page < 1 || page > PageCount()) return;
    painter.save();
    painter.setPen(ReportPen(painter));
    painter.setBrush(Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    Bold(painter, false);
    if (page == 1)
        DrawWiringPage(painter, mode);
    else if (page == PageCount())
        DrawGuardPage(painter);
    else
        DrawConfigPage(painter, FConfigPages[size_t(page - 2)]);
    DrawFooter(painter, FPage.left() + (page == 1 || page == PageCount() ? 50 : 100), page);
    Bold(painter, false);
    painter.restore();
}

void TReport::DrawFrame(QPainter &painter) const
{
    const double half = painter.pen().widthF() / 2;
    painter.drawRect(QRectF(FPage).adjusted(half, half, -half, -half));
}

void TReport::DrawFooter(QPainter &painter, int x, int page) const
{
    const int bottom = FPage.top() + FPage.height();
    const int right = FPage.left() + FPage.width();
    painter.drawText(QRect(x, bottom - FooterHeight, right - 100 - x, FooterHeight),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine,
                     ReportTexts::PageNumber(page, PageCount()));
}

// --- Page 1 ---

void TReport::DrawWiringPage(QPainter &painter, TDrawMode mode)
{
    DrawFrame(painter);
    const int L = FPage.left(), T = FPage.top(), W = FPage.width();
    const int Rt = L + W, B = T + FPage.height();
    Bold(painter, true);
    const int h = TextHeight(painter, QStringLiteral("方案名称："));
    const int w = TextWidth(painter, QStringLiteral("设计师姓名："));
    const int x = L + 50;
    int y = T + 50;
    const int x2 = W / 2 + x + 100;
    const TSchemeData &scheme = FInput.Scheme;
    const auto field = [&](int at, const QString &label, const QString &value) {
        Text(painter, at, y, label);
        Text(painter, at + w, y, value);
    };
    field(x, QStringLiteral("方案名称："), scheme.ProjectName);
    y += h + 10;
    field(x, QStringLiteral("客户姓名："), scheme.CustomerName);
    field(x2, QStringLiteral("客户电话："), scheme.CustomerPhone);
    y += h + 10;
    field(x, QStringLiteral("客户地址："), scheme.CustomerAddress);
    field(x2, QStringLiteral("客户EMail："), scheme.CustomerEmail);
    y += h + 10;
    field(x, QStringLiteral("设计师公司："), scheme.DesignerCompany);
    field(x2, QStringLiteral("设计师名字："), scheme.DesignerName);
    Bold(painter, false);
    y += 2 * h + 13;
    const QStringList &advice = ReportTexts::WiringAdvice();
    for (int i = 0; i < advice.size(); ++i) {
        if (i > 0) y += h + 3;
        Bold(painter, i == 0);
        Text(painter, x, y, advice[i]);
    }
    Bold(painter, false);
    y += h + 130;
    Bold(painter, true);
    Text(painter, x, y, QStringLiteral("电路设计图"));
    Bold(painter, false);
    y += h + 10;
    const int s = std::min(Rt - 100 - x, B - 200 - y);
    if (s > 0) DrawDrawing(painter, FInput.Wiring, QRect(x, y, s, s), false, mode);
}

// --- Page 2 and its continuations ---

void TReport::DrawConfigPage(QPainter &painter, const TConfigPage &page)
{
    DrawFrame(painter);
    const int x = FPage.left() + 100;
    Bold(painter, true);
    Text(painter, x, FPage.top() + 50, QStringLiteral("配置单"));
    Bold(painter, false);
    if (page.Table) DrawTable(painter, page, FPage.top() + 50);
    if (page.CommentHeading) {
        Bold(painter, true);
        Text(painter, x, page.CommentTop - 10 - FRowHeight - 50, QStringLiteral("备注："));
        Bold(painter, false);
        DrawComment(painter, page);
    }
}

int TReport::DrawTable(QPainter &painter, const TConfigPage &page, int y) const
{
    const int L = FPage.left(), W = FPage.width(), Rt = L + W;
    const int h = FRowHeight;
    const int half = (W - 900) / 2;
    const int q = 150 + half;
    int x = L + 100;
    y += h + 50;
    painter.drawLine(L + 100, y, Rt - 100, y);
    y += 50;
    for (const int column : {x, x + half + 400}) {
        Text(painter, column, y, QStringLiteral("图例"));
        Text(painter, column + 150, y, QStringLiteral("编号"));
        Text(painter, column + 350, y, QStringLiteral("产品名称"));
        Text(painter, column + q, y, QStringLiteral("数量"));
    }
    const int first = page.FirstRow * 2;
    const int end = std::min(FConfigItems.Count(), (page.FirstRow + page.RowCount) * 2);
    for (int i = first; i < end; ++i) {
        if (i % 2 == 0) {
            y += h + 5;
            x = L + 100;
            painter.drawLine(x, y, Rt - 100, y);
            y += 50;
        } else {
            x += half + 400;
        }
        DrawItem(painter, i, x, y);
    }
    y += h + 5;
    painter.drawLine(L + 100, y, Rt - 100, y);
    return y;
}

void TReport::DrawItem(QPainter &painter, int index, int x, int y) const
{
    const TConfigItem &item = FConfigItems[index];
    const int h = FRowHeight;
    if (!item.Picture.isNull()) painter.drawImage(QRect(x, y - 30, h + 30, h + 30), item.Picture);
    const int q = 150 + (FPage.width() - 900) / 2;
    Text(painter, x + 150, y, item.Code);
    Text(painter, x + 350, y, item.Caption);
    Text(painter, x + q, y, QString::number(item.Quantity));
}

void TReport::DrawComment(QPainter &painter, const TConfigPage &page) const
{
    if (page.LineCount <= 0) return;
    const int x = FPage.left() + 100;
    const int right = FPage.left() + FPage.width() - x - 50;
    painter.save();
    // Text outside the box is cut off.
    painter.setClipRect(QRect(x, page.CommentTop, right - x, page.CommentBottom - page.CommentTop),
                        Qt::IntersectClip);
    const double shift = FComment->lineAt(page.FirstLine).y();
    painter.setPen(QPen(Qt::black));
    for (int i = page.FirstLine; i < page.FirstLine + page.LineCount; ++i)
        FComment->lineAt(i).draw(&painter, QPointF(x, page.CommentTop - shift));
    painter.restore();
}

// --- Last page ---

void TReport::DrawGuardPage(QPainter &painter)
{
    Bold(painter, false);
    const int h = TextHeight(painter, QStringLiteral("配电箱线路图"));
    DrawFrame(painter);
    const int L = FPage.left(), T = FPage.top();
    const int Rt = L + FPage.width(), B = T + FPage.height();
    const int x = L + 50;
    int y = T + 50 + h + 10;
    const QStringList &advice = ReportTexts::GuardAdvice();
    for (int i = 0; i < advice.size(); ++i) {
        if (i > 0) y += h + 3;
        Bold(painter, i == 0);
        Text(painter, x, y, advice[i]);
    }
    Bold(painter, false);
    y += 200;
    Bold(painter, true);
    Text(painter, x, y, QStringLiteral("配电箱线路图"));
    Bold(painter, false);
    y += h + 50;
    const int w = Rt - 100 - x;
    const int left = B - 200 - y;
    if (w > 0 && left > 0)
        DrawDrawing(painter, FInput.Guard, QRect(x, y, w, left), true, TDrawMode::Printer);
}

// --- The drawings ---

void TReport::DrawDrawing(QPainter &painter, TGraphControl *graph, const QRect &area,
                          bool keepProportions, TDrawMode mode)
{
    if (!graph) return;
    const std::unique_ptr<TMetafile> picture = graph->GetAsMetafile();
    if (picture->Width() <= 0 || picture->Height() <= 0) return;
    QRect target = area;
    if (keepProportions) {
        // The width first, as far as the height left allows.
        const qint64 height = qint64(area.width()) * picture->Height() / picture->Width();
        if (height <= area.height())
            target.setHeight(int(height));
        else
            target.setWidth(int(qint64(area.height()) * picture->Width() / picture->Height()));
    }
    FLastDrawingRect = target;
    if (mode == TDrawMode::Printer) {
        painter.save();
        painter.setClipRect(target, Qt::IntersectClip);
        picture->Draw(painter, QRectF(target));
        painter.restore();
        return;
    }
    // The preview's bitmap is made at the size it is shown, not at the
    // drawing's own size, which a far-away node can make huge.
    const QRectF shown = painter.worldTransform().mapRect(QRectF(target));
    const QSize size(std::clamp(int(std::ceil(shown.width())), 1, MaxBitmapSide),
                     std::clamp(int(std::ceil(shown.height())), 1, MaxBitmapSide));
    QImage bitmap(size, QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    {
        QPainter canvas(&bitmap);
        canvas.setRenderHint(QPainter::Antialiasing);
        canvas.setRenderHint(QPainter::TextAntialiasing);
        canvas.setRenderHint(QPainter::SmoothPixmapTransform);
        picture->Draw(canvas, QRectF(0, 0, size.width(), size.height()));
    }
    painter.drawImage(QRectF(target), bitmap);
}
