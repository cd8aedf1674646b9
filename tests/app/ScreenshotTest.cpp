// Pictures of the windows for a person to look at (written under the build
// directory's shots/), plus the layout facts that keep texts whole: the font
// fits the 16 px rows, the editors sit inside their row, the menu bar and the
// status panels fit the 500 px main window.

#include "AboutDialog.h"
#include "AppContext.h"
#include "AppFont.h"
#include "AppTestSupport.h"
#include "CalibrationTextDialog.h"
#include "MainWindow.h"
#include "PrinterCalibrationDialog.h"
#include "TankInspector.h"

#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>

using namespace veloquin;

class ScreenshotTest : public QObject
{
    Q_OBJECT

private:
    static void Save(QWidget& widget, const QString& name)
    {
        QDir().mkpath(QStringLiteral(VELOQUIN_SHOTS_DIR));
        const QString path = QStringLiteral(VELOQUIN_SHOTS_DIR "/") + name + QStringLiteral(".png");
        QVERIFY(widget.grab().save(path));
    }

    // A part of the widget enlarged four times, pixel for pixel, to judge lines and frames.
    static void SaveZoomed(QWidget& widget, const QRect& part, const QString& name)
    {
        const QImage image = widget.grab(part).toImage();
        const QString path = QStringLiteral(VELOQUIN_SHOTS_DIR "/") + name + QStringLiteral("-zoom.png");
        QVERIFY(image.scaled(image.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation).save(path));
    }

private slots:
    void fontFitsTheRows()
    {
        const QFontMetrics metrics(UiFont());
        // Texts start 2 px below the row's top; the row is 16 px, the editor 15 px.
        QVERIFY2(metrics.height() <= TankInspector::kRowHeightPx - 2, qPrintable(QString::number(metrics.height())));
        QVERIFY(metrics.height() <= TankInspector::kEditorHeightPx);
    }

    void mainWindowAndInspector()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();
        TankInspector& inspector = program->Inspector();

        QVERIFY(main.menuBar()->sizeHint().width() <= main.width());
        QVERIFY(main.height() <= MainWindow::kMaxHeightPx);
        Save(main, QStringLiteral("main-window"));

        // Modified: the second panel says so in full.
        test::TankToArrange(program->Context()).SetName("РВС-2000 №7");
        QTRY_COMPARE_WITH_TIMEOUT(main.StatusPanelText(2), QStringLiteral("Изменен"), 5000);
        auto* panel2 = main.findChild<QLabel*>(QStringLiteral("StatusPanel2"));
        QVERIFY(panel2->fontMetrics().horizontalAdvance(panel2->text()) < panel2->contentsRect().width());
        Save(main, QStringLiteral("main-window-modified"));

        // The longest menu captions, in the tank menu and its table submenu.
        QMenu* tankMenu = nullptr;
        for (QAction* menu : main.menuBar()->actions()) {
            if (menu->text() == QStringLiteral("Ре&зервуар"))
                tankMenu = menu->menu();
        }
        QVERIFY(tankMenu);
        tankMenu->popup(main.mapToGlobal(QPoint(60, 20)));
        QVERIFY(QTest::qWaitForWindowExposed(tankMenu));
        Save(*tankMenu, QStringLiteral("menu-tank"));
        QMenu* tableMenu = tankMenu->actions().at(3)->menu();
        QVERIFY(tableMenu);
        tableMenu->popup(main.mapToGlobal(QPoint(200, 60)));
        QVERIFY(QTest::qWaitForWindowExposed(tableMenu));
        Save(*tableMenu, QStringLiteral("menu-table"));
        tableMenu->hide();
        tankMenu->hide();

        // Row 2 typed in place: the edit box lies inside the row's sunken frame.
        QVERIFY(inspector.SelectRow(2));
        QTest::qWait(50);
        const QRect edit = inspector.InsEdit()->geometry();
        QCOMPARE(edit.top(), 1 * TankInspector::kRowHeightPx + 1);
        QCOMPARE(edit.height(), TankInspector::kEditorHeightPx);
        QCOMPARE(edit.left(), inspector.ValueColumn()->x() + 1);
        Save(inspector, QStringLiteral("inspector-in-place-edit"));
        SaveZoomed(inspector, QRect(0, 20, 200, 60), QStringLiteral("inspector-in-place-edit"));

        // Row 5 opens a dialog: the panel and its button fill the value column's row.
        QVERIFY(inspector.SelectRow(5));
        QTest::qWait(50);
        const QRect panel = inspector.InsPanel()->geometry();
        QCOMPARE(panel.top(), 4 * TankInspector::kRowHeightPx + 1);
        QCOMPARE(panel.right(), inspector.ValueColumn()->geometry().right());
        Save(inspector, QStringLiteral("inspector-dialog-panel"));
        SaveZoomed(inspector, QRect(inspector.width() - 200, 80, 200, 50), QStringLiteral("inspector-dialog-panel"));

        // Row 20 near the bottom, with a narrow window that must scroll.
        inspector.resize(inspector.width(), 200);
        QTest::qWait(50);
        QVERIFY(inspector.SelectRow(20));
        QTest::qWait(50);
        Save(inspector, QStringLiteral("inspector-scrolled"));
    }

    void dialogs()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();

        CalibrationTextDialog* table = main.EnsureCalibrationDlg();
        table->FillText();
        table->show();
        QVERIFY(QTest::qWaitForWindowExposed(table));
        Save(*table, QStringLiteral("text-table"));
        table->hide();

        AboutDialog about(&main);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        Save(about, QStringLiteral("about"));

        PrinterCalibrationDialog printer(&main);
        printer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&printer));
        Save(printer, QStringLiteral("printer-calibration"));
    }
};

VELOQUIN_APP_TEST(ScreenshotTest)
#include "ScreenshotTest.moc"
