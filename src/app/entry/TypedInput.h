#pragma once
// What a dialog that writes on OK does with the numbers typed into it: every
// text is converted before anything goes into the tank, so that one bad cell
// never leaves half a dialog applied. A text that does not convert is reported
// with the runtime's conversion error, and the dialog stays open with that box
// or cell selected for retyping.
//
// How a dialog uses it:
//     connect(ok, &QPushButton::clicked, this, [this] {
//         AcceptWhenEveryInputConverts(*this, [this](TypedInputReader& in) {
//             m_input.first = in.Edit(*m_edFirst, m_tank.First());
//             m_input.cell = in.Cell(*m_grid, 1, 1);
//         });
//     });
// and its opener writes m_input into the tank once the dialog closed with OK.

#include "StringGrid.h"

#include <QPointer>

#include <functional>

class QDialog;
class QLabel;
class QLineEdit;
class QRect;

namespace veloquin {

class ConvertError;

class TypedInputReader
{
public:
    // The number in the box or cell (either decimal separator). With a stored
    // value, a text that shows exactly that value gives it back unchanged
    // (TypedFloat). Throws ConvertError, remembering where, when it holds none.
    double Edit(QLineEdit& edit);
    double Edit(QLineEdit& edit, double stored);
    double Cell(StringGrid& grid, int col, int row);
    double Cell(StringGrid& grid, int col, int row, double stored);

    // Puts the focus on the box or cell that did not convert, its text selected.
    void SelectFailure() const;

private:
    template <class Convert> double Read(QLineEdit* edit, StringGrid* grid, GridCoord cell, Convert&& convert);

    QPointer<QLineEdit> m_failedEdit;
    QPointer<StringGrid> m_failedGrid;
    GridCoord m_failedCell;
};

// Runs read, which converts every input of the dialog into the dialog's own
// copy. True when all converted; otherwise the error is reported, the failing
// input selected, and false is returned (nothing has been written anywhere).
bool EveryInputConverts(QWidget& dialog, const std::function<void(TypedInputReader&)>& read);
// EveryInputConverts, and when it holds the dialog closes with OK; otherwise it stays open.
bool AcceptWhenEveryInputConverts(QDialog& dialog, const std::function<void(TypedInputReader&)>& read);

// What a box that takes its value at once (the inspector, the bottom readings,
// the level of the volume query) says when a text is not a number and the
// stored value comes back: "Значение «25OO» не принято — это не число" ("… не
// целое число" for an integer), the text quoted short.
QString NotTakenText(const QString& typed, const ConvertError& error);
// The dialogs' place for it: a dark red line, empty until something was refused.
QLabel* AddNotTakenNote(QWidget& dialog, const QRect& geometry);

// A dialog opens on its first input: focused, its whole text selected, so that
// what the user types replaces it (and never lands in the box used last time).
void StartOn(QLineEdit& edit);
// The same for a grid: its first cell that takes input becomes the current one.
void StartOn(StringGrid& grid);

} // namespace veloquin
