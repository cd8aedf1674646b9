#pragma once
// The print dialog: all pages of the set, the page shown in the preview, or a
// list of page numbers of the whole set, in 1 to 20 copies each, on a printer
// of the system or into a PDF file ("Файл PDF…", the only entry on a machine
// without printers). Pages are drawn by the same code as the preview, for the
// printer, with the printer calibration, each with its own options; printing
// only reads the tank.
// The sheet is printed whole, A4 at 1:1. With the print server's library the
// job is spooled into a PDF, submitted and followed (PrintSystem): a refusal,
// a held job or one left waiting in a stopped queue is said in a message box
// naming the printer, a job the server took is announced through JobDone.
// The printer list is read anew whenever the dialog opens. Pages carrying a
// text that does not fit its place are named before anything is printed, and
// the user may go to the first instead (TakeTextToFix). Created on first use
// by the preview and kept.

#include "PageTextFit.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QRadioButton;

namespace veloquin {

struct AppContext;
class KeyPreview;
class SheetOptionsDialog;
struct PrintOutcome;
struct PrintRequest;
class PrintSystem;

class PrintDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kMaxCopies = 20;

    enum class PagesItem
    {
        All,
        Current,
        Numbers
    };

    PrintDialog(QWidget* parent, AppContext& context, SheetOptionsDialog& sheetOptions);
    ~PrintDialog() override;

    // Shows the dialog modally in the middle of the screen; printing happens
    // after it has closed, before this returns.
    int Execute();

    // --- Handlers ---
    void bbPrintClick();

    // The entry of cbPrinters that prints into a PDF file.
    static QString PdfEntryText();
    bool PrintAborted() const { return m_printAborted; }
    // The text the user chose to go to instead of printing, once.
    std::optional<UnfitText> TakeTextToFix();


signals:
    // A job went: how many sheets to which printer or file.
    void JobDone(const QString& text);

public:

    // --- Tests ---
    // Where a job for a system printer goes; a QPrinter writing a PDF file stands in for one.
    using PrinterFactory = std::function<std::unique_ptr<QPrinter>(const QString& printerName)>;
    static void SetPrinterFactory(PrinterFactory factory);
    // Who answers for the print server (null: the system's). A stand-in printer's
    // output is submitted only to a stand-in print system.
    static void SetPrintSystem(PrintSystem* system);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void FormActivate();
    // Reads the printer list anew, keeping the printer chosen while it is there.
    void FillPrinters();
    bool FormKeyDown(const QKeyEvent& key);
    void cbPrintersChange(int index);
    void RadioGroupPagesClick(int item);
    void edPagesChange();
    void Edit1Change();
    void StepCopies(int step);
    PagesItem SelectedPages() const;
    void SelectPages(PagesItem item);
    bool PdfChosen() const;
    int Copies() const;
    void PrintOnPrinter(const PrintRequest& request, PrintOutcome& outcome);
    void PrintIntoPdf(const QString& path, const PrintRequest& request, PrintOutcome& outcome);
    void ReportPrintFailure(const QString& what);
    // Submits the spooled job and says what became of it.
    void SubmitJob(PrintSystem& system, const QString& spoolPath, int sheets);
    void ShowPrinterState();
    void cbCollateClick(bool checked);

    AppContext& m_context;
    SheetOptionsDialog& m_sheetOptions;
    QComboBox* m_cbPrinters = nullptr;
    QButtonGroup* m_pages = nullptr;
    QLineEdit* m_edPages = nullptr;
    QLineEdit* m_edit1 = nullptr;
    QCheckBox* m_cbCollate = nullptr;
    QCheckBox* m_cbUncertaintyBudget = nullptr;
    QLabel* m_lbPrinterState = nullptr;
    QString m_jobText;
    KeyPreview* m_keyPreview = nullptr;
    std::vector<int> m_pageList;
    bool m_printAborted = false;
    std::optional<UnfitText> m_textToFix;
    QString m_printerName; // the printer chosen for printing; empty for the PDF file
    QString m_noPrinterText; // why the list holds no printer, if it holds none

    static PrinterFactory s_printerFactory;
    static PrintSystem* s_printSystem;
};

} // namespace veloquin
