#pragma once

#include <cstdint>

// Enumerations shared by the diagram objects and their owner. The numeric
// values are those the diagram stream stores.

enum TGraphObjectState : uint8_t {
    osNone = 0,
    osCreating = 1,
    osDestroying = 2,
    osReading = 3,
    osWriting = 4,
};

enum TGraphMarker : uint8_t {
    mkNone = 0,
    mkLeft = 1,
    mkRight = 2,
    mkTop = 3,
    mkBottom = 4,
    mkTopLeft = 5,
    mkTopRight = 6,
    mkBottomLeft = 7,
    mkBottomRight = 8,
    mkNodeBody = 9,
    mkLinkFrom = 10,
    mkLinkTo = 11,
    mkLinkLine = 12,
};

enum TGraphListAction : uint8_t {
    laAdded = 0,
    laRemoved = 1,
    laMoved = 2,
};

enum TAlignment : uint8_t {
    taLeftJustify = 0,
    taRightJustify = 1,
    taCenter = 2,
};

enum TLinkKind : uint8_t {
    lkUndirected = 0,
    lkDirected = 1,
    lkBidirected = 2,
};

enum TGraphDragState : uint8_t {
    dragNone = 0,
    dragMoveResize = 1,
    dragSelectRect = 2,
    dragLinkPoint = 3,
};

enum TGraphCommandMode : uint8_t {
    cmBrowse = 0,
    cmEdit = 1,
    cmInsertNode = 2,
    cmLinkNodes = 3,
};

// Arrowhead length in multiples of the line width or marker size.
using TArrowSize = uint8_t;
constexpr TArrowSize ArrowSizeMin = 2;
constexpr TArrowSize ArrowSizeMax = 10;
