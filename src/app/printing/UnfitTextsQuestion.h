#pragma once
// The question before a print job or a PDF export whose pages carry texts of
// the sheet options that do not fit their place: such a text would come out
// across its cell, the frame or cut at the sheet's edge. Asked after the pages
// are chosen and after the question about errors in the data.

#include "PageTextFit.h"

#include <QString>

#include <vector>

class QWidget;

namespace veloquin {

enum class OutputKind
{
    Print,
    Export
};

enum class UnfitTextsAnswer
{
    Output, // nothing to fix, or the user prints or exports as it is
    GoTo,   // the user goes to the first text to shorten it; nothing is output
    Cancel
};

// How many texts the question names; the rest are counted ("и ещё 3").
constexpr int kUnfitTextsListed = 5;

// What a box or a mark on the page says about a text `byMm` too wide.
QString UnfitTextToolTip(double byMm);

QString UnfitTextsQuestionText(const std::vector<UnfitText>& texts, OutputKind kind);
// Output at once when `texts` is empty, else asks.
UnfitTextsAnswer AskAboutUnfitTexts(QWidget* parent, const std::vector<UnfitText>& texts, OutputKind kind);

} // namespace veloquin
