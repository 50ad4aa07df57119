#pragma once

#include <functional>

// Base of the pen, brush, font and picture holders: a value object that
// tells one handler when it changes, so that the graph object owning it can
// lay out, repaint and report.
class TGraphicsObject {
public:
    using TChangeHandler = std::function<void(TGraphicsObject *sender)>;

    TGraphicsObject() = default;
    TGraphicsObject(const TGraphicsObject &) = delete;
    TGraphicsObject &operator=(const TGraphicsObject &) = delete;
    virtual ~TGraphicsObject() = default;

    const TChangeHandler &OnChange() const { return FOnChange; }
    void SetOnChange(TChangeHandler handler) { FOnChange = std::move(handler); }

protected:
    void Changed()
    {
        if (FOnChange)
            FOnChange(this);
    }

private:
    TChangeHandler FOnChange;
};
