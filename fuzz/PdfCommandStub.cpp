// The fuzzed writers are built on the engine alone, without the documents
// layer that veloquin-cli pdf prints with; the fuzzer never asks for a PDF.

#include "PdfCommand.h"

#include <stdexcept>

namespace veloquin::cli {

void PrintPdf(const Invocation& /*invocation*/)
{
    throw std::logic_error("veloquin-cli pdf is not part of the fuzzed build");
}

} // namespace veloquin::cli
