#include "ErrorReport.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace veloquin;

TEST(ErrorReport, ScopedReporterRecordsAndRestoresThePreviousOne)
{
    std::vector<std::pair<std::string, std::string>> outer, inner;
    ScopedErrorReporter outerScope([&](const std::string& c, const std::string& t) { outer.emplace_back(c, t); });
    {
        ScopedErrorReporter innerScope([&](const std::string& c, const std::string& t) { inner.emplace_back(c, t); });
        ReportError("Резервуар1", "Номер пояса за пределами диапазона!");
    }
    ReportError("Градуировочная таблица", "x");
    ASSERT_EQ(inner.size(), 1u);
    EXPECT_EQ(inner[0].first, "Резервуар1");
    EXPECT_EQ(inner[0].second, "Номер пояса за пределами диапазона!");
    ASSERT_EQ(outer.size(), 1u);
    EXPECT_EQ(outer[0].first, "Градуировочная таблица");
}
