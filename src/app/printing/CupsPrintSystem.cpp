// The print server asked through libcups: the printers, a printer's state with
// the server's own words for it, a job submitted and followed by its number.
#ifdef VELOQUIN_WITH_CUPS

#include "PrintSystem.h"

#include <cups/cups.h>

namespace veloquin {
namespace {

// One request to the server, with its answer freed whatever happens.
class IppAnswer
{
public:
    explicit IppAnswer(ipp_t* answer) : m_answer(answer) {}
    ~IppAnswer() { ippDelete(m_answer); }
    IppAnswer(const IppAnswer&) = delete;
    IppAnswer& operator=(const IppAnswer&) = delete;
    bool Ok() const { return m_answer && cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE; }

    int Enum(const char* name) const
    {
        ipp_attribute_t* attribute = ippFindAttribute(m_answer, name, IPP_TAG_ENUM);
        return attribute ? ippGetInteger(attribute, 0) : 0;
    }
    bool Boolean(const char* name, bool otherwise) const
    {
        ipp_attribute_t* attribute = ippFindAttribute(m_answer, name, IPP_TAG_BOOLEAN);
        return attribute ? ippGetBoolean(attribute, 0) != 0 : otherwise;
    }
    QString Text(const char* name) const
    {
        ipp_attribute_t* attribute = ippFindAttribute(m_answer, name, IPP_TAG_ZERO);
        const char* text = attribute ? ippGetString(attribute, 0, nullptr) : nullptr;
        return text ? QString::fromUtf8(text) : QString();
    }
    // The keywords of a list, but "none".
    QString Keywords(const char* name) const
    {
        QStringList words;
        ipp_attribute_t* attribute = ippFindAttribute(m_answer, name, IPP_TAG_KEYWORD);
        for (int i = 0; attribute && i < ippGetCount(attribute); ++i) {
            const QString word = QString::fromUtf8(ippGetString(attribute, i, nullptr));
            if (word != QLatin1String("none"))
                words.append(word);
        }
        return words.join(QStringLiteral(", "));
    }

private:
    ipp_t* m_answer;
};

// The server's own text, else its reason keywords.
QString ServerWords(const IppAnswer& answer, const char* message, const char* reasons)
{
    const QString text = answer.Text(message);
    return text.isEmpty() ? answer.Keywords(reasons) : text;
}

QString LastServerError()
{
    const char* text = cupsLastErrorString();
    return text ? QString::fromUtf8(text) : QString();
}

class CupsPrintSystem : public PrintSystem
{
public:
    PrinterList Printers() override
    {
        PrinterList list;
        cups_dest_t* dests = nullptr;
        const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
        // No destination and a server that did not answer: nothing is reachable.
        list.serverReachable = count > 0 || cupsLastError() < IPP_STATUS_ERROR_INTERNAL;
        for (int i = 0; i < count; ++i) {
            QString name = QString::fromUtf8(dests[i].name);
            if (dests[i].instance)
                name += QLatin1Char('/') + QString::fromUtf8(dests[i].instance);
            list.names.append(name);
            if (dests[i].is_default)
                list.defaultName = name;
        }
        cupsFreeDests(count, dests);
        return list;
    }

    PrinterStatus Printer(const QString& name) override
    {
        PrinterStatus status;
        ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, PrinterUri(name).constData());
        static const char* const wanted[] = {"printer-state", "printer-state-message", "printer-state-reasons",
                                             "printer-is-accepting-jobs"};
        ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                      static_cast<int>(sizeof wanted / sizeof *wanted), nullptr, wanted);
        const IppAnswer answer(cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/"));
        if (!answer.Ok())
            return status;
        switch (answer.Enum("printer-state")) {
        case IPP_PSTATE_IDLE: status.state = PrinterStatus::State::Idle; break;
        case IPP_PSTATE_PROCESSING: status.state = PrinterStatus::State::Printing; break;
        case IPP_PSTATE_STOPPED: status.state = PrinterStatus::State::Stopped; break;
        default: break;
        }
        status.acceptingJobs = answer.Boolean("printer-is-accepting-jobs", true);
        status.message = ServerWords(answer, "printer-state-message", "printer-state-reasons");
        return status;
    }

    bool CanSubmit() const override { return true; }

    SubmittedJob Submit(const QString& printer, const QString& pdfPath, const QString& title) override
    {
        // The sheet is drawn whole on A4: neither scaled to the printable area nor moved.
        cups_option_t* options = nullptr;
        int count = cupsAddOption("media", "iso_a4_210x297mm", 0, &options);
        count = cupsAddOption("print-scaling", "none", count, &options);
        // An instance ("PDF/draft") prints on its queue.
        const QByteArray queue = printer.section(QLatin1Char('/'), 0, 0).toUtf8();
        SubmittedJob job;
        job.id = cupsPrintFile2(CUPS_HTTP_DEFAULT, queue.constData(), pdfPath.toLocal8Bit().constData(),
                                title.toUtf8().constData(), count, options);
        if (job.id == 0)
            job.reason = LastServerError();
        cupsFreeOptions(count, options);
        return job;
    }

    JobStatus Job(int jobId) override
    {
        JobStatus status;
        ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
        const QByteArray uri = QByteArrayLiteral("ipp://localhost/jobs/") + QByteArray::number(jobId);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.constData());
        static const char* const wanted[] = {"job-state", "job-state-message", "job-state-reasons",
                                             "job-printer-state-message"};
        ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                      static_cast<int>(sizeof wanted / sizeof *wanted), nullptr, wanted);
        const IppAnswer answer(cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/"));
        if (!answer.Ok())
            return status;
        switch (answer.Enum("job-state")) {
        case IPP_JSTATE_PENDING: status.state = JobStatus::State::Waiting; break;
        case IPP_JSTATE_HELD: status.state = JobStatus::State::Held; break;
        case IPP_JSTATE_PROCESSING: status.state = JobStatus::State::Printing; break;
        case IPP_JSTATE_STOPPED: status.state = JobStatus::State::Stopped; break;
        case IPP_JSTATE_CANCELED: status.state = JobStatus::State::Cancelled; break;
        case IPP_JSTATE_ABORTED: status.state = JobStatus::State::Aborted; break;
        case IPP_JSTATE_COMPLETED: status.state = JobStatus::State::Done; break;
        default: break;
        }
        status.message = ServerWords(answer, "job-state-message", "job-state-reasons");
        if (status.message.isEmpty())
            status.message = answer.Text("job-printer-state-message");
        return status;
    }

private:
    static QByteArray PrinterUri(const QString& name)
    {
        char uri[HTTP_MAX_URI];
        httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), "/printers/%s",
                         name.section(QLatin1Char('/'), 0, 0).toUtf8().constData());
        return QByteArray(uri);
    }
};

} // namespace

std::unique_ptr<PrintSystem> MakeCupsPrintSystem()
{
    return std::make_unique<CupsPrintSystem>();
}

} // namespace veloquin

#endif
