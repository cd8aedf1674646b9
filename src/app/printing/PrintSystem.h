#pragma once
// What the print dialog asks the system's print server: which printers there
// are, what state a printer is in, and, for a job it submitted itself, whether
// the server took it and what became of it. A QPrinter reports none of that
// (it hands a job over and forgets its number, and a refusal goes unnoticed),
// so with the print server's library (libcups) the dialog spools the job into
// a PDF and submits it here. Without that library printing goes through Qt
// alone and a job's fate cannot be told. Tests answer through a stand-in.

#include <QString>
#include <QStringList>

#include <memory>

namespace veloquin {

struct PrinterList
{
    bool serverReachable = true;
    QStringList names;
    QString defaultName;
};

struct PrinterStatus
{
    enum class State
    {
        Unknown, // the server did not say (or there is none to ask)
        Idle,
        Printing,
        Stopped
    };
    State state = State::Unknown;
    bool acceptingJobs = true;
    QString message; // the server's text: why it stopped or refuses, what it does
};

struct SubmittedJob
{
    int id = 0;     // 0: refused
    QString reason; // the server's answer when refused
};

struct JobStatus
{
    enum class State
    {
        Unknown,
        Waiting, // pending in the queue
        Held,
        Printing,
        Stopped,
        Cancelled,
        Aborted,
        Done
    };
    State state = State::Unknown;
    QString message; // the server's reasons for the state
};

class PrintSystem
{
public:
    virtual ~PrintSystem() = default;
    virtual PrinterList Printers() = 0;
    virtual PrinterStatus Printer(const QString& name) = 0;
    // False when jobs cannot be submitted and followed here (no print server library).
    virtual bool CanSubmit() const = 0;
    // Submits an A4 PDF to the printer under the job title.
    virtual SubmittedJob Submit(const QString& printer, const QString& pdfPath, const QString& title) = 0;
    virtual JobStatus Job(int jobId) = 0;
};

// The system's print server: CUPS when the program was built with libcups,
// else what Qt knows of the printers.
PrintSystem& SystemPrintSystem();

// What became of a submitted job, as the user is told it.
struct JobReport
{
    enum class Kind
    {
        Sent,    // accepted: the status line says so
        Waiting, // accepted but held or waiting in a stopped queue: said in a warning
        Refused  // nothing will be printed: said as an error
    };
    Kind kind = Kind::Sent;
    QString text;
};
JobReport DescribeJob(const QString& printer, int sheets, const SubmittedJob& job, const JobStatus& status,
                      const PrinterStatus& printerStatus);

// A printer's state as the print dialog shows it under the list ("Остановлен: …").
QString PrinterStatusText(const PrinterStatus& status);

} // namespace veloquin
