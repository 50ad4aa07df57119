#pragma once

#include <QTreeWidget>
#include <vector>

struct TConfigItem;

// The list view of the configuration-list tab: columns "图例" (the 20 x 20
// legend picture), "编号", "产品名称", "数量". It is filled in the list's
// order; clicking a column header sorts the view by that column (again:
// the other way round), until the next filling.
class TConfigListView : public QTreeWidget {
    Q_OBJECT
public:
    explicit TConfigListView(QWidget *parent = nullptr);

    void Fill(const std::vector<TConfigItem> &items);
    // The 20 x 20 image of a legend picture (white when there is none).
    static QImage SmallImage(const QImage &picture);

private:
    void SortBy(int column);
};
