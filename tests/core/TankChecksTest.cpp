// The field-data checks: quiet on every sample and realistic tank, and each slip
// of the hand, typed into a good tank, found where it was made with its hint.

#include "TankChecks.h"
#include "GFunc.h"
#include "RealisticTank.h"
#include "RobustStatistics.h"
#include "SlipGuess.h"
#include "TankFile.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace veloquin {
namespace {

using checks::GuessSlip;
using checks::ValueUnit;

const std::string kSamples = VELOQUIN_SAMPLES_DIR;
const char* const kSampleNames[] = {"default",         "sample_rvs400",        "sample_rvs1000",
                                    "sample_rvs10000", "sample_rvs2000_staff", "sample_rvs5000_tall"};

TSteelVertCylTank Sample(const std::string& name)
{
    return LoadTankFile(kSamples + "/" + name + ".vlq").tank;
}

std::string Describe(const std::vector<Finding>& findings)
{
    std::string text;
    for (const Finding& f : findings)
        text += std::string(SeverityName(f.severity)) + " " + CheckedFieldName(f.field) + " [" +
                std::to_string(f.index.first) + "," + std::to_string(f.index.second) + "] " + f.message + "\n";
    return text;
}

// The fields a slip elsewhere may move: the table follows every reading.
bool IsConsequence(CheckedField field)
{
    return field == CheckedField::GirdleCapacity || field == CheckedField::VolumeAtLevel ||
           field == CheckedField::DesignCapacity;
}

// The slip is found at its place with its severity and hint, and nothing else of
// the tank's readings is blamed.
void ExpectOnly(const TSteelVertCylTank& tank, CheckedField field, FindingIndex index, Severity severity,
                const std::string& hint)
{
    const std::vector<Finding> findings = CheckTank(tank);
    int found = 0;
    for (const Finding& f : findings) {
        if (f.field == field && f.index == index) {
            ++found;
            EXPECT_EQ(f.severity, severity) << f.message;
            EXPECT_NE(f.message.find(hint), std::string::npos) << f.message << " lacks " << hint;
        } else {
            EXPECT_TRUE(IsConsequence(f.field)) << "also blamed:\n" << Describe(findings);
        }
    }
    EXPECT_EQ(found, 1) << CheckedFieldName(field) << " [" << index.first << "," << index.second << "]\n"
                        << Describe(findings);
}

template <class Change> TSteelVertCylTank With(const std::string& sample, Change change)
{
    TSteelVertCylTank tank = Sample(sample);
    change(tank);
    tank.UpdateAll();
    return tank;
}

TEST(TankChecks, SamplesAndRealisticTanksAreQuiet)
{
    for (const char* name : kSampleNames) {
        const std::vector<Finding> findings = CheckTank(Sample(name));
        EXPECT_TRUE(findings.empty()) << name << "\n" << Describe(findings);
    }
    for (std::uint32_t seed : {1u, 7u, 12345u, 99u}) {
        for (const test::RealisticTankShape& shape : {test::RealisticTankShape{12, 1500, 36, 10, 71600, seed},
                                                      test::RealisticTankShape{10, 1490, 24, 4, 71600, seed},
                                                      test::RealisticTankShape{8, 1990, 12, 0, 60000, seed}}) {
            const std::vector<Finding> findings = CheckTank(test::MakeRealisticTank(shape));
            EXPECT_TRUE(findings.empty()) << "seed " << seed << "\n" << Describe(findings);
        }
    }
}

TEST(TankChecks, CheckingLeavesTheTankAsItWas)
{
    TSteelVertCylTank tank = Sample("sample_rvs1000");
    tank.SetModified(false);
    const double level = tank.GivenLevel();
    const double volume = tank.VolumeAtLevel();
    test::RecordingReporter reporter;
    CheckTank(tank);
    EXPECT_EQ(tank.GivenLevel(), level);
    EXPECT_EQ(tank.VolumeAtLevel(), volume);
    EXPECT_FALSE(tank.Modified());
    EXPECT_TRUE(reporter.Messages().empty());
}

// A plumb reading with each slip, in the middle of the wall, on the first row (girdle
// 1 has one row) and on the top row, of a narrow and a wide tank.
TEST(TankChecks, PlumbSlipsAreFoundAtTheirCell)
{
    struct Slip
    {
        std::function<double(double)> make;
        Severity severity;
        const char* hint;
    };
    const Slip slips[] = {
        {[](double v) { return v * 10; }, Severity::Error, "запятая не на месте?"},
        {[](double v) { return v / 10; }, Severity::Error, "в сантиметрах?"},
        {[](double) { return 0.0; }, Severity::Error, "не введено?"},
        {[](double v) { return -v; }, Severity::Error, "неверный знак?"},
    };
    for (const char* sample : {"sample_rvs1000", "sample_rvs10000"}) {
        const TSteelVertCylTank good = Sample(sample);
        const int rows = good.PlumbRowCount();
        for (const std::pair<int, int>& cell :
             {std::pair{8, 3}, std::pair{1, 1}, std::pair{rows, good.GeneratrixCount()}})
            for (const Slip& slip : slips) {
                // Plain names, not a structured binding: C++17 lambdas cannot capture one.
                const int row = cell.first;
                const int generatrix = cell.second;
                SCOPED_TRACE(std::string(sample) + " row " + std::to_string(row) + " " + slip.hint);
                const TSteelVertCylTank tank = With(sample, [&](TSteelVertCylTank& t) {
                    t.SetPlumbDistance(row, generatrix, slip.make(t.PlumbDistance(row, generatrix)));
                });
                ExpectOnly(tank, CheckedField::PlumbDistance, FindingIndex::Pair(row, generatrix), slip.severity,
                           slip.hint);
            }
    }
}

TEST(TankChecks, SwappedPlumbDigitsAreNamed)
{
    // rvs10000, generatrix 13: 99, 103.5, 99 on rows 19 to 21; 103.5 typed as 130.5.
    const TSteelVertCylTank tank =
        With("sample_rvs10000", [](TSteelVertCylTank& t) { t.SetPlumbDistance(20, 13, 130.5); });
    ExpectOnly(tank, CheckedField::PlumbDistance, FindingIndex::Pair(20, 13), Severity::Error, "перепутаны цифры?");
    const std::vector<Finding> findings = CheckTank(tank);
    ASSERT_FALSE(findings.empty());
    EXPECT_EQ(findings.front().message,
              "Пояс 8, низ, образующая 13: 130.5 мм — соседние показания 99 мм; перепутаны цифры?; "
              "меняет вместимость пояса 8 на +0.036 м³");
}

// A real step of the wall on one generatrix (a dent at a seam) is not a slip.
TEST(TankChecks, AStepOfOneGeneratrixIsNoSlip)
{
    const TSteelVertCylTank tank = With("sample_rvs1000", [](TSteelVertCylTank& t) {
        for (int row = 11; row <= t.PlumbRowCount(); ++row)
            t.SetPlumbDistance(row, 5, t.PlumbDistance(row, 5) + 25);
    });
    for (const Finding& f : CheckTank(tank))
        EXPECT_NE(f.field, CheckedField::PlumbDistance) << f.message;
}

TEST(TankChecks, BottomSlipsAreFoundAtTheirReading)
{
    for (const char* sample : {"sample_rvs400", "sample_rvs2000_staff", "sample_rvs5000_tall"}) {
        SCOPED_TRACE(sample);
        for (const std::pair<int, int>& reading : {std::pair{4, 4}, std::pair{1, 8}, std::pair{8, 2}}) {
            const int circle = reading.first;
            const int radius = reading.second;
            ExpectOnly(With(sample,
                            [&](TSteelVertCylTank& t) {
                                t.SetBottomReading(circle, radius, t.BottomReading(circle, radius) * 10);
                            }),
                       CheckedField::BottomReadings, FindingIndex::Pair(circle, radius), Severity::Error,
                       "запятая не на месте?");
            ExpectOnly(With(sample,
                            [&](TSteelVertCylTank& t) {
                                t.SetBottomReading(circle, radius, t.BottomReading(circle, radius) + 100);
                            }),
                       CheckedField::BottomReadings, FindingIndex::Pair(circle, radius), Severity::Error, "");
        }
    }
    // The centre and the touch point against the bottom.
    ExpectOnly(With("sample_rvs10000", [](TSteelVertCylTank& t) { t.SetBottomCenter(400); }),
               CheckedField::BottomCenter, FindingIndex::None(), Severity::Error, "запятая не на месте?");
    ExpectOnly(With("sample_rvs1000", [](TSteelVertCylTank& t) { t.SetPointPlumb(355); }), CheckedField::PointPlumb,
               FindingIndex::None(), Severity::Error, "запятая не на месте?");
}

TEST(TankChecks, GirdleSlipsAreFound)
{
    // A height in centimetres, swapped digits, and a sheet of another standard width left alone.
    ExpectOnly(With("sample_rvs1000", [](TSteelVertCylTank& t) { t.SetGirdleHeightOuter(3, 148.8); }),
               CheckedField::GirdleHeightOuter, FindingIndex::One(3), Severity::Error, "в сантиметрах?");
    ExpectOnly(With("sample_rvs10000", [](TSteelVertCylTank& t) { t.SetGirdleHeightOuter(12, 1848.5); }),
               CheckedField::GirdleHeightOuter, FindingIndex::One(12), Severity::Error, "перепутаны цифры?");
    EXPECT_TRUE(
        CheckTank(With("sample_rvs1000", [](TSteelVertCylTank& t) { t.SetGirdleHeightOuter(8, 1990); })).empty());

    // Thicknesses: swapped digits, a misplaced point, a sheet thicker than the one below.
    ExpectOnly(With("sample_rvs10000", [](TSteelVertCylTank& t) { t.SetSheetThickness(3, 41); }),
               CheckedField::SheetThickness, FindingIndex::One(3), Severity::Error, "перепутаны цифры?");
    ExpectOnly(With("sample_rvs1000", [](TSteelVertCylTank& t) { t.SetSheetThickness(7, 40); }),
               CheckedField::SheetThickness, FindingIndex::One(7), Severity::Error, "запятая не на месте?");
    ExpectOnly(With("sample_rvs1000", [](TSteelVertCylTank& t) { t.SetSheetThickness(6, 8); }),
               CheckedField::SheetThickness, FindingIndex::One(6), Severity::Warning, "толще пояса 5");

    // Overlaps larger than any lap.
    ExpectOnly(With("sample_rvs400", [](TSteelVertCylTank& t) { t.SetOverlapBottom(2, -300); }),
               CheckedField::OverlapBottom, FindingIndex::One(2), Severity::Error, "");
    ExpectOnly(With("sample_rvs400", [](TSteelVertCylTank& t) { t.SetOverlapTop(4, 85); }), CheckedField::OverlapTop,
               FindingIndex::One(4), Severity::Error, "запятая не на месте?");
    // Paint ten times too thick.
    ExpectOnly(With("sample_rvs10000", [](TSteelVertCylTank& t) { t.SetPaintThickness(5); }),
               CheckedField::PaintThickness, FindingIndex::None(), Severity::Error, "запятая не на месте?");
}

// The fields of the tank's readings a check blames, in the tank's order.
std::vector<CheckedField> Blamed(const TSteelVertCylTank& tank)
{
    std::vector<CheckedField> blamed;
    for (const Finding& f : CheckTank(tank))
        if (!IsConsequence(f.field))
            blamed.push_back(f.field);
    return blamed;
}

// A slip read both ways round (digits swapped back, a point moved back) is
// decided by the tank: the base height against the wall and the fill height,
// the circumference against what the tank would hold.
TEST(TankChecks, TheSlippedMeasurementOfTwoIsBlamed)
{
    struct Kind
    {
        const char* name;
        double circumference; // slipped from 32818 (rvs1000)
        double baseHeight;    // slipped from 11986
    };
    const Kind kinds[] = {{"swapped digits", 23818, 19186},
                          {"misplaced point", 3281.8, 119860},
                          {"a digit dropped", 3818, 1986},
                          {"a digit added", 328818, 119886}};
    for (const Kind& kind : kinds)
        for (int slipped : {1, 2}) {
            SCOPED_TRACE(std::string(kind.name) + " in measurement " + std::to_string(slipped));
            const TSteelVertCylTank circumference = With("sample_rvs1000", [&](TSteelVertCylTank& t) {
                if (slipped == 1)
                    t.SetExtCircumferenceMeasurements(kind.circumference, 32818);
                else
                    t.SetExtCircumferenceMeasurements(32818, kind.circumference);
            });
            EXPECT_EQ(Blamed(circumference),
                      std::vector<CheckedField>{slipped == 1 ? CheckedField::ExtCircumferenceMeasured1
                                                             : CheckedField::ExtCircumferenceMeasured2})
                << Describe(CheckTank(circumference));
            const TSteelVertCylTank base = With("sample_rvs1000", [&](TSteelVertCylTank& t) {
                t.SetBaseHeightMeas1(slipped == 1 ? kind.baseHeight : 11986);
                t.SetBaseHeightMeas2(slipped == 2 ? kind.baseHeight : 11986);
                t.UpdateBaseHeight();
            });
            EXPECT_EQ(Blamed(base), std::vector<CheckedField>{slipped == 1 ? CheckedField::BaseHeightMeas1
                                                                           : CheckedField::BaseHeightMeas2})
                << Describe(CheckTank(base));
        }
    // 71 878 typed for 17 878 by the wall of 17 708 mm: the slip is named on it.
    ExpectOnly(With("sample_rvs10000",
                    [](TSteelVertCylTank& t) {
                        t.SetBaseHeightMeas1(71878);
                        t.UpdateBaseHeight();
                    }),
               CheckedField::BaseHeightMeas1, FindingIndex::None(), Severity::Error, "перепутаны цифры?");
    // ...and the design capacity is not blamed for the table it gives.
    const TSteelVertCylTank point =
        With("sample_rvs1000", [](TSteelVertCylTank& t) { t.SetExtCircumferenceMeasurements(3281.8, 32816); });
    ExpectOnly(point, CheckedField::ExtCircumferenceMeasured1, FindingIndex::None(), Severity::Error, "в сантиметрах?");
    EXPECT_EQ(CheckTank(point).size(), 1u) << Describe(CheckTank(point));
}

TEST(TankChecks, TwoMeasurementsThatDisagreeAreFound)
{
    // Swapped digits that leave both measurements possible for the tank: both named.
    const TSteelVertCylTank swapped =
        With("sample_rvs10000", [](TSteelVertCylTank& t) { t.SetExtCircumferenceMeasurements(89638.5, 89367.5); });
    EXPECT_EQ(Blamed(swapped), (std::vector<CheckedField>{CheckedField::ExtCircumferenceMeasured1,
                                                          CheckedField::ExtCircumferenceMeasured2}));
    for (const Finding& f : CheckTank(swapped)) {
        EXPECT_EQ(f.severity, Severity::Error);
        EXPECT_NE(f.message.find("неверно одно из двух"), std::string::npos) << f.message;
        EXPECT_NE(f.message.find("перепутаны цифры?"), std::string::npos) << f.message;
    }
    const TSteelVertCylTank base = With("sample_rvs1000", [](TSteelVertCylTank& t) {
        t.SetBaseHeightMeas2(11896);
        t.UpdateBaseHeight();
    });
    EXPECT_EQ(Blamed(base), (std::vector<CheckedField>{CheckedField::BaseHeightMeas1, CheckedField::BaseHeightMeas2}));
    // A tape length forgotten: the tank holds six times its size with the longer lay.
    ExpectOnly(With("sample_rvs1000", [](TSteelVertCylTank& t) { t.SetExtCircumferenceMeasurements(12818, 32816); }),
               CheckedField::ExtCircumferenceMeasured1, FindingIndex::None(), Severity::Error, "отрезок рулетки?");
    // Two lays a little too far apart, no slip: a warning on both.
    const TSteelVertCylTank apart =
        With("sample_rvs10000", [](TSteelVertCylTank& t) { t.SetExtCircumferenceMeasurements(89638.5, 89650); });
    EXPECT_EQ(Blamed(apart), (std::vector<CheckedField>{CheckedField::ExtCircumferenceMeasured1,
                                                        CheckedField::ExtCircumferenceMeasured2}));
    for (const Finding& f : CheckTank(apart))
        EXPECT_EQ(f.severity, Severity::Warning) << f.message;
    // A hatch far above the wall.
    ExpectOnly(With("sample_rvs400",
                    [](TSteelVertCylTank& t) {
                        t.SetBaseHeightMeas1(72640);
                        t.SetBaseHeightMeas2(72640);
                        t.UpdateBaseHeight();
                    }),
               CheckedField::BaseHeightMeas1, FindingIndex::None(), Severity::Error, "запятая не на месте?");
}

// The messages of the tank's findings, in order.
std::vector<std::string> Messages(const TSteelVertCylTank& tank)
{
    std::vector<std::string> messages;
    for (const Finding& f : CheckTank(tank))
        messages.push_back(f.message);
    return messages;
}

// Zeros where readings are expected are one finding per row or table, and none
// of their neighbours is blamed for them.
TEST(TankChecks, MissingReadingsAreOneFindingEach)
{
    // rvs400: girdle 3's middle row (5) and all of girdle 2 (rows 2 to 4).
    const TSteelVertCylTank rows = With("sample_rvs400", [](TSteelVertCylTank& t) {
        for (int g = 1; g <= t.GeneratrixCount(); ++g) {
            t.SetPlumbDistance(6, g, 0);
            for (int row = 2; row <= 4; ++row)
                t.SetPlumbDistance(row, g, 0);
        }
    });
    const std::vector<Finding> findings = CheckTank(rows);
    ASSERT_EQ(findings.size(), 2u) << Describe(findings);
    EXPECT_EQ(findings[0].message, "Образующие пояса 2: нет показаний");
    EXPECT_EQ(findings[0].index, FindingIndex::Pair(2, 1));
    EXPECT_EQ(findings[1].message, "Образующие пояса 3, середина: нет показаний");
    for (const Finding& f : findings)
        EXPECT_EQ(f.severity, Severity::Error);

    // A zero row no longer hides a digit swap on the row above it.
    const TSteelVertCylTank both = With("sample_rvs10000", [](TSteelVertCylTank& t) {
        for (int g = 1; g <= t.GeneratrixCount(); ++g)
            t.SetPlumbDistance(19, g, 0);
        t.SetPlumbDistance(20, 13, 130.5);
    });
    EXPECT_EQ(Messages(both), (std::vector<std::string>{
                                  "Образующие пояса 7, верх: нет показаний",
                                  "Пояс 8, низ, образующая 13: 130.5 мм — соседние показания 98.5–99 мм; перепутаны "
                                  "цифры?; меняет вместимость пояса 8 на +0.036 м³"}))
        << Describe(CheckTank(both));
    // A generatrix never read, and one zero on a read row, which its neighbours name.
    ExpectOnly(With("sample_rvs1000",
                    [](TSteelVertCylTank& t) {
                        for (int row = 1; row <= t.PlumbRowCount(); ++row)
                            t.SetPlumbDistance(row, 4, 0);
                    }),
               CheckedField::PlumbDistance, FindingIndex::Pair(1, 4), Severity::Error, "Образующая 4: нет показаний");
    // Put right again, a cell of the zero row is no finding of its own.
    const TSteelVertCylTank mended = With("sample_rvs400", [](TSteelVertCylTank& t) {
        const double kept = t.PlumbDistance(6, 3);
        for (int g = 1; g <= t.GeneratrixCount(); ++g)
            t.SetPlumbDistance(6, g, 0);
        t.SetPlumbDistance(6, 3, kept);
    });
    for (const Finding& f : CheckTank(mended))
        EXPECT_FALSE(f.index == FindingIndex::Pair(6, 3)) << f.message;

    // Empty tables of a measured tank are not measured; a blank tank is quiet.
    ExpectOnly(With("sample_rvs1000",
                    [](TSteelVertCylTank& t) {
                        for (int row = 1; row <= t.PlumbRowCount(); ++row)
                            for (int g = 1; g <= t.GeneratrixCount(); ++g)
                                t.SetPlumbDistance(row, g, 0);
                    }),
               CheckedField::PlumbDistance, FindingIndex::Pair(1, 1), Severity::Error, "Образующие: не измерено");
    const TSteelVertCylTank noBottom = With("sample_rvs5000_tall", [](TSteelVertCylTank& t) {
        for (int c = 1; c <= TSteelVertCylTank::kBottomCircles; ++c)
            for (int r = 1; r <= TSteelVertCylTank::kBottomRadii; ++r)
                t.SetBottomReading(c, r, 0);
    });
    EXPECT_EQ(Messages(noBottom), std::vector<std::string>{"Днище: не измерено"}) << Describe(CheckTank(noBottom));
    EXPECT_EQ(CountFindings(CheckTank(noBottom)).errors, 1);
    ExpectOnly(With("sample_rvs2000_staff",
                    [](TSteelVertCylTank& t) {
                        for (int r = 1; r <= TSteelVertCylTank::kBottomRadii; ++r)
                            t.SetBottomReading(5, r, 0);
                    }),
               CheckedField::BottomReadings, FindingIndex::Pair(5, 1), Severity::Error,
               "Днище, окружность 5: нет показаний");
    EXPECT_TRUE(CheckTank(TSteelVertCylTank()).empty());
}

// A slip is weighed by what it does to the table: beyond the error the protocol
// states for the table it is an error, whatever its size in millimetres.
TEST(TankChecks, ASlipIsWeighedByItsEffectOnTheTable)
{
    // An overlap correction typed ten times too large: a warning by its millimetres alone.
    const struct
    {
        const char* sample;
        int girdle;
        bool bottom;
    } overlaps[] = {{"sample_rvs10000", 1, false},
                    {"sample_rvs5000_tall", 4, true},
                    {"sample_rvs400", 3, true},
                    {"sample_rvs1000", 4, true}}; // 5 typed as 50: within any lap, not like the others
    for (const auto& overlap : overlaps) {
        SCOPED_TRACE(overlap.sample);
        const TSteelVertCylTank good = Sample(overlap.sample);
        const int g = overlap.girdle;
        const TSteelVertCylTank tank = With(overlap.sample, [&](TSteelVertCylTank& t) {
            if (overlap.bottom)
                t.SetOverlapBottom(g, t.OverlapBottom(g) * 10);
            else
                t.SetOverlapTop(g, t.OverlapTop(g) * 10);
            t.UpdateGirdleHeight(g);
        });
        const double change = tank.GirdleCapacity(g) - good.GirdleCapacity(g);
        const std::string effect = "меняет вместимость пояса " + std::to_string(g) + " на " + (change < 0 ? "−" : "+") +
                                   FormatDecimals(std::fabs(change) >= 10 ? 1 : 3, std::fabs(change)) + " м³";
        const CheckedField field = overlap.bottom ? CheckedField::OverlapBottom : CheckedField::OverlapTop;
        for (const char* part : {effect.c_str(), "запятая не на месте?", "больше погрешности таблицы ±"})
            ExpectOnly(tank, field, FindingIndex::One(g), Severity::Error, part);
    }
    // A slip within the stated error keeps its say but not its weight: two lays
    // of the tape 11.5 mm apart change 10 000 m3 by about 1.4 m3 of its ±10.9.
    for (const Finding& f : CheckTank(With(
             "sample_rvs10000", [](TSteelVertCylTank& t) { t.SetExtCircumferenceMeasurements(89638.5, 89650); }))) {
        EXPECT_EQ(f.severity, Severity::Warning) << f.message;
        EXPECT_NE(f.message.find("меняет объем на уровне"), std::string::npos) << f.message;
        EXPECT_EQ(f.message.find("больше погрешности"), std::string::npos) << f.message;
    }
}

TEST(TankChecks, ConditionsOfTheMeasurementAreChecked)
{
    ExpectOnly(With("sample_rvs1000", [](TSteelVertCylTank& t) { t.SetStoredDensity(8450); }),
               CheckedField::StoredDensity, FindingIndex::None(), Severity::Error, "запятая не на месте?");
    ExpectOnly(With("sample_rvs1000", [](TSteelVertCylTank& t) { t.SetStoredDensity(0.845); }),
               CheckedField::StoredDensity, FindingIndex::None(), Severity::Error, "в т/м³?");
    ExpectOnly(With("sample_rvs1000", [](TSteelVertCylTank& t) { t.SetStoredDensity(1840); }),
               CheckedField::StoredDensity, FindingIndex::None(), Severity::Warning, "");
    ExpectOnly(With("sample_rvs10000", [](TSteelVertCylTank& t) { t.SetCalibrationDensity(100); }),
               CheckedField::CalibrationDensity, FindingIndex::None(), Severity::Error, "запятая не на месте?");
    ExpectOnly(With("sample_rvs10000", [](TSteelVertCylTank& t) { t.SetCalibrationFillHeight(90000); }),
               CheckedField::CalibrationFillHeight, FindingIndex::None(), Severity::Error, "запятая не на месте?");
    // An empty tank: its contents' density enters nothing.
    EXPECT_TRUE(CheckTank(With("sample_rvs10000", [](TSteelVertCylTank& t) {
                    t.SetCalibrationFillHeight(0);
                    t.SetCalibrationDensity(0);
                })).empty());
}

TEST(TankChecks, DetailSlipsAreFound)
{
    // rvs1000 detail 3: 0.42 m3 between 2695 and 3695 mm; detail 2: a cylinder of 325 mm.
    ExpectOnly(With("sample_rvs1000", [](TSteelVertCylTank& t) { t.SetDetailTop(3, 2395); }), CheckedField::DetailTop,
               FindingIndex::One(3), Severity::Error, "перепутаны низ и верх?");
    ExpectOnly(With("sample_rvs1000", [](TSteelVertCylTank& t) { t.SetDetailVolume(3, 420); }),
               CheckedField::DetailVolume, FindingIndex::One(3), Severity::Error, "в литрах?");
    ExpectOnly(With("sample_rvs1000", [](TSteelVertCylTank& t) { t.SetDetailDiameter(2, 3250); }),
               CheckedField::DetailDiameter, FindingIndex::One(2), Severity::Error, "запятая не на месте?");
    ExpectOnly(With("sample_rvs1000", [](TSteelVertCylTank& t) { t.SetDetailBottom(1, -90); }),
               CheckedField::DetailBottom, FindingIndex::One(1), Severity::Error, "неверный знак?");
    // A detail larger than the tank around it makes the table fall with the level.
    const std::vector<Finding> findings =
        CheckTank(With("sample_rvs1000", [](TSteelVertCylTank& t) { t.SetDetailVolume(3, 420); }));
    bool falls = false;
    for (const Finding& f : findings)
        falls = falls || (f.field == CheckedField::VolumeAtLevel && f.severity == Severity::Error);
    EXPECT_TRUE(falls) << Describe(findings);
}

TEST(TankChecks, TheTableIsChecked)
{
    // A design capacity with a zero too many.
    ExpectOnly(With("sample_rvs1000", [](TSteelVertCylTank& t) { t.SetDesignCapacity(10000); }),
               CheckedField::DesignCapacity, FindingIndex::None(), Severity::Error, "лишний ноль?");
    // A whole girdle's readings 60 mm out: no single reading stands out, but both
    // of the girdle's seams step further than the sheets explain.
    const TSteelVertCylTank tank = With("sample_rvs10000", [](TSteelVertCylTank& t) {
        for (int row = 8; row <= 10; ++row)
            for (int g = 1; g <= t.GeneratrixCount(); ++g)
                t.SetPlumbDistance(row, g, t.PlumbDistance(row, g) + 60);
    });
    const std::vector<Finding> findings = CheckTank(tank);
    ASSERT_EQ(findings.size(), 2u) << Describe(findings);
    EXPECT_EQ(findings[0].field, CheckedField::GirdleCapacity);
    EXPECT_EQ(findings[0].index, FindingIndex::One(4));
    EXPECT_EQ(findings[1].index, FindingIndex::One(5));
    EXPECT_EQ(findings[0].severity, Severity::Warning);
}

// Files handed between users: every file a fuzzer ever broke a reader with is
// checked in bounded time (a table of endless levels is not walked).
TEST(TankChecks, DamagedFilesAreCheckedWithoutEndlessWork)
{
    const std::string folder = std::string(VELOQUIN_TEST_DATA_DIR) + "/fuzz-regressions/";
    int checked = 0;
    for (const char* name : {"dead-cavity-nan.vlq", "nan-volume-rounding.vlq", "resave-nan-top-girdle.vlq",
                             "resave-of-negative-weld-count.vlq", "generatrix-count-minus-5.vlq"}) {
        test::RecordingReporter quiet;
        TSteelVertCylTank tank;
        try {
            tank = LoadTankFile(folder + name).tank;
        } catch (const TankFileError&) {
            continue;
        }
        CheckTank(tank);
        ++checked;
    }
    EXPECT_GE(checked, 3);
    // -2.5e94 mm of design fill: no level of it is visited.
    const TSteelVertCylTank endless = LoadTankFile(folder + "resave-of-negative-weld-count.vlq").tank;
    int visited = 0;
    EXPECT_FALSE(WalkTable(endless, [&](double, double) { ++visited; }));
    EXPECT_EQ(visited, 0);
    // A whole table is walked level by level, as the text table lists it.
    const TSteelVertCylTank sample = Sample("default");
    EXPECT_TRUE(WalkTable(sample, [&](double, double) { ++visited; }));
    EXPECT_EQ(visited, 581);
}

TEST(SlipGuess, NamesTheSlipThatBringsTheValueBack)
{
    EXPECT_EQ(GuessSlip(39, 93, 3, ValueUnit::Millimetre), "перепутаны цифры?");
    EXPECT_EQ(GuessSlip(1490, 149, 3, ValueUnit::Millimetre), "запятая не на месте?");
    EXPECT_EQ(GuessSlip(14.9, 149, 3, ValueUnit::Millimetre), "в сантиметрах?");
    EXPECT_EQ(GuessSlip(1.49, 1490, 3, ValueUnit::Millimetre), "в метрах?");
    EXPECT_EQ(GuessSlip(19, 149, 3, ValueUnit::Millimetre), "пропущена цифра?");
    EXPECT_EQ(GuessSlip(1449, 149, 3, ValueUnit::Millimetre), "лишняя цифра?");
    EXPECT_EQ(GuessSlip(-149, 149, 3, ValueUnit::Millimetre), "неверный знак?");
    EXPECT_EQ(GuessSlip(0, 149, 3, ValueUnit::Millimetre), "не введено?");
    EXPECT_EQ(GuessSlip(0.85, 850, 100, ValueUnit::KgPerCubicMetre), "в т/м³?");
    EXPECT_EQ(GuessSlip(12.5, 1.25, 0.01, ValueUnit::Millimetre), "запятая не на месте?"); // not swapped "21.5"
    // Nothing explains a value far from everything, nor one within tolerance.
    EXPECT_EQ(GuessSlip(700, 149, 3, ValueUnit::Millimetre), "");
    EXPECT_EQ(GuessSlip(150, 149, 3, ValueUnit::Millimetre), "");
}

TEST(RobustStatistics, MedianAndSpreadIgnoreAWildValue)
{
    EXPECT_EQ(checks::Median({}), 0);
    EXPECT_EQ(checks::Median({3, 1, 2}), 2);
    EXPECT_EQ(checks::Median({4, 1, 3, 2}), 2.5);
    EXPECT_NEAR(checks::RobustSpread({10, 11, 9, 10, 1000}), 1.4826, 1e-12);
}

TEST(RobustStatistics, DeviationsAlongLinesTakeOutTheCommonChange)
{
    // Three lines rising by 10 per position; line 1 steps by 20 at position 2 and
    // stays; line 2 has one spike at position 1.
    checks::LineTable table;
    table.positions = 4;
    table.lines = 3;
    table.values = {0, 0, 0, 10, 50, 10, 40, 20, 20, 50, 30, 30};
    const checks::LineDeviations d = checks::DeviationsAlongLines(table);
    EXPECT_EQ(d.cells[1 * 3 + 1].deviation, 40); // the spike
    EXPECT_EQ(d.cells[1 * 3 + 1].expected, 10);
    EXPECT_EQ(d.cells[2 * 3 + 0].deviation, 0); // the step agrees with the side above
    EXPECT_EQ(d.cells[3 * 3 + 0].deviation, 0);
    EXPECT_EQ(d.cells[0].deviation, 0);
}

// A position not read is skipped: its neighbours compare across it.
TEST(RobustStatistics, AReadingNotTakenIsNobodysNeighbour)
{
    const double none = std::nan("");
    checks::LineTable table;
    table.positions = 4;
    table.lines = 2;
    table.values = {0, 0, none, none, 20, 20, 30, 60};
    const checks::LineDeviations d = checks::DeviationsAlongLines(table);
    EXPECT_TRUE(d.cells[1 * 2 + 0].missing);
    EXPECT_FALSE(d.cells[2 * 2 + 1].missing);
    EXPECT_EQ(d.cells[2 * 2 + 1].neighbour[0], 0); // across position 1
    EXPECT_EQ(d.cells[2 * 2 + 1].neighbour[1], 3);
    EXPECT_EQ(d.cells[2 * 2 + 1].deviation, 0);
    EXPECT_EQ(d.cells[3 * 2 + 1].neighbour[0], 2); // the last: its two nearest readings below
    EXPECT_EQ(d.cells[3 * 2 + 1].neighbour[1], 0);
    EXPECT_EQ(d.cells[3 * 2 + 1].deviation, 15);
    EXPECT_TRUE(std::isfinite(d.stepSpread));
}

} // namespace
} // namespace veloquin
