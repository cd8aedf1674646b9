#include "PdfCommand.h"

#include "Commands.h"
#include "GFunc.h"
#include "PageList.h"
#include "PagePrinting.h"
#include "PageTextFit.h"
#include "TankFile.h"

#include <QGuiApplication>

#include <cstdio>
#include <memory>

namespace veloquin::cli {
namespace {

// Qt's own chatter (a missing runtime directory...) means nothing to the tool's
// users; its errors still reach standard error.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        const QByteArray text = message.toLocal8Bit() + '\n';
        std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stderr);
    }
}

// Fonts need a GUI application; the tool never shows a window, so it never
// needs a display either.
std::unique_ptr<QGuiApplication> StartFonts()
{
    if (QGuiApplication::instance())
        return nullptr;
    qInstallMessageHandler(QuietMessages);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "veloquin-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

// The PDF is written all the same (a script asked for it); the user who will
// print it learns which texts come out across their place, and the status
// stays that of a file written.
void WarnOfUnfitTexts(const std::string& pdfPath, const TSteelVertCylTank& tank, const std::vector<int>& pages)
{
    for (const UnfitText& text : UnfitTexts(tank, pages)) {
        const std::string line =
            OneLineText(pdfPath) + ": не помещается на своём месте на листе: " + UnfitTextLine(text) + "\n";
        std::fwrite(line.data(), 1, line.size(), stderr);
    }
    std::fflush(stderr);
}

} // namespace

void PrintPdf(const Invocation& invocation)
{
    const std::string& pdfPath = invocation.files[1];
    LoadedTank loaded = LoadTank(invocation.files[0]);
    const TSteelVertCylTank& tank = loaded.tank;
    RefuseFaultyTable(invocation.files[0], tank);

    std::vector<int> pages = AllPages(tank);
    if (invocation.pages) {
        const std::string refusal = ReadPageList(*invocation.pages, DocumentSetPageCount(tank), pages);
        if (!refusal.empty())
            throw std::runtime_error(refusal);
    }

    const std::unique_ptr<QGuiApplication> application = StartFonts();
    try {
        PrintRequest request;
        request.pages = pages;
        ForwardReports(PrintPagesToPdf(pdfPath, tank, request).reports);
    } catch (const TankFileError& error) {
        throw CommandError(pdfPath, error.what(), ExitStatus::Unwritten);
    } catch (const PrintError& error) {
        throw CommandError(pdfPath, error.what(), ExitStatus::Unwritten);
    }
    WarnOfUnfitTexts(pdfPath, tank, pages);
}

} // namespace veloquin::cli
