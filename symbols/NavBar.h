#pragma once

#include <QColor>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QDragMoveEvent;
class QDropEvent;
class QListWidget;
class QMimeData;
class QToolBox;
class TNavBar;

// Small pictures shared by several palettes. Every picture is kept at the
// list's size; the first six are drawn by the list itself.
class TNavImageList {
public:
    static constexpr int Size = 20;
    static constexpr int BuiltInCount = 6;
    // The background the pictures are drawn on (the TColor 0x00FFFBF0).
    static QColor Background() { return QColor(0xF0, 0xFB, 0xFF); }

    TNavImageList();
    int Count() const { return int(FImages.size()); }
    // Adds a picture (cut or padded to 20 × 20) and returns its index.
    int Add(const QImage &image);
    // The picture at an index; a null image outside the list.
    QImage Image(int index) const;

private:
    std::vector<QImage> FImages;
};

class TNavBarItem {
public:
    QString Caption;
    QString Hint;
    int SmallImageIndex = -1;
    int Tag = 0;
    // The command the item follows: disabled with it. May be null.
    QPointer<QAction> Action;
    // Run on a click (press and release on the same item).
    std::function<void(TNavBarItem *item)> OnClick;

    bool Enabled() const;
};

class TNavBarGroup {
public:
    QString Caption;
    const std::vector<TNavBarItem *> &Links() const { return FLinks; }

private:
    friend class TNavBar;
    std::vector<TNavBarItem *> FLinks;
    QListWidget *FList = nullptr;
};

// A vertical bar of collapsible groups, each a list of items with a small
// picture and a caption. Items belong to the bar; a group only links them,
// so an item in no group is never shown. A bar may let its items and
// groups be rearranged by dragging them within it; a group keeps its index
// in Groups() wherever it is shown, and an item keeps its Tag.
class TNavBar : public QWidget {
    Q_OBJECT

public:
    // The drag-and-drop format of a palette item; the data is its Tag in decimal.
    static QString MimeType();
    static QMimeData *MimeDataFor(const TNavBarItem &item);
    // The Tag carried by drag data; false when it is no palette item.
    static bool TagOf(const QMimeData *data, int &tag);
    // The data of a drag that starts at an item or a group header of this
    // bar: an item's also carries its Tag for the drawings.
    QMimeData *DragDataFor(TNavBarItem *item) const;
    QMimeData *DragDataFor(TNavBarGroup *group) const;

    explicit TNavBar(QWidget *parent = nullptr);
    ~TNavBar() override;

    void SetImages(const TNavImageList *images);
    const TNavImageList *Images() const { return FImages; }

    TNavBarGroup *AddGroup(const QString &caption);
    int GroupCount() const { return int(FGroups.size()); }
    TNavBarGroup *Groups(int index) const { return FGroups.at(size_t(index)).get(); }

    TNavBarItem *AddItem();
    int ItemCount() const { return int(FItems.size()); }
    TNavBarItem *Items(int index) const { return FItems.at(size_t(index)).get(); }

    void LinkItem(TNavBarGroup *group, TNavBarItem *item);
    void ClearLinks(TNavBarGroup *group);
    // The group an item is linked into; null when none.
    TNavBarGroup *GroupOf(const TNavBarItem *item) const;

    // Rearranging by dragging within the bar (off by default).
    void SetRearrangeable(bool value) { FRearrangeable = value; }
    bool Rearrangeable() const { return FRearrangeable; }
    // Moves an item's link to a row of a group (-1 or past the end: last).
    void MoveItem(TNavBarItem *item, TNavBarGroup *group, int row);
    // Shows a group at a position among the groups; Groups() is unchanged.
    void MoveGroup(TNavBarGroup *group, int position);
    // Where a group is shown among the groups, from 0 at the top.
    int GroupPosition(const TNavBarGroup *group) const;

    // Changes between the two are shown once, at the outermost end.
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return FUpdateCount > 0; }

    // The list showing a group (row i is link i).
    QListWidget *GroupList(int index) const { return Groups(index)->FList; }
    // A press on an item as the mouse gives it: ignored for disabled items.
    // Returns whether the press was reported.
    bool PressItem(TNavBarItem *item);
    // A click: the press, then the item's click handler.
    bool ClickItem(TNavBarItem *item);

    // Press on an enabled item.
    std::function<void(TNavBar *bar, TNavBarItem *item)> OnLinkPress;
    // Drags over and drops on the bar; without a handler nothing is accepted.
    std::function<void(TNavBar *bar, QDragMoveEvent *event, bool &accept)> OnDragOver;
    std::function<void(TNavBar *bar, QDropEvent *event)> OnDragDrop;

    // A drag over or drop at a point of a widget of the bar (the bar or a
    // group's list), as the widget received it.
    void DragOverBar(QDragMoveEvent *event, QWidget *over);
    void DropOnBar(QDropEvent *event, QWidget *over);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class TNavBarList;
    struct TPlace {
        TNavBarGroup *Group = nullptr;
        int Row = -1;
    };
    void Rebuild();
    void RefreshEnabled();
    void WatchAction(QAction *action);
    TNavBarItem *ItemAt(QListWidget *list, const QPoint &pos) const;
    void StartDrag(TNavBarItem *item);
    void StartGroupDrag(TNavBarGroup *group);
    // The item or group that drag data of this bar names; null otherwise.
    TNavBarItem *DraggedItem(const QMimeData *data) const;
    TNavBarGroup *DraggedGroup(const QMimeData *data) const;
    TPlace PlaceAt(const QPoint &barPoint, QWidget *over) const;
    std::vector<QWidget *> HeaderButtons() const;
    void WatchHeaders();

    QToolBox *FBox;
    const TNavImageList *FImages = nullptr;
    std::vector<std::unique_ptr<TNavBarGroup>> FGroups;
    std::vector<std::unique_ptr<TNavBarItem>> FItems;
    std::vector<QPointer<QAction>> FWatched;
    int FUpdateCount = 0;
    bool FRearrangeable = false;
    QWidget *FPressedHeader = nullptr;
    QPoint FHeaderPressPos;
};
