#pragma once

#include "GraphColor.h"

#include <QFrame>
#include <functional>

// A sunken panel filled with one colour; a click asks for another.
class TColorSwatch : public QFrame {
    Q_OBJECT

public:
    explicit TColorSwatch(QWidget *parent = nullptr);

    TColor Color() const { return FColor; }
    void SetColor(TColor value);

    std::function<void()> OnClick;

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    TColor FColor = clBlack;
};
