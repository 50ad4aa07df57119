#pragma once

#include "GraphColor.h"

#include <QString>

class QPrinter;
class QWidget;
class TFont;

// The message boxes and file dialogs of the workspace, behind one small
// interface so that tests can answer them. Every message box carries the
// application title as its caption.
class IUserDialogs {
public:
    enum TIcon { Information, Warning, Error, Question };
    enum TButton { Ok, Yes, No, Cancel };

    virtual ~IUserDialogs() = default;

    // A message with an OK button.
    virtual void Tell(QWidget *parent, const QString &text, TIcon icon) = 0;
    // A Yes/No question; defaultButton is Yes or No.
    virtual TButton Ask(QWidget *parent, const QString &text, TIcon icon,
                        TButton defaultButton) = 0;
    // File dialogs: the chosen path, or empty when cancelled.
    virtual QString OpenFile(QWidget *parent, const QString &filter, const QString &start) = 0;
    virtual QString SaveFile(QWidget *parent, const QString &filter, const QString &start) = 0;
    virtual QString OpenPicture(QWidget *parent, const QString &start) = 0;
    // The colour and font dialogs start with the value given and, on OK,
    // leave the choice in it; false when cancelled (the value is untouched).
    virtual bool ChooseColor(QWidget *parent, TColor &color) = 0;
    virtual bool ChooseFont(QWidget *parent, TFont &font) = 0;
    // The print dialog and the page setup on the printer: true when the
    // user confirms (the choices are then the printer's). Without an
    // answer of its own an implementation cancels.
    virtual bool Print(QWidget *parent, QPrinter &printer);
    virtual bool PageSetup(QWidget *parent, QPrinter &printer);

    // The caption of every message box.
    static QString ApplicationTitle() { return QStringLiteral("Varneth电气线路设计系统"); }
    // The picture formats the picture layer loads, as a file dialog filter.
    static QString PictureFilter();
};

// The dialogs of the desktop.
class TDesktopDialogs : public IUserDialogs {
public:
    void Tell(QWidget *parent, const QString &text, TIcon icon) override;
    TButton Ask(QWidget *parent, const QString &text, TIcon icon, TButton defaultButton) override;
    QString OpenFile(QWidget *parent, const QString &filter, const QString &start) override;
    QString SaveFile(QWidget *parent, const QString &filter, const QString &start) override;
    QString OpenPicture(QWidget *parent, const QString &start) override;
    bool ChooseColor(QWidget *parent, TColor &color) override;
    bool ChooseFont(QWidget *parent, TFont &font) override;
    bool Print(QWidget *parent, QPrinter &printer) override;
    bool PageSetup(QWidget *parent, QPrinter &printer) override;
};
