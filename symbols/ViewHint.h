#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;

// The symbol details window: a borderless window that stays on top, with
// the symbol's description on the left and its large picture on the right.
class TFrmHint : public QWidget {
    Q_OBJECT

public:
    explicit TFrmHint(QWidget *parent = nullptr);

    QPlainTextEdit *Memo = nullptr;
    // The picture at its natural size from the top-left corner, cut off
    // where it is larger than the label.
    QLabel *Image = nullptr;
};
