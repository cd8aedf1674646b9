#include "SlipGuess.h"

#include <charconv>
#include <cmath>
#include <functional>

namespace veloquin::checks {
namespace {

const char* const kNotTyped = "не введено?";
const char* const kSign = "неверный знак?";
const char* const kDecimalPoint = "запятая не на месте?";
const char* const kCentimetres = "в сантиметрах?";
const char* const kMetres = "в метрах?";
const char* const kTonnes = "в т/м³?";
const char* const kLitres = "в литрах?";
const char* const kZeroDropped = "пропущен ноль?";
const char* const kZeroAdded = "лишний ноль?";
const char* const kSwapped = "перепутаны цифры?";
const char* const kDropped = "пропущена цифра?";
const char* const kExtra = "лишняя цифра?";

// The value's shortest round-trip text without the sign ("149", "0.85").
std::string DigitsOf(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value));
    return std::string(buffer, result.ptr);
}

bool Parse(const std::string& text, double& value)
{
    if (text.empty() || text == ".")
        return false;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

const char* UnitHint(int power, ValueUnit unit)
{
    // power: the typed value times 10^power is the expected one
    if (unit == ValueUnit::Millimetre && power == 1)
        return kCentimetres;
    if (unit == ValueUnit::Millimetre && power == 3)
        return kMetres;
    if (unit == ValueUnit::KgPerCubicMetre && power == 3)
        return kTonnes;
    if (unit == ValueUnit::CubicMetre && power == -3)
        return kLitres;
    if (unit == ValueUnit::Count && power == 1)
        return kZeroDropped;
    if (unit == ValueUnit::Count && power == -1)
        return kZeroAdded;
    return kDecimalPoint;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Calls fits(candidate) for every text one edit away; true as soon as one fits.
using Fits = std::function<bool(const std::string&)>;
bool AnySwap(const std::string& digits, const Fits& fits)
{
    for (std::size_t i = 0; i + 1 < digits.size(); ++i) {
        if (!IsDigit(digits[i]) || !IsDigit(digits[i + 1]) || digits[i] == digits[i + 1])
            continue;
        std::string candidate = digits;
        std::swap(candidate[i], candidate[i + 1]);
        if (fits(candidate))
            return true;
    }
    return false;
}

bool AnyInsertion(const std::string& digits, const Fits& fits)
{
    for (std::size_t i = 0; i <= digits.size(); ++i)
        for (char d = '0'; d <= '9'; ++d) {
            std::string candidate = digits;
            candidate.insert(candidate.begin() + static_cast<std::ptrdiff_t>(i), d);
            if (fits(candidate))
                return true;
        }
    return false;
}

bool AnyRemoval(const std::string& digits, const Fits& fits)
{
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (!IsDigit(digits[i]))
            continue;
        std::string candidate = digits;
        candidate.erase(i, 1);
        if (fits(candidate))
            return true;
    }
    return false;
}

} // namespace

Slip FindSlip(double value, double expected, double tolerance, ValueUnit unit, SlipSearch search)
{
    auto near = [&](double candidate) { return std::fabs(candidate - expected) <= tolerance; };
    if (near(value))
        return {};
    const bool keepSign = search == SlipSearch::ScaleKeepingSign;
    if (value == 0 && !keepSign)
        return {kNotTyped, expected};
    if (near(-value) && !keepSign)
        return {kSign, -value};
    // The unit's own slip first: 420 m3 for 0.42 is litres, not a point moved twice.
    const int unitPower = unit == ValueUnit::Millimetre        ? 1
                          : unit == ValueUnit::KgPerCubicMetre ? 3
                          : unit == ValueUnit::CubicMetre      ? -3
                                                               : 1;
    for (int power : {unitPower, 1, -1, 2, -2, 3, -3}) {
        const double scaled = value * std::pow(10.0, power);
        if (near(scaled))
            return {UnitHint(power, unit), scaled};
    }
    if (search != SlipSearch::AllSlips)
        return {};

    // Digit edits keep the typed sign.
    const double sign = value < 0 ? -1 : 1;
    const std::string digits = DigitsOf(value);
    double corrected = 0;
    const auto fits = [&](const std::string& candidate) {
        double parsed = 0;
        if (!Parse(candidate, parsed) || !near(sign * parsed))
            return false;
        corrected = sign * parsed;
        return true;
    };
    if (AnySwap(digits, fits))
        return {kSwapped, corrected};
    if (AnyInsertion(digits, fits))
        return {kDropped, corrected};
    if (AnyRemoval(digits, fits))
        return {kExtra, corrected};
    return {};
}

std::string GuessSlip(double value, double expected, double tolerance, ValueUnit unit, SlipSearch search)
{
    return FindSlip(value, expected, tolerance, unit, search).hint;
}

} // namespace veloquin::checks
