#pragma once

#include "ConfigItem.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <vector>

class TGraphControl;
class TGraphObject;
class TIconstore;

// The configuration list ("配置单"): the bill of materials derived afresh
// from the wiring drawing and the distribution-box drawing. Products are
// grouped by caption in the order each caption is first met; household
// appliances and lamps are drawn but not counted.
class TConfigList {
public:
    // library may be null (no library loaded): every symbol is then judged
    // by its own type. appPath is the data folder, ending in a separator.
    TConfigList(const TIconstore *library, const QString &appPath);

    // Rebuilds the items from both drawings, wiring drawing first, each in
    // drawing order.
    void BuildConfigList(const TGraphControl &wiring, const TGraphControl &guard);
    // Whether one diagram object counts.
    bool IsListedObject(const TGraphObject &object) const;

    const std::vector<TConfigItem> &Items() const { return FItems; }
    int Count() const { return int(FItems.size()); }
    const TConfigItem &operator[](int index) const { return FItems[size_t(index)]; }
    void Clear();

    // The Tags of the counted symbols of the last build that name no icon
    // of the library (a drawing made with another library), each once, in
    // the order met. They were judged by their own IconType.
    const std::vector<int> &ForeignTags() const { return FForeignTags; }

    // The large picture file of an ImagePath: only its file-name part is
    // used, inside AppPath + "iconstore/150/", so a name from a drawing
    // file never reaches outside that folder. Empty when there is no file.
    static QString LargePicturePath(const QString &appPath, const QString &imagePath);
    // The symbol types that are drawn but not counted.
    static bool IsUncountedType(const QString &type);

private:
    bool HasLibraryIcon(const TGraphObject &object) const;
    void Count(const TGraphObject &object);
    QImage LegendPicture(const QString &imagePath);

    const TIconstore *FLibrary;
    QString FAppPath;
    std::vector<TConfigItem> FItems;
    std::vector<int> FForeignTags;
    QSet<int> FForeignSeen;
    // Caption to row, so that grouping stays linear in the number of objects.
    QHash<QString, int> FRowOfCaption;
    // Pictures already read during one build, by file path.
    QHash<QString, QImage> FPictures;
};
