#pragma once

#include <QDialog>
#include <functional>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

// The dialog "创建文件" that creates a project from the data typed into
// it. It is made once and reused, so its fields keep what was typed last.
class TFrmCustomer : public QDialog {
    Q_OBJECT

public:
    // check runs the creation checks and writes the settings file; it
    // returns the new settings file's path, or empty when a check failed
    // (having told the user why).
    using TCreate = std::function<QString(TFrmCustomer &dialog)>;
    using TChoosePicture = std::function<QString(const QString &start)>;

    // The "..." button's picture dialog starts in pictureFolder.
    TFrmCustomer(QWidget *parent, TCreate create, TChoosePicture choosePicture,
                 const QString &pictureFolder);

    QLineEdit *EdtProjectName;
    QLineEdit *EdtCustomerName;
    QLineEdit *EdtCustomerPhone;
    QLineEdit *EdtCustomerAddress;
    QLineEdit *EdtCustomerEmail;
    QLineEdit *EdtDesignerCompany;
    QLineEdit *EdtDesignerName;
    QLineEdit *EdtBackgroundPath;
    QPlainTextEdit *EdtProjectComment;
    QToolButton *SpeedButton1;
    QPushButton *BitBtnOk;
    QPushButton *BitBtnCancel;

    // The settings file made by the last successful "创建文件".
    const QString &CreatedPath() const { return FCreatedPath; }

    void BitBtnOkClick();
    void SpeedButton1Click();

private:
    TCreate FCreate;
    TChoosePicture FChoosePicture;
    QString FPictureFolder;
    QString FCreatedPath;
};
