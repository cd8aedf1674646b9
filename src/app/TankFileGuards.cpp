#include "TankFileGuards.h"

#include "AppFont.h"
#include "CalibrationTableCheck.h"
#include "FileNames.h"
#include "MessageBox.h"
#include "TankClasses.h"

#include <QFile>

#include <sys/stat.h>

namespace veloquin {

std::optional<FileOnDisk::Stamp> FileOnDisk::StampOf(const QString& path)
{
    struct stat entry;
    if (::stat(NativePath(path).c_str(), &entry) != 0)
        return std::nullopt;
    return Stamp{entry.st_dev, entry.st_ino, entry.st_size, entry.st_mtim};
}

void FileOnDisk::Note(const QString& path)
{
    m_path = path;
    m_stamp = StampOf(path);
}

bool FileOnDisk::ChangedSince(const QString& path) const
{
    if (!m_stamp || path != m_path)
        return false;
    const std::optional<Stamp> now = StampOf(path);
    if (!now)
        return false;
    // A save by another program replaces the file (a new inode) or rewrites it
    // (a new time or size); either way what this window would write over is not
    // what it read.
    return now->device != m_stamp->device || now->inode != m_stamp->inode || now->size != m_stamp->size ||
           now->modified.tv_sec != m_stamp->modified.tv_sec || now->modified.tv_nsec != m_stamp->modified.tv_nsec;
}

bool ConfirmOverwriteIfChanged(QWidget* parent, const FileOnDisk& noted, const QString& path)
{
    if (!noted.ChangedSince(path))
        return true;
    const QString question =
        QStringLiteral("Файл ") + path + QStringLiteral(" изменён другой программой после открытия. Перезаписать?");
    return MessageBox::Ask(parent, ApplicationTitle(), question, MessageBox::Icon::Warning,
                           QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void ReportTableFaultOnOpen(QWidget* parent, const TSteelVertCylTank& tank)
{
    const std::string fault = CalibrationTableFault(tank);
    if (!fault.empty())
        MessageBox::Tell(parent, ApplicationTitle(), QString::fromStdString(fault), MessageBox::Icon::Warning);
}

} // namespace veloquin
