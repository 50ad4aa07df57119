#pragma once

#include <QDialog>

// The about box: the product's name and version, its maker and support,
// with links that open in the browser.
class TFrmAbout : public QDialog {
    Q_OBJECT

public:
    explicit TFrmAbout(QWidget *parent);
};

// The help window: what the buttons do and how symbol codes are formed.
class TFrmHelp : public QDialog {
    Q_OBJECT

public:
    explicit TFrmHelp(QWidget *parent);
    static QString HelpText();
};
