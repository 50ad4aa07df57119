#include "GraphPen.h"

void TPen::SetColor(TColor value)
{
    if (FColor == value)
        return;
    FColor = value;
    Changed();
}

void TPen::SetMode(TPenMode value)
{
    if (FMode == value)
        return;
    FMode = value;
    Changed();
}

void TPen::SetStyle(TPenStyle value)
{
    if (FStyle == value)
        return;
    FStyle = value;
    Changed();
}

void TPen::SetWidth(int value)
{
    if (value < 0)
        value = 0;
    if (FWidth == value)
        return;
    FWidth = value;
    Changed();
}

void TPen::Assign(const TPen &source)
{
    FColor = source.FColor;
    FMode = source.FMode;
    FStyle = source.FStyle;
    FWidth = source.FWidth;
    Changed();
}

bool TPen::operator==(const TPen &other) const
{
    return FColor == other.FColor && FMode == other.FMode && FStyle == other.FStyle &&
           FWidth == other.FWidth;
}

QPen TPen::ToQPen() const
{
    if (FStyle == psClear)
        return QPen(Qt::NoPen);
    QPen pen(GraphColor::ToQColor(FColor));
    pen.setWidth(FWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    pen.setCapStyle(FWidth <= 1 ? Qt::FlatCap : Qt::RoundCap);
    switch (FStyle) {
    case psDash:
        pen.setStyle(Qt::DashLine);
        break;
    case psDot:
        pen.setStyle(Qt::DotLine);
        break;
    case psDashDot:
        pen.setStyle(Qt::DashDotLine);
        break;
    case psDashDotDot:
        pen.setStyle(Qt::DashDotDotLine);
        break;
    default:
        pen.setStyle(Qt::SolidLine);
        break;
    }
    return pen;
}
