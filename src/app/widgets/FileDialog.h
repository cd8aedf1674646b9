#pragma once
// The open and save dialogs of the program. Like MessageBox, a test mode answers
// them from a queue of chosen paths instead of showing them.
//
// Both dialogs start in the process's current directory and, once a file is
// chosen, move the current directory to that file's folder, so that the next
// dialog starts where the user last was.

#include <QString>

#include <deque>
#include <vector>

class QWidget;

namespace veloquin {

class FileDialog
{
public:
    struct Request
    {
        QString title;
        QString fileName;      // preset name (save dialog)
        QString filter;        // Qt form, e.g. "Файл данных Veloquin (*.vlq)"
        QString defaultSuffix; // appended to a chosen name without one
        bool save = false;
        // Set only by the tank's own Save As: every other save writes something
        // that is not the tank, and never in the open tank's file.
        bool tankFile = false;
    };

    // The chosen full path, or an empty text when the user cancelled. The open
    // dialog also accepts names of files that do not exist. The save dialog asks
    // before an existing file is replaced ("No" goes back to the dialog) and
    // refuses, unless it saves the tank itself, the open tank's file under any
    // of its names.
    static QString GetOpenFileName(QWidget* parent, const Request& request);
    static QString GetSaveFileName(QWidget* parent, const Request& request);

    // The file the open tank was read from or last saved to; empty for a tank
    // never saved.
    static void SetOpenTankFile(const QString& path);

    // --- Tests ---
    // In test mode each dialog is recorded and takes the next queued path (an
    // empty path cancels); with none queued it is cancelled.
    static void SetTestMode(bool on);
    static void QueueChoice(const QString& path);
    static const std::vector<Request>& Shown();
    static void ClearShown();

private:
    static QString Run(QWidget* parent, Request request);
    static QString Choose(QWidget* parent, const Request& request);
    static bool MayWrite(QWidget* parent, const Request& request, const QString& path);

    static QString s_openTankFile;
    static bool s_testMode;
    static std::deque<QString> s_choices;
    static std::vector<Request> s_shown;
};

} // namespace veloquin
