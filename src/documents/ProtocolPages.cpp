#include "ProtocolPages.h"

#include "DocumentSet.h"
#include "ProtocolPageParts.h"
#include "PageFrame.h"

namespace veloquin {

ProtocolPagePlan ProtocolPageAt(int generatrixCount, int page)
{
    const int pageCount = TSteelVertCylTank::ProtocolSheetCountFor(generatrixCount);
    const int wallPages = pageCount - 5;
    if (page == 1)
        return {ProtocolPageContent::TitlePage, 0};
    if (page == 2)
        return {ProtocolPageContent::GeneralData, 0};
    if (page >= 3 && page < 3 + wallPages)
        return {ProtocolPageContent::WallDeviations, kGeneratricesPerPage * (page - 3)};
    if (page == pageCount - 2)
        return {ProtocolPageContent::Girdles, 0};
    if (page == pageCount - 1)
        return {ProtocolPageContent::DetailsAndDeadCavity, 0};
    if (page == pageCount)
        return {ProtocolPageContent::BaseHeightAndSignatures, 0};
    return {};
}

std::optional<double> DrawProtocolPage(Canvas& canvas, const PageGeometry& geometry, const TSteelVertCylTank& tank,
                                       const PageOptions& options, int page)
{
    PagePainter painter(canvas, geometry);
    DrawPageFrame(painter, options);
    const ProtocolPagePlan plan = ProtocolPageAt(tank.GeneratrixCount(), page);
    switch (plan.content) {
    case ProtocolPageContent::None: break;
    case ProtocolPageContent::TitlePage:
        DrawProtocolTitlePage(painter, tank, options);
        return tank.DesignFillHeight();
    case ProtocolPageContent::GeneralData: DrawProtocolGeneralData(painter, tank, options); break;
    case ProtocolPageContent::WallDeviations: DrawProtocolWallDeviations(painter, tank, plan.generatrixOffset); break;
    case ProtocolPageContent::Girdles: ProtocolGirdles(painter, tank); break;
    case ProtocolPageContent::DetailsAndDeadCavity: DrawProtocolDetailsAndDeadCavity(painter, tank); break;
    case ProtocolPageContent::BaseHeightAndSignatures:
        DrawProtocolBaseHeightAndSignatures(painter, tank, options);
        break;
    }
    return std::nullopt;
}

} // namespace veloquin
