#include "MainUnit.h"
#include "Program.h"

#include <QApplication>

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
    return QApplication::exec();
}
