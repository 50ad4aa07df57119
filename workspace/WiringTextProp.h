#pragma once

#include "GraphFont.h"
#include "GraphTypes.h"

#include <QDialog>
#include <vector>

class IUserDialogs;
class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class TGraphControl;
class TGraphNode;

// The dialog "设置文字属性": text, alignment, margin and font of the
// selected text labels, shown with the values of the first of them. With
// one label every value is given to it; with several, only the values the
// designer changed are given to all of them, so that changing the font of
// five labels does not give them all the first one's text.
class TFrmTextProp : public QDialog {
    Q_OBJECT

public:
    TFrmTextProp(QWidget *parent, IUserDialogs &dialogs);

    QPlainTextEdit *NodeText;
    QGroupBox *rgAlignment;
    QButtonGroup *AlignmentItems; // items 0 "居左", 1 "居中", 2 "居右"
    QSpinBox *UpDownMargin;
    QLineEdit *edtMargin;
    QPushButton *BitBtn1; // "改变字体"
    QPushButton *btnOK;
    QPushButton *btnCancel;
    QPushButton *BitBtn4; // "应用"

    // The labels to edit, in selection order; the first gives the values.
    void Load(const std::vector<TGraphNode *> &labels);
    // Gives the labels the dialog's values in one batch of their drawing;
    // false (with a message, nothing changed) when the text cannot be kept.
    bool Apply();
    bool BitBtn4Click() { return Apply(); }
    void BitBtn1Click();
    void rgAlignmentClick(int item);
    const TFont &Font() const { return FFont; }

    static bool EditTextNodes(QWidget *parent, IUserDialogs &dialogs,
                              const std::vector<TGraphNode *> &labels);

protected:
    void accept() override;

private:
    QString Text() const;
    int AlignmentItem() const;

    IUserDialogs &FDialogs;
    std::vector<TGraphNode *> FLabels;
    TGraphControl *FDrawing = nullptr;
    TFont FFont;
    // The values shown at load, to tell which ones the designer changed.
    QString FLoadedText;
    int FLoadedAlignment = 1;
    int FLoadedMargin = 0;
    TFont FLoadedFont;
};
