#pragma once
// The commands that take the calibration table out of the program: "Экспорт
// таблицы…" (a workbook, the CSV and JSON of veloquin-cli, a table for level
// gauges) and "Сравнить с…" (the table against a previous calibration). Both
// work on a copy of the tank, so exporting never moves the tank's level or
// marks it changed.

class QMainWindow;
class QMenu;

namespace veloquin {

struct AppContext;

// Adds the actions acExportTable and acCompareTable to the window (found by
// name like its other actions) and to the menu.
void AddTableExportCommands(QMainWindow& window, QMenu& menu, AppContext& context);

} // namespace veloquin
