#pragma once
// The one way the export windows save: the save dialog, the writer, a message
// box for a failure and the outcome in the window's status line.

#include <QString>

#include <functional>
#include <string>

class QLabel;
class QWidget;

namespace veloquin {

// Asks for a file name with the save dialog (title, filter, suffix) and calls
// write with it; true when written. Whatever write throws is said in a box and
// nothing else happens; `status` shows "Сохранено: PATH" or "Не сохранено.".
bool SaveChosenFile(QWidget* parent, QLabel* status, const QString& title, const QString& filter,
                    const QString& suffix, const std::function<void(const std::string& path)>& write);

} // namespace veloquin
