#include "UserDialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QRegularExpression>

namespace {

QMessageBox::Icon BoxIcon(IUserDialogs::TIcon icon)
{
    switch (icon) {
    case IUserDialogs::Warning:
        return QMessageBox::Warning;
    case IUserDialogs::Error:
        return QMessageBox::Critical;
    case IUserDialogs::Question:
        return QMessageBox::Question;
    default:
        return QMessageBox::Information;
    }
}

} // namespace

QString IUserDialogs::PictureFilter()
{
    return QStringLiteral("所有图片 (*.bmp *.jpg *.jpeg *.ico *.emf *.wmf);;"
                          "Bitmaps (*.bmp);;JPEG Image File (*.jpg *.jpeg);;Icons (*.ico);;"
                          "Enhanced Metafiles (*.emf);;Metafiles (*.wmf)");
}

void TDesktopDialogs::Tell(QWidget *parent, const QString &text, TIcon icon)
{
    QMessageBox box(BoxIcon(icon), ApplicationTitle(), text, QMessageBox::Ok, parent);
    box.exec();
}

IUserDialogs::TButton TDesktopDialogs::Ask(QWidget *parent, const QString &text, TIcon icon,
                                           TButton defaultButton)
{
    QMessageBox box(BoxIcon(icon), ApplicationTitle(), text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setDefaultButton(defaultButton == Yes ? QMessageBox::Yes : QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? Yes : No;
}

QString TDesktopDialogs::OpenFile(QWidget *parent, const QString &filter, const QString &start)
{
    return QFileDialog::getOpenFileName(parent, QString(), start, filter);
}

QString TDesktopDialogs::SaveFile(QWidget *parent, const QString &filter, const QString &start)
{
    QString chosenFilter;
    QString name = QFileDialog::getSaveFileName(parent, QString(), start, filter, &chosenFilter);
    // A name typed without extension takes the one of the chosen file type.
    static const QRegularExpression firstPattern(QStringLiteral("\\(\\*(\\.[A-Za-z0-9]+)"));
    const QRegularExpressionMatch match = firstPattern.match(chosenFilter);
    if (!name.isEmpty() && QFileInfo(name).suffix().isEmpty() && match.hasMatch())
        name += match.captured(1);
    return name;
}

QString TDesktopDialogs::OpenPicture(QWidget *parent, const QString &start)
{
    return QFileDialog::getOpenFileName(parent, QString(), start, PictureFilter());
}

bool IUserDialogs::Print(QWidget *, QPrinter &)
{
    return false;
}

bool IUserDialogs::PageSetup(QWidget *, QPrinter &)
{
    return false;
}

bool TDesktopDialogs::Print(QWidget *parent, QPrinter &printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool TDesktopDialogs::PageSetup(QWidget *parent, QPrinter &printer)
{
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}
