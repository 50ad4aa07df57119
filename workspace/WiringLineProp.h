#pragma once

#include "GraphColor.h"

#include <QDialog>
#include <vector>

class IUserDialogs;
class QFrame;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TColorSwatch;
class TGraphControl;
class TGraphNode;

// The dialog "设置电线属性": pen width and colour of the selected wire
// pieces, shown with the values of the first of them and a sample line.
// As with text labels, several wires take only the value the designer
// changed, so recolouring wires of different widths keeps their widths.
class TFrmLineProp : public QDialog {
    Q_OBJECT

public:
    TFrmLineProp(QWidget *parent, IUserDialogs &dialogs);

    QSpinBox *UpDownMargin; // the width, 0 to 10
    QLineEdit *edtMargin;
    TColorSwatch *Panel1;
    QFrame *egShape; // the sample line, as high as the width
    QPushButton *btnOK;
    QPushButton *btnCancel;
    QPushButton *BitBtn4; // "应用"

    void Load(const std::vector<TGraphNode *> &wires);
    // Gives the wires the dialog's values in one batch of their drawing.
    void Apply();
    void BitBtn4Click() { Apply(); }
    void Panel1Click();
    void UpDownMarginChanging(int width);
    TColor Color() const { return FColor; }

    static bool EditWireNodes(QWidget *parent, IUserDialogs &dialogs,
                              const std::vector<TGraphNode *> &wires);

private:
    void ShowSample();

    IUserDialogs &FDialogs;
    std::vector<TGraphNode *> FWires;
    TGraphControl *FDrawing = nullptr;
    TColor FColor = clBlack; // the colour dialog's colour
    int FLoadedWidth = 0;
    TColor FLoadedColor = clBlack;
};
