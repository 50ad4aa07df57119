#include "GraphBrush.h"

void TBrush::SetColor(TColor value)
{
    if (FColor == value)
        return;
    FColor = value;
    Changed();
}

void TBrush::SetStyle(TBrushStyle value)
{
    if (FStyle == value)
        return;
    FStyle = value;
    Changed();
}

void TBrush::Assign(const TBrush &source)
{
    FColor = source.FColor;
    FStyle = source.FStyle;
    Changed();
}

bool TBrush::operator==(const TBrush &other) const
{
    return FColor == other.FColor && FStyle == other.FStyle;
}

QBrush TBrush::ToQBrush() const
{
    static constexpr Qt::BrushStyle Styles[] = {
        Qt::SolidPattern,   Qt::NoBrush,       Qt::HorPattern,   Qt::VerPattern,
        Qt::FDiagPattern,   Qt::BDiagPattern,  Qt::CrossPattern, Qt::DiagCrossPattern,
    };
    return QBrush(GraphColor::ToQColor(FColor), Styles[FStyle]);
}
