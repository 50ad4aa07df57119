#pragma once

#include "GraphIndex.h"
#include "GraphObject.h"
#include "GraphRegion.h"

#include <QPoint>

class TGraphNode;

// A straight connection from the outline of one node to the outline of
// another, with optional arrowheads and a label along the line. It refers to
// its nodes both directly and by identifier; the identifiers are what the
// stream stores and what lets a link find its nodes again after a load, a
// paste or a node's replacement, and notice when a node is gone.
class TGraphLink : public TGraphObject {
    GRAPH_OBJECT_CLASS
public:
    explicit TGraphLink(TGraphControl *owner);

    TGraphNode *FromNode() const { return FFromNode; }
    TGraphNode *ToNode() const { return FToNode; }
    void SetFromNode(TGraphNode *node);
    void SetToNode(TGraphNode *node);
    TLinkKind Kind() const { return FKind; }
    void SetKind(TLinkKind value);
    TArrowSize ArrowSize() const { return FArrowSize; }
    void SetArrowSize(TArrowSize value);
    const QPoint &StartPoint() const { return FStartPoint; }
    const QPoint &EndPoint() const { return FEndPoint; }
    double Angle() const { return FAngle; }
    const TGraphRegion &TextRegion() const { return FTextRegion; }
    const QPoint &TextPosition() const { return FTextPosition; }
    // The label as shown: its lines, each shortened to fit, joined by "\n".
    const QString &TextLine() const { return FTextLine; }
    uint32_t FromNodeID() const { return FFromNodeID; }
    uint32_t ToNodeID() const { return FToNodeID; }
    // Identifiers as read from a stream or copied by Assign; the nodes
    // follow when references are resolved.
    void SetFromNodeID(uint32_t id);
    void SetToNodeID(uint32_t id);

    // Overridable operations added by links.
    virtual void UpdateEndpoints();
    virtual TGraphRegion CreateTextRegion();
    virtual void Reverse();

    static void DrawDraft(QPainter &canvas, const TRect &rect);

    void Assign(const TGraphObject *source) override;
    void Initialize() override;
    void RemapStoredReferences(int firstIndex) override;
    bool ResolveReferences() override;
    bool ReplaceReference(TGraphObject *oldObject, TGraphObject *newObject) override;
    void Changed(bool contentChanged) override;
    void UpdateTextLayout(bool full, int dx, int dy) override;
    TRect GetMarkerRect(TGraphMarker marker) const override;
    TGraphMarker HitTest(int x, int y) const override;
    void DrawMarkers(QPainter &canvas) override;
    void DrawText(QPainter &canvas) override;
    void DrawBody(QPainter &canvas) override;
    void Draw(QPainter &canvas) override;
    void SetBoundsRect(const TRect &rect) override;
    TRect GetBoundsRect() const override;
    bool ContainsPoint(int x, int y) const override;

    // The distance from a point to the infinite line through two points.
    static int DistanceToLine(const QPoint &start, const QPoint &end, const QPoint &point);
    // A point moved by a distance against a direction (a negative distance
    // moves along it).
    static QPoint BackPoint(const QPoint &point, double distance, double angle);
    // The turning of the label font, in tenths of a degree counter-clockwise.
    static int LabelEscapement(double angle);

protected:
    ~TGraphLink() override = default;

private:
    friend class TGraphIndex;
    // Every change of the ends passes here, so the owner's indexes follow.
    void SetEnds(TGraphNode *fromNode, TGraphNode *toNode, uint32_t fromID, uint32_t toID);
    void DrawArrow(QPainter &canvas, const QPoint &tip, int size);

    TGraphNode *FFromNode = nullptr;
    TGraphNode *FToNode = nullptr;
    TLinkKind FKind = lkUndirected;
    QPoint FStartPoint;
    QPoint FEndPoint;
    TArrowSize FArrowSize = 4;
    double FAngle = 0;
    TGraphRegion FTextRegion;
    QPoint FTextPosition;
    QString FTextLine;
    uint32_t FFromNodeID = 0;
    uint32_t FToNodeID = 0;
    TGraphIndex::TLinkEntry FIndexEntry; // kept by the owner's index
};
