#pragma once
// The engine never shows dialogs. Messages meant for the user (a bad list index,
// a dead cavity above the level) go to one reporter that the program installs:
// the GUI shows a modal error box, the command-line tool writes to stderr, tests
// record them.

#include <functional>
#include <string>

namespace veloquin {

using ErrorReporter = std::function<void(const std::string& caption, const std::string& text)>;

// Installs a reporter and returns the one it replaces. An empty reporter
// restores the default, which writes "caption: text" to stderr.
ErrorReporter InstallErrorReporter(ErrorReporter reporter);

void ReportError(const std::string& caption, const std::string& text);

// Installs a reporter for the lifetime of a scope (tests, batch commands).
class ScopedErrorReporter
{
public:
    explicit ScopedErrorReporter(ErrorReporter reporter) : m_previous(InstallErrorReporter(std::move(reporter))) {}
    ~ScopedErrorReporter() { InstallErrorReporter(std::move(m_previous)); }
    ScopedErrorReporter(const ScopedErrorReporter&) = delete;
    ScopedErrorReporter& operator=(const ScopedErrorReporter&) = delete;

private:
    ErrorReporter m_previous;
};

} // namespace veloquin
