#include "NumberTexts.h"

#include "GFunc.h"

namespace veloquin {

QString GeneralText(double value)
{
    return QString::fromStdString(FloatToStr(value));
}

QString FixedText(int decimals, double value)
{
    return QString::fromStdString(FormatDecimals(static_cast<std::int8_t>(decimals), value));
}

QString Bracketed(const QString& text)
{
    return QLatin1Char('[') + text + QLatin1Char(']');
}

double TextToFloat(const QString& text)
{
    return TypedStrToFloat(text.toStdString());
}

double TypedFloat(const QString& text, double stored)
{
    if (text == GeneralText(stored))
        return stored;
    return TextToFloat(text);
}

} // namespace veloquin
