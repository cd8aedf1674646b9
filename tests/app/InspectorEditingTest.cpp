// Typing in the inspector as a user does: moving to a row, a click or F2 selects
// its value so that typing replaces it, Tab commits and moves on, Esc abandons,
// Enter or F2 opens a dialog row, the focus
// comes back to the box after an error box, a character the tank file cannot
// hold is refused with a word and the old value kept, and texts cut off at
// their column show whole as a tool tip.

#include "AppContext.h"
#include "AppTestSupport.h"
#include "FileDialog.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "TankInspectorRows.h"
#include "TankFile.h"
#include "TankInspector.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollArea>
#include <QTest>
#include <QToolTip>

#include <functional>

using namespace veloquin;

namespace {

constexpr int kRow = TankInspector::kRowHeightPx;
const QString kRefusal = QStringLiteral("Символ «Ω» нельзя сохранить в файле резервуара.");

// The middle of a row in a column.
QPoint RowPoint(int row)
{
    return QPoint(5, (row - 1) * kRow + kRow / 2);
}

void ActivateInspector(test::StartedProgram& program)
{
    QVERIFY(test::Activate(program->Inspector()));
}

// Runs `act`, which shows a real message box, answers it with OK and returns its
// texts (empty when none appeared).
QStringList AnswerBox(const std::function<void()>& act)
{
    QStringList texts;
    MessageBox::SetTestMode(false);
    test::RunWhileModal(act, [&texts](QWidget& modal) {
        if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
            texts.append(box->text());
            box->button(QMessageBox::Ok)->click();
        }
    });
    MessageBox::SetTestMode(true);
    return texts;
}

QString ToolTipFor(QWidget* widget, const QPoint& at)
{
    QToolTip::hideText();
    if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }))
        return QStringLiteral("(the last tip did not go)");
    QHelpEvent help(QEvent::ToolTip, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

} // namespace

class InspectorEditingTest : public QObject
{
    Q_OBJECT

private slots:
    void typingAfterMovingToARowReplacesItsValue()
    {
        test::StartedProgram program;
        program.Show();
        ActivateInspector(program);
        TankInspector& inspector = program->Inspector();
        const TSteelVertCylTank& tank = program->Context().Tank();
        // Keys go where the focus is, as the user's do.
        const auto press = [](Qt::Key key) { test::PressKey(QApplication::focusWidget(), key); };

        // From the dialog row above by keyboard: "5" on "Число поясов" is 5 girdles, not 85.
        QVERIFY(inspector.SelectRow(3));
        QCOMPARE(QApplication::focusWidget(), inspector.InsPanelEdit());
        press(Qt::Key_Down);
        QCOMPARE(inspector.SelectedRow(), 4);
        QCOMPARE(QApplication::focusWidget(), inspector.InsEdit());
        QCOMPARE(inspector.InsEdit()->selectedText(), QStringLiteral("8"));
        test::TypeText(inspector.InsEdit(), QStringLiteral("5"));
        QCOMPARE(inspector.InsEdit()->text(), QStringLiteral("5"));
        press(Qt::Key_Return);
        QCOMPARE(tank.GirdleCount(), 5);

        // Between rows typed in place and across a dialog row, both ways.
        press(Qt::Key_Up);
        press(Qt::Key_Up);
        QCOMPARE(inspector.SelectedRow(), 2);
        QCOMPARE(inspector.InsEdit()->selectedText(), QStringLiteral("200"));
        test::TypeText(inspector.InsEdit(), QStringLiteral("300"));
        press(Qt::Key_Down);
        QCOMPARE(tank.DesignCapacity(), 300);
        press(Qt::Key_Down);
        QCOMPARE(inspector.SelectedRow(), 4);
        QCOMPARE(inspector.InsEdit()->selectedText(), QStringLiteral("5"));
        QVERIFY(test::ShownMessages().isEmpty());
    }

    void aClickOnARowOrInItsBoxSelectsTheWholeText()
    {
        test::StartedProgram program;
        program.Show();
        ActivateInspector(program);
        TankInspector& inspector = program->Inspector();
        QLineEdit* edit = inspector.InsEdit();

        QTest::mouseClick(inspector.ValueColumn(), Qt::LeftButton, {}, RowPoint(8));
        QCOMPARE(inspector.SelectedRow(), 8);
        QCOMPARE(edit->selectedText(), QStringLiteral("2000"));
        QTest::mouseClick(inspector.CaptionColumn(), Qt::LeftButton, {}, RowPoint(9));
        QCOMPARE(edit->selectedText(), QStringLiteral("1000"));

        // A second click, in the box, while typing: what follows replaces, never appends.
        QCOMPARE(QApplication::focusWidget(), edit);
        test::TypeText(edit, QStringLiteral("1"));
        QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->width() - 2, edit->height() / 2));
        QCOMPARE(edit->selectedText(), QStringLiteral("1"));
        test::TypeText(edit, QStringLiteral("2"));
        QCOMPARE(edit->text(), QStringLiteral("2"));
        // F2 does the same from the keyboard.
        test::PressKey(edit, Qt::Key_F2);
        QCOMPARE(edit->selectedText(), QStringLiteral("2"));
        test::TypeText(edit, QStringLiteral("998"));
        test::PressKey(edit, Qt::Key_Return);
        QCOMPARE(program->Context().Tank().CalibrationDensity(), 998.0);
    }

    void tabCommitsAndMovesEscAbandons()
    {
        test::StartedProgram program;
        program.Show();
        ActivateInspector(program);
        TankInspector& inspector = program->Inspector();
        const TSteelVertCylTank& tank = program->Context().Tank();
        const auto press = [](Qt::Key key) { test::PressKey(QApplication::focusWidget(), key); };
        const auto type = [](const QString& text) { test::TypeText(QApplication::focusWidget(), text); };

        // "101 Tab 5": two values in two rows, over the dialog row between them.
        QVERIFY(inspector.SelectRow(2));
        type(QStringLiteral("101"));
        press(Qt::Key_Tab);
        QCOMPARE(inspector.SelectedRow(), 4);
        QCOMPARE(QApplication::focusWidget(), inspector.InsEdit());
        type(QStringLiteral("5"));
        press(Qt::Key_Tab);
        QCOMPARE(tank.DesignCapacity(), 101);
        QCOMPARE(tank.GirdleCount(), 5);
        QCOMPARE(inspector.SelectedRow(), 6);
        // Shift+Tab goes back the same way.
        press(Qt::Key_Backtab);
        QCOMPARE(inspector.SelectedRow(), 4);
        QCOMPARE(inspector.InsEdit()->selectedText(), QStringLiteral("5"));

        // A bad text stops Tab where it is, said in a box.
        MessageBox::ClearShown();
        type(QStringLiteral("x"));
        press(Qt::Key_Tab);
        QCOMPARE(inspector.SelectedRow(), 4);
        QCOMPARE(MessageBox::Shown().size(), std::size_t(1));
        // Esc gives the row its value back.
        press(Qt::Key_Escape);
        QCOMPARE(inspector.InsEdit()->text(), QStringLiteral("5"));

        // Esc: the typed text is gone, and moving on does not bring it back.
        QVERIFY(inspector.SelectRow(9));
        type(QStringLiteral("870"));
        press(Qt::Key_Escape);
        QCOMPARE(inspector.InsEdit()->text(), QStringLiteral("1000"));
        QCOMPARE(inspector.InsEdit()->selectedText(), QStringLiteral("1000"));
        press(Qt::Key_Down);
        QCOMPARE(tank.CalibrationDensity(), 1000.0);
        QVERIFY(inspector.isVisible());

        // The last typed row: Tab commits and stays.
        QVERIFY(inspector.SelectRow(19));
        type(QStringLiteral("3500"));
        press(Qt::Key_Tab);
        QCOMPARE(tank.DesignFillHeight(), 3500.0);
        QCOMPARE(inspector.SelectedRow(), 19);
    }

    void enterOrF2OnADialogRowOpensItsDialog()
    {
        test::StartedProgram program;
        program.Show();
        ActivateInspector(program);
        TankInspector& inspector = program->Inspector();
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_F2}) {
            QVERIFY(inspector.SelectRow(18));
            QVERIFY(test::Activate(inspector));
            QTRY_COMPARE(QApplication::focusWidget(), inspector.InsPanelEdit());
            QString title;
            QVERIFY(test::RunWhileModal([&] { test::PressKey(inspector.InsPanelEdit(), key); },
                                        [&](QWidget& modal) { title = modal.windowTitle(); }));
            QVERIFY(!title.isEmpty());
        }
    }

    void aResizeKeepsWhatIsBeingTyped()
    {
        test::StartedProgram program;
        program.Show();
        TankInspector& inspector = program->Inspector();
        QVERIFY(inspector.SelectRow(9));
        test::TypeText(inspector.InsEdit(), QStringLiteral("998"));
        inspector.resize(inspector.width() - 60, inspector.height() - 40);
        QTRY_COMPARE(inspector.InsEdit()->width(), inspector.ValueColumn()->width() - 1);
        inspector.LayoutColumns(90);
        inspector.PlaceEditor();
        QCOMPARE(inspector.InsEdit()->text(), QStringLiteral("998"));
        test::PressKey(inspector.InsEdit(), Qt::Key_Return);
        QCOMPARE(program->Context().Tank().CalibrationDensity(), 998.0);
    }

    void theFocusComesBackToTheBoxAfterAnErrorBox()
    {
        test::StartedProgram program;
        program.Show();
        ActivateInspector(program);
        TankInspector& inspector = program->Inspector();
        QLineEdit* edit = inspector.InsEdit();

        // A row change refused: the typed text stays, selected for retyping.
        QVERIFY(inspector.SelectRow(2));
        test::TypeText(edit, QStringLiteral("abc"));
        QCOMPARE(AnswerBox([edit] { test::PressKey(edit, Qt::Key_Down); }),
                 QStringList({QStringLiteral("Значение «abc» не принято — это не целое число.")}));
        QCOMPARE(inspector.SelectedRow(), 2);
        QTRY_COMPARE(QApplication::focusWidget(), edit);
        QCOMPARE(edit->selectedText(), QStringLiteral("abc"));
        test::TypeText(edit, QStringLiteral("400"));
        test::PressKey(edit, Qt::Key_Down);
        QCOMPARE(program->Context().Tank().DesignCapacity(), 400);

        // A refused name on Enter: the stored name is back, selected.
        QVERIFY(inspector.SelectRow(1));
        test::TypeText(edit, QStringLiteral("РВС Ω"));
        QCOMPARE(AnswerBox([edit] { test::PressKey(edit, Qt::Key_Return); }), QStringList({kRefusal}));
        QTRY_COMPARE(QApplication::focusWidget(), edit);
        QCOMPARE(edit->selectedText(), QStringLiteral("Резервуар1"));
    }

    void aCharacterTheFileCannotHoldIsRefusedWithAWord()
    {
        test::StartedProgram program;
        program.Show();
        TankInspector& inspector = program->Inspector();
        const TSteelVertCylTank& tank = program->Context().Tank();
        QLineEdit* edit = inspector.InsEdit();
        const std::string oldName = tank.Name();

        // Enter: the old value is kept and shown again.
        test::TypeText(edit, QStringLiteral("РВС Ω"));
        test::PressKey(edit, Qt::Key_Return);
        QCOMPARE(test::ShownMessages(), QStringList({kRefusal}));
        QCOMPARE(MessageBox::Shown().back().caption, QStringLiteral("Veloquin"));
        QCOMPARE(MessageBox::Shown().back().icon, MessageBox::Icon::Critical);
        QCOMPARE(tank.Name(), oldName);
        QVERIFY(!tank.Modified());
        QCOMPARE(edit->text(), QString::fromStdString(oldName));

        // A row change: refused like a text that does not convert; the row stays.
        MessageBox::ClearShown();
        edit->selectAll();
        test::TypeText(edit, QStringLiteral("Ωmega"));
        test::PressKey(edit, Qt::Key_Down);
        QCOMPARE(test::ShownMessages(), QStringList({kRefusal}));
        QCOMPARE(inspector.SelectedRow(), 1);
        QCOMPARE(edit->text(), QStringLiteral("Ωmega"));
        QCOMPARE(tank.Name(), oldName);

        // Saving with the text still in the box: a word, and the file keeps the old name.
        MessageBox::ClearShown();
        const QString path = program.PathIn(QStringLiteral("name.vlq"));
        FileDialog::QueueChoice(path);
        program->MainForm().acSaveExecute();
        QCOMPARE(test::ShownMessages(), QStringList({kRefusal}));
        QCOMPARE(LoadTankFile(path.toStdString()).tank.Name(), oldName);

        // Everything the code page holds is taken, "№" included.
        MessageBox::ClearShown();
        edit->selectAll();
        test::TypeText(edit, QStringLiteral("РВС-2000 №7"));
        test::PressKey(edit, Qt::Key_Return);
        QVERIFY(test::ShownMessages().isEmpty());
        QCOMPARE(QString::fromStdString(tank.Name()), QStringLiteral("РВС-2000 №7"));
    }

    void textsCutOffShowWholeAsToolTips()
    {
        test::StartedProgram program;
        program.Show();
        TankInspector& inspector = program->Inspector();
        inspector.LayoutColumns(120);
        inspector.resize(260, inspector.height());
        QTRY_COMPARE(inspector.ValueColumn()->width(), inspector.ScrollBox()->viewport()->width() - 122);

        // Captions cut at the 120 px column; a short one needs no tip.
        QCOMPARE(ToolTipFor(inspector.CaptionColumn(), RowPoint(3)), TankInspectorRows::Caption(3));
        QCOMPARE(ToolTipFor(inspector.CaptionColumn(), RowPoint(1)), QString());
        // A long girdle list in the value column, and in the dialog panel once selected.
        const QString circumferences = inspector.GetCell(1, 13);
        QCOMPARE(ToolTipFor(inspector.ValueColumn(), RowPoint(13)), circumferences);
        QCOMPARE(ToolTipFor(inspector.ValueColumn(), RowPoint(4)), QString());
        QVERIFY(inspector.SelectRow(13));
        QCOMPARE(ToolTipFor(inspector.InsPanelEdit(), QPoint(5, 5)), inspector.DialogPanelText());
        // Below the last row there is nothing to show.
        QCOMPARE(ToolTipFor(inspector.ValueColumn(), QPoint(5, 21 * kRow + 0)), QString());
        QToolTip::hideText();
    }
};

VELOQUIN_APP_TEST(InspectorEditingTest)
#include "InspectorEditingTest.moc"
