// The base height: two measurements applied one after the other on OK, each
// kept at least at the design fill height, their mean shown in the inspector
// row after any close.

#include "AppContext.h"
#include "AppTestSupport.h"
#include "TankInspectorRows.h"
#include "TankClasses.h"
#include "TankInspector.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace veloquin;

namespace {

constexpr int kBaseHeightRow = static_cast<int>(TankRow::BaseHeight);

// Replaces an edit box's text by typing over it (an empty text by deleting it).
void Retype(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    if (text.isEmpty())
        test::PressKey(edit, Qt::Key_Delete);
    test::TypeText(edit, text);
}

// Opens the dialog, types both measurements and closes with the button.
bool Enter(test::StartedProgram& program, const QString& first, const QString& second, const char* button,
           QStringList* shown = nullptr)
{
    return test::OpenRowDialog(program, kBaseHeightRow, [&](QWidget& dialog) {
        auto* ed1 = test::Find<QLineEdit>(dialog, "edBaseHeight_1");
        auto* ed2 = test::Find<QLineEdit>(dialog, "edBaseHeight_2");
        if (shown)
            *shown = {dialog.windowTitle(), ed1->text(), ed2->text()};
        Retype(ed1, first);
        Retype(ed2, second);
        test::Find<QPushButton>(dialog, button)->click();
    });
}

} // namespace

class BaseHeightDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void meanOfTwoMeasurementsAboveTheDesignFill()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        QCOMPARE(tank.DesignFillHeight(), 6000.0);

        QStringList shown;
        QVERIFY(Enter(program, QStringLiteral("10200"), QStringLiteral("10202"), "btnOk", &shown));
        QCOMPARE(shown, (QStringList{"Базовая высота", "6000", "6000"}));
        QCOMPARE(tank.BaseHeight(), 10201.0);
        QCOMPARE(program->Inspector().DialogPanelText(), QStringLiteral("[10 201,0]"));
        QCOMPARE(program->Inspector().GetCell(1, kBaseHeightRow), QStringLiteral("[10 201,0]"));

        // At or below the design fill height a measurement counts as the design fill height.
        QVERIFY(Enter(program, QStringLiteral("5000"), QStringLiteral("7001"), "btnOk", &shown));
        QCOMPARE(shown.mid(1), (QStringList{"10200", "10202"}));
        QCOMPARE(tank.BaseHeightMeas1(), 6000.0);
        QCOMPARE(tank.BaseHeightMeas2(), 7001.0);
        QCOMPARE(tank.BaseHeight(), 6500.5);
        QCOMPARE(program->Inspector().DialogPanelText(), QStringLiteral("[6 500,5]"));
        QVERIFY(test::ShownMessages().isEmpty());
    }

    void cancelKeepsBothAndTheRowIsShownAgain()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        tank.SetBaseHeightMeas1(8000);
        tank.SetBaseHeightMeas2(8001);
        tank.UpdateBaseHeight();
        tank.SetModified(false);
        program->Inspector().SetDialogPanelText(QStringLiteral("stale"));

        QVERIFY(Enter(program, QStringLiteral("9000"), QStringLiteral("9001"), "btnCancel"));
        QCOMPARE(tank.BaseHeightMeas1(), 8000.0);
        QCOMPARE(tank.BaseHeightMeas2(), 8001.0);
        QVERIFY(!tank.Modified());
        QCOMPARE(program->Inspector().DialogPanelText(), QStringLiteral("[8 000,5]"));

        // Esc is the cancel button's.
        QVERIFY(test::OpenRowDialog(program, kBaseHeightRow, [](QWidget& dialog) {
            auto* ed1 = test::Find<QLineEdit>(dialog, "edBaseHeight_1");
            Retype(ed1, QStringLiteral("9500"));
            test::PressKey(ed1, Qt::Key_Escape);
        }));
        QCOMPARE(tank.BaseHeightMeas1(), 8000.0);
        QVERIFY(!tank.Modified());
    }

    void aBadTextWritesNothing()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        tank.SetBaseHeightMeas1(8000);
        tank.SetBaseHeightMeas2(8002);
        tank.UpdateBaseHeight();

        // A bad first text: nothing changes.
        QVERIFY(Enter(program, QStringLiteral("8l00"), QStringLiteral("9000"), "btnOk"));
        QCOMPARE(test::ShownMessages(), QStringList{QStringLiteral("Значение «8l00» не принято — это не число.")});
        QCOMPARE(tank.BaseHeightMeas1(), 8000.0);
        QCOMPARE(tank.BaseHeightMeas2(), 8002.0);
        QCOMPARE(tank.BaseHeight(), 8001.0);

        // A bad second text: the first is not applied either; the dialog stayed
        // open (on the bad box) until the test closed it.
        QVERIFY(Enter(program, QStringLiteral("8100"), QString(), "btnOk"));
        QCOMPARE(test::ShownMessages().last(), QStringLiteral("Значение «» не принято — это не число."));
        QCOMPARE(tank.BaseHeightMeas1(), 8000.0);
        QCOMPARE(tank.BaseHeightMeas2(), 8002.0);
        QCOMPARE(tank.BaseHeight(), 8001.0);
        QCOMPARE(program->Inspector().DialogPanelText(), QStringLiteral("[8 001,0]"));
    }
};

VELOQUIN_APP_TEST(BaseHeightDialogTest)
#include "BaseHeightDialogTest.moc"
