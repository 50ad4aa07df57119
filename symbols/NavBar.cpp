#include "NavBar.h"

#include "GraphFont.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QToolBox>
#include <QVBoxLayout>
#include <algorithm>

// --- Pictures ---

namespace {

QImage BlankPicture()
{
    QImage image(TNavImageList::Size, TNavImageList::Size, QImage::Format_RGB32);
    image.fill(TNavImageList::Background());
    return image;
}

QImage BuiltInPicture(int index)
{
    QImage image = BlankPicture();
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 2));
    switch (index) {
    case 0: // horizontal wire
        painter.drawLine(2, 10, 17, 10);
        break;
    case 1: // diagonal wire
        painter.drawLine(3, 16, 16, 3);
        break;
    case 2: // vertical wire
        painter.drawLine(10, 2, 10, 17);
        break;
    case 3: { // text: a bold "A", drawn rather than set so that no font is loaded for it
        painter.setRenderHint(QPainter::Antialiasing);
        const QPointF letter[] = {{4.5, 17}, {10, 3}, {15.5, 17}};
        painter.drawPolyline(letter, 3);
        painter.drawLine(QPointF(6.5, 12), QPointF(13.5, 12));
        break;
    }
    case 4: // distribution box
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(3, 3, 13, 13);
        painter.drawLine(3, 8, 16, 8);
        break;
    default: // breaker
        painter.setPen(QPen(Qt::black, 1));
        painter.drawLine(10, 2, 10, 7);
        painter.drawLine(10, 7, 15, 12);
        painter.drawLine(10, 13, 10, 18);
        break;
    }
    return image;
}

} // namespace

TNavImageList::TNavImageList()
{
    for (int i = 0; i < BuiltInCount; ++i)
        FImages.push_back(BuiltInPicture(i));
}

int TNavImageList::Add(const QImage &image)
{
    QImage picture = BlankPicture();
    {
        QPainter painter(&picture);
        painter.drawImage(0, 0, image);
    }
    FImages.push_back(picture);
    return Count() - 1;
}

QImage TNavImageList::Image(int index) const
{
    return index >= 0 && index < Count() ? FImages[size_t(index)] : QImage();
}

// --- Items ---

bool TNavBarItem::Enabled() const
{
    return !Action || Action->isEnabled();
}

// One group's list: reports presses, starts drags and passes drags over
// it on to the bar.
class TNavBarList : public QListWidget {
public:
    explicit TNavBarList(TNavBar *bar) : FBar(bar)
    {
        setAcceptDrops(true);
        setDragEnabled(false); // drags are started by hand, with our own data
        setSelectionMode(QAbstractItemView::NoSelection);
        setIconSize(QSize(TNavImageList::Size, TNavImageList::Size));
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        QPalette colours = palette();
        colours.setColor(QPalette::Base, Qt::white);
        setPalette(colours);
    }

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        FPressed = nullptr;
        if (event->button() == Qt::LeftButton) {
            FPressPos = event->position().toPoint();
            TNavBarItem *item = FBar->ItemAt(this, FPressPos);
            if (item && FBar->PressItem(item))
                FPressed = item;
        }
        event->accept();
    }
    void mouseMoveEvent(QMouseEvent *event) override
    {
        if (FPressed && (event->buttons() & Qt::LeftButton) &&
            (event->position().toPoint() - FPressPos).manhattanLength() >=
                QApplication::startDragDistance())
        {
            TNavBarItem *item = FPressed;
            FPressed = nullptr;
            FBar->StartDrag(item);
            return;
        }
        QListWidget::mouseMoveEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        TNavBarItem *item = FPressed;
        FPressed = nullptr;
        if (item && event->button() == Qt::LeftButton &&
            FBar->ItemAt(this, event->position().toPoint()) == item && item->Enabled() &&
            item->OnClick)
            item->OnClick(item);
        event->accept();
    }
    void dragEnterEvent(QDragEnterEvent *event) override { FBar->DragOverBar(event, this); }
    void dragMoveEvent(QDragMoveEvent *event) override { FBar->DragOverBar(event, this); }
    void dropEvent(QDropEvent *event) override { FBar->DropOnBar(event, this); }

private:
    TNavBar *FBar;
    TNavBarItem *FPressed = nullptr;
    QPoint FPressPos;
};

// --- The bar ---

QString TNavBar::MimeType()
{
    return QStringLiteral("application/x-varneth-palette-item");
}

QMimeData *TNavBar::MimeDataFor(const TNavBarItem &item)
{
    auto *data = new QMimeData;
    data->setData(MimeType(), QByteArray::number(item.Tag));
    return data;
}

namespace {

// Drag data that names an item or a group of one bar: "bar:index".
const QString ItemOriginType = QStringLiteral("application/x-varneth-palette-item-origin");
const QString GroupOriginType = QStringLiteral("application/x-varneth-palette-group");

QByteArray Origin(const TNavBar *bar, int index)
{
    return QByteArray::number(quintptr(bar)) + ':' + QByteArray::number(index);
}

// The index named by origin data of this bar; -1 otherwise.
int IndexFrom(const TNavBar *bar, const QMimeData *data, const QString &type)
{
    if (!data || !data->hasFormat(type))
        return -1;
    const QList<QByteArray> parts = data->data(type).split(':');
    bool ok = false;
    if (parts.size() != 2 || parts[0] != QByteArray::number(quintptr(bar)))
        return -1;
    const int index = parts[1].toInt(&ok);
    return ok ? index : -1;
}

} // namespace

QMimeData *TNavBar::DragDataFor(TNavBarItem *item) const
{
    QMimeData *data = MimeDataFor(*item);
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].get() == item)
            data->setData(ItemOriginType, Origin(this, int(i)));
    return data;
}

QMimeData *TNavBar::DragDataFor(TNavBarGroup *group) const
{
    auto *data = new QMimeData;
    for (size_t i = 0; i < FGroups.size(); ++i)
        if (FGroups[i].get() == group)
            data->setData(GroupOriginType, Origin(this, int(i)));
    return data;
}

TNavBarItem *TNavBar::DraggedItem(const QMimeData *data) const
{
    const int index = IndexFrom(this, data, ItemOriginType);
    return index >= 0 && index < ItemCount() ? Items(index) : nullptr;
}

TNavBarGroup *TNavBar::DraggedGroup(const QMimeData *data) const
{
    const int index = IndexFrom(this, data, GroupOriginType);
    return index >= 0 && index < GroupCount() ? Groups(index) : nullptr;
}

bool TNavBar::TagOf(const QMimeData *data, int &tag)
{
    if (!data || !data->hasFormat(MimeType()))
        return false;
    bool ok = false;
    const int value = data->data(MimeType()).toInt(&ok);
    if (ok)
        tag = value;
    return ok;
}

TNavBar::TNavBar(QWidget *parent) : QWidget(parent), FBox(new QToolBox)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FBox);
    setFont(TFont::WindowFont(13));
    setAcceptDrops(true);
}

TNavBar::~TNavBar() = default;

void TNavBar::SetImages(const TNavImageList *images)
{
    FImages = images;
    Rebuild();
}

TNavBarGroup *TNavBar::AddGroup(const QString &caption)
{
    auto group = std::make_unique<TNavBarGroup>();
    group->Caption = caption;
    group->FList = new TNavBarList(this);
    group->FList->setObjectName(caption);
    FBox->addItem(group->FList, caption);
    FGroups.push_back(std::move(group));
    WatchHeaders();
    return FGroups.back().get();
}

TNavBarItem *TNavBar::AddItem()
{
    FItems.push_back(std::make_unique<TNavBarItem>());
    return FItems.back().get();
}

void TNavBar::LinkItem(TNavBarGroup *group, TNavBarItem *item)
{
    group->FLinks.push_back(item);
    Rebuild();
}

void TNavBar::ClearLinks(TNavBarGroup *group)
{
    group->FLinks.clear();
    Rebuild();
}

TNavBarGroup *TNavBar::GroupOf(const TNavBarItem *item) const
{
    for (const auto &group : FGroups)
        if (std::find(group->FLinks.begin(), group->FLinks.end(), item) != group->FLinks.end())
            return group.get();
    return nullptr;
}

void TNavBar::MoveItem(TNavBarItem *item, TNavBarGroup *group, int row)
{
    TNavBarGroup *from = GroupOf(item);
    if (!group || !from)
        return;
    auto &source = from->FLinks;
    const auto at = std::find(source.begin(), source.end(), item);
    const int oldRow = int(at - source.begin());
    source.erase(at);
    auto &target = group->FLinks;
    if (group == from && row > oldRow) --row; // the rows below moved up by one
    if (row < 0 || row > int(target.size()))
        row = int(target.size());
    target.insert(target.begin() + row, item);
    Rebuild();
}

int TNavBar::GroupPosition(const TNavBarGroup *group) const
{
    return FBox->indexOf(group->FList);
}

void TNavBar::MoveGroup(TNavBarGroup *group, int position)
{
    const int from = GroupPosition(group);
    if (from < 0)
        return;
    position = std::clamp(position, 0, FBox->count() - 1);
    if (position == from)
        return;
    QWidget *shown = FBox->currentWidget();
    const QString caption = FBox->itemText(from);
    FBox->removeItem(from);
    FBox->insertItem(position, group->FList, caption);
    FBox->setCurrentWidget(shown);
    WatchHeaders();
}

void TNavBar::BeginUpdate()
{
    ++FUpdateCount;
}

void TNavBar::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        Rebuild();
}

TNavBarItem *TNavBar::ItemAt(QListWidget *list, const QPoint &pos) const
{
    const int row = list->row(list->itemAt(pos));
    for (const auto &group : FGroups)
        if (group->FList == list)
            return row >= 0 && row < int(group->FLinks.size()) ? group->FLinks[size_t(row)]
                                                                : nullptr;
    return nullptr;
}

bool TNavBar::PressItem(TNavBarItem *item)
{
    if (!item || !item->Enabled())
        return false;
    if (OnLinkPress)
        OnLinkPress(this, item);
    return true;
}

bool TNavBar::ClickItem(TNavBarItem *item)
{
    if (!PressItem(item))
        return false;
    if (item->OnClick)
        item->OnClick(item);
    return true;
}

void TNavBar::Rebuild()
{
    if (Updating())
        return;
    for (const auto &group : FGroups) {
        QListWidget *list = group->FList;
        list->clear();
        for (TNavBarItem *item : group->FLinks) {
            auto *row = new QListWidgetItem(item->Caption, list);
            row->setToolTip(item->Hint);
            if (FImages) {
                const QImage picture = FImages->Image(item->SmallImageIndex);
                if (!picture.isNull())
                    row->setIcon(QIcon(QPixmap::fromImage(picture)));
            }
            if (item->Action)
                WatchAction(item->Action);
        }
    }
    RefreshEnabled();
}

void TNavBar::WatchAction(QAction *action)
{
    if (std::find(FWatched.begin(), FWatched.end(), action) != FWatched.end())
        return;
    FWatched.emplace_back(action);
    connect(action, &QAction::changed, this, &TNavBar::RefreshEnabled);
}

void TNavBar::RefreshEnabled()
{
    for (const auto &group : FGroups)
        for (size_t i = 0; i < group->FLinks.size(); ++i) {
            QListWidgetItem *row = group->FList->item(int(i));
            if (!row)
                continue;
            const Qt::ItemFlags flags = row->flags();
            row->setFlags(group->FLinks[i]->Enabled() ? flags | Qt::ItemIsEnabled
                                                      : flags & ~Qt::ItemIsEnabled);
        }
}

void TNavBar::StartDrag(TNavBarItem *item)
{
    auto *drag = new QDrag(this);
    drag->setMimeData(DragDataFor(item));
    if (FImages) {
        const QImage picture = FImages->Image(item->SmallImageIndex);
        if (!picture.isNull())
            drag->setPixmap(QPixmap::fromImage(picture));
    }
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
}

void TNavBar::StartGroupDrag(TNavBarGroup *group)
{
    auto *drag = new QDrag(this);
    drag->setMimeData(DragDataFor(group));
    drag->exec(Qt::MoveAction, Qt::MoveAction);
}

std::vector<QWidget *> TNavBar::HeaderButtons() const
{
    // The tool box shows a button per group; top to bottom is group order.
    std::vector<QWidget *> buttons;
    for (QAbstractButton *button : FBox->findChildren<QAbstractButton *>(
             QStringLiteral("qt_toolbox_toolboxbutton"), Qt::FindDirectChildrenOnly))
        buttons.push_back(button);
    std::sort(buttons.begin(), buttons.end(),
              [](QWidget *a, QWidget *b) { return a->y() < b->y(); });
    return buttons;
}

void TNavBar::WatchHeaders()
{
    for (QWidget *button : HeaderButtons())
        button->installEventFilter(this);
}

bool TNavBar::eventFilter(QObject *watched, QEvent *event)
{
    auto *header = qobject_cast<QWidget *>(watched);
    if (!FRearrangeable || !header)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress) {
        auto *press = static_cast<QMouseEvent *>(event);
        FPressedHeader = press->button() == Qt::LeftButton ? header : nullptr;
        FHeaderPressPos = press->position().toPoint();
    } else if (event->type() == QEvent::MouseMove && FPressedHeader == header) {
        auto *move = static_cast<QMouseEvent *>(event);
        if ((move->buttons() & Qt::LeftButton) &&
            (move->position().toPoint() - FHeaderPressPos).manhattanLength() >=
                QApplication::startDragDistance()) {
            FPressedHeader = nullptr;
            const TPlace place = PlaceAt(header->mapTo(this, FHeaderPressPos), this);
            if (auto *button = qobject_cast<QAbstractButton *>(header))
                button->setDown(false); // the release went to the drag
            if (place.Group)
                StartGroupDrag(place.Group);
            return true;
        }
    } else if (event->type() == QEvent::MouseButtonRelease) {
        FPressedHeader = nullptr;
    }
    return QWidget::eventFilter(watched, event);
}

TNavBar::TPlace TNavBar::PlaceAt(const QPoint &barPoint, QWidget *over) const
{
    for (const auto &group : FGroups) {
        QListWidget *list = group->FList;
        if (list != over && !(over == this && list->isVisible() &&
                              QRect(list->mapTo(this, QPoint()), list->size()).contains(barPoint)))
            continue;
        const QModelIndex index = list->indexAt(list->mapFrom(this, barPoint));
        return {group.get(), index.isValid() ? index.row() : -1};
    }
    // A group's header: the end of that group.
    const std::vector<QWidget *> headers = HeaderButtons();
    for (size_t i = 0; i < headers.size(); ++i)
        if (QRect(headers[i]->mapTo(this, QPoint()), headers[i]->size()).contains(barPoint))
            for (const auto &group : FGroups)
                if (FBox->indexOf(group->FList) == int(i))
                    return {group.get(), -1};
    return {};
}

void TNavBar::dragEnterEvent(QDragEnterEvent *event)
{
    DragOverBar(event, this);
}

void TNavBar::dragMoveEvent(QDragMoveEvent *event)
{
    DragOverBar(event, this);
}

void TNavBar::dropEvent(QDropEvent *event)
{
    DropOnBar(event, this);
}

void TNavBar::DragOverBar(QDragMoveEvent *event, QWidget *)
{
    bool accept = false;
    if (FRearrangeable && (DraggedItem(event->mimeData()) || DraggedGroup(event->mimeData())))
        accept = true; // rearranging within the bar
    else if (OnDragOver)
        OnDragOver(this, event, accept);
    if (accept)
        event->acceptProposedAction();
    else
        event->ignore();
}

void TNavBar::DropOnBar(QDropEvent *event, QWidget *over)
{
    TNavBarItem *item = FRearrangeable ? DraggedItem(event->mimeData()) : nullptr;
    TNavBarGroup *group = FRearrangeable ? DraggedGroup(event->mimeData()) : nullptr;
    if (!item && !group) {
        if (OnDragDrop)
            OnDragDrop(this, event);
        event->acceptProposedAction();
        return;
    }
    const TPlace place = PlaceAt(over->mapTo(this, event->position().toPoint()), over);
    if (place.Group && item)
        MoveItem(item, place.Group, place.Row);
    else if (place.Group && group)
        MoveGroup(group, GroupPosition(place.Group));
    event->acceptProposedAction();
}
