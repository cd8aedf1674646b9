#include "ErrorReport.h"

#include <cstdio>
#include <utility>

namespace veloquin {
namespace {

void WriteToStderr(const std::string& caption, const std::string& text)
{
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

ErrorReporter& CurrentReporter()
{
    static ErrorReporter reporter = WriteToStderr;
    return reporter;
}

} // namespace

ErrorReporter InstallErrorReporter(ErrorReporter reporter)
{
    if (!reporter)
        reporter = WriteToStderr;
    return std::exchange(CurrentReporter(), std::move(reporter));
}

void ReportError(const std::string& caption, const std::string& text)
{
    CurrentReporter()(caption, text);
}

} // namespace veloquin
