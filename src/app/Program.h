#pragma once
// Start-up and shut-down in their fixed order: first the program-wide values
// (start directory, file name, settings file, file version, the tank), then the
// application title, then the three permanent windows (main window, inspector,
// sheet options). Shut-down releases them in the reverse order.

#include <memory>
#include <string>

class QTranslator;

namespace veloquin {

struct AppContext;
class TankInspector;
class MainWindow;
class SheetOptionsDialog;
class TankInspectorRows;

class Program
{
public:
    // Needs a QApplication. The settings file is placed in startDirectory.
    explicit Program(const std::string& startDirectory);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    AppContext& Context() { return *m_context; }
    MainWindow& MainForm() { return *m_mainForm; }
    TankInspector& Inspector() { return *m_inspector; }
    SheetOptionsDialog& SheetOptions() { return *m_sheetOptions; }
    TankInspectorRows& Rows() { return *m_rows; }

    // Whether Qt's own texts are Russian.
    bool ToolkitTranslated() const { return m_toolkitTranslation != nullptr; }

private:
    std::unique_ptr<AppContext> m_context;
    std::unique_ptr<QTranslator> m_toolkitTranslation;
    std::unique_ptr<TankInspectorRows> m_rows;
    std::unique_ptr<MainWindow> m_mainForm;
    // Owned by the main window.
    TankInspector* m_inspector = nullptr;
    SheetOptionsDialog* m_sheetOptions = nullptr;
};

} // namespace veloquin
