#include "WiringLineProp.h"

#include "ColorSwatch.h"
#include "GraphControl.h"
#include "GraphNode.h"
#include "UserDialogs.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace {

class TSpinBox : public QSpinBox {
public:
    using QSpinBox::lineEdit;
};

constexpr int SampleLength = 273;

} // namespace

TFrmLineProp::TFrmLineProp(QWidget *parent, IUserDialogs &dialogs)
    : QDialog(parent), FDialogs(dialogs)
{
    setObjectName(QStringLiteral("FrmLineProp"));
    setWindowTitle(QStringLiteral("设置电线属性"));

    auto *spin = new TSpinBox;
    UpDownMargin = spin;
    UpDownMargin->setObjectName(QStringLiteral("UpDownMargin"));
    UpDownMargin->setRange(0, 10);
    edtMargin = spin->lineEdit();
    edtMargin->setObjectName(QStringLiteral("edtMargin"));
    connect(UpDownMargin, &QSpinBox::valueChanged, this,
            [this](int width) { UpDownMarginChanging(width); });
    auto *width = new QGroupBox(QStringLiteral(" 线条宽度 "));
    auto *widthLayout = new QHBoxLayout(width);
    widthLayout->addWidget(UpDownMargin);

    Panel1 = new TColorSwatch;
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->OnClick = [this] { Panel1Click(); };
    auto *colour = new QGroupBox(QStringLiteral(" 线条颜色 "));
    auto *colourLayout = new QHBoxLayout(colour);
    colourLayout->addWidget(Panel1);

    egShape = new QFrame;
    egShape->setObjectName(QStringLiteral("egShape"));
    egShape->setAutoFillBackground(true);
    auto *sample = new QGroupBox(QStringLiteral(" 示例 "));
    auto *sampleLayout = new QVBoxLayout(sample);
    sampleLayout->addWidget(egShape, 0, Qt::AlignCenter);
    sample->setMinimumHeight(60);

    btnOK = new QPushButton(QStringLiteral("确定"));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("取消"));
    BitBtn4 = new QPushButton(QStringLiteral("应用"));
    BitBtn4->setObjectName(QStringLiteral("BitBtn4"));
    connect(btnOK, &QPushButton::clicked, this, [this] {
        Apply();
        accept();
    });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn4, &QPushButton::clicked, this, [this] { BitBtn4Click(); });
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    buttons->addWidget(BitBtn4);

    auto *top = new QHBoxLayout;
    top->addWidget(width);
    top->addWidget(colour);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(sample);
    layout->addLayout(buttons);
    ShowSample();
}

void TFrmLineProp::Load(const std::vector<TGraphNode *> &wires)
{
    FWires = wires;
    if (wires.empty())
        return;
    const TGraphNode *first = wires.front();
    FDrawing = first->Owner();
    UpDownMargin->setValue(std::clamp(first->Pen().Width(), 0, 10));
    FLoadedWidth = UpDownMargin->value();
    FColor = first->Pen().Color();
    FLoadedColor = FColor;
    Panel1->SetColor(FColor);
    ShowSample();
}

void TFrmLineProp::Apply()
{
    if (FWires.empty() || !FDrawing)
        return;
    UpDownMargin->interpretText();
    const bool all = FWires.size() == 1;
    const bool width = all || UpDownMargin->value() != FLoadedWidth;
    const bool colour = all || FColor != FLoadedColor;
    // Each 确定 or 应用 is one undo step.
    const TGraphEdit edit(FDrawing, QStringLiteral("属性设置"));
    TGraphUpdateGuard batch(FDrawing);
    for (TGraphNode *wire : FWires) {
        TPen pen;
        pen.Assign(wire->Pen());
        if (width)
            pen.SetWidth(UpDownMargin->value());
        if (colour)
            pen.SetColor(FColor);
        wire->SetPen(pen); // reported as a change even when equal
    }
}

void TFrmLineProp::Panel1Click()
{
    if (FDialogs.ChooseColor(this, FColor))
        Panel1->SetColor(FColor);
    ShowSample();
}

void TFrmLineProp::UpDownMarginChanging(int)
{
    ShowSample();
}

void TFrmLineProp::ShowSample()
{
    QPalette colours = egShape->palette();
    colours.setColor(QPalette::Window, GraphColor::ToQColor(FColor));
    egShape->setPalette(colours);
    egShape->setFixedSize(SampleLength, UpDownMargin->value());
}

bool TFrmLineProp::EditWireNodes(QWidget *parent, IUserDialogs &dialogs,
                                 const std::vector<TGraphNode *> &wires)
{
    TFrmLineProp dialog(parent, dialogs);
    dialog.Load(wires);
    return dialog.exec() == QDialog::Accepted;
}
