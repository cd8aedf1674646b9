#include "TypedText.h"

#include "Cp1251.h"
#include "GeneralErrorReport.h"

#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>

namespace veloquin {

bool AcceptTypedText(QLineEdit& edit, const QString& previous)
{
    const std::string character = FirstCharNotInCp1251(edit.text().toStdString());
    if (character.empty())
        return true;
    const int grownBy = int(edit.text().size() - previous.size());
    const int caret = std::clamp(edit.cursorPosition() - std::max(grownBy, 0), 0, int(previous.size()));
    {
        const QSignalBlocker quiet(edit);
        edit.setText(previous);
        edit.setCursorPosition(caret);
    }
    // The box holds its good text again before the report waits for the user.
    ReportGeneralError(edit.window(), QString::fromStdString(Cp1251RefusalMessage(character)));
    return false;
}

} // namespace veloquin
