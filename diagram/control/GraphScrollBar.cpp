#include "GraphScrollBar.h"

#include "GraphControl.h"
#include "GraphMath.h"

#include <QElapsedTimer>
#include <QScrollBar>
#include <QStyle>
#include <QThread>

TGraphScrollBar::TGraphScrollBar(TGraphControl *control, bool isVertical)
    : FControl(control), FIsVertical(isVertical)
{
}

QScrollBar *TGraphScrollBar::Bar() const
{
    return FIsVertical ? FControl->verticalScrollBar() : FControl->horizontalScrollBar();
}

void TGraphScrollBar::SetPosition(int value)
{
    value = std::clamp(value, 0, std::max(FMaxPosition, 0));
    if (value == FPosition)
        return;
    FPosition = value;
    FControl->viewport()->update();
    QScrollBar *bar = Bar();
    if (bar->value() != value) {
        const QSignalBlocker blocker(bar);
        bar->setValue(value);
    }
    FControl->UpdateVisibleArea();
}

void TGraphScrollBar::SetScrollExtent(int units)
{
    const int extent = units > 0 ? GraphMath::MulDiv(units, FControl->Zoom(), 100) : 0;
    if (extent == FScrollExtent)
        return;
    FScrollExtent = extent;
    FControl->UpdateScrollBars();
}

void TGraphScrollBar::RecalcExtent()
{
    const TPicture &background = FControl->Background();
    const bool hidden = FControl->ShowHiddenObjects();
    const int picture = background.Empty() ? 0
                        : FIsVertical      ? background.Height()
                                           : background.Width();
    const int nodes = FIsVertical ? FControl->Index().MaxBottom(hidden)
                                  : FControl->Index().MaxRight(hidden);
    SetScrollExtent(std::max(picture, nodes) + FMargin);
}

bool TGraphScrollBar::IsShown() const
{
    return FVisible && FControl->ScrollBarShown(FIsVertical);
}

int TGraphScrollBar::OtherThickness() const
{
    return FControl->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, FControl);
}

int TGraphScrollBar::ViewSize(bool ignoreOther, bool expectOther) const
{
    const QSize client = FControl->ClientSize();
    int size = FIsVertical ? client.height() : client.width();
    if (!ignoreOther) {
        const bool otherShown = FIsVertical ? FControl->HorzScrollBar().IsShown()
                                            : FControl->VertScrollBar().IsShown();
        if (expectOther && !otherShown)
            size -= OtherThickness();
        else if (!expectOther && otherShown)
            size += OtherThickness();
    }
    return size;
}

bool TGraphScrollBar::NeedsBar() const
{
    return ViewSize(false, false) < FScrollExtent;
}

void TGraphScrollBar::ApplyAppearance()
{
    QScrollBar *bar = Bar();
    if (!FParentColor) {
        QPalette palette = bar->palette();
        palette.setColor(QPalette::Window, GraphColor::ToQColor(FColor));
        bar->setPalette(palette);
    } else {
        bar->setPalette(QPalette());
    }
    FAppearanceChanged = false;
}

void TGraphScrollBar::UpdateBar(bool ignoreOther, bool expectOther)
{
    const int view = ViewSize(ignoreOther, expectOther);
    FMaxPosition = FVisible ? std::max(FScrollExtent - view, 0) : 0;
    if (FAppearanceChanged)
        ApplyAppearance();
    QScrollBar *bar = Bar();
    {
        const QSignalBlocker blocker(bar);
        bar->setRange(0, FMaxPosition);
        bar->setPageStep(std::max(view + 1, 1));
        bar->setSingleStep(FIncrement);
        bar->setValue(FPosition);
    }
    FControl->ShowScrollBar(FIsVertical, FVisible && FMaxPosition >= 1);
    SetPosition(FPosition);
    FPageStep = uint16_t(std::max(ViewSize(true, false) * 9 / 10, 0));
    if (FSmooth)
        SetIncrement(std::max(FPageStep / 10, 1));
}

void TGraphScrollBar::MoveBy(int delta)
{
    SetPosition(FPosition + delta);
}

void TGraphScrollBar::HandleScroll(int code, int thumbPosition)
{
    if (FSmooth && code >= LineUp && code <= PageDown) {
        const bool line = code == LineUp || code == LineDown;
        const int distance = line ? FIncrement : FPageStep;
        const int pieces = line ? FLineSubsteps : FPageSubsteps;
        const int sign = (code == LineUp || code == PageUp) ? -1 : 1;
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < pieces; ++i) {
            const qint64 wait = FSmoothDelay - timer.elapsed();
            if (i > 0 && wait > 0)
                QThread::msleep(static_cast<unsigned long>(wait));
            timer.restart();
            MoveBy(sign * (distance / pieces));
            FControl->viewport()->repaint();
        }
        if (distance % pieces >= 1)
            MoveBy(sign * (distance % pieces));
        return;
    }
    switch (code) {
    case LineUp:
        MoveBy(-FIncrement);
        break;
    case LineDown:
        MoveBy(FIncrement);
        break;
    case PageUp:
        MoveBy(-ViewSize(true, false));
        break;
    case PageDown:
        MoveBy(ViewSize(true, false));
        break;
    case ThumbPosition:
        SetPosition(thumbPosition);
        break;
    case ThumbTrack:
        if (FTracking)
            SetPosition(thumbPosition);
        break;
    case Top:
        SetPosition(0);
        break;
    case Bottom:
        SetPosition(FMaxPosition);
        break;
    default:
        break;
    }
}

void TGraphScrollBar::SetVisible(bool value)
{
    FVisible = value;
    FControl->UpdateScrollBars();
}

void TGraphScrollBar::SetTracking(bool value)
{
    FTracking = value;
    Bar()->setTracking(value);
}

void TGraphScrollBar::SetButtonSize(int value)
{
    FButtonSize = value;
    FAppearanceChanged = true;
    FControl->UpdateScrollBars();
    FButtonSize = 0; // the window's own size from now on
}

void TGraphScrollBar::SetColor(TColor value)
{
    FColor = value;
    FParentColor = false;
    FAppearanceChanged = true;
    FControl->UpdateScrollBars();
}

void TGraphScrollBar::SetParentColor(bool value)
{
    FParentColor = value;
    if (value)
        FColor = SystemColorBase + 20;
    FAppearanceChanged = true;
    FControl->UpdateScrollBars();
}

void TGraphScrollBar::SetSize(int value)
{
    FSize = value;
    FAppearanceChanged = true;
    FControl->UpdateScrollBars();
    FSize = 0;
}

void TGraphScrollBar::SetStyle(TScrollBarStyle value)
{
    FStyle = value;
    FAppearanceChanged = true;
    FControl->UpdateScrollBars();
}

void TGraphScrollBar::SetThumbSize(int value)
{
    FThumbSize = value;
    FAppearanceChanged = true;
    FControl->UpdateScrollBars();
}

void TGraphScrollBar::Assign(const TGraphScrollBar &source)
{
    SetVisible(source.FVisible);
    SetPosition(source.FPosition);
    FIncrement = source.FIncrement;
    SetScrollExtent(source.FScrollExtent);
}
