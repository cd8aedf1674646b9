#pragma once
// Printing pages of the document set onto a paged device: the print dialog
// onto the chosen QPrinter, its "Файл PDF…" entry and veloquin-cli into a PDF
// (PrintPagesToPdf). Each page is drawn with its own resolved options
// (PageOptionsResolver), so a page comes out as the preview shows it whatever
// was printed before it; the tank is only read. Copies come one after another
// (1, 1, 2, 2, ...) or, collated, as whole sets (1, 2, ..., 1, 2, ...), with a
// new sheet between all of them.

#include "DocumentSet.h"
#include "PageDrawing.h"
#include "PageOptions.h"
#include "Settings.h"
#include "TankClasses.h"
#include "uncertainty/TableUncertainty.h"

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace veloquin {

// A print job that could not be started or was cut short.
class PrintError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The whole set: 1..DocumentSetPageCount.
std::vector<int> AllPages(const TSteelVertCylTank& tank);

struct PrintRequest
{
    std::vector<int> pages; // numbers of the whole set, in printing order
    int copies = 1;
    bool collate = false;
    // The page "Бюджет неопределённости" of this estimate, when asked for: after
    // the last page of the protocol printed (at the end without one). It has no
    // number in the set, so the set's numbers stay as they are.
    std::shared_ptr<const TableUncertainty> uncertaintyBudget;
};

struct PrintOutcome
{
    PageReports reports;
    int sheets = 0; // sheets drawn
};

// Draws the pages with a painter already active on `device`, scaled to the
// device's printable area and the calibration. Returns false when the device
// refused a new sheet (the job is then to be ended and given up); a number
// outside the set is skipped.
bool PrintPages(QPainter& painter, QPagedPaintDevice& device, const PrinterCalibration& calibration,
                const TSteelVertCylTank& tank, const PrintRequest& request, PrintOutcome& outcome);

// Writes the pages into an A4 PDF at `path` (1200 dpi, the full sheet without
// margins, fonts embedded). The file appears whole or not at all: it replaces
// `path` only after every page was drawn. Throws PrintError or TankFileError
// (the text of a failed write).
PrintOutcome PrintPagesToPdf(const std::string& path, const TSteelVertCylTank& tank, const PrintRequest& request,
                             const PrinterCalibration& calibration = {});

extern const int kPdfDotsPerInch;

} // namespace veloquin
