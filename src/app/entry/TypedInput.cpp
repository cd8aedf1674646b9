#include "entry/TypedInput.h"

#include "GFunc.h"
#include "GeneralErrorReport.h"
#include "NumberTexts.h"
#include "DialogSupport.h"

#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>

namespace veloquin {

template <class Convert>
double TypedInputReader::Read(QLineEdit* edit, StringGrid* grid, GridCoord cell, Convert&& convert)
{
    try {
        return convert();
    } catch (const ConvertError&) {
        m_failedEdit = edit;
        m_failedGrid = grid;
        m_failedCell = cell;
        throw;
    }
}

double TypedInputReader::Edit(QLineEdit& edit)
{
    return Read(&edit, nullptr, {}, [&edit] { return TextToFloat(edit.text()); });
}

double TypedInputReader::Edit(QLineEdit& edit, double stored)
{
    return Read(&edit, nullptr, {}, [&edit, stored] { return TypedFloat(edit.text(), stored); });
}

double TypedInputReader::Cell(StringGrid& grid, int col, int row)
{
    return Read(nullptr, &grid, GridCoord{col, row}, [&grid, col, row] { return TextToFloat(grid.Cells(col, row)); });
}

double TypedInputReader::Cell(StringGrid& grid, int col, int row, double stored)
{
    return Read(nullptr, &grid, GridCoord{col, row},
                [&grid, col, row, stored] { return TypedFloat(grid.Cells(col, row), stored); });
}

void TypedInputReader::SelectFailure() const
{
    if (m_failedEdit) {
        m_failedEdit->setFocus(Qt::OtherFocusReason);
        m_failedEdit->selectAll();
    } else if (m_failedGrid) {
        m_failedGrid->FocusCell(m_failedCell.Col, m_failedCell.Row);
        m_failedGrid->setFocus(Qt::OtherFocusReason);
        m_failedGrid->ShowEditor();
    }
}

bool EveryInputConverts(QWidget& dialog, const std::function<void(TypedInputReader&)>& read)
{
    TypedInputReader reader;
    try {
        read(reader);
    } catch (const ConvertError& error) {
        ReportGeneralError(&dialog, error);
        reader.SelectFailure();
        return false;
    }
    return true;
}

bool AcceptWhenEveryInputConverts(QDialog& dialog, const std::function<void(TypedInputReader&)>& read)
{
    if (!EveryInputConverts(dialog, read))
        return false;
    dialog.accept();
    return true;
}

namespace {

// Selects the whole text once more when the focus actually arrives: a dialog
// being shown gets its focus only when its window becomes active, and the box
// may lose its selection on the way. Gone after the first focus or key.
class SelectAllWhenFocused : public QObject
{
public:
    explicit SelectAllWhenFocused(QLineEdit& edit) : QObject(&edit), m_edit(edit) { edit.installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != &m_edit)
            return false;
        switch (event->type()) {
        case QEvent::FocusIn:
            m_edit.event(event);
            m_edit.selectAll();
            deleteLater();
            return true;
        case QEvent::KeyPress:
        case QEvent::Hide: deleteLater(); return false;
        default: return false;
        }
    }

private:
    QLineEdit& m_edit;
};

} // namespace

void StartOn(QLineEdit& edit)
{
    edit.setFocus(Qt::OtherFocusReason);
    edit.selectAll();
    if (!edit.hasFocus())
        new SelectAllWhenFocused(edit);
}

void StartOn(StringGrid& grid)
{
    grid.HideEditor();
    grid.FocusCell(grid.FixedCols(), grid.FixedRows());
    grid.setFocus(Qt::OtherFocusReason);
}

QString NotTakenText(const QString& typed, const ConvertError& error)
{
    const bool integer = std::string_view(error.what()).find("integer value") != std::string_view::npos;
    return QStringLiteral("Значение «%1» не принято — это не %2")
        .arg(QString::fromStdString(QuotedInput(typed.toStdString())),
             integer ? QStringLiteral("целое число") : QStringLiteral("число"));
}

QLabel* AddNotTakenNote(QWidget& dialog, const QRect& geometry)
{
    QLabel* note = AddDialogLabel(&dialog, QString(), geometry, QStringLiteral("stNotTaken"));
    note->setWordWrap(true);
    QPalette palette = note->palette();
    palette.setColor(QPalette::WindowText, QColor(0xB0, 0x00, 0x00));
    note->setPalette(palette);
    return note;
}

} // namespace veloquin
