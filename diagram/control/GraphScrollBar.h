#pragma once

#include "GraphColor.h"

#include <algorithm>
#include <cstdint>

class TGraphControl;
class QScrollBar;

enum TScrollBarStyle : uint8_t { ssRegular, ssFlat, ssHotTrack };

// The settings of one scroll direction of a diagram control: how large the
// zoomed content is, how far the view may scroll, how a line or a page
// moves it, and whether scrolling is smooth. It drives the control's own
// window scroll bar of that direction.
class TGraphScrollBar {
public:
    // The codes of a scroll request.
    enum ScrollCode {
        LineUp = 0,
        LineDown = 1,
        PageUp = 2,
        PageDown = 3,
        ThumbPosition = 4,
        ThumbTrack = 5,
        Top = 6,
        Bottom = 7,
    };

    TGraphScrollBar(TGraphControl *control, bool isVertical);

    int Increment() const { return FIncrement; }
    void SetIncrement(int value) { FIncrement = uint16_t(std::clamp(value, 1, 32767)); }
    int PageStep() const { return FPageStep; }
    int Position() const { return FPosition; }
    void SetPosition(int value);
    int ScrollExtent() const { return FScrollExtent; }
    void SetScrollExtent(int units);
    int MaxPosition() const { return FMaxPosition; }
    bool IsVertical() const { return FIsVertical; }
    int Margin() const { return FMargin; }
    void SetMargin(int value) { FMargin = uint16_t(value); }
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    bool Tracking() const { return FTracking; }
    void SetTracking(bool value);
    bool Smooth() const { return FSmooth; }
    void SetSmooth(bool value) { FSmooth = value; }
    int SmoothDelay() const { return FSmoothDelay; }
    void SetSmoothDelay(int value) { FSmoothDelay = value; }
    int ButtonSize() const { return FButtonSize; }
    void SetButtonSize(int value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);
    int Size() const { return FSize; }
    void SetSize(int value);
    TScrollBarStyle Style() const { return FStyle; }
    void SetStyle(TScrollBarStyle value);
    int ThumbSize() const { return FThumbSize; }
    void SetThumbSize(int value);
    int PageSubsteps() const { return FPageSubsteps; }
    int LineSubsteps() const { return FLineSubsteps; }

    // The content extent from the floor plan and the showing nodes.
    void RecalcExtent();
    // Whether the window shows this direction's bar.
    bool IsShown() const;
    // The client size in this direction, corrected for the other bar.
    int ViewSize(bool ignoreOther, bool expectOther) const;
    bool NeedsBar() const;
    void UpdateBar(bool ignoreOther, bool expectOther);
    void HandleScroll(int code, int thumbPosition);

    // Copies visibility, position, increment and extent from another bar.
    void Assign(const TGraphScrollBar &source);

private:
    QScrollBar *Bar() const;
    int OtherThickness() const;
    void ApplyAppearance();
    void MoveBy(int delta);

    TGraphControl *FControl;
    uint16_t FIncrement = 8;
    uint16_t FPageStep = 80;
    int FPosition = 0;
    int FScrollExtent = 0;
    int FMaxPosition = 0;
    bool FIsVertical;
    uint16_t FMargin = 0;
    bool FVisible = true;
    bool FTracking = false;
    bool FSmooth = false;
    int FSmoothDelay = 10;
    int FButtonSize = 0;
    TColor FColor = SystemColorBase + 20; // button highlight
    bool FParentColor = true;
    int FSize = 0;
    TScrollBarStyle FStyle = ssRegular;
    int FThumbSize = 0;
    int FPageSubsteps = 12;
    int FLineSubsteps = 4;
    bool FAppearanceChanged = true;
};
