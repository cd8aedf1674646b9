#pragma once
// Printing pages of the document set onto a paged device: the print dialog
// onto the chosen QPrinter, its "Файл PDF…" entry and veloquin-cli into a PDF
// (PrintPagesToPdf). Each page is selected, its options loaded with
// LoadPageOptions (so that what a page leaves undecided comes from the page
// printed before it) and drawn for the printer, in `copies` copies one after
// another, with a new sheet between all of them.

#include "DocumentSet.h"
#include "PageDrawing.h"
#include "PageOptions.h"
#include "Settings.h"
#include "TankClasses.h"

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

// Draws the pages (numbers of the whole set) with a painter already active on
// `device`, scaled to the device's printable area and the calibration. Leaves
// `selection` and `options` at the last page printed. Returns false when the
// device refused a new sheet (the job is then to be ended and given up).
bool PrintPages(QPainter& painter, QPagedPaintDevice& device, const PrinterCalibration& calibration,
                TSteelVertCylTank& tank, DocumentSelection& selection, PageOptions& options,
                const std::vector<int>& pages, int copies, PageReports& reports);

// Writes the pages (each `copies` times) into an A4 PDF at `path` (1200 dpi,
// the full sheet without margins, fonts embedded). The file appears whole or not at all: it replaces
// `path` only after every page was drawn. Throws PrintError or TankFileError
// (the text of a failed write).
PageReports PrintPagesToPdf(const std::string& path, TSteelVertCylTank& tank, PageOptions& options,
                            const std::vector<int>& pages, const PrinterCalibration& calibration = {}, int copies = 1);

extern const int kPdfDotsPerInch;

} // namespace veloquin
