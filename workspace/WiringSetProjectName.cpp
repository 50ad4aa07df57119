#include "WiringSetProjectName.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFrmSetProjectName::TFrmSetProjectName(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmSetProjectName"));
    setWindowTitle(QStringLiteral("设置方案名称"));
    edtProjectName = new QLineEdit;
    edtProjectName->setObjectName(QStringLiteral("edtProjectName"));
    edtProjectName->setMinimumWidth(220);
    btnOK = new QPushButton(QStringLiteral("确定"));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("取消"));
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("推荐方案名称：")));
    row->addWidget(edtProjectName);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
}
