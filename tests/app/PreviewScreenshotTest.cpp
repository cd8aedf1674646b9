// Pictures of the preview, the sheet options dialog on every kind of page and
// the print dialog, for a person to look at (written under the build
// directory's shots/), with the layout facts that keep them whole: every
// visible control of the sheet options inside its tab, labels whole, the
// page captions as wide as their texts.

#include "AppContext.h"
#include "AppTestSupport.h"
#include "PreviewWindow.h"
#include "MainWindow.h"
#include "SheetOptionsDialog.h"
#include "TankFile.h"
#include "PrintDialog.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

using namespace veloquin;

namespace {

bool Save(QWidget& widget, const QString& name)
{
    // Scroll bars come and go with the layout requests still queued.
    QApplication::sendPostedEvents();
    QDir().mkpath(QStringLiteral(VELOQUIN_SHOTS_DIR));
    return widget.grab().save(QStringLiteral(VELOQUIN_SHOTS_DIR "/") + name + QStringLiteral(".png"));
}

bool SaveZoomed(QWidget& widget, const QRect& part, const QString& name)
{
    const QImage image = widget.grab(part).toImage();
    return image.scaled(image.size() * 3, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .save(QStringLiteral(VELOQUIN_SHOTS_DIR "/") + name + QStringLiteral("-zoom.png"));
}

// Visible controls of the dialog's current tab that reach outside it, and
// texts that do not fit their labels or buttons.
QStringList LayoutFaults(QWidget& dialog)
{
    QStringList faults;
    auto* tabs = dialog.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    QWidget* page = tabs->currentWidget();
    const QRect area = page->rect();
    for (QWidget* child : page->findChildren<QWidget*>()) {
        if (!child->isVisibleTo(page))
            continue;
        const QRect box(child->mapTo(page, QPoint(0, 0)), child->size());
        if (!area.contains(box))
            faults.append(QStringLiteral("outside: ") + child->objectName());
    }
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->isVisibleTo(&dialog) && label->pixmap().isNull() &&
            label->fontMetrics().horizontalAdvance(label->text()) > label->contentsRect().width())
            faults.append(QStringLiteral("label cut: ") + label->text());
    }
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        if (button->isVisibleTo(&dialog) && !button->text().isEmpty() &&
            button->fontMetrics().horizontalAdvance(button->text()) > button->width())
            faults.append(QStringLiteral("button cut: ") + button->text());
    }
    return faults;
}

void Load(AppContext& context, const QString& path)
{
    test::TankToArrange(context) = LoadTankFile(path.toStdString()).tank;
    test::TankToArrange(context).SetModified(false);
}

} // namespace

class PreviewScreenshotTest : public QObject
{
    Q_OBJECT

private slots:
    void previewOfTheDefaultTankAndOfASampleWithCompanyFrames()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();
        AppContext& context = program->Context();
        bool saved = true;
        QString pageNumber;
        QVERIFY(test::RunWhileModal([&] { main.Action("acCalibration")->trigger(); },
                                    [&](QWidget& window) {
                                        saved &= Save(window, QStringLiteral("preview-default-calibration-1"));
                                        pageNumber = window.findChild<QLabel*>(QStringLiteral("stPageNumber"))->text();
                                    }));
        QVERIFY(saved);
        QCOMPARE(pageNumber, QStringLiteral(" Страница 7 "));

        Load(context, test::CopySample(QStringLiteral("sample_rvs1000.vlq"), program.Dir()));
        context.documents = {DocKind::Calibration, 3, PageCountOf(context.Tank(), DocKind::Calibration)};
        QStringList captionsCut;
        QVERIFY(test::RunWhileModal([&] { main.Action("acActivePage")->trigger(); },
                                    [&](QWidget& window) {
                                        auto& form = static_cast<PreviewWindow&>(window);
                                        saved &= Save(window, QStringLiteral("preview-sample-company-frame"));
                                        for (const char* name : {"stDocName", "stPageNumber"}) {
                                            auto* label = window.findChild<QLabel*>(QLatin1String(name));
                                            if (label->fontMetrics().horizontalAdvance(label->text()) >
                                                label->contentsRect().width())
                                                captionsCut.append(label->text());
                                        }
                                        // The title block, three times enlarged.
                                        QWidget* page = form.PageBox();
                                        saved &= SaveZoomed(*page, QRect(0, 0, page->width(), page->height() / 5),
                                                            QStringLiteral("preview-title-block"));
                                        form.Action("acZoomIn")->trigger();
                                        QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(page->width() / 2, 10));
                                        QApplication::sendPostedEvents();
                                        saved &= Save(window, QStringLiteral("preview-sample-zoomed"));
                                        form.Action("acZoomOut")->trigger();
                                        QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(10, 10));
                                        QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(10, 10));
                                        saved &= Save(window, QStringLiteral("preview-sample-half"));
                                        // The protocol's title page and the outline.
                                        context.documents = {DocKind::Protocol, 1, 7};
                                        form.UpdatePageCaptions();
                                        form.RepaintPage();
                                        saved &= Save(window, QStringLiteral("preview-sample-protocol-1"));
                                        context.documents = {DocKind::Outline, 1, 1};
                                        form.UpdatePageCaptions();
                                        form.RepaintPage();
                                        saved &= Save(window, QStringLiteral("preview-sample-outline"));
                                    }));
        QVERIFY(saved);
        QVERIFY2(captionsCut.isEmpty(), qPrintable(captionsCut.join(QLatin1Char('\n'))));
    }

    void sheetOptionsOnEveryKindOfPage()
    {
        test::StartedProgram program;
        program.Show();
        AppContext& context = program->Context();
        Load(context, test::CopySample(QStringLiteral("sample_rvs1000.vlq"), program.Dir()));
        SheetOptionsDialog& dialog = program->SheetOptions();
        const struct
        {
            DocKind kind;
            int page;
            const char* name;
        } pages[] = {
            {DocKind::Outline, 1, "outline"},
            {DocKind::Calibration, 3, "calibration"},
            {DocKind::Protocol, 1, "protocol-title-page"},
            {DocKind::Protocol, 2, "protocol-page-2"},
        };
        QStringList faults;
        bool saved = true;
        for (const auto& page : pages) {
            context.documents = {page.kind, page.page, PageCountOf(context.Tank(), page.kind)};
            QVERIFY(test::RunWhileModal([&] { dialog.Execute(); },
                                        [&](QWidget& window) {
                                            auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
                                            for (int tab = 0; tab < tabs->count(); ++tab) {
                                                if (!tabs->isTabVisible(tab))
                                                    continue;
                                                tabs->setCurrentIndex(tab);
                                                const QString name = QStringLiteral("sheet-options-") +
                                                                     QLatin1String(page.name) + QLatin1Char('-') +
                                                                     tabs->widget(tab)->objectName();
                                                saved &= Save(window, name);
                                                for (const QString& fault : LayoutFaults(window))
                                                    faults.append(name + QStringLiteral(": ") + fault);
                                            }
                                            tabs->setCurrentIndex(0);
                                        }));
        }
        QVERIFY(saved);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    void printDialog()
    {
        test::StartedProgram program;
        program.Show();
        AppContext& context = program->Context();
        PreviewWindow form(&program->MainForm(), context, program->SheetOptions());
        SelectDocument(context.Tank(), context.documents, DocKind::Calibration);
        bool saved = false;
        QStringList cut;
        QVERIFY(test::RunWhileModal([&] { form.Execute(); },
                                    [&](QWidget&) {
                                        test::RunWhileModal([&] { form.Action("acPrint")->trigger(); },
                                                            [&](QWidget& print) {
                                                                saved = Save(print, QStringLiteral("print-dialog"));
                                                                for (QLabel* label : print.findChildren<QLabel*>()) {
                                                                    // A wrapped label is cut when its lines need more height.
                                                                    const bool wide =
                                                                        label->wordWrap()
                                                                            ? label->heightForWidth(label->width()) >
                                                                                  label->height()
                                                                            : label->fontMetrics().horizontalAdvance(
                                                                                  label->text()) > label->width();
                                                                    if (label->pixmap().isNull() && wide)
                                                                        cut.append(label->text());
                                                                }
                                                            });
                                    }));
        QVERIFY(saved);
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char('\n'))));
    }
};

VELOQUIN_APP_TEST(PreviewScreenshotTest)
#include "PreviewScreenshotTest.moc"
