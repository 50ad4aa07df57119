#include "WiringTextProp.h"

#include "GraphControl.h"
#include "GraphNode.h"
#include "TextCodePage.h"
#include "UserDialogs.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

class TSpinBox : public QSpinBox {
public:
    using QSpinBox::lineEdit;
};

// The text box shows line breaks as lines; the label keeps them as the
// text of a memo holds them.
QString ShownText(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

int ItemOf(TAlignment alignment)
{
    return alignment == taLeftJustify ? 0 : alignment == taRightJustify ? 2 : 1;
}

TAlignment AlignmentOf(int item)
{
    return item == 0 ? taLeftJustify : item == 2 ? taRightJustify : taCenter;
}

} // namespace

TFrmTextProp::TFrmTextProp(QWidget *parent, IUserDialogs &dialogs)
    : QDialog(parent), FDialogs(dialogs)
{
    setObjectName(QStringLiteral("FrmTextProp"));
    setWindowTitle(QStringLiteral("设置文字属性"));
    NodeText = new QPlainTextEdit;
    NodeText->setObjectName(QStringLiteral("NodeText"));

    rgAlignment = new QGroupBox(QStringLiteral(" 对齐 "));
    rgAlignment->setObjectName(QStringLiteral("rgAlignment"));
    AlignmentItems = new QButtonGroup(this);
    auto *alignmentLayout = new QVBoxLayout(rgAlignment);
    const QString captions[] = {QStringLiteral("居左"), QStringLiteral("居中"),
                                QStringLiteral("居右")};
    for (int item = 0; item < 3; ++item) {
        auto *radio = new QRadioButton(captions[item]);
        AlignmentItems->addButton(radio, item);
        alignmentLayout->addWidget(radio);
    }
    connect(AlignmentItems, &QButtonGroup::idClicked, this,
            [this](int item) { rgAlignmentClick(item); });

    auto *spin = new TSpinBox;
    UpDownMargin = spin;
    UpDownMargin->setObjectName(QStringLiteral("UpDownMargin"));
    UpDownMargin->setRange(0, 100);
    edtMargin = spin->lineEdit();
    edtMargin->setObjectName(QStringLiteral("edtMargin"));
    auto *margin = new QGroupBox(QStringLiteral(" 文字边距 "));
    auto *marginLayout = new QHBoxLayout(margin);
    marginLayout->addWidget(UpDownMargin);

    BitBtn1 = new QPushButton(QStringLiteral("改变字体"));
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });

    btnOK = new QPushButton(QStringLiteral("确定"));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("取消"));
    BitBtn4 = new QPushButton(QStringLiteral("应用"));
    BitBtn4->setObjectName(QStringLiteral("BitBtn4"));
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn4, &QPushButton::clicked, this, [this] { BitBtn4Click(); });

    auto *side = new QVBoxLayout;
    side->addWidget(rgAlignment);
    side->addWidget(margin);
    side->addWidget(BitBtn1);
    side->addStretch();
    auto *body = new QHBoxLayout;
    auto *textColumn = new QVBoxLayout;
    textColumn->addWidget(new QLabel(QStringLiteral("文字内容")));
    textColumn->addWidget(NodeText);
    body->addLayout(textColumn, 1);
    body->addLayout(side);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    buttons->addWidget(BitBtn4);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(buttons);
    resize(460, 300);
}

void TFrmTextProp::Load(const std::vector<TGraphNode *> &labels)
{
    FLabels = labels;
    if (labels.empty())
        return;
    const TGraphNode *first = labels.front();
    FDrawing = first->Owner();
    FLoadedAlignment = ItemOf(first->Alignment());
    AlignmentItems->button(FLoadedAlignment)->setChecked(true);
    UpDownMargin->setValue(first->Margin());
    FLoadedMargin = UpDownMargin->value();
    FLoadedText = ShownText(first->Text());
    NodeText->setPlainText(FLoadedText);
    FFont.Assign(first->Font());
    FLoadedFont.Assign(first->Font());
    NodeText->setFont(FFont.ToQFont());
}

QString TFrmTextProp::Text() const
{
    return NodeText->toPlainText().replace(u'\n', QStringLiteral("\r\n"));
}

int TFrmTextProp::AlignmentItem() const
{
    const int item = AlignmentItems->checkedId();
    return item < 0 ? FLoadedAlignment : item;
}

bool TFrmTextProp::Apply()
{
    if (FLabels.empty() || !FDrawing)
        return true;
    UpDownMargin->interpretText();
    const bool all = FLabels.size() == 1;
    const bool text = all || NodeText->toPlainText() != FLoadedText;
    const bool alignment = all || AlignmentItem() != FLoadedAlignment;
    const bool margin = all || UpDownMargin->value() != FLoadedMargin;
    const bool font = all || !(FFont == FLoadedFont);
    // Checked before anything changes: a character the drawing cannot
    // hold would silently turn into a question mark.
    TCodePage936 codePage;
    if (const QString unheld = codePage.Unheld(NodeText->toPlainText());
        text && !unheld.isEmpty()) {
        FDialogs.Tell(this, TCodePage936::Message(QStringLiteral("文字内容"), unheld),
                      IUserDialogs::Warning);
        return false;
    }
    if (const QString unheld = codePage.Unheld(FFont.Name()); font && !unheld.isEmpty()) {
        FDialogs.Tell(this, TCodePage936::Message(QStringLiteral("字体"), unheld),
                      IUserDialogs::Warning);
        return false;
    }
    // Each 确定 or 应用 is one undo step.
    const TGraphEdit edit(FDrawing, QStringLiteral("属性设置"));
    TGraphUpdateGuard batch(FDrawing);
    for (TGraphNode *label : FLabels) {
        if (alignment)
            label->SetAlignment(AlignmentOf(AlignmentItem()));
        if (margin)
            label->SetMargin(UpDownMargin->value());
        if (text)
            label->SetText(Text());
        if (font)
            label->SetFont(FFont);
    }
    return true;
}

void TFrmTextProp::accept()
{
    if (Apply())
        QDialog::accept();
}

void TFrmTextProp::BitBtn1Click()
{
    if (FDialogs.ChooseFont(this, FFont))
        NodeText->setFont(FFont.ToQFont());
}

void TFrmTextProp::rgAlignmentClick(int item)
{
    NodeText->document()->setDefaultTextOption(QTextOption(item == 0   ? Qt::AlignLeft
                                                           : item == 2 ? Qt::AlignRight
                                                                       : Qt::AlignHCenter));
}

bool TFrmTextProp::EditTextNodes(QWidget *parent, IUserDialogs &dialogs,
                                 const std::vector<TGraphNode *> &labels)
{
    TFrmTextProp dialog(parent, dialogs);
    dialog.Load(labels);
    return dialog.exec() == QDialog::Accepted;
}
