#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The dialog "设置方案名称" that asks for the name of a new recommended
// scheme. It is made once and reused, so the name typed last stays.
class TFrmSetProjectName : public QDialog {
    Q_OBJECT

public:
    explicit TFrmSetProjectName(QWidget *parent = nullptr);

    QLineEdit *edtProjectName;
    QPushButton *btnOK;
    QPushButton *btnCancel;
};
