#pragma once
// The table's uncertainty in the program: "Неопределённость" and
// "Неопределённость: средства измерений" in the "Резервуар" menu. The window
// shows the tank again after every change while it is open; the instruments
// are read from the settings file at each estimate and written there by the
// dialog.

#include "uncertainty/TableUncertainty.h"
#include "uncertainty/UncertaintySettings.h"

#include <QObject>
#include <QPointer>

#include <memory>

namespace veloquin {

struct AppContext;
class MainWindow;
class UncertaintyWindow;

class UncertaintyActions : public QObject
{
    Q_OBJECT

public:
    // Parented to the main window; adds the commands to its "Резервуар" menu.
    UncertaintyActions(MainWindow& mainWindow, AppContext& context);

    UncertaintySettings Settings() const;
    // "Неопределённость": the window, created on first use.
    void acUncertaintyExecute();
    // "Неопределённость: средства измерений": the modal dialog.
    void acUncertaintySettingsExecute();
    UncertaintyWindow* Window() const;

private:
    MainWindow& m_mainWindow;
    AppContext& m_context;
    QPointer<UncertaintyWindow> m_window;
};

// The page "Бюджет неопределённости" is off unless asked for, in the print
// dialog and in "Экспорт в PDF…" alike.
extern const char* const kUncertaintyBudgetChoice;
// The estimate the page prints, with the instruments of the settings file;
// none when the table is refused (the table's own pages say why).
std::shared_ptr<const TableUncertainty> UncertaintyBudgetToPrint(AppContext& context);

UncertaintyActions* InstallUncertainty(MainWindow& mainWindow, AppContext& context);

} // namespace veloquin
