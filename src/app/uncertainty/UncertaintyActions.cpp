#include "UncertaintyActions.h"

#include "AppContext.h"
#include "FieldChecks.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "UncertaintySettingsDialog.h"
#include "UncertaintyWindow.h"

#include <QAction>
#include <QMenu>

namespace veloquin {

const char* const kUncertaintyBudgetChoice = "Бюджет неопределённости";

std::shared_ptr<const TableUncertainty> UncertaintyBudgetToPrint(AppContext& context)
{
    UncertaintyRequest request;
    request.settings = ReadUncertaintySettings(context.settings);
    try {
        return std::make_shared<const TableUncertainty>(*EstimateLinear(context.Tank(), request));
    } catch (const UncertaintyError&) {
        return nullptr;
    }
}

UncertaintyActions::UncertaintyActions(MainWindow& mainWindow, AppContext& context)
    : QObject(&mainWindow), m_mainWindow(mainWindow), m_context(context)
{
    setObjectName(QStringLiteral("UncertaintyActions"));
    auto* show = new QAction(QStringLiteral("&Неопределённость…"), &mainWindow);
    show->setObjectName(QStringLiteral("acUncertainty"));
    connect(show, &QAction::triggered, this, [this] { acUncertaintyExecute(); });
    auto* settings = new QAction(QStringLiteral("Неопределённость: &средства измерений…"), &mainWindow);
    settings->setObjectName(QStringLiteral("acUncertaintySettings"));
    connect(settings, &QAction::triggered, this, [this] { acUncertaintySettingsExecute(); });
    mainWindow.addAction(show);
    mainWindow.addAction(settings);
    if (QMenu* menu = TankMenu(mainWindow)) {
        menu->addSeparator();
        menu->addAction(show);
        menu->addAction(settings);
    }
    // Every change of the tank, undo, redo and an opened file end in tankChanged;
    // the sheet options change nothing the estimate reads.
    connect(&context.editing, &TankEditing::tankChanged, this, [this](TankFields fields) {
        if ((fields & kComputedFromFields) != 0 && m_window && m_window->isVisible())
            m_window->ShowTank();
    });
}

UncertaintyWindow* UncertaintyActions::Window() const
{
    return m_window;
}

UncertaintySettings UncertaintyActions::Settings() const
{
    return ReadUncertaintySettings(m_context.settings);
}

void UncertaintyActions::acUncertaintyExecute()
{
    if (!m_window)
        m_window = new UncertaintyWindow(&m_mainWindow, m_context.Tank(), [this] { return Settings(); });
    m_window->ShowTank();
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void UncertaintyActions::acUncertaintySettingsExecute()
{
    UncertaintySettingsDialog dialog(&m_mainWindow, Settings());
    if (dialog.exec() != QDialog::Accepted)
        return;
    try {
        WriteUncertaintySettings(m_context.settings, dialog.Settings());
    } catch (const SettingsWriteError& error) {
        MessageBox::Tell(&m_mainWindow, dialog.windowTitle(), QString::fromUtf8(error.what()),
                         MessageBox::Icon::Warning);
    }
    if (m_window && m_window->isVisible())
        m_window->ShowTank();
}

UncertaintyActions* InstallUncertainty(MainWindow& mainWindow, AppContext& context)
{
    return new UncertaintyActions(mainWindow, context);
}

} // namespace veloquin
