#pragma once
// Guards around opening and saving the tank file: Save asks before it writes
// over a file that someone else (another copy of the program) replaced or
// changed since this window opened or last saved it, and a tank whose
// calibration table is empty, refused or not all numbers says so once when it
// is opened.

#include <QString>

#include <ctime>
#include <optional>
#include <sys/types.h>

class QWidget;

namespace veloquin {

class TSteelVertCylTank;

// The file as this window last saw it on disk.
class FileOnDisk
{
public:
    // Notes what is at `path` now: after an open (taken before reading, so that a
    // change while it is read counts too) or after a save.
    void Note(const QString& path);
    // True when `path` is the noted file and it has been changed or replaced since.
    // A file that is gone, or one never noted, has nothing to lose.
    bool ChangedSince(const QString& path) const;

private:
    struct Stamp
    {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec modified{};
    };
    static std::optional<Stamp> StampOf(const QString& path);

    QString m_path;
    std::optional<Stamp> m_stamp;
};

// Whether Save may write to `path`: yes when the file is as noted, otherwise as
// the user answers "Файл … изменён другой программой после открытия. Перезаписать?".
bool ConfirmOverwriteIfChanged(QWidget* parent, const FileOnDisk& noted, const QString& path);

// After an open: one warning box when the tank's calibration table cannot be
// handed out as it is (CalibrationTableFault); nothing otherwise.
void ReportTableFaultOnOpen(QWidget* parent, const TSteelVertCylTank& tank);

} // namespace veloquin
