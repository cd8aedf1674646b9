// The property inspector as the user drives it: selection by keyboard and mouse,
// committing typed values, the silent restore against the reported error, the
// splitter's limits, scrolling to the editor, and the geometry kept in the
// settings file.

#include "TankInspector.h"
#include "InspectorColumnFit.h"
#include "AppContext.h"
#include "AppTestSupport.h"
#include "MessageBox.h"
#include "TankInspectorRows.h"
#include "WindowBounds.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

using namespace veloquin;

namespace {

constexpr int kRow = TankInspector::kRowHeightPx;

void Press(QWidget* widget, QEvent::Type type, const QPoint& at)
{
    const QPointF local(at);
    const QPointF global(widget->mapToGlobal(at));
    QMouseEvent event(type, local, global, Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void ClickAt(QWidget* widget, int yPx)
{
    Press(widget, QEvent::MouseButtonPress, QPoint(5, yPx));
    Press(widget, QEvent::MouseButtonRelease, QPoint(5, yPx));
}

// Replaces the edit box's text by typing, as the user would.
void Retype(TankInspector& inspector, const QString& text)
{
    inspector.InsEdit()->selectAll();
    test::TypeText(inspector.InsEdit(), text);
}

} // namespace

class TankInspectorTest : public QObject
{
    Q_OBJECT

private slots:
    void keyboardMovesTheSelection()
    {
        test::StartedProgram program;
        program.Show();
        TankInspector& inspector = program->Inspector();
        QCOMPARE(inspector.SelectedRow(), 1);
        QLineEdit* edit = inspector.InsEdit();

        test::PressKey(edit, Qt::Key_Down);
        QCOMPARE(inspector.SelectedRow(), 2);
        // The key moved the row, not the caret, and the box shows the new row.
        QCOMPARE(edit->text(), QStringLiteral("200"));
        test::PressKey(edit, Qt::Key_Up);
        test::PressKey(edit, Qt::Key_Up);
        QCOMPARE(inspector.SelectedRow(), 1);

        test::PressKey(edit, Qt::Key_PageDown);
        QCOMPARE(inspector.SelectedRow(), 11);
        for (int i = 0; i < 4; ++i)
            test::PressKey(inspector.InsEdit(), Qt::Key_Down);
        QCOMPARE(inspector.SelectedRow(), 15); // a dialog row: the keys now reach the panel
        test::PressKey(inspector.InsPanelEdit(), Qt::Key_PageDown);
        QCOMPARE(inspector.SelectedRow(), 21);
        test::PressKey(inspector.InsPanelEdit(), Qt::Key_Down);
        QCOMPARE(inspector.SelectedRow(), 21);

        QVERIFY(inspector.SelectRow(5));
        test::PressKey(inspector.InsPanelEdit(), Qt::Key_PageUp);
        QCOMPARE(inspector.SelectedRow(), 1);
        QVERIFY(test::ShownMessages().isEmpty());
    }

    void mouseSelectsTheRowUnderThePointer()
    {
        test::StartedProgram program;
        program.Show();
        TankInspector& inspector = program->Inspector();
        inspector.resize(inspector.width(), 600); // room below the rows

        ClickAt(inspector.ValueColumn(), 5 * kRow + 3);
        QCOMPARE(inspector.SelectedRow(), 6);
        QVERIFY(inspector.InPlaceEditPlaced());

        ClickAt(inspector.CaptionColumn(), 2 * kRow + 15);
        QCOMPARE(inspector.SelectedRow(), 3);
        QVERIFY(!inspector.InPlaceEditPlaced());
        QCOMPARE(inspector.DialogPanelText(), QStringLiteral("[19 998,0]"));

        // The bottom pixel line of the columns still belongs to the last row.
        ClickAt(inspector.CaptionColumn(), 21 * kRow);
        QCOMPARE(inspector.SelectedRow(), 21);

        // The empty area of the scroll box below the columns does not react.
        QWidget* viewport = inspector.ScrollBox()->viewport();
        QVERIFY(viewport->height() > 21 * kRow + 20);
        ClickAt(viewport, 21 * kRow + 10);
        QCOMPARE(inspector.SelectedRow(), 21);
    }

    void typedValuesAreClampedAndShown()
    {
        test::StartedProgram program;
        program.Show();
        TankInspector& inspector = program->Inspector();
        const TSteelVertCylTank& tank = program->Context().Tank();

        QVERIFY(inspector.SelectRow(2));
        Retype(inspector, QStringLiteral("60000"));
        test::PressKey(inspector.InsEdit(), Qt::Key_Return);
        QCOMPARE(inspector.InsEdit()->text(), QStringLiteral("50000"));
        QCOMPARE(inspector.GetCell(1, 2), QStringLiteral("50000"));
        QCOMPARE(tank.DesignCapacity(), 50000);
        QVERIFY(tank.Modified());

        // A typed name, Cyrillic included, reaches the tank on a row change.
        QVERIFY(inspector.SelectRow(1));
        Retype(inspector, QStringLiteral("РВС-700 №2"));
        test::PressKey(inspector.InsEdit(), Qt::Key_Down);
        QCOMPARE(QString::fromStdString(tank.Name()), QStringLiteral("РВС-700 №2"));
        QCOMPARE(inspector.GetCell(1, 1), QStringLiteral("РВС-700 №2"));

        // A number with the decimal comma.
        QVERIFY(inspector.SelectRow(6));
        Retype(inspector, QStringLiteral("2,5"));
        test::PressKey(inspector.InsEdit(), Qt::Key_Enter);
        QCOMPARE(tank.PaintThickness(), 2.5);
        QCOMPARE(inspector.InsEdit()->text(), QStringLiteral("2,5"));
        QVERIFY(test::ShownMessages().isEmpty());
    }

    void enterRestoresABadTextSilently()
    {
        test::StartedProgram program;
        program.Show();
        TankInspector& inspector = program->Inspector();
        QVERIFY(inspector.SelectRow(4));
        Retype(inspector, QStringLiteral("abc"));
        test::PressKey(inspector.InsEdit(), Qt::Key_Return);
        QCOMPARE(inspector.InsEdit()->text(), QStringLiteral("8"));
        QCOMPARE(inspector.SelectedRow(), 4);
        QVERIFY(test::ShownMessages().isEmpty());
        QVERIFY(!program->Context().Tank().Modified());
    }

    void rowChangeReportsABadTextAndKeepsTheRow()
    {
        test::StartedProgram program;
        program.Show();
        TankInspector& inspector = program->Inspector();
        QVERIFY(inspector.SelectRow(4));
        Retype(inspector, QStringLiteral("abc"));

        ClickAt(inspector.ValueColumn(), 5 * kRow + 3);
        QCOMPARE(inspector.SelectedRow(), 4);
        QCOMPARE(inspector.InsEdit()->text(), QStringLiteral("abc"));
        QCOMPARE(MessageBox::Shown().size(), size_t(1));
        const MessageBox::Record& shown = MessageBox::Shown().front();
        QCOMPARE(shown.caption, QStringLiteral("Veloquin"));
        QCOMPARE(shown.text, QStringLiteral("Значение «abc» не принято — это не целое число."));
        QVERIFY(shown.icon == MessageBox::Icon::Critical);

        // The keyboard reports in the same way; a float row says so.
        QVERIFY(!inspector.SelectRow(1)); // still "abc" in an integer row
        QCOMPARE(inspector.SelectedRow(), 4);
        Retype(inspector, QStringLiteral("5"));
        test::PressKey(inspector.InsEdit(), Qt::Key_Down);
        QCOMPARE(inspector.SelectedRow(), 5);
        QCOMPARE(program->Context().Tank().GirdleCount(), 5);
        QVERIFY(inspector.SelectRow(6));
        Retype(inspector, QStringLiteral("1.5.5"));
        test::PressKey(inspector.InsEdit(), Qt::Key_Up);
        QCOMPARE(inspector.SelectedRow(), 6);
        QCOMPARE(test::ShownMessages().last(), QStringLiteral("Значение «1.5.5» не принято — это не число."));
    }

    void focusChangesCommitSilently()
    {
        test::StartedProgram program;
        program.Show();
        TankInspector& inspector = program->Inspector();
        const TSteelVertCylTank& tank = program->Context().Tank();
        QVERIFY(inspector.SelectRow(8));
        QLineEdit* edit = inspector.InsEdit();

        Retype(inspector, QStringLiteral("2500"));
        QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(edit, &leave);
        QCOMPARE(tank.CalibrationFillHeight(), 2500.0);

        Retype(inspector, QStringLiteral("xyz"));
        QApplication::sendEvent(edit, &leave);
        QCOMPARE(edit->text(), QStringLiteral("2500"));
        QVERIFY(test::ShownMessages().isEmpty());

        // Switching to another window is no commit: the typed text waits.
        Retype(inspector, QStringLiteral("3000"));
        QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(edit, &away);
        QCOMPARE(edit->text(), QStringLiteral("3000"));
        QCOMPARE(tank.CalibrationFillHeight(), 2500.0);
    }

    void splitterStopsAtItsLimits()
    {
        test::StartedProgram program;
        program.Show();
        TankInspector& inspector = program->Inspector();
        QWidget* splitter = inspector.SplitterColumn();
        const int clientWidth = inspector.ScrollBox()->viewport()->width();
        inspector.LayoutColumns(120);
        QCOMPARE(inspector.ColWidth(), 120);

        Press(splitter, QEvent::MouseButtonPress, QPoint(1, 5));
        Press(splitter, QEvent::MouseMove, QPoint(-30, 5));
        QCOMPARE(inspector.ColWidth(), 90);
        Press(splitter, QEvent::MouseMove, QPoint(-500, 5));
        QCOMPARE(inspector.ColWidth(), TankInspector::kMinColWidthPx);
        QCOMPARE(inspector.CaptionColumn()->width(), 20);
        Press(splitter, QEvent::MouseMove, QPoint(5000, 5));
        QCOMPARE(inspector.ColWidth(), clientWidth - 22);
        QCOMPARE(inspector.ValueColumn()->x(), clientWidth - 20);
        QCOMPARE(inspector.ValueColumn()->width(), 20);
        Press(splitter, QEvent::MouseButtonRelease, QPoint(0, 5));

        // Released, the splitter no longer follows the pointer.
        Press(splitter, QEvent::MouseMove, QPoint(-100, 5));
        QCOMPARE(inspector.ColWidth(), clientWidth - 22);
    }

    void selectingAHiddenRowScrollsItIntoView()
    {
        test::StartedProgram program;
        program.Show();
        TankInspector& inspector = program->Inspector();
        inspector.resize(inspector.width(), 180);
        QTest::qWait(20);
        QScrollBar* bar = inspector.ScrollBox()->verticalScrollBar();
        QCOMPARE(bar->value(), 0);

        QVERIFY(inspector.SelectRow(19));
        const int viewportHeight = inspector.ScrollBox()->viewport()->height();
        const int editorTop = inspector.InsEdit()->y() - bar->value();
        QVERIFY(bar->value() > 0);
        QVERIFY(editorTop >= 0);
        QCOMPARE(editorTop + TankInspector::kEditorHeightPx, viewportHeight);

        QVERIFY(inspector.SelectRow(2));
        QCOMPARE(inspector.InsEdit()->y() - bar->value(), 0);
    }

    void cellIndexesAreChecked()
    {
        test::StartedProgram program;
        TankInspector& inspector = program->Inspector();
        inspector.SetCell(2, 1, QStringLiteral("x"));
        QCOMPARE(inspector.GetCell(1, 0), QString());
        QCOMPARE(test::ShownMessages(), QStringList({QStringLiteral("Номер колнки за пределами диапазона!"),
                                                     QStringLiteral("Номер активной ячейки за пределами диапазона!")}));
        QCOMPARE(MessageBox::Shown().front().caption, QStringLiteral("Инспектор"));
    }

    void geometryIsKeptInTheSettings()
    {
        test::StartedProgram program;
        program.Show();
        TankInspector& inspector = program->Inspector();
        // First run: the defaults of the settings file, as outer bounds.
        QTRY_COMPARE(inspector.frameGeometry(), QRect(0, 120, 500, 440));
        // ...but the caption column fits its captions until the user sets it.
        QCOMPARE(inspector.ColWidth(), CaptionColumnFitPx(inspector));

        inspector.Bounds().ApplyFitted(QRect(40, 250, 420, 360));
        QTRY_COMPARE(inspector.frameGeometry(), QRect(40, 250, 420, 360));
        inspector.LayoutColumns(150);
        QVERIFY(inspector.close());
        QVERIFY(!inspector.isVisible());

        inspector.move(0, 0);
        inspector.resize(200, 200);
        inspector.LayoutColumns(60);
        inspector.show();
        QTRY_COMPARE(inspector.frameGeometry(), QRect(40, 250, 420, 360));
        QCOMPARE(inspector.ColWidth(), 150);
        QCOMPARE(inspector.ValueColumn()->x(), 152);
        QCOMPARE(program->Context().settings.ReadInteger("InspectorState", "Col1Width", 0), 150);
    }
};

VELOQUIN_APP_TEST(TankInspectorTest)
#include "TankInspectorTest.moc"
