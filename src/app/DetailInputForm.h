#pragma once
// The common form of the two add-a-detail dialogs: one edit box per value, with
// its label to the right, one under the other; a divider; OK (default) and
// "Отмена" (also Esc) at the bottom right.

#include <QSize>
#include <QString>

#include <initializer_list>
#include <vector>

class QDialog;
class QLineEdit;

namespace veloquin {

struct DetailInputField
{
    const char* objectName;
    const char* label;
};

// Returns the edit boxes in the order of fields.
std::vector<QLineEdit*> BuildDetailInputForm(QDialog& dialog, const QString& caption, const QSize& clientSize,
                                             std::initializer_list<DetailInputField> fields);

} // namespace veloquin
