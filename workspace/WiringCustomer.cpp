#include "WiringCustomer.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

TFrmCustomer::TFrmCustomer(QWidget *parent, TCreate create, TChoosePicture choosePicture,
                           const QString &pictureFolder)
    : QDialog(parent), FCreate(std::move(create)), FChoosePicture(std::move(choosePicture)),
      FPictureFolder(pictureFolder)
{
    setWindowTitle(QStringLiteral("创建文件"));
    setObjectName(QStringLiteral("FrmCustomer"));
    auto *form = new QFormLayout;
    const auto edit = [&](const QString &name, const QString &label) {
        auto *line = new QLineEdit(this);
        line->setObjectName(name);
        form->addRow(label, line);
        return line;
    };
    EdtProjectName = edit(QStringLiteral("EdtProjectName"), QStringLiteral("方案名称："));
    EdtCustomerName = edit(QStringLiteral("EdtCustomerName"), QStringLiteral("客户姓名："));
    EdtCustomerPhone = edit(QStringLiteral("EdtCustomerPhone"), QStringLiteral("客户电话："));
    EdtCustomerAddress = edit(QStringLiteral("EdtCustomerAddress"), QStringLiteral("客户地址："));
    EdtCustomerEmail = edit(QStringLiteral("EdtCustomerEmail"), QStringLiteral("客户EMail："));
    EdtDesignerCompany =
        edit(QStringLiteral("EdtDesignerCompany"), QStringLiteral("设计师公司："));
    EdtDesignerName = edit(QStringLiteral("EdtDesignerName"), QStringLiteral("设计师姓名："));

    EdtBackgroundPath = new QLineEdit(this);
    EdtBackgroundPath->setObjectName(QStringLiteral("EdtBackgroundPath"));
    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setText(QStringLiteral("..."));
    auto *background = new QHBoxLayout;
    background->addWidget(EdtBackgroundPath);
    background->addWidget(SpeedButton1);
    form->addRow(QStringLiteral("浏览户型图："), background);

    EdtProjectComment = new QPlainTextEdit(this);
    EdtProjectComment->setObjectName(QStringLiteral("EdtProjectComment"));
    form->addRow(QStringLiteral("备            注："), EdtProjectComment);

    BitBtnOk = new QPushButton(QStringLiteral("创建文件"), this);
    BitBtnOk->setDefault(true);
    BitBtnCancel = new QPushButton(QStringLiteral("取消"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtnOk);
    buttons->addWidget(BitBtnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(BitBtnOk, &QPushButton::clicked, this, &TFrmCustomer::BitBtnOkClick);
    connect(BitBtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(SpeedButton1, &QToolButton::clicked, this, &TFrmCustomer::SpeedButton1Click);
    resize(460, 420);
}

void TFrmCustomer::BitBtnOkClick()
{
    const QString created = FCreate(*this);
    if (created.isEmpty())
        return; // the dialog stays open
    FCreatedPath = created;
    accept();
}

void TFrmCustomer::SpeedButton1Click()
{
    const QString chosen = FChoosePicture(FPictureFolder);
    if (!chosen.isEmpty())
        EdtBackgroundPath->setText(chosen);
}
