#pragma once

#include "GraphColor.h"
#include "GraphicsObject.h"

#include <QPen>
#include <cstdint>

enum TPenMode : uint8_t {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor,
};

enum TPenStyle : uint8_t {
    psSolid,
    psDash,
    psDot,
    psDashDot,
    psDashDotDot,
    psClear,
    psInsideFrame,
};

class TPen : public TGraphicsObject {
public:
    TColor Color() const { return FColor; }
    TPenMode Mode() const { return FMode; }
    TPenStyle Style() const { return FStyle; }
    int Width() const { return FWidth; }

    void SetColor(TColor value);
    void SetMode(TPenMode value);
    void SetStyle(TPenStyle value);
    void SetWidth(int value);

    // Copies every value and reports one change, equal or not.
    void Assign(const TPen &source);
    bool operator==(const TPen &other) const;

    // The Qt pen that draws like this one; width 0 is one device pixel.
    QPen ToQPen() const;

private:
    TColor FColor = clBlack;
    TPenMode FMode = pmCopy;
    TPenStyle FStyle = psSolid;
    int FWidth = 1;
};
