#pragma once

#include <QTabWidget>
#include <vector>

class QLabel;
class QScrollArea;

// The pages of the output preview: one tab a page ("第一页", "第二页", ...,
// tabs at the bottom), each a scroll box with the page's image at its
// top-left corner. Three tabs unless the report has more pages.
class TReportPreview : public QTabWidget {
    Q_OBJECT
public:
    explicit TReportPreview(QWidget *parent = nullptr);

    // Makes it n tabs (at least three); images of kept tabs stay.
    void SetPageCount(int n);
    int PageCount() const { return count(); }
    void SetPageImage(int page, const QImage &image);
    // The image control of page n (1-based).
    QLabel *ImagePage(int page) const;
    // Every image emptied, three tabs again.
    void Clear();

private:
    void AddPage();
    std::vector<QLabel *> FImages;
};
