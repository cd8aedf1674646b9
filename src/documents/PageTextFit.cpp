#include "PageTextFit.h"

#include "DocumentSet.h"
#include "GFunc.h"
#include "MeasuringCanvas.h"
#include "PageDrawing.h"
#include "PagePrinting.h"

#include <algorithm>
#include <cmath>

namespace veloquin {
namespace {

// The PDF's sheet in whole device pixels, as its writer counts them.
PageGeometry PdfGeometry()
{
    const auto pdfPx = [](double mm) { return static_cast<int>(mm / 25.4 * kPdfDotsPerInch); };
    return PageGeometry::ForPrinter(pdfPx(kPageWidthMm), pdfPx(kPageHeightMm), PrinterCalibration{});
}

const char* const kFrameTab = "Рамка";
const char* const kSheet1Tab = "Протокол Лист1";
const char* const kEndSheetTab = "Протокол Посл. лист";

// Every box of the sheet options: the tab it is on and the name the user
// knows it by (its label where it has one).
const struct
{
    const char* field;
    const char* tab;
    const char* name;
} kOptionTextLabels[] = {
    {"edOrg1", kFrameTab, "Штамп: организация слева"},
    {"edOrg2", kFrameTab, "Штамп: организация справа"},
    {"edDate", kFrameTab, "Штамп: дата"},
    {"edObject", kFrameTab, "Штамп: объект"},
    {"edSheet", kFrameTab, "Штамп: лист"},
    {"edTitle", kFrameTab, "Заголовок"},
    {"edTitle_1", kFrameTab, "Заголовок, строка 1"},
    {"edTitle_2", kFrameTab, "Заголовок, строка 2"},
    {"edWorker", kFrameTab, "Штамп: исполнитель"},
    {"edNameWorker", kFrameTab, "Штамп: фамилия исполнителя"},
    {"edYtvDolgnoct_1", kFrameTab, "Титульный лист: должность, строка 1"},
    {"edYtvDolgnoct_2", kFrameTab, "Титульный лист: должность, строка 2"},
    {"edYtvFamilia", kFrameTab, "Титульный лист: фамилия"},
    {"edYtvDate", kFrameTab, "Титульный лист: дата"},
    {"edNazvanRez", kFrameTab, "Название резервуара"},
    {"edOrg", kFrameTab, "Организация"},
    {"edSrok", kFrameTab, "Срок очередной градуировки"},
    {"edPrKom_Dolgn", kFrameTab, "Председатель комиссии: должность"},
    {"edPrKom_Famil", kFrameTab, "Председатель комиссии: фамилия"},
    {"edAdd_1", kFrameTab, "Титульный лист: строка 1 внизу"},
    {"edAdd_2", kFrameTab, "Титульный лист: строка 2 внизу"},
    {"edAdd_3", kFrameTab, "Титульный лист: строка 3 внизу"},
    {"edTopCaption", "Надписи", "Текст выше чертежа"},
    {"edBottomCaption", "Надписи", "Текст ниже чертежа"},
    {"edPredsCom", "Подпись предс. комиссии", "Строка 1"},
    {"ed___", "Подпись предс. комиссии", "Строка 2"},
    {"ed__y", "Подпись предс. комиссии", "Строка 3"},
    {"edRegNumber", kSheet1Tab, "Регистр. номер"},
    {"edOsnovIzmer", kSheet1Tab, "Основ. для измер."},
    {"edChislo", kSheet1Tab, "Число"},
    {"edMonth", kSheet1Tab, "Месяц"},
    {"edYear", kSheet1Tab, "Год"},
    {"edMestoIzmer", kSheet1Tab, "Место проведения измерений"},
    {"edTypeRez", kSheet1Tab, "Тип резервуара"},
    {"edNumberRez", kSheet1Tab, "Номер резервуара"},
    {"edPogreshn", kSheet1Tab, "Погрешность опред. вместим. резервуара"},
    {"edSredstvaIzmer", kSheet1Tab, "Средства проведения измерений"},
    {"edTemperatura", kSheet1Tab, "Температура воздуха"},
    {"edSkorostVetra", kSheet1Tab, "Скорость ветра"},
    {"edZagazovannost", kSheet1Tab, "Загазованность"},
    {"edTemperaturaGidk", kSheet1Tab, "Температура жидкости при объемном методе"},
    {"edDolgnost_1", kEndSheetTab, "Должность 1"},
    {"edDolgnost_2", kEndSheetTab, "Должность 2"},
    {"edDolgnost_3", kEndSheetTab, "Должность 3"},
    {"edDolgnost_4", kEndSheetTab, "Должность 4"},
    {"edFamilia_1", kEndSheetTab, "Фамилия И.О. 1"},
    {"edFamilia_2", kEndSheetTab, "Фамилия И.О. 2"},
    {"edFamilia_3", kEndSheetTab, "Фамилия И.О. 3"},
    {"edFamilia_4", kEndSheetTab, "Фамилия И.О. 4"},
};

} // namespace

OptionTextLabel OptionTextLabelOf(const std::string& field)
{
    for (const auto& label : kOptionTextLabels)
        if (field == label.field)
            return {label.tab, label.name};
    return {};
}

std::vector<TextOverflow> PageOptionTextOverflows(DocumentRenderer& renderer, const PageOptions& options, DocKind kind,
                                                  int page)
{
    MeasuringCanvas canvas(kPdfDotsPerInch);
    renderer.Draw(canvas, PdfGeometry(), options, kind, page);
    return canvas.Overflows();
}

std::vector<PageOverflow> OptionTextOverflows(const TSteelVertCylTank& tank, const std::vector<int>& pages)
{
    const PageGeometry geometry = PdfGeometry();
    MeasuringCanvas canvas(kPdfDotsPerInch);
    DocumentRenderer renderer(tank);
    std::vector<PageOverflow> overflows;
    for (const int page : pages) {
        if (page < 1 || page > renderer.PageCount())
            continue;
        canvas.ClearOverflows();
        renderer.Draw(canvas, geometry, page);
        for (const TextOverflow& overflow : canvas.Overflows())
            overflows.push_back({page, overflow});
    }
    return overflows;
}

std::vector<UnfitText> UnfitTexts(const TSteelVertCylTank& tank, const std::vector<int>& pages)
{
    std::vector<int> distinct = pages;
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    std::vector<UnfitText> texts;
    for (const PageOverflow& found : OptionTextOverflows(tank, distinct)) {
        auto text = std::find_if(texts.begin(), texts.end(),
                                 [&found](const UnfitText& known) { return known.field == found.overflow.field; });
        if (text == texts.end()) {
            texts.push_back({found.overflow.field, OptionTextLabelOf(found.overflow.field), {}, 0});
            text = std::prev(texts.end());
        }
        if (text->pages.empty() || text->pages.back() != found.page)
            text->pages.push_back(found.page);
        text->byMm = std::max(text->byMm, found.overflow.byMm);
    }
    return texts;
}

std::string OverflowMmText(double byMm)
{
    return FormatDecimals(1, std::ceil(byMm * 10 - 1e-9) / 10);
}

std::string PageRangesText(const std::vector<int>& pages)
{
    std::string text;
    for (std::size_t first = 0; first < pages.size();) {
        std::size_t last = first;
        while (last + 1 < pages.size() && pages[last + 1] == pages[last] + 1)
            ++last;
        if (!text.empty())
            text += ", ";
        text += std::to_string(pages[first]);
        if (last > first)
            text += (last == first + 1 ? ", " : "–") + std::to_string(pages[last]);
        first = last + 1;
    }
    return text;
}

std::string UnfitTextLine(const UnfitText& text)
{
    const std::string name = text.label.name.empty() ? text.field : text.label.name;
    std::string line = "«" + name + "»";
    if (!text.label.tab.empty())
        line += " («" + text.label.tab + "»)";
    return line + ", стр. " + PageRangesText(text.pages) + ": на " + OverflowMmText(text.byMm) + " мм";
}

std::vector<int> SharedTextPages(const TSteelVertCylTank& tank)
{
    const int protocolPages = tank.ProtocolSheetCount();
    const int setPages = DocumentSetPageCount(tank);
    std::vector<int> pages = {1, 2, protocolPages, setPages - 1, setPages};
    std::sort(pages.begin(), pages.end());
    pages.erase(std::unique(pages.begin(), pages.end()), pages.end());
    pages.erase(std::remove_if(pages.begin(), pages.end(), [setPages](int page) { return page < 1 || page > setPages; }),
                pages.end());
    return pages;
}

} // namespace veloquin
