#pragma once

#include <QString>

// The two folders a run of the program works in. Data holds what the
// program only reads (the symbol library, the floor plans, the bundled
// recommended schemes); User holds what the designer makes (projects/ and
// the schemes saved as recommended ones). Run from a build tree, from a
// copied program folder or on a folder named by --appdir or VARNETH_APPDIR,
// both are that one folder. Installed, the data lies in the system's data
// folder, where nobody writes, and the designer's work in a folder of the
// user's own.
struct TAppFolders {
    QString Data; // ends in '/'
    QString User; // ends in '/'

    // Both folders the same one.
    static TAppFolders Same(const QString &folder);
    bool Split() const { return Data != User; }

    // The choice, in order: the folder named by the designer (--appdir, or
    // else VARNETH_APPDIR; empty when neither); the program's folder when it
    // holds the library; the installed data with the user's folder; the
    // program's folder again (the window then tells the library is missing).
    static TAppFolders Choose(const QString &namedFolder, const QString &programFolder,
                              const QString &installedData, const QString &userFolder);
    // The same for this process: the installed data lies where the
    // installation puts it relative to the executable, the user's folder is
    // "varneth" in the desktop's data folder of the user.
    static TAppFolders ForThisRun(const QString &namedFolder);

    // Makes the user folder's projects/ and templates/ when the folders are
    // split (an installed program's first start). Returns the folder that
    // could not be made; empty when all is there.
    QString MakeUserFolders() const;
};
