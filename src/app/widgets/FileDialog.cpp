#include "FileDialog.h"

#include "AppFont.h"
#include "FileIdentity.h"
#include "FileNames.h"
#include "MessageBox.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include <unistd.h>

namespace veloquin {

bool FileDialog::s_testMode = false;
std::deque<QString> FileDialog::s_choices;
std::vector<FileDialog::Request> FileDialog::s_shown;
QString FileDialog::s_openTankFile;

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
    for (;;) {
        const QString chosen = Choose(parent, request);
        if (chosen.isEmpty())
            return {};
        const std::optional<QString> found = PathFromDialog(QFileInfo(chosen).absoluteFilePath());
        if (!found) {
            MessageBox::Tell(parent, ApplicationTitle(),
                             QStringLiteral("Не удаётся прочитать имя файла %1: в нём есть знаки не в кодировке "
                                            "UTF-8, и по показанному имени файл не найти. Переименуйте файл.")
                                 .arg(QuotedFileName(chosen)),
                             MessageBox::Icon::Warning);
            return {};
        }
        const QString path = *found;
        // By the folder's bytes: Qt would decode a name that is not UTF-8 to no folder.
        if (::chdir(NativePath(QFileInfo(path).absolutePath()).c_str()) != 0)
            QDir::setCurrent(QFileInfo(path).absolutePath());
        if (!request.save || MayWrite(parent, request, path))
            return path;
        // Back to the dialog, where the user was, for another name.
        request.fileName = QFileInfo(path).fileName();
    }
}

QString FileDialog::Choose(QWidget* parent, const Request& request)
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
        return chosen;
    }
    QFileDialog dialog(parent, request.title, QDir::currentPath(), request.filter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    // Qt's own dialog, not the desktop's: it speaks the program's Russian
    // whatever the user's locale, and behaves the same on every desktop.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (request.save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        // The question is asked by MayWrite, in the program's words and in a box tests answer.
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
        if (!request.fileName.isEmpty())
            dialog.selectFile(request.fileName);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
    }
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        chosen = dialog.selectedFiles().constFirst();
    return chosen;
}

bool FileDialog::MayWrite(QWidget* parent, const Request& request, const QString& path)
{
    // An export written over the tank's own file would replace the tank with a
    // table or a picture while the program still shows it as saved.
    if (!request.tankFile && !s_openTankFile.isEmpty() &&
        OutputIsInput(NativePath(path), NativePath(s_openTankFile))) {
        MessageBox::Tell(parent, ApplicationTitle(),
                         QStringLiteral("%1 — файл открытого резервуара. Выберите для сохранения другой файл.")
                             .arg(QuotedFileName(path)),
                         MessageBox::Icon::Warning);
        return false;
    }
    if (!PathExists(path))
        return true;
    return MessageBox::Ask(parent, ApplicationTitle(),
                           QStringLiteral("Файл %1 уже существует.\nЗаменить его?").arg(QuotedFileName(path)),
                           MessageBox::Icon::Warning, QMessageBox::Yes | QMessageBox::No,
                           QMessageBox::No) == QMessageBox::Yes;
}

void FileDialog::SetOpenTankFile(const QString& path)
{
    s_openTankFile = path;
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
