#pragma once

#include <QDialog>

class IUserDialogs;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TColorSwatch;
class TGraphControl;

// The dialog "选项": grid, snapping and colours of one drawing. These are
// settings of the drawing area, not of the drawing: applying them neither
// changes the diagram file nor marks the project modified.
class TFrmDesignerProperties : public QDialog {
    Q_OBJECT

public:
    TFrmDesignerProperties(QWidget *parent, IUserDialogs &dialogs);

    QCheckBox *SnapToGrid;
    QCheckBox *ShowGrid;
    QSpinBox *GridSize;
    QLineEdit *Edit1; // the text box of GridSize
    TColorSwatch *BackgroundColor;
    TColorSwatch *MarkerColor;
    TColorSwatch *GridColor;
    QPushButton *btnOK;
    QPushButton *btnCancel;
    QPushButton *btnApply;

    // Takes the values of the drawing, which the dialog then edits.
    void Load(TGraphControl *drawing);
    // Gives the drawing the dialog's values (one batch).
    void Apply();
    void btnApplyClick() { Apply(); }
    // The colour dialog for a swatch; the swatch takes the colour on OK.
    void SwatchClick(TColorSwatch *swatch);
    // Near the right edge of the screen the dialog shows on.
    void PlaceNearRightEdge();

    // Loads, shows modally, applies on "确定"; true when "确定" was chosen.
    static bool EditDrawingArea(QWidget *parent, IUserDialogs &dialogs, TGraphControl *drawing);

protected:
    // Placed once its size is final.
    void showEvent(QShowEvent *event) override;

private:
    IUserDialogs &FDialogs;
    TGraphControl *FDrawing = nullptr;
};
