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

    // The open tank, as the windows see it: it changes only through editing.
    const TSteelVertCylTank& Tank() const { return m_tank; }

    QString currentFileName;
    ProfileFile settings;

private:
    // Opening a file replaces the tank here (TankEditing::Replace), so its address never changes.
    TSteelVertCylTank m_tank;

public:
    // Every change of the tank goes through here: undo steps, the modified
    // flag's watchers, the version the tank is stored with.
    TankEditing editing{m_tank, 1};
    PrinterCalibration printerCalibration;
    // Which printed document and page the preview and the print dialog work on.
    DocumentSelection documents;
};

} // namespace veloquin
