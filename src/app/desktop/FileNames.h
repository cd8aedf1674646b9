#pragma once
// How the program names the tank file it works on to the user and the desktop:
// the window title, the name Save As proposes, the file a launcher hands over.

#include <QString>
#include <QStringList>

namespace veloquin {

// "Резервуар1.vlq* — Veloquin 1.2.5.12": the file's own name, a star while the tank
// holds unsaved changes, then the program's caption.
QString WindowTitleFor(const QString& filePath, bool modified, const QString& caption);

// A text made fit to be (the start of) a file name: every character a file name
// cannot hold (on Linux or on the Windows machines the files travel to)
// replaced by "_", no leading or trailing dots and blanks, at most 100
// characters. Empty when nothing usable is left.
QString FileNameSafeText(const QString& text);

// The name Save As offers: while the tank was never saved under a name of its
// own, the tank's Name made safe by FileNameSafeText; otherwise the current
// file name. A Name that leaves nothing usable gives the current name.
QString ProposedSaveName(const QString& currentFileName, const QString& tankName);

// The tank file named on the command line ("veloquin FILE.vlq"), made absolute
// against the current directory, or an empty text. Options are skipped.
QString StartupTankFile(const QStringList& arguments);

// Whether a path names a tank file by its extension (".vlq", any case).
bool HasTankFileSuffix(const QString& path);

} // namespace veloquin
