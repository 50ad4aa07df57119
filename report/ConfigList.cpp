#include "ConfigList.h"

#include "GraphControl.h"
#include "GraphNode.h"
#include "GraphPicture.h"
#include "LineNode.h"
#include "RectangularNode.h"
#include "iconstore.h"

#include <QFileInfo>
#include <QPainter>

namespace {

// The picture as a bitmap of its own size; null for an empty picture.
QImage ToBitmap(const TPicture &picture)
{
    if (picture.Empty()) return QImage();
    if (picture.GetFormat() == TPicture::Bitmap) return picture.Image();
    QImage bitmap(picture.Width(), picture.Height(), QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    QPainter painter(&bitmap);
    picture.Draw(painter, bitmap.rect());
    return bitmap;
}

} // namespace

TConfigList::TConfigList(const TIconstore *library, const QString &appPath)
    : FLibrary(library), FAppPath(appPath)
{
}

void TConfigList::Clear()
{
    FItems.clear();
    FForeignTags.clear();
    FForeignSeen.clear();
    FRowOfCaption.clear();
}

bool TConfigList::IsUncountedType(const QString &type)
{
    return type == u"家用电器" || type == u"灯";
}

bool TConfigList::HasLibraryIcon(const TGraphObject &object) const
{
    return FLibrary && object.Tag() >= 0 && object.Tag() < FLibrary->IconCount();
}

bool TConfigList::IsListedObject(const TGraphObject &object) const
{
    if (!dynamic_cast<const TGraphNode *>(&object) || dynamic_cast<const THLineNode *>(&object) ||
        dynamic_cast<const TTextNode *>(&object))
        return false;
    // A Tag that names no icon of this library comes from another library:
    // the node's own type is the only one there is.
    const QString type =
        HasLibraryIcon(object) ? FLibrary->Icon(object.Tag())->Type() : object.IconType();
    return !IsUncountedType(type);
}

void TConfigList::BuildConfigList(const TGraphControl &wiring, const TGraphControl &guard)
{
    Clear();
    FPictures.clear();
    for (const TGraphControl *graph : {&wiring, &guard})
        graph->Objects().ForEach([this](const TGraphObject *object) {
            if (IsListedObject(*object)) Count(*object);
        });
    FRowOfCaption.clear();
    FForeignSeen.clear();
    FPictures.clear();
}

void TConfigList::Count(const TGraphObject &object)
{
    if (!HasLibraryIcon(object)) {
        const int tag = object.Tag();
        if (!FForeignSeen.contains(tag)) {
            FForeignSeen.insert(tag);
            FForeignTags.push_back(tag);
        }
    }
    const auto found = FRowOfCaption.constFind(object.IconCaption());
    if (found != FRowOfCaption.cend()) {
        ++FItems[size_t(*found)].Quantity;
        return;
    }
    TConfigItem item;
    item.Caption = object.IconCaption();
    item.ImagePath = object.IconLargeImagePath();
    item.Picture = LegendPicture(item.ImagePath);
    item.Code = object.Text();
    FRowOfCaption.insert(item.Caption, int(FItems.size()));
    FItems.push_back(std::move(item));
}

QString TConfigList::LargePicturePath(const QString &appPath, const QString &imagePath)
{
    // Drawings made on Windows separate folders with backslashes.
    QString name = imagePath;
    name.replace(u'\\', u'/');
    name = QFileInfo(name).fileName();
    if (name.isEmpty() || name == u"." || name == u"..") return QString();
    const QString path = appPath + QStringLiteral("iconstore/150/") + name;
    return QFileInfo(path).isFile() ? path : QString();
}

QImage TConfigList::LegendPicture(const QString &imagePath)
{
    const QString path = LargePicturePath(FAppPath, imagePath);
    if (path.isEmpty()) return QImage();
    const auto cached = FPictures.constFind(path);
    if (cached != FPictures.cend()) return *cached;
    QImage bitmap;
    try {
        TPicture picture;
        picture.LoadFromFile(path);
        bitmap = ToBitmap(picture);
    } catch (const std::exception &) {
        // A damaged legend picture leaves the cell empty, as a missing one does.
    }
    FPictures.insert(path, bitmap);
    return bitmap;
}
