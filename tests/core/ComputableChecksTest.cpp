// A tank whose table cannot be computed is never called clean: every reading
// that is no number is an error of its own field, and a table refused for
// another reason is an error too.

#include "CalibrationTableCheck.h"
#include "RealisticTank.h"
#include "TankChecks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace veloquin {
namespace {

std::vector<Finding> ErrorsOf(const TSteelVertCylTank& tank)
{
    std::vector<Finding> errors;
    for (const Finding& finding : CheckTank(tank))
        if (finding.severity == Severity::Error)
            errors.push_back(finding);
    return errors;
}

TEST(ComputableChecks, EveryReadingThatIsNoNumberIsAnErrorOfItsField)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case
    {
        CheckedField field;
        FindingIndex index;
        std::function<void(TSteelVertCylTank&)> spoil;
        const char* place;
    };
    const Case cases[] = {
        {CheckedField::PlumbDistance, FindingIndex::Pair(4, 7), [&](auto& t) { t.SetPlumbDistance(4, 7, nan); },
         "Расстояние до отвеса, строка 4, образующая 7: не число"},
        {CheckedField::SheetThickness, FindingIndex::One(3), [&](auto& t) { t.SetSheetThickness(3, inf); },
         "Толщина листа, пояс 3: бесконечность"},
        {CheckedField::BottomReadings, FindingIndex::Pair(2, 5), [&](auto& t) { t.SetBottomReading(2, 5, -inf); },
         "Отсчет по днищу, окружность 2, радиус 5: минус бесконечность"},
        {CheckedField::StoredDensity, FindingIndex::None(), [&](auto& t) { t.SetStoredDensity(nan); },
         "Плотность хранимой жидкости: не число"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.place);
        TSteelVertCylTank tank = test::MakeRealisticTank();
        c.spoil(tank);
        tank.UpdateAll();
        const std::vector<Finding> errors = ErrorsOf(tank);
        const auto found = std::find_if(errors.begin(), errors.end(), [&](const Finding& f) {
            return f.field == c.field && f.index == c.index && !std::isfinite(f.value);
        });
        ASSERT_NE(errors.end(), found);
        EXPECT_EQ(0u, found->message.find(c.place)) << found->message;
    }
}

TEST(ComputableChecks, TableThatCannotBeComputedIsAnError)
{
    // Finite readings, a table of endless levels: refused by the tools, so an error here.
    TSteelVertCylTank tank = test::MakeRealisticTank();
    tank.SetGirdleHeightOuter(2, 8e6);
    tank.UpdateGirdleHeight(2);
    tank.UpdateAll();
    const std::string fault = CalibrationTableFault(tank);
    ASSERT_FALSE(fault.empty());
    const std::vector<Finding> errors = ErrorsOf(tank);
    const auto table = std::find_if(errors.begin(), errors.end(),
                                    [](const Finding& f) { return f.field == CheckedField::VolumeAtLevel; });
    ASSERT_NE(errors.end(), table);
    EXPECT_EQ(fault, table->message);

    // A sound tank has no such finding.
    TSteelVertCylTank sound = test::MakeRealisticTank();
    sound.UpdateAll();
    for (const Finding& finding : CheckTank(sound))
        EXPECT_NE(CheckedField::VolumeAtLevel, finding.field) << finding.message;
}

} // namespace
} // namespace veloquin
