#include "FileNames.h"
#include "MainWindow.h"
#include "Program.h"
#include "SettingsPlace.h"

#include <QApplication>
#include <QTimer>

#include <filesystem>
#include <system_error>

int main(int argc, char* argv[])
{
    // The settings file is placed by the directory current at start-up, whatever
    // the file dialogs do to the current directory later.
    std::error_code error;
    const std::string startDirectory = std::filesystem::current_path(error).string();

    QApplication app(argc, argv);
    veloquin::Program program(veloquin::LocateProgramSettings(startDirectory));
    program.MainForm().show();
    // "veloquin FILE.vlq", as the file manager starts it: opened once the windows
    // are up, so that a file that cannot be read is reported over them and the
    // program goes on with its new tank.
    // From the bytes of the command line: a name that is not UTF-8 still names its file.
    const QString startFile = veloquin::StartupTankFile(veloquin::ArgumentsFromNative(argc, argv));
    if (!startFile.isEmpty())
        QTimer::singleShot(0, &program.MainForm(),
                           [&program, startFile] { program.MainForm().OpenTankFile(startFile); });
    return QApplication::exec();
}
