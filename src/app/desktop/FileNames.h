#pragma once
// How the program names the tank file it works on to the user and the desktop:
// the window title, the name Save As proposes, the file a launcher hands over.

#include "GFunc.h"

#include <QString>
#include <QStringList>

#include <optional>

#include <string>
#include <string_view>

class QUrl;

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

// A file name is bytes to the system and need not be UTF-8, while Qt's own
// decoding turns every byte that is not into the same replacement character and
// so can never name the file again. The program's paths carry such a byte as
// the lone surrogate U+DC80 + byte (as Python's "surrogateescape" does), which
// goes back to the very byte when the file is opened or saved.
QString PathFromNative(std::string_view bytes);
std::string NativePath(const QString& path);
// The arguments of main() so decoded.
QStringList ArgumentsFromNative(int argc, const char* const* argv);

// The file a local file URL names (a drop from the file manager), by its
// bytes: the URL carries them percent-encoded, where QUrl::toLocalFile would
// decode a byte that is not UTF-8 to U+FFFD. Empty for any other URL.
QString PathFromFileUrl(const QUrl& url);

// The file a path from Qt's file dialog stands for. The dialog decodes a name
// that is not UTF-8 as Qt decodes every file name (each stray byte as U+FFFD),
// and that name is no file: each part of an absolute path that is not there and
// holds U+FFFD is matched against its folder's entries as Qt decodes them, and
// taken by its bytes where exactly one matches. None where such a part matches
// no entry or several: the name cannot be read. A part that is not there and
// holds no U+FFFD (a new file's name) is kept as it is.
std::optional<QString> PathFromDialog(const QString& chosen);

// Whether anything is there under the path's own bytes (a dangling link too).
bool PathExists(const QString& path);

// A path as the user reads it: the system's separators, a byte that is not
// UTF-8 shown as the replacement character U+FFFD.
QString ShownPath(const QString& path);
// A path quoted in a message, by the engine's one rule (QuotedPath in GFunc.h):
// as ShownPath, control characters shown as their pictures, at most
// kQuotedPathChars characters (the middle of a longer one left out, so that
// both the folder and the file's own name show).
constexpr int kQuotedPathChars = static_cast<int>(kQuotedInputChars);
QString QuotedPath(const QString& path);

// Whether a path names a tank file by its extension (".vlq", any case).
bool HasTankFileSuffix(const QString& path);

} // namespace veloquin
