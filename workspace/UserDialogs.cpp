#include "UserDialogs.h"

#include "GraphFont.h"

#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QTreeView>
#include <QVBoxLayout>

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

// A file dialog roomy enough that its name, size, type and date columns are
// not cut off, as they are at Qt's own size and widths; the platform's native
// dialog, where there is one, keeps its own.
QString RunFileDialog(QWidget *parent, QFileDialog::AcceptMode mode, const QString &start,
                      const QString &filter, QString *chosenFilter = nullptr)
{
    QFileDialog dialog(parent, QString(), start, filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.resize(860, 520);
    // Qt's own dialog: the name column takes what the others leave.
    if (auto *files = dialog.findChild<QTreeView *>(QStringLiteral("treeView"))) {
        QHeaderView *header = files->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        header->resizeSection(1, 90);
        header->resizeSection(2, 110);
        header->resizeSection(3, 150);
    }
    if (auto *splitter = dialog.findChild<QSplitter *>(QStringLiteral("splitter")))
        splitter->setSizes({150, 690});
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    if (chosenFilter)
        *chosenFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().value(0);
}

// The platform's font dialog has no colour; a drawing's font has one, so
// the font choice carries a colour button beside the font list.
class TFontColorDialog : public QDialog {
public:
    TFontColorDialog(QWidget *parent, const TFont &font)
        : QDialog(parent), FFonts(new QFontDialog(this)), FColor(font.Color())
    {
        setWindowTitle(QStringLiteral("字体"));
        FFonts->setWindowFlags(Qt::Widget);
        FFonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
        QFont start = font.ToQFont();
        start.setPointSize(std::max(1, font.Size()));
        FFonts->setCurrentFont(start);
        auto *colour = new QPushButton(QStringLiteral("颜色..."), this);
        connect(colour, &QPushButton::clicked, this, [this, colour] {
            const QColor chosen =
                QColorDialog::getColor(GraphColor::ToQColor(FColor), this, QString());
            if (chosen.isValid())
                FColor = GraphColor::FromQColor(chosen);
            ShowColor(colour);
        });
        ShowColor(colour);
        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(FFonts);
        layout->addWidget(colour, 0, Qt::AlignLeft);
        layout->addWidget(buttons);
    }

    void TakeInto(TFont &font) const
    {
        const QFont chosen = FFonts->currentFont();
        font.SetName(chosen.family());
        font.SetSize(chosen.pointSize() > 0 ? chosen.pointSize() : font.Size());
        font.SetStyle(TFontStyles((chosen.bold() ? fsBold : 0) | (chosen.italic() ? fsItalic : 0) |
                                  (chosen.underline() ? fsUnderline : 0) |
                                  (chosen.strikeOut() ? fsStrikeOut : 0)));
        font.SetColor(FColor);
    }

private:
    void ShowColor(QPushButton *button)
    {
        QPixmap swatch(16, 16);
        swatch.fill(GraphColor::ToQColor(FColor));
        button->setIcon(QIcon(swatch));
    }

    QFontDialog *FFonts;
    TColor FColor;
};

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
    return RunFileDialog(parent, QFileDialog::AcceptOpen, start, filter);
}

QString TDesktopDialogs::SaveFile(QWidget *parent, const QString &filter, const QString &start)
{
    QString chosenFilter;
    QString name = RunFileDialog(parent, QFileDialog::AcceptSave, start, filter, &chosenFilter);
    // A name typed without extension takes the one of the chosen file type.
    static const QRegularExpression firstPattern(QStringLiteral("\\(\\*(\\.[A-Za-z0-9]+)"));
    const QRegularExpressionMatch match = firstPattern.match(chosenFilter);
    if (!name.isEmpty() && QFileInfo(name).suffix().isEmpty() && match.hasMatch())
        name += match.captured(1);
    return name;
}

QString TDesktopDialogs::OpenPicture(QWidget *parent, const QString &start)
{
    return RunFileDialog(parent, QFileDialog::AcceptOpen, start, PictureFilter());
}

bool TDesktopDialogs::ChooseColor(QWidget *parent, TColor &color)
{
    const QColor chosen = QColorDialog::getColor(GraphColor::ToQColor(color), parent, QString());
    if (!chosen.isValid())
        return false;
    color = GraphColor::FromQColor(chosen);
    return true;
}

bool TDesktopDialogs::ChooseFont(QWidget *parent, TFont &font)
{
    TFontColorDialog dialog(parent, font);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.TakeInto(font);
    return true;
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
