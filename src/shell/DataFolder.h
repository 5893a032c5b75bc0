#pragma once

#include <QString>

// Where the program's "./modules/" lives. The executable's own folder when it
// holds a writable modules/ (the portable layout); otherwise a per-user folder
// under the XDG data home, seeded from the installed copy without ever
// overwriting a file the user already has.
struct DataFolderChoice
{
    QString workingDirectory; // becomes the current directory
    QString seedSource;       // installed modules/ copied from, empty when none
};

DataFolderChoice chooseDataFolder(const QString &executableDir, const QString &userDataHome);

// Copies every file of source into target that target does not have yet.
// Returns the number of files copied.
int seedDataFolder(const QString &source, const QString &target);

// Applies the choice for the running executable; returns the working
// directory. Empty, with the reason in *error and the current directory
// left alone, when the folder cannot be made or entered or holds no
// modules/: the program would otherwise scatter its files wherever it was
// started.
QString setUpDataFolder(const QString &executableDir, QString *error = nullptr);
