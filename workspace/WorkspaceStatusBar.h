#pragma once

#include <QStatusBar>

class QLabel;

// The main window's status bar: the open scheme with its unsaved mark and
// the zoom of the current drawing as lasting fields; the hint of the
// command under the pointer comes and goes in the message area.
class TWorkspaceStatusBar : public QStatusBar {
public:
    explicit TWorkspaceStatusBar(QWidget *parent = nullptr);

    // An empty name means no scheme is open.
    void ShowScheme(const QString &name, bool modified);
    // A zoom below 1 means no drawing is current.
    void ShowZoom(int zoom);

    QString SchemeText() const;
    QString ModifiedText() const;
    QString ZoomText() const;

private:
    QLabel *FScheme;
    QLabel *FModified;
    QLabel *FZoom;
};
