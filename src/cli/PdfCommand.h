#pragma once
// veloquin-cli pdf: the document set (or the pages of --pages) printed into an
// A4 PDF exactly as a freshly started program with this file open prints it.

#include "CommandLine.h"

namespace veloquin::cli {

// Throws CommandError for the tank file or the output file, and
// std::runtime_error with "Указан неверный диапазон печати." for a bad list.
void PrintPdf(const Invocation& invocation);

} // namespace veloquin::cli
