#include "ConfigListView.h"

#include "ConfigItem.h"
#include "GraphFont.h"

#include <QHeaderView>
#include <QPainter>
#include <QPixmap>

namespace {

// Sorts quantities as numbers and the picture column by product name.
class TConfigRow : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;

    bool operator<(const QTreeWidgetItem &other) const override
    {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        if (column == 3) return text(3).toInt() < other.text(3).toInt();
        if (column == 0) return text(2) < other.text(2);
        return text(column) < other.text(column);
    }
};

} // namespace

TConfigListView::TConfigListView(QWidget *parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("lvConfig"));
    setHeaderLabels({QStringLiteral("图例"), QStringLiteral("编号"), QStringLiteral("产品名称"),
                     QStringLiteral("数量")});
    setRootIsDecorated(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setIconSize(QSize(20, 20));
    setUniformRowHeights(true);
    setFont(TFont::WindowFont(13));
    header()->setStretchLastSection(false);
    header()->resizeSection(0, 40);
    header()->resizeSection(1, 50);
    header()->resizeSection(2, 400);
    header()->resizeSection(3, 50);
    header()->setSectionsClickable(true);
    connect(header(), &QHeaderView::sectionClicked, this, &TConfigListView::SortBy);
}

QImage TConfigListView::SmallImage(const QImage &picture)
{
    QImage small(20, 20, QImage::Format_RGB32);
    small.fill(Qt::white);
    if (!picture.isNull()) {
        QPainter painter(&small);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(small.rect(), picture);
    }
    return small;
}

void TConfigListView::Fill(const std::vector<TConfigItem> &items)
{
    setUpdatesEnabled(false);
    clear();
    header()->setSortIndicatorShown(false);
    header()->setSortIndicator(-1, Qt::AscendingOrder);
    QList<QTreeWidgetItem *> rows;
    rows.reserve(qsizetype(items.size()));
    for (const TConfigItem &item : items) {
        auto *row = new TConfigRow(
            QStringList{QString(), item.Code, item.Caption, QString::number(item.Quantity)});
        row->setIcon(0, QIcon(QPixmap::fromImage(SmallImage(item.Picture))));
        rows << row;
    }
    addTopLevelItems(rows);
    setUpdatesEnabled(true);
}

void TConfigListView::SortBy(int column)
{
    const bool again =
        header()->isSortIndicatorShown() && header()->sortIndicatorSection() == column;
    const Qt::SortOrder order = again && header()->sortIndicatorOrder() == Qt::AscendingOrder
                                    ? Qt::DescendingOrder
                                    : Qt::AscendingOrder;
    header()->setSortIndicatorShown(true);
    header()->setSortIndicator(column, order);
    sortItems(column, order);
}
