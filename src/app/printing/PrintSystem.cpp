#include "PrintSystem.h"

#include <QPrinterInfo>

namespace veloquin {

#ifdef VELOQUIN_WITH_CUPS
std::unique_ptr<PrintSystem> MakeCupsPrintSystem();
#endif

namespace {

// The server's texts can run long; the message names the printer anyway.
constexpr int kMaxReasonChars = 100;

QString Elided(const QString& text)
{
    const QString trimmed = text.trimmed();
    return trimmed.size() <= kMaxReasonChars ? trimmed : trimmed.left(kMaxReasonChars - 1) + QChar(0x2026);
}

// ": reason", or nothing when there is none.
QString Because(const QString& reason)
{
    const QString shown = Elided(reason);
    return shown.isEmpty() ? QString() : QStringLiteral(": ") + shown;
}

// What Qt knows of the printers: their names and a coarse state, nothing of a job.
class QtPrintSystem : public PrintSystem
{
public:
    PrinterList Printers() override
    {
        PrinterList list;
        list.names = QPrinterInfo::availablePrinterNames();
        list.defaultName = QPrinterInfo::defaultPrinterName();
        return list;
    }
    PrinterStatus Printer(const QString& name) override
    {
        PrinterStatus status;
        const QPrinterInfo info = QPrinterInfo::printerInfo(name);
        if (info.isNull())
            return status;
        switch (info.state()) {
        case QPrinter::Idle: status.state = PrinterStatus::State::Idle; break;
        case QPrinter::Active: status.state = PrinterStatus::State::Printing; break;
        case QPrinter::Aborted:
        case QPrinter::Error: status.state = PrinterStatus::State::Stopped; break;
        }
        return status;
    }
    bool CanSubmit() const override { return false; }
    SubmittedJob Submit(const QString&, const QString&, const QString&) override { return {}; }
    JobStatus Job(int) override { return {}; }
};

} // namespace

PrintSystem& SystemPrintSystem()
{
#ifdef VELOQUIN_WITH_CUPS
    static const std::unique_ptr<PrintSystem> system = MakeCupsPrintSystem();
#else
    static const std::unique_ptr<PrintSystem> system = std::make_unique<QtPrintSystem>();
#endif
    return *system;
}

QString PrinterStatusText(const PrinterStatus& status)
{
    QString text;
    switch (status.state) {
    case PrinterStatus::State::Unknown: break;
    case PrinterStatus::State::Idle: text = QStringLiteral("Готов"); break;
    case PrinterStatus::State::Printing: text = QStringLiteral("Печатает"); break;
    case PrinterStatus::State::Stopped: text = QStringLiteral("Остановлен") + Because(status.message); break;
    }
    if (!status.acceptingJobs) {
        if (!text.isEmpty())
            text += QStringLiteral("; ");
        text += QStringLiteral("не принимает задания");
        if (status.state != PrinterStatus::State::Stopped)
            text += Because(status.message);
    }
    return text;
}

JobReport DescribeJob(const QString& printer, int sheets, const SubmittedJob& job, const JobStatus& status,
                      const PrinterStatus& printerStatus)
{
    const QString quoted = QStringLiteral("«%1»").arg(printer);
    if (job.id == 0) {
        QString reason = job.reason;
        if (!printerStatus.acceptingJobs && !printerStatus.message.isEmpty() && !reason.contains(printerStatus.message))
            reason += (reason.isEmpty() ? QString() : QStringLiteral("; ")) + printerStatus.message;
        return {JobReport::Kind::Refused,
                QStringLiteral("Принтер %1 не принял задание%2. Ничего не напечатано.").arg(quoted, Because(reason))};
    }
    const QString sent = QStringLiteral("Отправлено на принтер %1: %2 л. Задание №%3 ").arg(quoted).arg(sheets).arg(job.id);
    const QString jobOf = QStringLiteral("Задание №%1 (%2 л.) ").arg(job.id).arg(sheets);
    switch (status.state) {
    case JobStatus::State::Held:
        return {JobReport::Kind::Waiting,
                jobOf + QStringLiteral("задержано на принтере %1%2. Оно будет напечатано, когда его освободят.")
                            .arg(quoted, Because(status.message))};
    case JobStatus::State::Stopped:
        return {JobReport::Kind::Waiting,
                jobOf + QStringLiteral("остановлено на принтере %1%2.").arg(quoted, Because(status.message))};
    case JobStatus::State::Cancelled:
    case JobStatus::State::Aborted:
        return {JobReport::Kind::Refused, jobOf + QStringLiteral("прервано принтером %1%2.")
                                                      .arg(quoted, Because(status.message))};
    case JobStatus::State::Waiting:
        if (printerStatus.state == PrinterStatus::State::Stopped)
            return {JobReport::Kind::Waiting,
                    jobOf + QStringLiteral("ждет в очереди: принтер %1 остановлен%2. Оно будет напечатано, когда "
                                           "принтер запустят.")
                                .arg(quoted, Because(printerStatus.message))};
        return {JobReport::Kind::Sent, sent + QStringLiteral("в очереди.")};
    case JobStatus::State::Printing: return {JobReport::Kind::Sent, sent + QStringLiteral("печатается.")};
    case JobStatus::State::Done: return {JobReport::Kind::Sent, sent + QStringLiteral("выполнено.")};
    case JobStatus::State::Unknown: break;
    }
    return {JobReport::Kind::Sent, sent + QStringLiteral("принято.")};
}

} // namespace veloquin
