#pragma once

#include "GraphIndex.h"
#include "GraphObject.h"
#include "GraphPicture.h"
#include "GraphRegion.h"
#include "TextLayout.h"
#include "TextRunCache.h"

#include <QPoint>
#include <optional>

// Base of every node: a rectangle of the diagram with a text laid out in it,
// an optional background picture stretched into it, a region for hit tests
// and clipping, eight resize handles and a centre at which links aim. The
// concrete kinds supply the shape.
class TGraphNode : public TGraphObject {
public:
    static const TGraphObjectClass Class;
    TGraphObjectClassRef ClassType() const override { return &Class; }

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int value);
    void SetTop(int value);
    void SetWidth(int value);
    void SetHeight(int value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    bool IsCodeNode() const { return FIsCodeNode; }
    void SetIsCodeNode(bool value) { FIsCodeNode = value; }
    int Margin() const { return FMargin; }
    void SetMargin(int value);
    const TPicture &Background() const { return FBackground; }
    TPicture &Background() { return FBackground; }
    void SetBackground(const TPicture &picture);
    const TGraphRegion &Region() const { return FRegion; }
    // Where the text was last laid out (laid out now when that is pending).
    const TRect &TextRect() const;
    int Degree() const { return FDegree; }
    void SetDegree(int value) { FDegree = value; }
    bool IsLeftRightMirror() const { return FIsLeftRightMirror; }
    void SetIsLeftRightMirror(bool value) { FIsLeftRightMirror = value; }
    bool IsTopBottomMirror() const { return FIsTopBottomMirror; }
    void SetIsTopBottomMirror(bool value) { FIsTopBottomMirror = value; }

    // Overridable operations added by nodes, in their slot order.
    virtual void BoundsChanged(int dx, int dy, int dw, int dh);
    virtual TRect GetTextArea() const;
    TRect ComputeTextRect() const;
    virtual QPoint GetCenter() const;
    virtual TGraphRegion CreateRegion() const = 0;
    void DrawBackground(QPainter &canvas);
    virtual QPoint LinkIntersection(int side, double angle) const = 0;
    void SetBounds(int left, int top, int width, int height);
    int LinkKindTo(const TGraphNode *other) const;

    // Moves or resizes the node for a drag of a handle or of its body.
    void MoveResizeByMarker(TGraphMarker marker, int dx, int dy);

    // The text format ComputeTextRect measures and DrawText draws with.
    TTextFormat TextFormat() const;

    void Assign(const TGraphObject *source) override;
    void Initialize() override;
    void UpdateTextLayout(bool full, int dx, int dy) override;
    TRect GetMarkerRect(TGraphMarker marker) const override;
    TGraphMarker HitTest(int x, int y) const override;
    void DrawMarkers(QPainter &canvas) override;
    void DrawText(QPainter &canvas) override;
    void SetBoundsRect(const TRect &rect) override;
    TRect GetBoundsRect() const override;
    bool ContainsPoint(int x, int y) const override;

protected:
    explicit TGraphNode(TGraphControl *owner);
    ~TGraphNode() override;

private:
    friend class TGraphIndex;
    void BackgroundChanged();
    // Lays the text out in an area of a node at a position: the text
    // rectangle and its lines.
    TRect LayoutText(QStringList *lines, const TRect &area, const TTextFormat &format, int left,
                     int top) const;
    // Lays out a pending layout with what it was asked with.
    void LayOutPendingText() const;

    // Bounds and region first: hit tests read them for every node.
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    TGraphRegion FRegion;
    TAlignment FAlignment = taCenter;
    bool FIsCodeNode = false;
    bool FIsLeftRightMirror = false;
    bool FIsTopBottomMirror = false;
    int FMargin = 8;
    int FDegree = 0;
    // The text is laid out when first needed, not at each change: a load
    // would otherwise measure every text of the diagram. A pending layout
    // keeps what a layout at the time of the change would have used (the
    // text and font cannot change without asking for a new one) and the
    // moves since, which shift the laid-out text.
    struct TPendingLayout {
        TRect Area;
        TTextFormat Format;
        int Left = 0;
        int Top = 0;
        int DX = 0;
        int DY = 0;
    };
    mutable std::optional<TPendingLayout> FPendingLayout;
    mutable TRect FTextRect;
    mutable QStringList FTextLines; // the lines of FTextRect, kept for painting
    TTextRunCache FTextRuns; // their glyphs, shaped once
    TPicture FBackground;
    TGraphIndex::TExtentEntry FExtentEntry; // kept by the owner's index
};
