#include "export/SaveChosenFile.h"
#include "FileNames.h"

#include "FileDialog.h"
#include "GeneralErrorReport.h"
#include "MessageBox.h"

#include <QFile>
#include <QLabel>

#include <exception>

namespace veloquin {

bool SaveChosenFile(QWidget* parent, QLabel* status, const QString& title, const QString& filter,
                    const QString& suffix, const std::function<void(const std::string& path)>& write)
{
    FileDialog::Request request;
    request.title = title;
    request.filter = filter;
    request.defaultSuffix = suffix;
    request.save = true;
    const QString path = FileDialog::GetSaveFileName(parent, request);
    if (path.isEmpty())
        return false;
    try {
        write(QFile::encodeName(path).toStdString());
    } catch (const std::exception& error) {
        ReportFileError(parent, QStringLiteral("Не удалось сохранить"), path, error);
        status->setText(QStringLiteral("Не сохранено."));
        return false;
    }
    status->setText(QStringLiteral("Сохранено: %1").arg(path));
    return true;
}

} // namespace veloquin
