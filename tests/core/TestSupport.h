#pragma once
// Helpers shared by the engine tests.

#include "ErrorReport.h"
#include "GFunc.h"

#include <string>
#include <utility>
#include <vector>

namespace veloquin::test {

// Records every message the engine reports while it is alive.
class RecordingReporter
{
public:
    RecordingReporter()
        : m_scope(
              [this](const std::string& caption, const std::string& text) { m_messages.emplace_back(caption, text); })
    {
    }
    const std::vector<std::pair<std::string, std::string>>& Messages() const { return m_messages; }
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const auto& m : m_messages)
            texts.push_back(m.second);
        return texts;
    }
    void Clear() { m_messages.clear(); }

private:
    std::vector<std::pair<std::string, std::string>> m_messages;
    ScopedErrorReporter m_scope;
};

// Sets the decimal separator for the lifetime of a scope.
class ScopedDecimalSeparator
{
public:
    explicit ScopedDecimalSeparator(char separator) : m_previous(GetDecimalSeparator())
    {
        SetDecimalSeparator(separator);
    }
    ~ScopedDecimalSeparator() { SetDecimalSeparator(m_previous); }

private:
    char m_previous;
};

} // namespace veloquin::test
