#pragma once
// Every message box of the program goes through here, so that tests can answer
// them instead of a person (the way KeePassXC's MessageBox does it): in test mode
// a box is recorded and answered from a queue, and never shown.

#include <QMessageBox>
#include <QString>

#include <deque>
#include <utility>
#include <vector>

namespace veloquin {

class MessageBox
{
public:
    enum class Icon
    {
        Information,
        Warning,
        Critical,
        None // a plain message
    };
    using Button = QMessageBox::StandardButton;
    using Buttons = QMessageBox::StandardButtons;

    // What a box said, for tests.
    struct Record
    {
        QString caption;
        QString text;
        Icon icon = Icon::Information;
        Buttons buttons;
        Button answer = QMessageBox::NoButton;
    };

    // Shows a modal box and returns the button pressed; closing the box with Esc
    // or the close box answers Cancel when there is one.
    static Button Ask(QWidget* parent, const QString& caption, const QString& text, Icon icon, Buttons buttons,
                      Button defaultButton);
    // The same with buttons that say what they do ("Печатать как есть" for No).
    using ButtonTexts = std::vector<std::pair<Button, QString>>;
    static Button Ask(QWidget* parent, const QString& caption, const QString& text, Icon icon, Buttons buttons,
                      Button defaultButton, const ButtonTexts& buttonTexts);
    // A box with the single button "OK".
    static void Tell(QWidget* parent, const QString& caption, const QString& text, Icon icon);

    // --- Tests ---
    // In test mode no box is shown: each is recorded and takes the next queued
    // answer, or, with none queued, Cancel (OK for a box without Cancel).
    static void SetTestMode(bool on);
    static bool TestMode();
    static void QueueAnswer(Button answer);
    static const std::vector<Record>& Shown();
    static void ClearShown();

private:
    static Button AnswerForTest(const QString& caption, const QString& text, Icon icon, Buttons buttons);

    static bool s_testMode;
    static std::deque<Button> s_answers;
    static std::vector<Record> s_shown;
};

// A file as a message names it: QuotedPath (FileNames.h) between «».
QString QuotedFileName(const QString& path);

} // namespace veloquin
