#include "FileNames.h"
#include "MainWindow.h"
#include "Program.h"

#include <QApplication>
#include <QTimer>

#include <filesystem>
#include <system_error>

int main(int argc, char* argv[])
{
    // The settings file lives in the directory current at start-up, whatever the
    // file dialogs do to the current directory later.
    std::error_code error;
    const std::string startDirectory = std::filesystem::current_path(error).string();

    QApplication app(argc, argv);
    veloquin::Program program(startDirectory);
    program.MainForm().show();
    // "veloquin FILE.vlq", as the file manager starts it: opened once the windows
    // are up, so that a file that cannot be read is reported over them and the
    // program goes on with its new tank.
    const QString startFile = veloquin::StartupTankFile(QApplication::arguments());
    if (!startFile.isEmpty())
        QTimer::singleShot(0, &program.MainForm(), [&program, startFile] { program.MainForm().OpenTankFile(startFile); });
    return QApplication::exec();
}
