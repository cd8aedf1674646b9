#include "PdfCommand.h"

#include "Commands.h"
#include "PageList.h"
#include "PagePrinting.h"
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
        request.pages = std::move(pages);
        ForwardReports(PrintPagesToPdf(pdfPath, tank, request).reports);
    } catch (const TankFileError& error) {
        throw CommandError(pdfPath, error.what());
    } catch (const PrintError& error) {
        throw CommandError(pdfPath, error.what());
    }
}

} // namespace veloquin::cli
