#include "Program.h"

#include "AppContext.h"
#include "AppFont.h"
#include "ErrorReport.h"
#include "FieldChecks.h"
#include "GeneralErrorReport.h"
#include "InspectorColumnFit.h"
#include "MainWindow.h"
#include "SettingsPlace.h"
#include "SheetOptionsDialog.h"
#include "TankInspector.h"
#include "TankInspectorRows.h"
#include "ToolkitTranslation.h"
#include "UncertaintyActions.h"

#include <QApplication>
#include <QStatusBar>
#include <QTranslator>

namespace veloquin {
namespace {

// Long enough to be read after the windows came up; the line covers the file name's panel meanwhile.
constexpr int kSettingsMovedMessageMs = 60000;

} // namespace

Program::Program(const std::string& directory) : Program(SettingsLocation{SettingsFilePath(directory), {}}) {}

Program::Program(const SettingsLocation& settingsFile)
{
    m_context = std::make_unique<AppContext>(settingsFile.path);

    SetApplicationTitle(QStringLiteral("Veloquin"));
    m_toolkitTranslation = InstallToolkitTranslation();
    QApplication::setFont(UiFont());
    InstallMessageBoxErrorReporter();

    m_mainForm = std::make_unique<MainWindow>(*m_context);
    m_inspector = new TankInspector(m_mainForm.get());
    m_sheetOptions = new SheetOptionsDialog(m_mainForm.get(), *m_context);
    m_mainForm->SetSheetOptions(m_sheetOptions);

    m_rows = std::make_unique<TankInspectorRows>(m_context->Tank(), *m_inspector, m_context->editing);
    m_inspector->SetBinding(m_rows.get());
    ProfileFile& settings = m_context->settings;
    m_inspector->SetGeometryStore(
        [&settings, inspector = m_inspector] { return InspectorGeometryToShow(settings, *inspector); },
        [&settings](const InspectorSettings& geometry) { WriteInspectorSettings(settings, geometry); });
    m_mainForm->SetInspector(m_inspector, m_rows.get());
    InstallFieldChecks(*m_mainForm, *m_inspector, *m_rows, m_context->editing);
    const QString moved = SettingsMovedMessage(settingsFile);
    if (!moved.isEmpty())
        m_mainForm->statusBar()->showMessage(moved, kSettingsMovedMessageMs);
    InstallUncertainty(*m_mainForm, *m_context);
}

Program::~Program()
{
    m_mainForm.reset();
    m_rows.reset();
    InstallErrorReporter({});
    m_context.reset();
    m_toolkitTranslation.reset();
}

} // namespace veloquin
