#pragma once
// The common form of the two add-a-detail dialogs: one edit box per value, with
// its label to the right, one under the other; a divider; OK (default) and
// "Отмена" (also Esc) at the bottom right.
//
// OK converts every box first (TypedInput.h): a box that is not a number is
// reported and selected, and the dialog stays open, so no detail is added from
// half a form. Each showing starts on the first box, its text selected, with
// the texts of the last detail added (empty at first): an attempt abandoned
// with "Отмена" leaves nothing behind.

#include <QDialog>
#include <QSize>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <vector>

class QLineEdit;

namespace veloquin {

class TypedInputReader;

struct DetailInputField
{
    const char* objectName;
    const char* label;
};

class DetailInputDialog : public QDialog
{
    Q_OBJECT

public:
    DetailInputDialog(QWidget* parent, const QString& caption, const QSize& clientSize,
                    std::initializer_list<DetailInputField> fields);

protected:
    // Converts every box into the dialog's input; throws ConvertError at the
    // first that is not a number.
    virtual void ReadFields(TypedInputReader& in) = 0;
    QLineEdit* Field(int index) const { return m_edits[static_cast<std::size_t>(index)]; }
    void showEvent(QShowEvent* event) override;

private:
    std::vector<QLineEdit*> m_edits;
    QStringList m_keptTexts;
};

} // namespace veloquin
