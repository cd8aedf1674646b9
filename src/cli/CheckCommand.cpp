#include "CheckCommand.h"

#include "Commands.h"
#include "GFunc.h"
#include "JsonWriter.h"
#include "TankChecks.h"

namespace veloquin::cli {
namespace {

std::string IndexText(const FindingIndex& index)
{
    if (index.size == 0)
        return std::string();
    std::string text = "[" + std::to_string(index.first);
    if (index.size == 2)
        text += "," + std::to_string(index.second);
    return text + "]";
}

// "FILE: error PlumbDistance[18,17]: message", one line per finding.
std::string AsLines(const std::string& path, const std::vector<Finding>& findings)
{
    std::string text;
    for (const Finding& finding : findings)
        text += OneLineText(path) + ": " + SeverityName(finding.severity) + " " + CheckedFieldName(finding.field) +
                IndexText(finding.index) + ": " + finding.message + "\n";
    return text;
}

std::string AsJson(const std::vector<Finding>& findings)
{
    JsonWriter json;
    json.BeginObject();
    json.Key("findings");
    json.BeginArray();
    for (const Finding& finding : findings) {
        json.BeginObject();
        json.Key("severity");
        json.String(SeverityName(finding.severity));
        json.Key("field");
        json.String(CheckedFieldName(finding.field));
        json.Key("index");
        if (finding.index.size == 0) {
            json.Null();
        } else if (finding.index.size == 1) {
            json.Integer(finding.index.first);
        } else {
            json.BeginArray();
            json.Integer(finding.index.first);
            json.Integer(finding.index.second);
            json.EndArray();
        }
        json.Key("value");
        json.Number(finding.value);
        json.Key("message");
        json.String(finding.message);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    return json.Text() + "\n";
}

} // namespace

CheckOutcome RunCheck(const Invocation& invocation)
{
    const std::string& path = invocation.files.front();
    CheckOutcome outcome;
    std::vector<Finding> findings;
    try {
        findings = CheckTank(LoadTank(path).tank);
    } catch (const CommandError& error) {
        outcome.error = OneLineText(error.File()) + ": " + error.what() + "\n";
        outcome.status = error.Status();
        return outcome;
    }
    outcome.output = invocation.json ? AsJson(findings) : AsLines(path, findings);
    outcome.status = CountFindings(findings).errors > 0 ? ExitStatus::Failed : ExitStatus::Success;
    return outcome;
}

} // namespace veloquin::cli
