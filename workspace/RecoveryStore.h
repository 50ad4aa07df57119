#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

// What a crash must not take: a project's two drawings and page-0 fields
// as they stood, unsaved.
struct TRecoveredProject {
    QString ProjectPath; // the project's settings file
    QString SchemeName;
    QDateTime Time;
    QStringList Fields; // the page-0 fields, in the order of the form
    QByteArray Wiring;  // the drawings as diagram files
    QByteArray Guard;
    QString FileName; // where it is kept (filled in by List)
};

// The recoveries of unsaved projects, one file each in a folder of the
// user's data location (never in a project folder). A file is replaced
// whole or not at all, so a crash while writing leaves the previous one.
class TRecoveryStore {
public:
    explicit TRecoveryStore(QString folder);
    // "varneth/recovery" in the user's data location.
    static QString DefaultFolder();

    const QString &Folder() const { return FFolder; }
    QString FileOf(const QString &projectPath) const;
    // Throws std::runtime_error when it cannot be written.
    void Save(const TRecoveredProject &project) const;
    void Remove(const QString &projectPath) const;
    // Every recovery that reads, the newest first; others are left alone.
    std::vector<TRecoveredProject> List() const;

private:
    QString FFolder;
};
