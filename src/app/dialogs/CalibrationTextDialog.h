#pragma once
// The calibration table as plain text, one line per 10 mm of level, in a
// read-only box the user can copy from. The text is rebuilt at every showing.

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace veloquin {

class TSteelVertCylTank;

class CalibrationTextDialog : public QDialog
{
    Q_OBJECT

public:
    CalibrationTextDialog(QWidget* parent, TSteelVertCylTank& tank);

    // Rebuilds the text and shows the window modally. A table too long to list
    // goes to the general error report and the window is not shown.
    int Execute();
    // Rebuilds the text; throws TableTooLongError.
    void FillText();

    QPlainTextEdit* CalibrMemo() const { return m_memo; }
    QPushButton* OkButton() const { return m_ok; }

private:
    TSteelVertCylTank& m_tank;
    QPlainTextEdit* m_memo = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace veloquin
