#include "WiringDesignProp.h"

#include "ColorSwatch.h"
#include "GraphControl.h"
#include "UserDialogs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// A spin box whose text box can be named like the form's own.
class TSpinBox : public QSpinBox {
public:
    using QSpinBox::lineEdit;
};

} // namespace

TFrmDesignerProperties::TFrmDesignerProperties(QWidget *parent, IUserDialogs &dialogs)
    : QDialog(parent), FDialogs(dialogs)
{
    setObjectName(QStringLiteral("FrmDesignerProperties"));
    setWindowTitle(QStringLiteral("选项"));

    SnapToGrid = new QCheckBox(QStringLiteral("自动吸附到网格"));
    SnapToGrid->setObjectName(QStringLiteral("SnapToGrid"));
    ShowGrid = new QCheckBox(QStringLiteral("显示网格"));
    ShowGrid->setObjectName(QStringLiteral("ShowGrid"));
    auto *spin = new TSpinBox;
    GridSize = spin;
    GridSize->setObjectName(QStringLiteral("GridSize"));
    GridSize->setRange(4, 128);
    Edit1 = spin->lineEdit();
    Edit1->setObjectName(QStringLiteral("Edit1"));
    auto *grid = new QGroupBox(QStringLiteral(" 网格 "));
    auto *gridLayout = new QVBoxLayout(grid);
    gridLayout->addWidget(SnapToGrid);
    gridLayout->addWidget(ShowGrid);
    auto *sizeRow = new QHBoxLayout;
    sizeRow->addWidget(new QLabel(QStringLiteral("网格尺寸")));
    sizeRow->addWidget(GridSize);
    sizeRow->addStretch();
    gridLayout->addLayout(sizeRow);

    auto *colours = new QGroupBox(QStringLiteral(" 颜色 "));
    auto *colourLayout = new QGridLayout(colours);
    const auto swatch = [&](TColorSwatch *&field, const char *name, const QString &label, int row) {
        field = new TColorSwatch;
        field->setObjectName(QLatin1String(name));
        field->OnClick = [this, field] { SwatchClick(field); };
        colourLayout->addWidget(new QLabel(label), row, 0);
        colourLayout->addWidget(field, row, 1);
    };
    swatch(BackgroundColor, "BackgroundColor", QStringLiteral("背景色"), 0);
    swatch(MarkerColor, "MarkerColor", QStringLiteral("标记"), 1);
    swatch(GridColor, "GridColor", QStringLiteral("网格"), 2);

    btnOK = new QPushButton(QStringLiteral("确定"));
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("取消"));
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnApply = new QPushButton(QStringLiteral("应用"));
    btnApply->setObjectName(QStringLiteral("btnApply"));
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnApply, &QPushButton::clicked, this, [this] { btnApplyClick(); });
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    buttons->addWidget(btnApply);

    auto *layout = new QVBoxLayout(this);
    auto *groups = new QHBoxLayout;
    groups->addWidget(grid);
    groups->addWidget(colours);
    layout->addLayout(groups);
    layout->addLayout(buttons);
}

void TFrmDesignerProperties::Load(TGraphControl *drawing)
{
    FDrawing = drawing;
    SnapToGrid->setChecked(drawing->SnapToGrid());
    ShowGrid->setChecked(drawing->ShowGrid());
    GridSize->setValue(drawing->GridSize());
    BackgroundColor->SetColor(drawing->Color());
    MarkerColor->SetColor(drawing->MarkerColor());
    GridColor->SetColor(drawing->GridColor());
}

void TFrmDesignerProperties::Apply()
{
    if (!FDrawing)
        return;
    GridSize->interpretText(); // a value still being typed counts
    TGraphUpdateGuard batch(FDrawing);
    FDrawing->SetSnapToGrid(SnapToGrid->isChecked());
    FDrawing->SetShowGrid(ShowGrid->isChecked());
    FDrawing->SetGridSize(GridSize->value());
    FDrawing->SetColor(BackgroundColor->Color());
    FDrawing->SetMarkerColor(MarkerColor->Color());
    FDrawing->SetGridColor(GridColor->Color());
}

void TFrmDesignerProperties::SwatchClick(TColorSwatch *swatch)
{
    TColor colour = swatch->Color();
    if (FDialogs.ChooseColor(this, colour))
        swatch->SetColor(colour);
}

void TFrmDesignerProperties::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    PlaceNearRightEdge();
}

void TFrmDesignerProperties::PlaceNearRightEdge()
{
    const QScreen *where = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!where)
        return;
    const QRect area = where->geometry();
    move(area.left() + area.width() - frameGeometry().width() - 20, area.top() + 116);
}

bool TFrmDesignerProperties::EditDrawingArea(QWidget *parent, IUserDialogs &dialogs,
                                             TGraphControl *drawing)
{
    TFrmDesignerProperties dialog(parent, dialogs);
    dialog.Load(drawing);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.Apply();
    return true;
}
