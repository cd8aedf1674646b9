#include "FileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace veloquin {

bool FileDialog::s_testMode = false;
std::deque<QString> FileDialog::s_choices;
std::vector<FileDialog::Request> FileDialog::s_shown;

QString FileDialog::GetOpenFileName(QWidget* parent, const Request& request)
{
    Request open = request;
    open.save = false;
    return Run(parent, open);
}

QString FileDialog::GetSaveFileName(QWidget* parent, const Request& request)
{
    Request save = request;
    save.save = true;
    return Run(parent, save);
}

QString FileDialog::Run(QWidget* parent, Request request)
{
    QString chosen;
    if (s_testMode) {
        s_shown.push_back(request);
        if (!s_choices.empty()) {
            chosen = s_choices.front();
            s_choices.pop_front();
        }
        if (!chosen.isEmpty() && QFileInfo(chosen).suffix().isEmpty() && !request.defaultSuffix.isEmpty())
            chosen += QLatin1Char('.') + request.defaultSuffix;
    } else {
        QFileDialog dialog(parent, request.title, QDir::currentPath(), request.filter);
        dialog.setDefaultSuffix(request.defaultSuffix);
        // Qt's own dialog, not the desktop's: it speaks the program's Russian
        // whatever the user's locale, and behaves the same on every desktop.
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
        if (request.save) {
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
            dialog.setFileMode(QFileDialog::AnyFile);
            if (!request.fileName.isEmpty())
                dialog.selectFile(request.fileName);
        } else {
            dialog.setAcceptMode(QFileDialog::AcceptOpen);
            dialog.setFileMode(QFileDialog::AnyFile);
        }
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            chosen = dialog.selectedFiles().constFirst();
    }
    if (chosen.isEmpty())
        return {};
    chosen = QFileInfo(chosen).absoluteFilePath();
    QDir::setCurrent(QFileInfo(chosen).absolutePath());
    return chosen;
}

void FileDialog::SetTestMode(bool on)
{
    s_testMode = on;
    s_choices.clear();
}

void FileDialog::QueueChoice(const QString& path)
{
    s_choices.push_back(path);
}

const std::vector<FileDialog::Request>& FileDialog::Shown()
{
    return s_shown;
}

void FileDialog::ClearShown()
{
    s_shown.clear();
}

} // namespace veloquin
