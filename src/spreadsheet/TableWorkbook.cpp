#include "TableWorkbook.h"

#include "CalibrationText.h"
#include "FileIo.h"
#include "GFunc.h"
#include "export/GirdleFigures.h"
#include "export/TablePoints.h"

#include <xlsxwriter.h>

#include <cerrno>
#include <charconv>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <unistd.h>

namespace veloquin {

const char* const kTableSheetName = "Градуировочная таблица";
const char* const kFractionsSheetName = "Доли сантиметра";
const char* const kInputsSheetName = "Исходные данные";
const char* const kComparisonSheetName = "Сравнение по уровням";
const char* const kGirdleComparisonSheetName = "Сравнение по поясам";

const char* WorkbookProgramVersion()
{
    return VELOQUIN_PROGRAM_VERSION;
}

namespace {

// The longest text a cell holds.
constexpr std::size_t kMaxCellBytes = 32767;
constexpr int kFractionSteps = 9;
// U of a level: a tenth of a litre.
constexpr std::int8_t kUncertaintyDecimals = 4;
// A workbook of the longest table allowed is a few megabytes.
constexpr std::size_t kMaxWorkbookBytes = 256u << 20;

// The longest text a document property holds (the format's limit, counted here
// in bytes so that no reader's count is exceeded).
constexpr std::size_t kMaxPropertyBytes = 255;

// `text` cut to at most `bytes` bytes, on a character boundary.
std::string CutText(std::string text, std::size_t bytes)
{
    if (text.size() <= bytes)
        return text;
    std::size_t end = bytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) >> 6) == 2)
        --end;
    text.resize(end);
    return text;
}

// Texts from a tank file are the user's: cut to what a cell holds, on a
// character boundary, and with no control character XML cannot carry (a word
// processor's manual line break, U+000B, becomes a line break of the cell).
std::string CellText(const std::string& text)
{
    std::string cell = CutText(text, kMaxCellBytes);
    for (char& c : cell) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0x0B)
            c = '\n';
        else if ((byte < 0x20 && c != '\n' && c != '\t') || byte == 0x7F)
            c = ' ';
    }
    return cell;
}

// A document property is one line, and short.
std::string PropertyText(const std::string& text)
{
    return CutText(OneLineText(text), kMaxPropertyBytes);
}

// The number a printed text stands for: the shortest form with up to 15
// significant digits, read back, so that a cell holds what the page prints.
double AsPrinted(double value)
{
    char digits[32];
    const auto written = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, 15);
    double printed = value;
    std::from_chars(digits, written.ptr, printed);
    return printed;
}

// One workbook being written under a temporary name.
class Workbook
{
public:
    explicit Workbook(const std::string& path) : m_path(path)
    {
        // The library writes to a name of its own; the finished bytes replace the
        // target as a tank file is replaced, permissions and links respected.
        const char* base = std::getenv("TMPDIR");
        const std::string folder = base && *base ? base : "/tmp";
        std::string pattern = folder + "/veloquin-xlsx-XXXXXX";
        // The failure is the temporary folder's (a TMPDIR that is no folder), not the workbook's.
        if (!mkdtemp(pattern.data()))
            throw WorkbookError("Не удалось создать временную папку в «" + QuotedInput(folder) +
                                "» (TMPDIR): " + IoErrorText(errno) + "; книга не записана.");
        m_folder = pattern;
        m_temporary = m_folder + "/book.xlsx";
        lxw_workbook_options options = {};
        options.tmpdir = m_folder.data();
        m_book = workbook_new_opt(m_temporary.c_str(), &options);
        if (!m_book) {
            Clean();
            throw WorkbookError("Не удалось создать книгу.");
        }
        m_bold = workbook_add_format(m_book);
        format_set_bold(m_bold);
        format_set_text_wrap(m_bold);
        format_set_align(m_bold, LXW_ALIGN_VERTICAL_TOP);
        m_volume = workbook_add_format(m_book);
        format_set_num_format(m_volume, "#,##0.000");
        m_general = workbook_add_format(m_book);
        format_set_num_format(m_general, "General");
        m_integer = workbook_add_format(m_book);
        format_set_num_format(m_integer, "0");
        m_percent = workbook_add_format(m_book);
        format_set_num_format(m_percent, "0.000");
        m_beyond = workbook_add_format(m_book);
        format_set_num_format(m_beyond, "#,##0.000");
        format_set_bg_color(m_beyond, 0xFFC7CE);
    }
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;
    ~Workbook()
    {
        if (m_book)
            workbook_close(m_book);
        Clean();
    }

    lxw_worksheet* Sheet(const char* name)
    {
        lxw_worksheet* sheet = workbook_add_worksheet(m_book, name);
        if (!sheet)
            throw WorkbookError("Не удалось добавить лист «" + std::string(name) + "».");
        return sheet;
    }

    void Properties(const std::string& title, const std::string& subject)
    {
        const std::string version = std::string("Veloquin ") + WorkbookProgramVersion();
        lxw_doc_properties properties = {};
        std::string titleText = PropertyText(title);
        std::string subjectText = PropertyText(subject);
        std::string comments = version;
        std::string application = "Veloquin";
        properties.title = titleText.data();
        properties.subject = subjectText.data();
        properties.comments = comments.data();
        properties.author = application.data();
        Check(workbook_set_properties(m_book, &properties));
        Check(workbook_set_custom_property_string(m_book, "Версия программы", WorkbookProgramVersion()));
        Check(workbook_set_custom_property_string(m_book, "Резервуар", titleText.c_str()));
    }

    void Close()
    {
        lxw_workbook* book = m_book;
        m_book = nullptr;
        Check(workbook_close(book));
        try {
            ReplaceFile(m_path, ReadFileBytes(m_temporary, kMaxWorkbookBytes));
        } catch (const TankFileError& error) {
            throw WorkbookError(error.what());
        }
    }

    void Check(lxw_error error)
    {
        if (error != LXW_NO_ERROR)
            throw WorkbookError(std::string("Не удалось записать книгу: ") + lxw_strerror(error) + ".");
    }

    void Text(lxw_worksheet* sheet, int row, int column, const std::string& text, lxw_format* format = nullptr)
    {
        if (!text.empty())
            Check(worksheet_write_string(sheet, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column),
                                         CellText(text).c_str(), format));
    }
    void Heading(lxw_worksheet* sheet, int row, int column, const std::string& text)
    {
        Text(sheet, row, column, text, m_bold);
    }
    void Number(lxw_worksheet* sheet, int row, int column, double value, lxw_format* format)
    {
        // A value of a damaged file that is no number is written as the text the page prints.
        if (!std::isfinite(value)) {
            Text(sheet, row, column, FormatDecimals(3, value));
            return;
        }
        Check(
            worksheet_write_number(sheet, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column), value, format));
    }

    lxw_format* m_bold = nullptr;
    lxw_format* m_volume = nullptr;
    lxw_format* m_general = nullptr;
    lxw_format* m_integer = nullptr;
    lxw_format* m_percent = nullptr;
    lxw_format* m_beyond = nullptr;

private:
    void Clean()
    {
        if (m_temporary.empty())
            return;
        std::remove(m_temporary.c_str());
        rmdir(m_folder.c_str());
    }

    std::string m_path;
    std::string m_folder;
    std::string m_temporary;
    lxw_workbook* m_book = nullptr;
};

void Widths(lxw_worksheet* sheet, std::initializer_list<double> widths)
{
    lxw_col_t column = 0;
    for (double width : widths) {
        worksheet_set_column(sheet, column, column, width, nullptr);
        ++column;
    }
}

// The printed sheets start a girdle at its own edge, between the 10 mm lines the
// estimate was made at: U there is read off the estimate's levels, on which it
// changes slowly.
double UAtPrintedLevel(const TableUncertainty& uncertainty, double printedMm)
{
    const std::vector<LevelUncertainty>& levels = uncertainty.levels;
    const auto above = std::lower_bound(levels.begin(), levels.end(), printedMm,
                                        [](const LevelUncertainty& level, double mm) { return level.levelMm < mm; });
    if (above == levels.begin())
        return levels.front().U();
    if (above == levels.end())
        return levels.back().U();
    const LevelUncertainty& below = *(above - 1);
    const double span = above->levelMm - below.levelMm;
    const double t = span > 0 ? (printedMm - below.levelMm) / span : 0;
    return below.U() + t * (above->U() - below.U());
}

// The printed table, row for row: the rows a user checks against the sheets.
void WriteTableSheet(Workbook& book, const TSteelVertCylTank& tank, const TableUncertainty* uncertainty)
{
    lxw_worksheet* sheet = book.Sheet(kTableSheetName);
    Widths(sheet, {8, 13, 13, 16, 12});
    book.Heading(sheet, 0, 0, "Пояс");
    book.Heading(sheet, 0, 1, "Уровень, см");
    book.Heading(sheet, 0, 2, "Уровень, мм");
    book.Heading(sheet, 0, 3, "Вместимость, м³");
    worksheet_freeze_panes(sheet, 1, 0);
    // An estimate of another table (the tank changed since) has no column here.
    const bool withU = uncertainty && !uncertainty->levels.empty() &&
                       uncertainty->levels.size() == CalibrationTableLevels(tank).size();
    if (withU)
        book.Heading(sheet, 0, 4, "U, м³");
    int row = 1;
    for (const CalibrationLevel& level : PrintedSheetRows(tank)) {
        const double printedMm = level.levelMm - tank.TouchPointHeight();
        book.Number(sheet, row, 0, level.girdle, book.m_integer);
        book.Number(sheet, row, 1, AsPrinted(printedMm * 0.1), book.m_general);
        book.Number(sheet, row, 2, AsPrinted(printedMm), book.m_general);
        book.Number(sheet, row, 3, RoundDecimals(3, level.volumeM3), book.m_volume);
        if (withU)
            book.Number(sheet, row, 4, RoundDecimals(kUncertaintyDecimals, UAtPrintedLevel(*uncertainty, printedMm)),
                        book.m_general);
        ++row;
    }
}

void WriteFractionsSheet(Workbook& book, const TSteelVertCylTank& tank)
{
    lxw_worksheet* sheet = book.Sheet(kFractionsSheetName);
    book.Heading(sheet, 0, 0, "Среднее значение вместимости дробных частей сантиметра, м³");
    book.Heading(sheet, 1, 0, "Пояс");
    worksheet_set_column(sheet, 0, 0, 8, nullptr);
    worksheet_set_column(sheet, 1, kFractionSteps, 11, nullptr);
    for (int i = 1; i <= kFractionSteps; ++i)
        book.Heading(sheet, 1, i, FloatToStr(AsPrinted(i * 0.1)) + " см");
    for (int girdle = 1; girdle <= tank.GirdleCount(); ++girdle) {
        const int row = girdle + 1;
        book.Number(sheet, row, 0, girdle, book.m_integer);
        // A girdle of a single level has no mean: its cells stay empty, as on paper.
        if (const std::optional<double> perMm = MeanCapacityPerMm(tank, girdle))
            for (int i = 1; i <= kFractionSteps; ++i)
                book.Number(sheet, row, i, RoundDecimals(3, i * *perMm), book.m_volume);
    }
}

// The inputs sheet: a label in column A, values from column B on.
class InputRows
{
public:
    InputRows(Workbook& book, lxw_worksheet* sheet) : m_book(book), m_sheet(sheet) {}

    void Section(const std::string& title)
    {
        if (m_row > 0)
            ++m_row;
        m_book.Heading(m_sheet, m_row++, 0, title);
    }
    void Value(const std::string& label, double value)
    {
        m_book.Text(m_sheet, m_row, 0, label);
        m_book.Number(m_sheet, m_row++, 1, value, m_book.m_general);
    }
    void Text(const std::string& label, const std::string& text)
    {
        m_book.Text(m_sheet, m_row, 0, label);
        m_book.Text(m_sheet, m_row++, 1, text);
    }
    void Heads(const std::vector<std::string>& heads)
    {
        for (std::size_t k = 0; k < heads.size(); ++k)
            m_book.Heading(m_sheet, m_row, static_cast<int>(k), heads[k]);
        ++m_row;
    }
    // A row of numbers from column A on.
    void Numbers(const std::vector<double>& values)
    {
        for (std::size_t k = 0; k < values.size(); ++k)
            m_book.Number(m_sheet, m_row, static_cast<int>(k), values[k], m_book.m_general);
        ++m_row;
    }
    // A label, then numbers from column B on.
    void List(const std::string& label, const std::vector<double>& values)
    {
        m_book.Text(m_sheet, m_row, 0, label);
        for (std::size_t k = 0; k < values.size(); ++k)
            m_book.Number(m_sheet, m_row, static_cast<int>(k + 1), values[k], m_book.m_general);
        ++m_row;
    }

private:
    Workbook& m_book;
    lxw_worksheet* m_sheet;
    int m_row = 0;
};

struct TitlePageSlot
{
    SheetField field;
    const char* label;
};

// The title page keeps its texts in the slots of the protocol's first sheet.
constexpr TitlePageSlot kTitlePageSlots[] = {
    {SheetField::Org1, "Утверждаю: должность, строка 1"},
    {SheetField::Org2, "Утверждаю: должность, строка 2"},
    {SheetField::Date, "Утверждаю: фамилия"},
    {SheetField::Object, "Утверждаю: дата"},
    {SheetField::Sheet, "Название резервуара на титульном листе"},
    {SheetField::Title, "Организация"},
    {SheetField::Title_2, "Срок очередной градуировки"},
    {SheetField::Worker, "Председатель комиссии: должность"},
    {SheetField::NameWorker, "Председатель комиссии: фамилия"},
};

struct ProtocolTextLabel
{
    ProtocolTextId id;
    const char* label;
};

constexpr ProtocolTextLabel kProtocolTextLabels[] = {
    {ProtocolTextId::RegNumber, "Регистрационный номер"},
    {ProtocolTextId::Chislo, "Дата проведения измерений: число"},
    {ProtocolTextId::Month, "Дата проведения измерений: месяц"},
    {ProtocolTextId::Year, "Дата проведения измерений: год"},
    {ProtocolTextId::OsnovIzmer, "Основание для измерений"},
    {ProtocolTextId::MestoIzmer, "Место проведения измерений"},
    {ProtocolTextId::TypeRez, "Тип резервуара"},
    {ProtocolTextId::NumberRez, "Номер резервуара"},
    {ProtocolTextId::Pogreshn, "Погрешность определения вместимости резервуара"},
    {ProtocolTextId::SredstvaIzmer, "Средства проведения измерений"},
    {ProtocolTextId::Temperatura, "Температура воздуха, °С"},
    {ProtocolTextId::TemperaturaGidk, "Температура жидкости при объемном методе, °С"},
    {ProtocolTextId::SkorostVetra, "Скорость ветра, м/с"},
    {ProtocolTextId::Zagazovannost, "Загазованность"},
    {ProtocolTextId::Dolgnost_1, "Подпись 1: должность"},
    {ProtocolTextId::Familia_1, "Подпись 1: фамилия"},
    {ProtocolTextId::Dolgnost_2, "Подпись 2: должность"},
    {ProtocolTextId::Familia_2, "Подпись 2: фамилия"},
    {ProtocolTextId::Dolgnost_3, "Подпись 3: должность"},
    {ProtocolTextId::Familia_3, "Подпись 3: фамилия"},
    {ProtocolTextId::Dolgnost_4, "Подпись 4: должность"},
    {ProtocolTextId::Familia_4, "Подпись 4: фамилия"},
    {ProtocolTextId::Add_1, "Дополнение, строка 1"},
    {ProtocolTextId::Add_2, "Дополнение, строка 2"},
    {ProtocolTextId::Add_3, "Дополнение, строка 3"},
};
static_assert(std::size(kProtocolTextLabels) == kProtocolTextCount, "every protocol text has its label");

void WriteInputsSheet(Workbook& book, const TSteelVertCylTank& tank)
{
    using Tank = TSteelVertCylTank;
    lxw_worksheet* sheet = book.Sheet(kInputsSheetName);
    worksheet_set_column(sheet, 0, 0, 48, nullptr);
    worksheet_set_column(sheet, 1, 40, 12, nullptr);
    InputRows rows(book, sheet);

    rows.Section("Резервуар");
    rows.Text("Название", tank.Name());
    rows.Value("Вместимость по проекту, м3", tank.DesignCapacity());
    rows.Value("Погрешность определения вместимости, м3", StatedCapacityErrorM3(tank));
    rows.Value("Число поясов", tank.GirdleCount());
    rows.Value("Число образующих", tank.GeneratrixCount());
    rows.Value("Толщина слоя покраски, мм", tank.PaintThickness());
    rows.Value("Высота заполнения резервуара при градуировке, мм", tank.CalibrationFillHeight());
    rows.Value("Плотность жидкости при градуировке, кг/м3", tank.CalibrationDensity());
    rows.Value("Плотность хранимой жидкости, кг/м3", tank.StoredDensity());
    rows.Value("Высота мертвой полости (от днища), мм", tank.DeadCavityHeight());
    rows.Value("Вместимость мертвой полости, м3", tank.DeadCavityCapacity());
    rows.Value("Проектная высота заполнения, мм", tank.DesignFillHeight());
    rows.Value("Базовая высота, измерение 1, мм", tank.BaseHeightMeas1());
    rows.Value("Базовая высота, измерение 2, мм", tank.BaseHeightMeas2());
    rows.Value("Базовая высота, мм", tank.BaseHeight());
    rows.Value("Внутренние детали, м3", tank.InternalDetailsVolume());

    rows.Section("Длина окружности первого пояса");
    rows.Value("Измерение 1, мм", tank.ExtCircumferenceMeasured1());
    rows.Value("Измерение 2, мм", tank.ExtCircumferenceMeasured2());
    rows.Value("Число поправок на обход накладок", tank.WeldCorrectionCount());
    std::vector<double> welds;
    for (int i = 1; i <= std::abs(tank.WeldCorrectionCount()); ++i)
        welds.push_back(tank.WeldCorrection(i));
    rows.List("Поправки на обход накладок, мм", welds);
    rows.Value("Длина внешней окружности первого пояса, мм", tank.ExtCircumference());

    rows.Section("Пояса");
    rows.Heads({"Пояс", "Толщина листа, мм", "Высота наружная, мм", "Нахлест снизу, мм", "Нахлест сверху, мм",
                "Высота, мм", "Среднее расстояние до нити отвеса, мм", "Радиальное отклонение, мм",
                "Длина внутренней окружности, мм", "Вместимость, м3"});
    for (int k = 1; k <= tank.GirdleCount(); ++k)
        rows.Numbers({double(k), tank.SheetThickness(k), tank.GirdleHeightOuter(k), tank.OverlapBottom(k),
                      tank.OverlapTop(k), tank.GirdleHeight(k), tank.MeanPlumbDistance(k), tank.MeanRadialDeviation(k),
                      tank.IntCircumference(k), tank.GirdleCapacity(k)});

    rows.Section("Расстояние от стенки до нити отвеса, мм");
    std::vector<std::string> heads = {"Ряд (пояс)"};
    for (int g = 1; g <= tank.GeneratrixCount(); ++g)
        heads.push_back("Образующая " + std::to_string(g));
    rows.Heads(heads);
    for (int r = 1; r <= tank.PlumbRowCount(); ++r) {
        std::vector<double> values;
        for (int g = 1; g <= tank.GeneratrixCount(); ++g)
            values.push_back(tank.PlumbDistance(r, g));
        rows.List(std::to_string(r) + " (" + std::to_string(tank.GirdleOfPlumbRow(r)) + ")", values);
    }

    rows.Section("Днище");
    rows.Value("Отсчет в центре днища, мм", tank.BottomCenter());
    rows.Value("Отсчет у нити отвеса, мм", tank.PointPlumb());
    rows.Value("Поправка на неровность днища, м3", tank.BottomCorrection());
    rows.Value("Высота точки касания рулетки, мм", tank.TouchPointHeight());
    heads = {"Отсчеты, мм: окружность \\ радиус"};
    for (int radius = 1; radius <= Tank::kBottomRadii; ++radius)
        heads.push_back(std::to_string(radius));
    rows.Heads(heads);
    for (int circle = 1; circle <= Tank::kBottomCircles; ++circle) {
        std::vector<double> values;
        for (int radius = 1; radius <= Tank::kBottomRadii; ++radius)
            values.push_back(tank.BottomReading(circle, radius));
        rows.List(std::to_string(circle), values);
    }

    rows.Section("Внутренние детали");
    rows.Heads({"Деталь", "Произвольная", "Объем, м3", "Низ, мм", "Верх, мм", "Диаметр, мм", "Длина, мм"});
    for (int d = 1; d <= tank.DetailCount(); ++d) {
        const InternalDetail& detail = tank.Detail(d);
        rows.Numbers({double(d), detail.IsArbitrary ? 1.0 : 0.0, detail.Volume, detail.Bottom, detail.Top,
                      detail.Diameter, detail.Length});
    }

    rows.Section("Титульный лист протокола");
    for (const TitlePageSlot& slot : kTitlePageSlots)
        rows.Text(slot.label, tank.SheetTextOf(SheetKind::Protocol, 1, slot.field));
    rows.Text("Председатель комиссии (таблица)", tank.PredsCom());
    rows.Text("Председатель комиссии (таблица), строка 2", tank.PredsComLine2());
    rows.Text("Председатель комиссии (таблица), строка 3", tank.PredsComLine3());
    rows.Text("Надпись сверху", tank.TopCaptionShown() ? tank.TopCaption() : std::string());
    rows.Text("Надпись снизу", tank.BottomCaptionShown() ? tank.BottomCaption() : std::string());

    rows.Section("Протокол");
    for (const ProtocolTextLabel& text : kProtocolTextLabels)
        rows.Text(text.label, tank.ProtocolText(text.id));
}

} // namespace

void WriteTableWorkbook(const std::string& path, const TSteelVertCylTank& tank, const TableUncertainty* uncertainty)
{
    CheckCalibrationSheetsLength(tank);
    Workbook book(path);
    book.Properties(tank.Name(), "Градуировочная таблица");
    WriteTableSheet(book, tank, uncertainty);
    WriteFractionsSheet(book, tank);
    WriteInputsSheet(book, tank);
    book.Close();
}

void WriteComparisonWorkbook(const std::string& path, const TableComparison& comparison)
{
    Workbook book(path);
    book.Properties(comparison.newSource, "Сравнение градуировочных таблиц");

    lxw_worksheet* levels = book.Sheet(kComparisonSheetName);
    Widths(levels, {13, 18, 18, 15, 13, 20});
    int row = 0;
    book.Text(levels, row++, 0, "Прежняя таблица: " + comparison.previousSource);
    book.Text(levels, row++, 0, "Новая таблица: " + comparison.newSource);
    if (comparison.errorM3) {
        book.Text(levels, row, 0, "Погрешность определения вместимости, м³");
        book.Number(levels, row++, 3, *comparison.errorM3, book.m_volume);
    }
    for (const std::string& warning : comparison.warnings)
        book.Text(levels, row++, 0, "Внимание: " + warning);
    ++row;
    const int headRow = row;
    const char* const heads[] = {"Уровень, мм",  "Прежний объем, м³", "Новый объем, м³",
                                 "Разность, м³", "Разность, %",       "Сверх погрешности"};
    for (int k = 0; k < 6; ++k)
        book.Heading(levels, headRow, k, heads[k]);
    worksheet_freeze_panes(levels, static_cast<lxw_row_t>(headRow + 1), 0);
    row = headRow + 1;
    for (const LevelDifference& level : comparison.levels) {
        lxw_format* difference = level.beyondError ? book.m_beyond : book.m_volume;
        book.Number(levels, row, 0, AsPrinted(level.levelMm), book.m_general);
        book.Number(levels, row, 1, level.previousM3, book.m_volume);
        book.Number(levels, row, 2, level.newM3, book.m_volume);
        book.Number(levels, row, 3, level.differenceM3, difference);
        if (level.percent)
            book.Number(levels, row, 4, *level.percent, book.m_percent);
        if (level.beyondError)
            book.Text(levels, row, 5, "да");
        ++row;
    }

    lxw_worksheet* girdles = book.Sheet(kGirdleComparisonSheetName);
    Widths(girdles, {8, 22, 22, 15});
    book.Heading(girdles, 0, 0, "Пояс");
    book.Heading(girdles, 0, 1,
                 comparison.girdlesFromCapacities ? "Прежняя вместимость, м³" : "Прежняя вместимость по таблице, м³");
    book.Heading(girdles, 0, 2,
                 comparison.girdlesFromCapacities ? "Новая вместимость, м³" : "Новая вместимость по таблице, м³");
    book.Heading(girdles, 0, 3, "Разность, м³");
    row = 1;
    for (const GirdleDifference& girdle : comparison.girdles) {
        book.Number(girdles, row, 0, girdle.girdle, book.m_integer);
        book.Number(girdles, row, 1, girdle.previousM3, book.m_volume);
        book.Number(girdles, row, 2, girdle.newM3, book.m_volume);
        book.Number(girdles, row, 3, girdle.differenceM3, book.m_volume);
        ++row;
    }
    book.Close();
}

} // namespace veloquin
