#pragma once

#include "GraphBrush.h"
#include "GraphFont.h"
#include "GraphGeometry.h"
#include "GraphObjectClass.h"
#include "GraphPen.h"
#include "GraphTypes.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <stdexcept>

class QPainter;
class TGraphControl;
class TGraphObjectList;
class TValueReader;
class TValueWriter;

// The platform's conversion error ("Cannot assign a %s to a %s").
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Base of every object of a diagram: a node or a link. The owner control
// keeps it in its Objects list; an object reports each change of its content
// or looks to the owner, which batches them into repaints and change events.
//
// Objects are destroyed with Free(), never with a plain delete from outside:
// Free() first takes the object out of its diagram while it is still whole,
// so that the owner's handlers and the dependent links see a complete object.
class TGraphObject {
public:
    static const TGraphObjectClass Class;
    virtual TGraphObjectClassRef ClassType() const { return &Class; }
    bool IsKindOf(TGraphObjectClassRef cls) const { return ClassType()->InheritsFrom(cls); }

    TGraphObject(const TGraphObject &) = delete;
    TGraphObject &operator=(const TGraphObject &) = delete;

    // Leaves the diagram (state osDestroying) and destroys the object.
    void Free();

    uint32_t ID() const { return FID; }
    void SetID(uint32_t value);
    uint32_t StoredID() const { return FStoredID; }
    void SetStoredID(uint32_t value);
    TGraphControl *Owner() const { return FOwner; }

    const TBrush &Brush() const { return FBrush; }
    TBrush &Brush() { return FBrush; }
    void SetBrush(const TBrush &value) { FBrush.Assign(value); }
    const TPen &Pen() const { return FPen; }
    TPen &Pen() { return FPen; }
    void SetPen(const TPen &value) { FPen.Assign(value); }
    const TFont &Font() const { return FFont; }
    TFont &Font() { return FFont; }
    void SetFont(const TFont &value) { FFont.Assign(value); }

    const QString &Text() const { return FText; }
    void SetText(const QString &value);
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);
    int32_t Tag() const { return FTag; }
    void SetTag(int32_t value) { FTag = value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    bool Selected() const { return FSelected; }
    void SetSelected(bool value);
    bool Dragging() const { return FDragging; }
    void SetDragging(bool value);
    TGraphObjectState State() const { return FState; }
    void SetState(TGraphObjectState value);
    bool IsLink() const { return FIsLink; }

    // Symbol fields: plain values the application fills from the symbol library.
    const QString &IconCaption() const { return Symbol().Caption; }
    void SetIconCaption(const QString &value) { SetSymbolField(&TSymbolFields::Caption, value); }
    const QString &IconSystem() const { return Symbol().System; }
    void SetIconSystem(const QString &value) { SetSymbolField(&TSymbolFields::System, value); }
    const QString &IconType() const { return Symbol().Type; }
    void SetIconType(const QString &value) { SetSymbolField(&TSymbolFields::Type, value); }
    const QString &IconSmallImagePath() const { return Symbol().SmallImagePath; }
    void SetIconSmallImagePath(const QString &value)
    {
        SetSymbolField(&TSymbolFields::SmallImagePath, value);
    }
    const QString &IconLargeImagePath() const { return Symbol().LargeImagePath; }
    void SetIconLargeImagePath(const QString &value)
    {
        SetSymbolField(&TSymbolFields::LargeImagePath, value);
    }
    const QString &IconComment() const { return Symbol().Comment; }
    void SetIconComment(const QString &value) { SetSymbolField(&TSymbolFields::Comment, value); }

    // Position in the owner's drawing order (-1 when not in it).
    int ZOrder() const;
    void SetZOrder(int index);
    void BringToFront();
    void SendToBack();

    bool Showing() const;
    bool NeedsPaint(const QPainter &canvas) const;

    void SyncFontFromOwner();

    // Copies text, styles, visibility and tag from another graph object.
    // A null source is refused with EConvertError.
    virtual void Assign(const TGraphObject *source);
    // Replaces this object in its diagram by one of another class of the
    // same family (node or link). False when nothing was converted.
    bool ConvertTo(TGraphObjectClassRef newClass);

    // The overridable operations, in their slot order.
    virtual void Initialize() {}
    virtual void RemapStoredReferences(int firstIndex);
    virtual bool ResolveReferences() { return true; }
    virtual bool ReplaceReference(TGraphObject *oldObject, TGraphObject *newObject);
    virtual void Changed(bool contentChanged);
    virtual void UpdateTextLayout(bool full, int dx, int dy);
    virtual TRect GetMarkerRect(TGraphMarker marker) const = 0;
    virtual TGraphMarker HitTest(int x, int y) const = 0;
    virtual void DrawMarkers(QPainter &canvas) = 0;
    virtual void DrawText(QPainter &canvas) = 0;
    virtual void DrawBody(QPainter &canvas) = 0;
    virtual void Draw(QPainter &canvas);
    virtual void SetBoundsRect(const TRect &rect) = 0;
    virtual TRect GetBoundsRect() const = 0;
    virtual bool ContainsPoint(int x, int y) const = 0;
    // The object as a component block of the diagram stream, and back.
    void ReadFromStream(TValueReader &reader);
    void WriteToStream(TValueWriter &writer);

protected:
    TGraphObject(TGraphControl *owner, bool isLink);
    // Destruction goes through Free().
    virtual ~TGraphObject();

    // Applies the object's brush and pen to a painter, as Draw does.
    void PrepareCanvas(QPainter &canvas) const;
    virtual void StyleChanged(TGraphicsObject *sender);

private:
    friend class TGraphControl;

    // Links and labels carry no symbol fields: they are kept apart, made
    // when one is first set, so that those objects stay small.
    struct TSymbolFields {
        QString Caption;
        QString System;
        QString Type;
        QString SmallImagePath;
        QString LargeImagePath;
        QString Comment;
    };
    const TSymbolFields &Symbol() const;
    void SetSymbolField(QString TSymbolFields::*field, const QString &value);

    // The fields every hit test and paint reads come first, so that walking
    // many objects touches few cache lines.
    TGraphControl *FOwner;
    uint32_t FID = 0;
    uint32_t FStoredID = 0;
    TGraphObjectState FState = osCreating;
    bool FVisible = true;
    bool FSelected = false;
    bool FDragging = false;
    bool FIsLink = false;
    bool FParentFont = true;
    bool FSyncingFont = false;
    bool FListed = false; // in the owner's Objects list; kept by the owner
    int32_t FTag = 0;
    TBrush FBrush;
    TPen FPen;
    QString FText;
    TFont FFont;
    std::unique_ptr<TSymbolFields> FSymbol;
};
