#pragma once

#include "GraphColor.h"
#include "GraphicsObject.h"

#include <QBrush>
#include <cstdint>

enum TBrushStyle : uint8_t {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross,
};

class TBrush : public TGraphicsObject {
public:
    TColor Color() const { return FColor; }
    TBrushStyle Style() const { return FStyle; }

    void SetColor(TColor value);
    void SetStyle(TBrushStyle value);

    // Copies every value and reports one change, equal or not.
    void Assign(const TBrush &source);
    bool operator==(const TBrush &other) const;

    QBrush ToQBrush() const;

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};
