#pragma once
// The figures of the table's uncertainty in the words the user reads, shared by
// the tool's text, the window and the printed page: volumes and U in m³ with
// the current decimal separator, U/V in per cent.

#include "TableUncertainty.h"

#include <string>

namespace veloquin {

// What no estimate here includes; the printed page says it.
extern const char* const kUncertaintyExclusionText;

std::string UncertaintyM3Text(double m3);       // "0,5136 м³"
std::string UncertaintyPercentText(double rel); // "0,053 %"
// "11291,5 мм: V = 964,178 м³, U = 0,5136 м³ (0,053 %)"
std::string LevelUncertaintyText(const LevelUncertainty& level);
// "от 1229,2 до 3229,2 мм: ΔV = 170,497 м³, U = 0,1275 м³ (0,075 %)"
std::string IntervalUncertaintyText(const IntervalUncertainty& interval);
// "в пределах погрешности 0,200 %, указанной в протоколе" or "превышает ...".
std::string DesignFillVerdictText(const TableUncertainty& result);
// "U/V выше погрешности 0,200 %, указанной в протоколе, до уровня 1439,2 мм",
// or that it is above it at no level.
std::string StatedErrorReachText(const TableUncertainty& result);
// "Рулетка (шкала, натяжение, температура): u = 0,1765 м³, 47,248 % от u²"
std::string BudgetLineText(const BudgetLine& line);
// "tape_a0 = 0,3 мм — Рулетка: предел погрешности шкалы ..."
std::string UncertaintySettingText(const UncertaintySettings& settings, UncertaintyKey key);
// "Линейная оценка" or "Метод Монте-Карло: 2000 испытаний, начальное число 20260101"
std::string UncertaintyMethodText(const TableUncertainty& result);

} // namespace veloquin
