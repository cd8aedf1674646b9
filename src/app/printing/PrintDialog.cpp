#include "PrintDialog.h"

#include "AppContext.h"
#include "AppFont.h"
#include "DialogSupport.h"
#include "FileDialog.h"
#include "GeneralErrorReport.h"
#include "MessageBox.h"
#include "PageList.h"
#include "PagePrinting.h"
#include "PdfExport.h"
#include "PreviewIcons.h"
#include "PrintSystem.h"
#include "SheetOptionsDialog.h"
#include "UncertaintyActions.h"
#include "UnfitTextsQuestion.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTemporaryDir>
#include <QToolButton>
#include <QVBoxLayout>

#include <climits>

namespace veloquin {

PrintDialog::PrinterFactory PrintDialog::s_printerFactory;
PrintSystem* PrintDialog::s_printSystem = nullptr;

namespace {

const char* const kNotANumber = "Следует ввести число!";
const char* const kPdfEntry = "Файл PDF…";

QString Utf8(const char* text)
{
    return QString::fromUtf8(text);
}

// A whole number as the runtime reads one: an optional sign and decimal digits.
bool ReadInteger(const QString& text, int& value)
{
    bool ok = false;
    const qlonglong number = text.toLongLong(&ok, 10);
    if (!ok || number < INT_MIN || number > INT_MAX || text.trimmed() != text)
        return false;
    value = static_cast<int>(number);
    return true;
}

std::unique_ptr<QPrinter> SystemPrinter(const QString& name)
{
    return std::make_unique<QPrinter>(QPrinterInfo::printerInfo(name), QPrinter::HighResolution);
}

// The whole A4 sheet is the page: page millimetres reach the paper 1:1. Left to
// itself a QPrinter keeps Qt's default margins (or the driver's), and the sheet
// drawn over the smaller area came out some 3 % small. What a printer cannot
// reach at its edges stays white; the printer calibration corrects only the
// printer's own error. A driver that refuses margins below its own keeps its
// layout's margins, which full-page mode then ignores.
void UseWholeA4Sheet(QPrinter& printer)
{
    QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    layout.setMode(QPageLayout::FullPageMode);
    printer.setPageLayout(layout);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFullPage(true);
}

} // namespace

QString PrintDialog::PdfEntryText()
{
    return Utf8(kPdfEntry);
}

void PrintDialog::SetPrinterFactory(PrinterFactory factory)
{
    s_printerFactory = std::move(factory);
}

void PrintDialog::SetPrintSystem(PrintSystem* system)
{
    s_printSystem = system;
}

namespace {

PrintSystem& CurrentPrintSystem(PrintSystem* standIn)
{
    return standIn ? *standIn : SystemPrintSystem();
}

} // namespace

PrintDialog::PrintDialog(QWidget* parent, AppContext& context, SheetOptionsDialog& sheetOptions)
    : QDialog(parent), m_context(context), m_sheetOptions(sheetOptions)
{
    setObjectName(QStringLiteral("PrintDlg"));
    setWindowTitle(QStringLiteral("Печать"));
    setFont(UiFont());
    // A fixed dialog frame: a title and a close box, nothing to resize or maximize.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(8);

    auto* printerRow = new QGridLayout;
    printerRow->setHorizontalSpacing(8);
    auto* label1 = new QLabel(QStringLiteral("Принтер:"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = label1->font();
    bold.setBold(true);
    label1->setFont(bold);
    auto* image1 = new QLabel(this);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setPixmap(PrinterPicture(32));
    m_cbPrinters = new QComboBox(this);
    m_cbPrinters->setObjectName(QStringLiteral("cbPrinters"));
    m_cbPrinters->setMinimumWidth(260);
    printerRow->addWidget(image1, 0, 0, 2, 1);
    printerRow->addWidget(label1, 0, 1);
    printerRow->addWidget(m_cbPrinters, 1, 1);
    m_lbPrinterState = new QLabel(this);
    m_lbPrinterState->setObjectName(QStringLiteral("lbPrinterState"));
    m_lbPrinterState->setWordWrap(true);
    printerRow->addWidget(m_lbPrinterState, 2, 1);
    printerRow->setColumnStretch(1, 1);
    layout->addLayout(printerRow);

    auto* groups = new QHBoxLayout;
    groups->setSpacing(8);
    auto* pagesGroup = new QGroupBox(QStringLiteral("Страницы"), this);
    pagesGroup->setObjectName(QStringLiteral("RadioGroupPages"));
    auto* pagesLayout = new QGridLayout(pagesGroup);
    pagesLayout->setVerticalSpacing(4);
    m_pages = new QButtonGroup(pagesGroup);
    const char* const items[] = {"все", "текущая", "номера:"};
    for (int item = 0; item < 3; ++item) {
        auto* radio = new QRadioButton(Utf8(items[item]), pagesGroup);
        radio->setObjectName(QStringLiteral("RadioGroupPages%1").arg(item));
        m_pages->addButton(radio, item);
        pagesLayout->addWidget(radio, item, 0);
    }
    m_pages->button(0)->setChecked(true);
    m_edPages = new QLineEdit(pagesGroup);
    m_edPages->setObjectName(QStringLiteral("edPages"));
    pagesLayout->addWidget(m_edPages, 2, 1);
    // Off at every opening: the printed set stays as it is unless asked.
    m_cbUncertaintyBudget = new QCheckBox(QString::fromUtf8(kUncertaintyBudgetChoice), pagesGroup);
    m_cbUncertaintyBudget->setObjectName(QStringLiteral("cbUncertaintyBudget"));
    pagesLayout->addWidget(m_cbUncertaintyBudget, 3, 0, 1, 2);
    pagesLayout->setColumnStretch(1, 1);
    groups->addWidget(pagesGroup, 3);

    auto* copiesGroup = new QGroupBox(QStringLiteral("Копии"), this);
    copiesGroup->setObjectName(QStringLiteral("GroupBox1"));
    auto* copiesLayout = new QGridLayout(copiesGroup);
    auto* label2 = new QLabel(QStringLiteral("число копий:"), copiesGroup);
    label2->setObjectName(QStringLiteral("Label2"));
    copiesLayout->addWidget(label2, 0, 0, 1, 2);
    m_edit1 = new QLineEdit(QStringLiteral("1"), copiesGroup);
    m_edit1->setObjectName(QStringLiteral("Edit1"));
    m_edit1->setFixedWidth(48);
    copiesLayout->addWidget(m_edit1, 1, 0);
    // The up-down bound to the copies box: 1 to 20, no wrap.
    auto* upDown = new QWidget(copiesGroup);
    upDown->setObjectName(QStringLiteral("UpDown1"));
    auto* arrows = new QVBoxLayout(upDown);
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(0);
    for (const auto& [arrow, step] : {std::pair{Qt::UpArrow, 1}, std::pair{Qt::DownArrow, -1}}) {
        auto* button = new QToolButton(upDown);
        button->setObjectName(step > 0 ? QStringLiteral("UpDown1Up") : QStringLiteral("UpDown1Down"));
        button->setArrowType(arrow);
        button->setFixedSize(16, 10);
        button->setAutoRepeat(true);
        connect(button, &QToolButton::clicked, this, [this, step = step] { StepCopies(step); });
        arrows->addWidget(button);
    }
    copiesLayout->addWidget(upDown, 1, 1, Qt::AlignLeft);
    // Unchecked, each page comes out in all its copies before the next (1, 1, 2, 2, ...).
    m_cbCollate = new QCheckBox(QStringLiteral("Разобрать по копиям"), copiesGroup);
    m_cbCollate->setObjectName(QStringLiteral("cbCollate"));
    m_cbCollate->setChecked(ReadSetting(m_context.settings, SettingKey::PrintCollate) != 0);
    copiesLayout->addWidget(m_cbCollate, 2, 0, 1, 2);
    copiesLayout->setRowStretch(3, 1);
    groups->addWidget(copiesGroup, 2);
    layout->addLayout(groups);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* print = new QPushButton(QStringLiteral("Печать"), this);
    print->setObjectName(QStringLiteral("bbPrint"));
    auto* cancel = new QPushButton(QStringLiteral("Отмена"), this);
    cancel->setObjectName(QStringLiteral("bbCancel"));
    // Enter prints through the key preview; neither button takes it by itself.
    for (QPushButton* button : {print, cancel}) {
        button->setAutoDefault(false);
        button->setMinimumWidth(80);
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(print, &QPushButton::clicked, this, &PrintDialog::bbPrintClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_cbPrinters, &QComboBox::currentIndexChanged, this, &PrintDialog::cbPrintersChange);
    connect(m_pages, &QButtonGroup::idToggled, this, [this](int item, bool checked) {
        if (checked)
            RadioGroupPagesClick(item);
    });
    connect(m_edPages, &QLineEdit::textChanged, this, &PrintDialog::edPagesChange);
    connect(m_edit1, &QLineEdit::textChanged, this, &PrintDialog::Edit1Change);
    connect(m_cbCollate, &QCheckBox::toggled, this, &PrintDialog::cbCollateClick);
    m_keyPreview = new KeyPreview(*this, [this](QKeyEvent& key) { return FormKeyDown(key); });

    FormCreate();
}

PrintDialog::~PrintDialog() = default;

void PrintDialog::FormCreate()
{
    FillPrinters();
}

void PrintDialog::FillPrinters()
{
    // A print server that was down when the program started may be up now, and
    // printers come and go: the list is read whenever the dialog opens.
    const PrinterList printers = CurrentPrintSystem(s_printSystem).Printers();
    // The PDF file counts as chosen only when there was a printer to choose instead.
    const bool hadChoice = m_cbPrinters->count() > 1;
    const QString chosen = m_printerName;
    const QSignalBlocker quiet(m_cbPrinters);
    m_cbPrinters->clear();
    m_cbPrinters->addItems(printers.names);
    m_cbPrinters->addItem(PdfEntryText());
    const int pdf = m_cbPrinters->count() - 1;
    // The printer chosen before, or the PDF file if that was chosen; else the default.
    int selected = chosen.isEmpty() ? (hadChoice ? pdf : -1) : int(printers.names.indexOf(chosen));
    if (selected < 0)
        selected = int(printers.names.indexOf(printers.defaultName));
    if (selected < 0)
        selected = printers.names.isEmpty() ? pdf : 0;
    m_cbPrinters->setCurrentIndex(selected);
    m_printerName = selected < printers.names.size() ? printers.names.at(selected) : QString();
    if (!printers.names.isEmpty())
        m_noPrinterText.clear();
    else if (printers.serverReachable)
        m_noPrinterText = QStringLiteral("В системе печати нет ни одного принтера: можно печатать только в файл PDF.");
    else
        m_noPrinterText = QStringLiteral("Сервер печати не отвечает, ни один принтер не доступен: можно печатать "
                                         "только в файл PDF. Список обновится, когда диалог откроется снова.");
    ShowPrinterState();
}

void PrintDialog::ShowPrinterState()
{
    if (m_printerName.isEmpty()) {
        m_lbPrinterState->setText(m_noPrinterText);
        return;
    }
    const QString state = PrinterStatusText(CurrentPrintSystem(s_printSystem).Printer(m_printerName));
    m_lbPrinterState->setText(state.isEmpty() ? QStringLiteral("Состояние неизвестно") : state);
}

void PrintDialog::cbCollateClick(bool checked)
{
    try {
        WriteSetting(m_context.settings, SettingKey::PrintCollate, checked ? 1 : 0);
    } catch (const SettingsWriteError&) {
        // The settings file says why when the program ends and writes the rest;
        // the choice holds for this session.
    }
}

int PrintDialog::Execute()
{
    return ShowModalCentred(*this);
}

void PrintDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void PrintDialog::FormActivate()
{
    // The printers and their state may have changed since the dialog was last shown.
    FillPrinters();
    m_cbPrinters->setFocus();
    m_edit1->setText(QStringLiteral("1"));
}

bool PrintDialog::FormKeyDown(const QKeyEvent& key)
{
    switch (key.key()) {
    case Qt::Key_Escape: reject(); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: bbPrintClick(); return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (focusWidget() != m_edit1)
            return false;
        StepCopies(key.key() == Qt::Key_Up ? 1 : -1);
        return true;
    default: return false;
    }
}

void PrintDialog::cbPrintersChange(int index)
{
    m_printerName = PdfChosen() ? QString() : m_cbPrinters->itemText(index);
    ShowPrinterState();
}

bool PrintDialog::PdfChosen() const
{
    return m_cbPrinters->currentIndex() == m_cbPrinters->count() - 1;
}

PrintDialog::PagesItem PrintDialog::SelectedPages() const
{
    return static_cast<PagesItem>(m_pages->checkedId());
}

void PrintDialog::SelectPages(PagesItem item)
{
    m_pages->button(static_cast<int>(item))->setChecked(true);
}

void PrintDialog::RadioGroupPagesClick(int item)
{
    if (static_cast<PagesItem>(item) == PagesItem::Numbers)
        m_edPages->setFocus();
}

void PrintDialog::edPagesChange()
{
    SelectPages(m_edPages->text().isEmpty() ? PagesItem::All : PagesItem::Numbers);
}

void PrintDialog::Edit1Change()
{
    QString text = m_edit1->text();
    for (;;) {
        if (text.isEmpty()) {
            text = QStringLiteral("1");
            break;
        }
        int copies = 0;
        if (!ReadInteger(text, copies)) {
            MessageBox::Tell(this, ApplicationTitle(), Utf8(kNotANumber), MessageBox::Icon::None);
            text.chop(1);
            continue;
        }
        // No copies at all would print blank sheets between the pages.
        if (copies < 1 || copies > kMaxCopies)
            text = QStringLiteral("1");
        break;
    }
    if (text != m_edit1->text()) {
        const QSignalBlocker quiet(m_edit1);
        m_edit1->setText(text);
    }
}

void PrintDialog::StepCopies(int step)
{
    m_edit1->setText(QString::number(std::clamp(Copies() + step, 1, kMaxCopies)));
}

int PrintDialog::Copies() const
{
    int copies = 1;
    if (!ReadInteger(m_edit1->text(), copies) || copies < 1 || copies > kMaxCopies)
        return 1;
    return copies;
}

// --- Printing -------------------------------------------------------------------------

void PrintDialog::bbPrintClick()
{
    const TSteelVertCylTank& tank = m_context.Tank();
    const PagesItem item = SelectedPages();
    if (item == PagesItem::Numbers) {
        // Nothing but what was asked is printed: a list refused says why.
        const std::string refusal = ReadPageList(m_edPages->text().toStdString(), DocumentSetPageCount(tank), m_pageList);
        if (!refusal.empty()) {
            MessageBox::Tell(this, ApplicationTitle(), QString::fromStdString(refusal), MessageBox::Icon::Warning);
            m_edPages->setFocus();
            return;
        }
    }
    PrintRequest request;
    switch (item) {
    case PagesItem::All: request.pages = AllPages(tank); break;
    case PagesItem::Current: request.pages = {GlobalPageNumber(tank, m_context.documents)}; break;
    case PagesItem::Numbers: request.pages = m_pageList; break;
    }
    request.copies = Copies();
    request.collate = m_cbCollate->isChecked();
    if (m_cbUncertaintyBudget->isChecked())
        request.uncertaintyBudget = UncertaintyBudgetToPrint(m_context);
    // Asked before the file is chosen: going to the text leaves no file behind.
    const std::vector<UnfitText> unfit = UnfitTexts(tank, request.pages);
    switch (AskAboutUnfitTexts(this, unfit, OutputKind::Print)) {
    case UnfitTextsAnswer::Output: break;
    case UnfitTextsAnswer::Cancel: return;
    case UnfitTextsAnswer::GoTo:
        m_textToFix = unfit.front();
        reject();
        return;
    }
    QString pdfPath;
    if (PdfChosen()) {
        FileDialog::Request file;
        file.title = QStringLiteral("Печать в файл PDF");
        file.fileName = SuggestedPdfName(m_context);
        file.filter = QStringLiteral("Файл PDF (*.pdf)");
        file.defaultSuffix = QStringLiteral("pdf");
        pdfPath = FileDialog::GetSaveFileName(this, file);
        // No file, no job: the dialog stays for another choice.
        if (pdfPath.isEmpty())
            return;
    }
    m_printAborted = false;
    m_jobText.clear();
    accept();

    // Printing only reads the tank; the page the preview shows stays as it was.
    PrintOutcome outcome;
    if (pdfPath.isEmpty())
        PrintOnPrinter(request, outcome);
    else
        PrintIntoPdf(pdfPath, request, outcome);
    m_sheetOptions.LoadPageOptions();
    ForwardReports(outcome.reports);
    if (!m_jobText.isEmpty())
        emit JobDone(m_jobText);
}

std::optional<UnfitText> PrintDialog::TakeTextToFix()
{
    std::optional<UnfitText> text;
    text.swap(m_textToFix);
    return text;
}

void PrintDialog::ReportPrintFailure(const QString& what)
{
    m_printAborted = true;
    MessageBox::Tell(parentWidget(), ApplicationTitle(), what, MessageBox::Icon::Critical);
}

void PrintDialog::PrintOnPrinter(const PrintRequest& request, PrintOutcome& outcome)
{
    const QString printerName = m_printerName;
    const QString quoted = QStringLiteral("«%1»").arg(printerName);
    PrintSystem& system = CurrentPrintSystem(s_printSystem);
    // A job the print server is to be asked about is spooled into a PDF of its
    // own and submitted; a stand-in printer's output only to a stand-in server.
    const bool followed = s_printerFactory ? s_printSystem != nullptr : system.CanSubmit();
    QTemporaryDir spool;
    std::unique_ptr<QPrinter> printer;
    if (s_printerFactory) {
        printer = s_printerFactory(printerName);
    } else if (followed) {
        if (!spool.isValid()) {
            ReportPrintFailure(QStringLiteral("Не удалось создать временный файл задания для принтера %1: %2. Ничего "
                                              "не напечатано.")
                                   .arg(quoted, spool.errorString()));
            return;
        }
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(spool.filePath(QStringLiteral("job.pdf")));
    } else {
        // The list was read when the dialog opened: the print system may have gone since.
        const QPrinterInfo info = QPrinterInfo::printerInfo(printerName);
        if (info.isNull()) {
            ReportPrintFailure(QStringLiteral("Принтер %1 не найден в системе печати. Ничего не напечатано.").arg(quoted));
            return;
        }
        printer = SystemPrinter(printerName);
    }
    UseWholeA4Sheet(*printer);
    printer->setDocName(ApplicationTitle());
    QPainter painter;
    if (!painter.begin(printer.get())) {
        ReportPrintFailure(QStringLiteral("Не удалось начать печать на принтере %1. Ничего не напечатано.").arg(quoted));
        return;
    }
    bool whole = false;
    QString failure;
    try {
        whole = PrintPages(painter, *printer, m_context.printerCalibration, m_context.Tank(), request, outcome);
        if (!whole)
            failure = QStringLiteral("Принтер %1 не принял новый лист: задание прервано после %2 листов.")
                          .arg(quoted)
                          .arg(outcome.sheets);
    } catch (const std::exception& error) {
        failure = QStringLiteral("Не удалось нарисовать страницу для принтера %1: %2. Задание прервано.")
                      .arg(quoted, QString::fromUtf8(error.what()));
    }
    if (!whole) {
        printer->abort();
        if (painter.isActive())
            painter.end();
        ReportPrintFailure(failure);
        return;
    }
    const bool ended = painter.end();
    if (!ended || printer->printerState() == QPrinter::Error || printer->printerState() == QPrinter::Aborted) {
        ReportPrintFailure(QStringLiteral("Принтер %1 не принял задание. Ничего не напечатано.").arg(quoted));
        return;
    }
    if (followed)
        SubmitJob(system, printer->outputFileName(), outcome.sheets);
    else
        m_jobText = QStringLiteral("Отправлено на принтер %1: %2 л.").arg(quoted).arg(outcome.sheets);
}

void PrintDialog::SubmitJob(PrintSystem& system, const QString& spoolPath, int sheets)
{
    const SubmittedJob job = system.Submit(m_printerName, spoolPath, ApplicationTitle());
    // Asked at once: a job refused, held or left in a stopped queue is known by now.
    const JobStatus status = job.id != 0 ? system.Job(job.id) : JobStatus{};
    const JobReport report = DescribeJob(m_printerName, sheets, job, status, system.Printer(m_printerName));
    switch (report.kind) {
    case JobReport::Kind::Sent: m_jobText = report.text; break;
    case JobReport::Kind::Waiting:
        m_jobText = report.text;
        MessageBox::Tell(parentWidget(), ApplicationTitle(), report.text, MessageBox::Icon::Warning);
        break;
    case JobReport::Kind::Refused: ReportPrintFailure(report.text); break;
    }
}

// A PDF file is no printer: it gets the exact sheet, without the printer's calibration.
void PrintDialog::PrintIntoPdf(const QString& path, const PrintRequest& request, PrintOutcome& outcome)
{
    try {
        outcome = PrintPagesToPdf(path.toStdString(), m_context.Tank(), request);
        m_jobText = PdfWrittenText(path, outcome.sheets);
    } catch (const std::exception& error) {
        m_printAborted = true;
        ReportFileError(parentWidget(), QStringLiteral("Не удалось записать файл PDF"), path, error);
    }
}

} // namespace veloquin
