#pragma once

#include "ConfigList.h"
#include "SchemeData.h"

#include <QRect>
#include <QSize>
#include <QString>
#include <memory>
#include <vector>

class QPainter;
class QTextLayout;
class TGraphControl;
class TIconstore;

// What the report is made of.
struct TReportInput {
    TGraphControl *Wiring = nullptr;
    TGraphControl *Guard = nullptr;
    const TIconstore *Library = nullptr; // may be null
    QString AppPath;                     // ends in '/'
    TSchemeData Scheme;
};

// How page 1 draws the wiring drawing: as a bitmap made at the size shown
// (the preview), or as the drawing's own vector picture (printer, PDF, files).
enum class TDrawMode { Preview = 1, Printer = 2 };

// The report handed to the customer: page 1 with the scheme data, advice
// and the wiring drawing; the configuration list as a table with the
// comment (page 2, continued on further pages when it does not fit, the
// table header repeated); the last page with advice and the
// distribution-box drawing; a footer on each page counting all pages.
//
// Pages are laid out in fixed page units, 300 to the inch, whatever the
// device: the caller's painter maps units to its device (scale dpi / 300
// for a printer), and the font is sized in units, so the layout is the
// same on the preview, a 1200-dpi printer and a PDF. The drawings are
// played from memory; nothing is written to disk.
class TReport {
public:
    static constexpr int UnitsPerInch = 300;
    // The page used when no printer can be asked (a printable area at 300 dpi).
    static constexpr QSize FallbackPage{2330, 3358};
    // The preview's font, 32 points on a 96-dpi screen, and the printer's,
    // 10 points on 300 dpi: both about 42 units high.
    static constexpr double PreviewFontUnits = 32.0 * 96 / 72;
    static constexpr double PrintFontUnits = 10.0 * UnitsPerInch / 72;
    // The printer's page rectangle is the page less this on every side.
    static constexpr int PrintInset = 70;

    explicit TReport(const TReportInput &input);
    ~TReport();

    // Prepares drawing on the painter (its transform already maps page
    // units to the device) inside the page rectangle: the report font,
    // regular, fontUnits high; the configuration list rebuilt; page 2 split
    // over as many pages as it needs.
    void Layout(QPainter &painter, const QRect &pageRect, double fontUnits);
    int PageCount() const { return 2 + int(FConfigPages.size()); }
    // Draws page 1..PageCount(); any other number draws nothing.
    void DrawPage(QPainter &painter, int page, TDrawMode mode);

    const TConfigList &ConfigItems() const { return FConfigItems; }
    // The rectangles the drawings went into on the last page drawn (empty
    // when nothing was drawn), for checks of the fitting.
    QRect LastDrawingRect() const { return FLastDrawingRect; }

    // The report font for a painter's device, fontUnits page units high.
    static void SetFont(QPainter &painter, double fontUnits, bool bold);

private:
    // One page of the configuration list: rows [FirstRow, FirstRow +
    // RowCount) of the table (two items a row), whether the table is drawn,
    // and the comment lines it carries.
    struct TConfigPage {
        bool Table = false;
        int FirstRow = 0;
        int RowCount = 0;
        bool CommentHeading = false;
        int CommentTop = 0;    // top of the comment box
        int CommentBottom = 0; // bottom of the comment box
        int FirstLine = 0;
        int LineCount = 0;
    };

    void DrawWiringPage(QPainter &painter, TDrawMode mode);
    void DrawConfigPage(QPainter &painter, const TConfigPage &page);
    void DrawGuardPage(QPainter &painter);
    void DrawFrame(QPainter &painter) const;
    void DrawFooter(QPainter &painter, int x, int page) const;
    int DrawTable(QPainter &painter, const TConfigPage &page, int y) const;
    void DrawItem(QPainter &painter, int index, int x, int y) const;
    void DrawComment(QPainter &painter, const TConfigPage &page) const;
    void DrawDrawing(QPainter &painter, TGraphControl *graph, const QRect &target,
                     bool keepProportions, TDrawMode mode);
    void Bold(QPainter &painter, bool bold) const;
    void Text(QPainter &painter, int x, int y, const QString &text) const;
    int TextHeight(QPainter &painter, const QString &text) const;
    int TextWidth(QPainter &painter, const QString &text) const;

    void PaginateConfigList(QPainter &painter);
    void LayOutComment(QPainter &painter);
    int TableTop() const;

    TReportInput FInput;
    TConfigList FConfigItems;
    QRect FPage;
    double FFontUnits = PrintFontUnits;
    int FRowHeight = 0; // text height on page 2
    std::vector<TConfigPage> FConfigPages;
    std::unique_ptr<QTextLayout> FComment;
    QRect FLastDrawingRect;
};
