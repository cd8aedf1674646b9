#pragma once
// The program-wide values: created in this order before any window exists and
// kept until the program ends. Every window gets a reference; nothing else holds
// tank data.

#include "DocumentSet.h"
#include "ProfileFile.h"
#include "Settings.h"
#include "TankClasses.h"
#include "editing/TankEditing.h"

#include <QString>

#include <cstdint>
#include <string>

namespace veloquin {

struct AppContext
{
    // The name of a tank never saved; Save on it asks for a name instead.
    static QString NewFileName();

    explicit AppContext(const std::string& settingsPath);

    QString currentFileName;
    ProfileFile settings;
    std::int32_t tankFileVersion = 1;
    // Opening a file assigns a new tank here, so its address never changes.
    TSteelVertCylTank tank;
    // Every change of the tank goes through here: undo steps, the modified flag's watchers.
    TankEditing editing{tank, tankFileVersion};
    PrinterCalibration printerCalibration;
    // Which printed document and page the preview and the print dialog work on.
    DocumentSelection documents;
};

} // namespace veloquin
