#include "GraphObject.h"

#include "GraphCanvas.h"
#include "GraphControl.h"
#include "GraphNode.h"

#include <QPainter>
#include <climits>

const TGraphObjectClass TGraphObject::Class = {"TGraphObject", nullptr, nullptr, nullptr};

TGraphObject::TGraphObject(TGraphControl *owner, bool isLink)
    : FIsLink(isLink)
{
    FID = owner->UnusedID(1);
    FOwner = owner;
    const auto styleChanged = [this](TGraphicsObject *sender) { StyleChanged(sender); };
    FFont.SetOnChange(styleChanged);
    FBrush.SetOnChange(styleChanged);
    FPen.SetOnChange(styleChanged);
    FVisible = true;
    SyncFontFromOwner();
}

TGraphObject::~TGraphObject()
{
    FFont.SetOnChange(nullptr);
    FBrush.SetOnChange(nullptr);
    FPen.SetOnChange(nullptr);
}

void TGraphObject::Free()
{
    SetState(osDestroying);
    delete this;
}

void TGraphObject::SetID(uint32_t value)
{
    if (FID == value)
        return;
    FOwner->ObjectIDChanging(this, value);
}

void TGraphObject::SetStoredID(uint32_t value)
{
    if (FStoredID == value)
        return;
    FOwner->ObjectStoredIDChanging(this, value);
}

void TGraphObject::SetText(const QString &value)
{
    if (FText == value)
        return;
    FText = value;
    UpdateTextLayout(true, 0, 0);
    Changed(true);
}

const TGraphObject::TSymbolFields &TGraphObject::Symbol() const
{
    static const TSymbolFields none;
    return FSymbol ? *FSymbol : none;
}

void TGraphObject::SetSymbolField(QString TSymbolFields::*field, const QString &value)
{
    if (!FSymbol) {
        if (value.isEmpty())
            return;
        FSymbol = std::make_unique<TSymbolFields>();
    }
    (*FSymbol).*field = value;
}

void TGraphObject::SetParentFont(bool value)
{
    if (FParentFont == value)
        return;
    FParentFont = value;
    if (value)
        SyncFontFromOwner();
    Changed(true);
}

void TGraphObject::SetVisible(bool value)
{
    if (FVisible == value)
        return;
    FVisible = value;
    if (!FIsLink)
        FOwner->NodeExtentChanged(static_cast<TGraphNode *>(this));
    Changed(true);
}

void TGraphObject::SetSelected(bool value)
{
    if (FSelected == value)
        return;
    FSelected = value;
    if (value)
        FOwner->SelectedObjects().Add(this);
    else
        FOwner->SelectedObjects().Remove(this);
}

void TGraphObject::SetDragging(bool value)
{
    if (FDragging == value)
        return;
    FDragging = value;
    Changed(false);
}

void TGraphObject::SetState(TGraphObjectState value)
{
    if (FState == value)
        return;
    const TGraphObjectState old = FState;
    if (old == osCreating)
        FOwner->Objects().Add(this);
    FState = value;
    if (!FIsLink)
        FOwner->NodeExtentChanged(static_cast<TGraphNode *>(this));
    if (value == osDestroying)
        FOwner->Objects().Remove(this);
    else if (value == osNone && (old == osCreating || old == osReading))
        Initialize();
}

int TGraphObject::ZOrder() const
{
    return FOwner->Objects().IndexOf(this);
}

void TGraphObject::SetZOrder(int index)
{
    TGraphObjectList &objects = FOwner->Objects();
    const int current = objects.IndexOf(this);
    if (current < 0)
        return;
    if (index < 0 || index >= objects.Count())
        index = objects.Count() - 1;
    objects.Move(current, index);
}

void TGraphObject::BringToFront()
{
    SetZOrder(INT_MAX);
}

void TGraphObject::SendToBack()
{
    SetZOrder(0);
}

bool TGraphObject::Showing() const
{
    return FState == osNone && (FVisible || FOwner->ShowHiddenObjects());
}

bool TGraphObject::NeedsPaint(const QPainter &canvas) const
{
    if (!Showing())
        return false;
    if (!FOwner->IsWindowCanvas(canvas))
        return true;
    int grow = FPen.Width();
    if (FSelected)
        grow += FOwner->MarkerSize();
    return GetBoundsRect().Inflated(grow, grow).Intersects(FOwner->VisibleGraphRect());
}

void TGraphObject::PrepareCanvas(QPainter &canvas) const
{
    GraphCanvas::SelectBrush(canvas, FBrush);
    GraphCanvas::SelectPen(canvas, FPen);
}

void TGraphObject::Draw(QPainter &canvas)
{
    if (!NeedsPaint(canvas))
        return;
    PrepareCanvas(canvas);
    DrawBody(canvas);
    if (!FText.isEmpty()) {
        GraphCanvas::ClearBrush(canvas);
        GraphCanvas::SelectFont(canvas, FFont);
        DrawText(canvas);
    }
}

void TGraphObject::SyncFontFromOwner()
{
    struct Reset {
        bool &flag;
        ~Reset() { flag = false; }
    } reset{FSyncingFont};
    FSyncingFont = true;
    FFont.Assign(FOwner->Font());
}

void TGraphObject::StyleChanged(TGraphicsObject *sender)
{
    if (sender == &FFont) {
        UpdateTextLayout(true, 0, 0);
        if (FSyncingFont) {
            FParentFont = true;
            return;
        }
        FParentFont = false;
    }
    Changed(true);
}

void TGraphObject::Changed(bool contentChanged)
{
    if (FState == osNone)
        FOwner->NotifyChange(this, contentChanged);
}

void TGraphObject::UpdateTextLayout(bool, int, int) {}

void TGraphObject::RemapStoredReferences(int) {}

bool TGraphObject::ReplaceReference(TGraphObject *, TGraphObject *)
{
    return true;
}

void TGraphObject::Assign(const TGraphObject *source)
{
    if (!source)
        throw EConvertError(QStringLiteral("Cannot assign a nil to a %1")
                                .arg(ClassType()->ClassName())
                                .toStdString());
    TGraphUpdateGuard batch(FOwner);
    SetText(source->FText);
    SetBrush(source->FBrush);
    SetPen(source->FPen);
    SetFont(source->FFont);
    SetParentFont(source->FParentFont);
    SetVisible(source->FVisible);
    FTag = source->FTag;
}

bool TGraphObject::ConvertTo(TGraphObjectClassRef newClass)
{
    if (!newClass || newClass == ClassType() || newClass->IsAbstract())
        return false;
    TGraphControl *owner = FOwner;
    TGraphUpdateGuard batch(owner);
    TGraphObject *converted = newClass->Create(owner);
    if (converted->IsLink() != IsLink()) {
        converted->Free();
        return false;
    }
    converted->Assign(this);
    owner->ReplaceObject(this, converted);
    converted->SetState(osNone);
    const std::vector<TGraphObject *> objects = owner->Objects().Snapshot();
    for (auto it = objects.rbegin(); it != objects.rend(); ++it)
        (*it)->ReplaceReference(this, converted);
    if (!converted->ResolveReferences()) {
        // Only a link whose nodes cannot be found gets here; nothing refers
        // to a link, so the original simply takes its place back.
        owner->ReplaceObject(converted, this);
        converted->Free();
        return false;
    }
    Free();
    owner->NotifyChange(converted, true);
    return true;
}
