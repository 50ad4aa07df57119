#include "ColorSwatch.h"

#include <QKeyEvent>
#include <QMouseEvent>

TColorSwatch::TColorSwatch(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAutoFillBackground(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus); // the keyboard reaches it too
    setMinimumSize(40, 20);
    SetColor(clBlack);
}

void TColorSwatch::SetColor(TColor value)
{
    FColor = value;
    QPalette colours = palette();
    colours.setColor(QPalette::Window, GraphColor::ToQColor(value));
    setPalette(colours);
}

void TColorSwatch::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        OnClick)
        OnClick();
    QFrame::mouseReleaseEvent(event);
}

void TColorSwatch::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Space || event->key() == Qt::Key_Return) && OnClick) {
        OnClick();
        return;
    }
    QFrame::keyPressEvent(event);
}
