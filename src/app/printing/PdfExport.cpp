#include "PdfExport.h"

#include "AppContext.h"
#include "AppFont.h"
#include "DialogSupport.h"
#include "FieldChecks.h"
#include "FileDialog.h"
#include "FileNames.h"
#include "GeneralErrorReport.h"
#include "MessageBox.h"
#include "PageDrawing.h"
#include "PageList.h"
#include "PagePrinting.h"
#include "UncertaintyActions.h"
#include "UnfitTextsQuestion.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>

namespace veloquin {

QString SuggestedPdfName(const AppContext& context)
{
    const QFileInfo tank(context.currentFileName);
    // The document is about the tank: named after it, beside its file.
    QString base = FileNameSafeText(QString::fromStdString(context.Tank().Name()));
    if (base.isEmpty())
        base = tank.completeBaseName();
    if (base.isEmpty())
        base = QStringLiteral("Veloquin");
    const QString name = base + QStringLiteral(".pdf");
    return tank.path() == QStringLiteral(".") ? name : tank.dir().filePath(name);
}

bool PdfExportPages(const AppContext& context, PdfExportChoice choice, const QString& pageList,
                    std::vector<int>& pages, QString* refusal)
{
    const TSteelVertCylTank& tank = context.Tank();
    const int protocol = PageCountOf(tank, DocKind::Protocol);
    const int calibration = PageCountOf(tank, DocKind::Calibration);
    const auto range = [&pages](int first, int count) {
        pages.clear();
        for (int page = first; page < first + count; ++page)
            pages.push_back(page);
    };
    switch (choice) {
    case PdfExportChoice::WholeSet: pages = AllPages(tank); return true;
    case PdfExportChoice::Protocol: range(1, protocol); return true;
    case PdfExportChoice::CalibrationTable: range(protocol + 1, calibration); return true;
    case PdfExportChoice::Outline: range(protocol + calibration + 1, PageCountOf(tank, DocKind::Outline)); return true;
    case PdfExportChoice::PageList: break;
    }
    const std::string said = ReadPageList(pageList.toStdString(), DocumentSetPageCount(tank), pages);
    if (refusal)
        *refusal = QString::fromStdString(said);
    return said.empty();
}

void ExportPdf(QWidget* parent, AppContext& context, const GoToUnfitText& goTo)
{
    if (!ConfirmOutputDespiteErrors(parent))
        return;
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("PdfExportDlg"));
    dialog.setWindowTitle(QStringLiteral("Экспорт в PDF"));
    dialog.setFont(UiFont());
    auto* layout = new QFormLayout(&dialog);
    auto* what = new QComboBox(&dialog);
    what->setObjectName(QStringLiteral("cbWhat"));
    what->addItems({QStringLiteral("весь комплект"), QStringLiteral("протокол"),
                    QStringLiteral("градуировочная таблица"), QStringLiteral("схема резервуара"),
                    QStringLiteral("номера страниц:")});
    auto* pagesEdit = new QLineEdit(&dialog);
    pagesEdit->setObjectName(QStringLiteral("edPages"));
    QObject::connect(pagesEdit, &QLineEdit::textChanged, &dialog, [what](const QString& text) {
        if (!text.isEmpty())
            what->setCurrentIndex(static_cast<int>(PdfExportChoice::PageList));
    });
    layout->addRow(QStringLiteral("Страницы:"), what);
    layout->addRow(QString(), pagesEdit);
    auto* budget = new QCheckBox(QString::fromUtf8(kUncertaintyBudgetChoice), &dialog);
    budget->setObjectName(QStringLiteral("cbUncertaintyBudget"));
    layout->addRow(QString(), budget);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addRow(buttons);
    std::vector<int> pages;
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        QString refusal;
        if (!PdfExportPages(context, static_cast<PdfExportChoice>(what->currentIndex()), pagesEdit->text(), pages,
                            &refusal)) {
            MessageBox::Tell(&dialog, ApplicationTitle(), refusal, MessageBox::Icon::Warning);
            pagesEdit->setFocus();
            return;
        }
        dialog.accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (ShowModalCentred(dialog) != QDialog::Accepted)
        return;
    // Asked before the file is chosen: going to the text leaves no file behind.
    const std::vector<UnfitText> unfit = UnfitTexts(context.Tank(), pages);
    switch (AskAboutUnfitTexts(parent, unfit, OutputKind::Export)) {
    case UnfitTextsAnswer::Output: break;
    case UnfitTextsAnswer::Cancel: return;
    case UnfitTextsAnswer::GoTo:
        if (goTo)
            goTo(unfit.front());
        return;
    }

    FileDialog::Request file;
    file.title = QStringLiteral("Экспорт в PDF");
    file.fileName = SuggestedPdfName(context);
    file.filter = QStringLiteral("Файл PDF (*.pdf)");
    file.defaultSuffix = QStringLiteral("pdf");
    const QString path = FileDialog::GetSaveFileName(parent, file);
    if (path.isEmpty())
        return;
    try {
        PrintRequest request;
        request.pages = pages;
        if (budget->isChecked())
            request.uncertaintyBudget = UncertaintyBudgetToPrint(context);
        const PrintOutcome outcome = PrintPagesToPdf(path.toStdString(), context.Tank(), request);
        ForwardReports(outcome.reports);
        if (auto* window = qobject_cast<QMainWindow*>(parent))
            window->statusBar()->showMessage(PdfWrittenText(path, outcome.sheets));
    } catch (const std::exception& error) {
        ReportFileError(parent, QStringLiteral("Не удалось записать файл PDF"), path, error);
    }
}

QString PdfWrittenText(const QString& path, int sheets)
{
    return QStringLiteral("Записано в файл PDF «%1»: %2 л.").arg(QuotedPath(path)).arg(sheets);
}

void AddPdfExportCommand(QMainWindow& window, QMenu& menu, AppContext& context, const GoToUnfitText& goTo)
{
    auto* action = new QAction(QStringLiteral("Экспорт в PDF…"), &window);
    action->setObjectName(QStringLiteral("acExportPdf"));
    QObject::connect(action, &QAction::triggered, &window,
                     [&window, &context, goTo] { ExportPdf(&window, context, goTo); });
    window.addAction(action);
    menu.addAction(action);
}

} // namespace veloquin
