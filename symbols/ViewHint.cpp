#include "ViewHint.h"

#include "GraphFont.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>

TFrmHint::TFrmHint(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("FrmHint"));
    // Showing the details must not take the focus from the drawing.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFont(TFont::WindowFont(13));
    // The picture panel is the library's 150-pixel picture inside a 1-pixel
    // sunken frame, so the whole picture shows.
    setFixedSize(302, 152);

    Memo = new QPlainTextEdit(this);
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setReadOnly(true);
    Memo->setGeometry(0, 0, 150, 152);

    auto *panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    panel->setGeometry(150, 0, 152, 152);
    Image = new QLabel(panel);
    Image->setObjectName(QStringLiteral("Image"));
    Image->setGeometry(1, 1, 150, 150);
    Image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image->setScaledContents(false);
}
