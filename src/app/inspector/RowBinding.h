#pragma once
// What the property inspector needs from the rows it shows. The inspector itself
// knows nothing of tanks: it calls these by row number (1-based), and the binding
// calls back the inspector's SetCell, ShowInPlaceEdit and ShowDialogPanel.

#include <QRect>
#include <QString>

#include <stdexcept>

namespace veloquin {

// A text the row cannot take as it stands (a character the tank file cannot
// hold). Unlike a text that does not convert, it is reported however the
// commit came about, so that nothing typed is changed or dropped without a word.
class RowTextRefused : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class RowBinding
{
public:
    virtual ~RowBinding() = default;

    // Sets the row count and every caption.
    virtual void FillInspectorCaptions() = 0;
    // Recomputes every value text and repaints the value column.
    virtual void RefreshInspectorValues() = 0;
    // The text of the in-place edit box for a row typed in place.
    virtual QString RowEditText(int row) = 0;
    // The text of the read-only dialog panel for a row edited in a dialog.
    virtual QString RowDisplayText(int row) = 0;
    // Whether a text typed into the row is taken (Tab moves between these rows).
    virtual bool RowTakesTyping(int row) = 0;
    // Chooses the editor of the selected row: ShowInPlaceEdit or ShowDialogPanel
    // with the same rectangle.
    virtual void PlaceRowEditor(const QRect& rect) = 0;
    // Applies a typed text to the selected row, then refreshes every value text.
    // Throws ConvertError when the text does not convert and RowTextRefused when
    // the row cannot take it; nothing is applied then.
    virtual void CommitRowText(const QString& text) = 0;
    // Opens the dialog of the selected row, if it has one.
    virtual void OpenRowDialog() = 0;
};

} // namespace veloquin
