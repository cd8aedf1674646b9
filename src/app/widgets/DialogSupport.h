#pragma once
// What every measurement dialog shares: a fixed client size, the window font,
// showing modally in the middle of the screen, and, for the dialogs that see
// keys before their controls, a key preview.

#include <QObject>
#include <QSize>
#include <QString>

#include <functional>

class QDialog;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRect;
class QWidget;

namespace veloquin {

// Caption, the window font and a fixed client size; no context-help button;
// Ctrl+Enter presses OK (AddPressOkAction).
void SetUpMeasurementDialog(QDialog& dialog, const QString& caption, const QSize& clientSize);

// The dialog's OK: its default button, else the button named "btnOk" or "OKBtn".
QPushButton* OkButtonOf(QDialog& dialog);
// Ctrl+Enter clicks OK from anywhere in the dialog, also from inside a grid
// cell, where Enter alone only moves down.
void AddPressOkAction(QDialog& dialog);

// Controls placed in pixels, as the dialogs are laid out.
QLabel* AddDialogLabel(QWidget* parent, const QString& text, const QRect& geometry,
                       const QString& objectName = QString());
QLineEdit* AddDialogEdit(QWidget* parent, const QString& objectName, const QRect& geometry);
// A button that ends the modal loop with result (QDialog::Accepted or Rejected).
QPushButton* AddDialogButton(QDialog& dialog, const QString& objectName, const QString& caption, const QRect& geometry,
                             int result);

// The dialog's default button "OK", running onClick (which decides whether the dialog closes).
QPushButton* AddOkButton(QDialog& dialog, const QString& objectName, const QRect& geometry,
                         std::function<void()> onClick);

// Centres the dialog on the screen and runs it modally; returns its result.
int ShowModalCentred(QDialog& dialog);

// Hands every key pressed anywhere in the dialog to handler before the control
// with the focus sees it; the handler returns true when it used the key. The
// dialogs with a key preview close on Esc this way (FormKeyDown).
class KeyPreview : public QObject
{
public:
    KeyPreview(QDialog& dialog, std::function<bool(QKeyEvent&)> handler);
    ~KeyPreview() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QDialog& m_dialog;
    std::function<bool(QKeyEvent&)> m_handler;
};

// The FormKeyDown of the key-preview dialogs: Esc (key code 27) closes with cancel.
bool CloseOnEscape(QDialog& dialog, const QKeyEvent& key);

} // namespace veloquin
