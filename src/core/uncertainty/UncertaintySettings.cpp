#include "UncertaintySettings.h"

#include "GFunc.h"

#include <cctype>
#include <cmath>

namespace veloquin {
namespace {

using K = UncertaintyKey;

// In the order of UncertaintyKey.
constexpr std::array<UncertaintyKeyDescriptor, kUncertaintyKeyCount> kDescriptors = {{
    {K::TapeA0, "tape_a0", 0.30, 0, 100,
     "Рулетка: предел погрешности шкалы на первом метре (равномерное распределение, общее для обоих измерений)", "мм",
     "ГОСТ 7502, рулетка 2-го класса: ±(0,30 + 0,15·(L − 1)) мм"},
    {K::TapeAPerM, "tape_a_per_m", 0.15, 0, 100, "Рулетка: прирост предела погрешности шкалы на каждый следующий метр",
     "мм/м", "ГОСТ 7502, рулетка 2-го класса"},
    {K::TensionRelHalf, "tension_rel_half", 10.0 / 4.2e5, 0, 0.01,
     "Натяжение рулетки: полуширина относительной погрешности длины окружности", "доля",
     "±10 Н от номинального натяжения при жёсткости ленты EA ≈ 4,2·10⁵ Н"},
    {K::TemperatureRelHalf, "temperature_rel_half", 2 * 11.5e-6, 0, 0.01,
     "Разность температур рулетки и стенки: полуширина относительной погрешности длины окружности", "доля",
     "обе стальные, α = 11,5·10⁻⁶ 1/К, разность ±2 К (солнце и тень)"},
    {K::CircReading, "circ_reading", 1.0, 0, 1000,
     "Повторяемость измерения длины окружности: наименьшее СКО одного измерения", "мм",
     "априорная нижняя граница; при большем расхождении двух измерений берётся |m1 − m2|/√2"},
    {K::WeldEntry, "weld_entry", 0.5, 0, 100, "Поправка на сварной шов, введённая по измерению: СКО каждой", "мм",
     "подъём ленты над швом, отсчёт до 1 мм"},
    {K::WeldTableFracHalf, "weld_table_frac_half", 0.5, 0, 1,
     "Поправка на швы по таблице: полуширина погрешности в долях поправки", "доля",
     "табличное значение типично, а не измерено на этом резервуаре (±c/2)"},
    {K::ThickBiasHalf, "thick_bias_half", 0.1, 0, 10,
     "Толщиномер: полуширина систематической погрешности, общей для всех поясов", "мм",
     "предел погрешности ультразвукового толщиномера ±0,1 мм"},
    {K::ThickGirdle, "thick_girdle", 0.1, 0, 10, "Толщина листа пояса: СКО значения каждого пояса", "мм",
     "среднее нескольких измерений на листах разной толщины"},
    {K::Paint, "paint", 0.05, 0, 10, "Толщина слоя краски: СКО одного значения для всех поясов", "мм",
     "толщиномер покрытий, среднее по стенке"},
    {K::Plumb, "plumb", 1.0, 0, 100, "Отсчёт по отвесу: СКО каждого отсчёта", "мм",
     "шкала линейки 0,29, успокоенный отвес 0,58, перпендикулярность и вмятины 0,5: 0,82, округлено"},
    {K::HeightOuter, "height_outer", 1.0, 0, 100, "Высота пояса: СКО каждого значения", "мм",
     "короткая рулетка (±0,45 мм на 2 м) и положение шва"},
    {K::Overlap, "overlap", 1.0, 0, 100, "Нахлёст пояса (снизу и сверху): СКО каждого значения", "мм",
     "короткая рулетка и положение шва"},
    {K::Staff, "staff", 1.0, 0, 100, "Отсчёт по рейке на днище: СКО каждого отсчёта", "мм",
     "шкала рейки 0,29, визирование до 30 м 0,5, рейка на вмятом или сварном листе 0,8"},
    {K::CollimationArcsecHalf, "collimation_arcsec_half", 20, 0, 3600,
     "Нивелир: полуширина угла i (ошибка визирной оси), общего для всех отсчётов", "″",
     "нивелир в центре днища, ошибка отсчёта i·r"},
    {K::CalibFill, "calib_fill", 5.0, 0, 10000, "Уровень наполнения при измерениях: СКО", "мм",
     "измерение уровня при обмерах с учётом его дрейфа"},
    {K::CalibDensity, "calib_density", 1.0, 0, 1000, "Плотность жидкости при измерениях: СКО", "кг/м³",
     "ареометр или температура воды"},
    {K::StoredDensityRelHalf, "stored_density_rel_half", 0.02, 0, 1,
     "Плотность хранимого продукта: полуширина относительной погрешности", "доля",
     "плотность продукта меняется от партии к партии и с температурой, в таблице одно значение"},
    {K::ElasticRel, "elastic_rel", 0.10, 0, 1,
     "Упругая модель стенки: относительное СКО обеих гидростатических поправок", "доля",
     "модуль упругости стали ±5 %, свободное расширение оболочки завышено у днища"},
    {K::DetailVolumeRel, "detail_volume_rel", 0.10, 0, 1, "Объём внутренней детали: относительное СКО каждой", "доля",
     "чертежи и номинальные размеры"},
    {K::DetailPosition, "detail_position", 5.0, 0, 10000,
     "Положение внутренней детали по высоте: СКО каждой (обе границы вместе)", "мм", "чертежи и привязка по месту"},
    {K::RoundingHalf, "rounding_half", 0.05, 0, 1,
     "Округление длины окружности пояса до 0,1 мм: полуширина (только линейная оценка)", "мм",
     "правило вычислений; метод Монте-Карло учитывает его пересчётом"},
    {K::PlumbScatter, "plumb_scatter", 0, 0, 1,
     "Разброс отсчётов по образующим как случайная составляющая (1 — включить, 0 — нет)", "",
     "вместо СКО отсчёта: s/√N по каждому поясу выше первого; оценка чувствительности"},
}};

constexpr bool DescriptorsInOrder()
{
    for (int k = 0; k < kUncertaintyKeyCount; ++k)
        if (static_cast<int>(kDescriptors[static_cast<std::size_t>(k)].id) != k)
            return false;
    return true;
}
static_assert(DescriptorsInOrder(), "the descriptor table follows UncertaintyKey");

bool SameAsciiName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t k = 0; k < a.size(); ++k)
        if (std::tolower(static_cast<unsigned char>(a[k])) != std::tolower(static_cast<unsigned char>(b[k])))
            return false;
    return true;
}

} // namespace

SettingDescriptor UncertaintySetting(UncertaintyKey key)
{
    const UncertaintyKeyDescriptor& d = DescriptorOf(key);
    return {kUncertaintySection, d.key, SettingType::Float, d.defaultValue, d.minValue, d.maxValue};
}

const std::array<UncertaintyKeyDescriptor, kUncertaintyKeyCount>& UncertaintyKeyDescriptors()
{
    return kDescriptors;
}

const UncertaintyKeyDescriptor& DescriptorOf(UncertaintyKey key)
{
    return kDescriptors[static_cast<std::size_t>(key)];
}

std::optional<UncertaintyKey> UncertaintyKeyNamed(std::string_view name)
{
    for (const UncertaintyKeyDescriptor& d : kDescriptors)
        if (SameAsciiName(d.key, name))
            return d.id;
    return std::nullopt;
}

UncertaintySettings::UncertaintySettings()
{
    for (const UncertaintyKeyDescriptor& d : kDescriptors)
        values[static_cast<std::size_t>(d.id)] = d.defaultValue;
}

bool IsUncertaintyValue(UncertaintyKey key, double value)
{
    return IsSettingValue(UncertaintySetting(key), value);
}

double CheckedUncertaintyValue(UncertaintyKey key, double value)
{
    if (!IsUncertaintyValue(key, value)) {
        const UncertaintyKeyDescriptor& d = DescriptorOf(key);
        throw ConvertError(std::string("Значение ") + d.key + " = " + QuotedInput(FloatToStr(value)) +
                           " вне допустимых пределов: от " + FloatToStr(d.minValue) + " до " + FloatToStr(d.maxValue) +
                           (*d.unit ? std::string(" ") + d.unit : std::string()) + ".");
    }
    return value;
}

UncertaintySettings ReadUncertaintySettings(const ProfileFile& file)
{
    UncertaintySettings settings;
    for (const UncertaintyKeyDescriptor& d : kDescriptors)
        settings[d.id] = ReadSetting(file, UncertaintySetting(d.id));
    return settings;
}

void WriteUncertaintySettings(ProfileFile& file, const UncertaintySettings& settings)
{
    for (const UncertaintyKeyDescriptor& d : kDescriptors)
        WriteSetting(file, UncertaintySetting(d.id), settings[d.id]);
}

} // namespace veloquin
