// The tank's rows in the inspector: captions, the value texts in their number
// forms, which rows are typed and which open a dialog, the setters' limits as
// the user sees them, and the two recomputations of the refresh.

#include "TankInspectorRows.h"
#include "AppContext.h"
#include "AppTestSupport.h"
#include "TankInspector.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>

#include <functional>
#include <vector>

using namespace veloquin;

namespace {

void Commit(TankInspector& inspector, int row, const QString& text)
{
    QVERIFY(inspector.SelectRow(row));
    inspector.InsEdit()->selectAll();
    test::TypeText(inspector.InsEdit(), text);
    test::PressKey(inspector.InsEdit(), Qt::Key_Return);
}

} // namespace

class TankInspectorRowsTest : public QObject
{
    Q_OBJECT

private slots:
    void captionsOfTheTwentyOneRows()
    {
        test::StartedProgram program;
        program.Show();
        TankInspector& inspector = program->Inspector();
        QCOMPARE(inspector.RowCount(), 21);
        const QStringList expected = {
            QStringLiteral("Название"),
            QStringLiteral("Вместимость (проектная), м3"),
            QStringLiteral("Длина внешней окружности первого пояса, мм"),
            QStringLiteral("Число поясов"),
            QStringLiteral("Толщины листов стали по поясам, мм"),
            QStringLiteral("Толщина слоя покраски, мм"),
            QStringLiteral("Высоты поясов, мм"),
            QStringLiteral("Высота заполнения резервуара при градуировке, мм"),
            QStringLiteral("Плотность жидкости при градуировке, кг/м3"),
            QStringLiteral("Плотность хранимой жидкости, кг/м3"),
            QStringLiteral("Число образующих"),
            QStringLiteral("Расстояние от стенки до нити отвеса, мм"),
            QStringLiteral("Длины внутренних окружностей поясов, мм"),
            QStringLiteral("Внутренние детали, м3"),
            QStringLiteral("Поправка на неровность днища, м3"),
            QStringLiteral("Высота мертвой полости (от днища), мм"),
            QStringLiteral("Вместимость мертвой полости, м3"),
            QStringLiteral("Вместимость поясов, м3"),
            QStringLiteral("Проектная высота заполнения, мм"),
            QStringLiteral("Объем при заданном уровне заполнения, м3"),
            QStringLiteral("Базовая высота, мм"),
        };
        for (int row = 1; row <= 21; ++row)
            QCOMPARE(inspector.GetCell(0, row), expected.at(row - 1));
    }

    void valueTextsOfANewTank()
    {
        test::StartedProgram program;
        program.Show();
        TankInspector& inspector = program->Inspector();
        QCOMPARE(inspector.GetCell(1, 1), QStringLiteral("Резервуар1"));
        QCOMPARE(inspector.GetCell(1, 2), QStringLiteral("200"));
        QCOMPARE(inspector.GetCell(1, 3), QStringLiteral("[19 998,0]"));
        QCOMPARE(inspector.GetCell(1, 4), QStringLiteral("8"));
        QCOMPARE(inspector.GetCell(1, 5), QStringLiteral("[6, 6, 6, 6, 6, 6, 6, 6]"));
        QCOMPARE(inspector.GetCell(1, 7), QStringLiteral("[800, 800, 800, 800, 800, 800, 800, 800]"));
        QCOMPARE(inspector.GetCell(1, 9), QStringLiteral("1000"));
        QCOMPARE(inspector.GetCell(1, 10), QStringLiteral("960"));
        QCOMPARE(inspector.GetCell(1, 11), QStringLiteral("12"));
        QCOMPARE(inspector.GetCell(1, 12), QStringLiteral("[...]"));
        QCOMPARE(inspector.GetCell(1, 14), QStringLiteral("[0,000]"));
        QCOMPARE(inspector.GetCell(1, 15), QStringLiteral("[0,000]"));
        QCOMPARE(inspector.GetCell(1, 16), QStringLiteral("200"));
        QCOMPARE(inspector.GetCell(1, 19), QStringLiteral("6000"));
        QCOMPARE(inspector.GetCell(1, 21), QStringLiteral("[6 000,0]"));
        // Fixed decimals: three per capacity, one for the level.
        QVERIFY(inspector.GetCell(1, 17).contains(QRegularExpression(QStringLiteral("^\\d+,\\d{3}$"))));
        QVERIFY(inspector.GetCell(1, 18).contains(
            QRegularExpression(QStringLiteral("^\\[(\\d+,\\d{3}, ){7}\\d+,\\d{3}\\]$"))));
        QVERIFY(
            inspector.GetCell(1, 20).contains(QRegularExpression(QStringLiteral("^\\[\\d+,\\d{3} при h = 500,0\\]$"))));
        // Nothing was changed by looking.
        QVERIFY(!program->Context().Tank().Modified());
    }

    void listsUseTheGeneralForm()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        tank.SetSheetThicknesses({6, 6, 5, 5, 4, 4, 4, 4.5});
        program->Rows().RefreshInspectorValues();
        QCOMPARE(program->Inspector().GetCell(1, 5), QStringLiteral("[6, 6, 5, 5, 4, 4, 4, 4,5]"));
    }

    void editorKindFollowsTheRow()
    {
        test::StartedProgram program;
        program.Show();
        TankInspector& inspector = program->Inspector();
        const QList<int> dialogRows = {3, 5, 7, 12, 13, 14, 15, 18, 20, 21};
        for (int row = 1; row <= 21; ++row) {
            QVERIFY(inspector.SelectRow(row));
            QCOMPARE(inspector.InPlaceEditPlaced(), !dialogRows.contains(row));
            if (dialogRows.contains(row))
                QCOMPARE(inspector.DialogPanelText(), inspector.GetCell(1, row));
            else
                QCOMPARE(inspector.InsEdit()->text(), inspector.GetCell(1, row));
        }
    }

    void theRowTableIsInTheInspectorsOrder()
    {
        // Each row's descriptor sits at its own number, a dialog row opens a
        // dialog and takes nothing typed, an in-place row opens nothing.
        for (int row = 1; row <= TankInspectorRows::kRowCount; ++row) {
            const TankRowDescriptor* d = TankInspectorRows::Describe(row);
            QVERIFY(d);
            QCOMPARE(static_cast<int>(d->row), row);
            if (d->editor == RowEditor::Dialog) {
                QVERIFY(d->openDialog);
                QVERIFY(!d->applyText);
            } else {
                QVERIFY(!d->openDialog);
                QCOMPARE(d->applyText == nullptr, row == static_cast<int>(TankRow::DeadCavityCapacity));
            }
        }
        QVERIFY(!TankInspectorRows::Describe(0));
        QVERIFY(!TankInspectorRows::Describe(22));
        QCOMPARE(TankInspectorRows::Caption(22), QString());
    }

    void everyTypedRowReachesItsOwnField()
    {
        test::StartedProgram program;
        program.Show();
        TankInspector& inspector = program->Inspector();
        const TSteelVertCylTank& tank = program->Context().Tank();
        struct Typed
        {
            int row;
            QString text;
            std::function<double()> field;
            double expected;
        };
        // Each value differs from every default and from every other row's, so
        // a row applied to another row's setter fails here.
        const std::vector<Typed> rows = {
            {1, QStringLiteral("РВС-700 №3"), [&] { return tank.Name() == "РВС-700 №3" ? 1.0 : 0.0; }, 1},
            {2, QStringLiteral("700"), [&] { return double(tank.DesignCapacity()); }, 700},
            {4, QStringLiteral("9"), [&] { return double(tank.GirdleCount()); }, 9},
            {6, QStringLiteral("1,5"), [&] { return tank.PaintThickness(); }, 1.5},
            {8, QStringLiteral("2345"), [&] { return tank.CalibrationFillHeight(); }, 2345},
            {9, QStringLiteral("1001"), [&] { return tank.CalibrationDensity(); }, 1001},
            {10, QStringLiteral("870"), [&] { return tank.StoredDensity(); }, 870},
            {11, QStringLiteral("14"), [&] { return double(tank.GeneratrixCount()); }, 14},
            {16, QStringLiteral("250"), [&] { return tank.DeadCavityHeight(); }, 250},
            // The design fill height lies in the top girdle, now the new 1 mm one.
            {19, QStringLiteral("6400,5"), [&] { return tank.DesignFillHeight(); }, 6400.5},
        };
        for (std::size_t done = 0; done < rows.size(); ++done) {
            Commit(inspector, rows[done].row, rows[done].text);
            for (std::size_t earlier = 0; earlier <= done; ++earlier)
                QVERIFY2(rows[earlier].field() == rows[earlier].expected,
                         qPrintable(
                             QStringLiteral("row %1 after typing row %2").arg(rows[earlier].row).arg(rows[done].row)));
        }
        QVERIFY(tank.Modified());
    }

    void settersLimitWhatIsTyped()
    {
        test::StartedProgram program;
        program.Show();
        TankInspector& inspector = program->Inspector();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());

        Commit(inspector, 4, QStringLiteral("2"));
        QCOMPARE(inspector.InsEdit()->text(), QStringLiteral("3"));
        QCOMPARE(inspector.GetCell(1, 5), QStringLiteral("[6, 6, 6]"));
        Commit(inspector, 11, QStringLiteral("40"));
        QCOMPARE(inspector.InsEdit()->text(), QStringLiteral("36"));
        QCOMPARE(tank.ProtocolSheetCount(), 8);

        // Row 17 looks editable, but a commit only shows the computed capacity again.
        const QString capacity = inspector.GetCell(1, 17);
        tank.SetModified(false);
        Commit(inspector, 17, QStringLiteral("123"));
        QCOMPARE(inspector.InsEdit()->text(), capacity);
        QVERIFY(!tank.Modified());
    }

    void loweringTheDesignFillHeightMovesTheLevel()
    {
        test::StartedProgram program;
        program.Show();
        TankInspector& inspector = program->Inspector();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        tank.SetGivenLevel(6000);
        Commit(inspector, 19, QStringLiteral("5700"));
        QCOMPARE(tank.DesignFillHeight(), 5700.0);
        QCOMPARE(tank.GivenLevel(), 5700.0);
        QVERIFY(inspector.GetCell(1, 20).endsWith(QStringLiteral(" при h = 5 700,0]")));
    }

    void everyChangeBringsThePlumbMeansUpToDate()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        // Girdle 2's deviation is taken against girdle 1's mean at the time it was
        // set; a later change of girdle 1 leaves it stale until the change ends.
        program->Context().editing.Change(QStringLiteral("Расстояние от стенки до нити отвеса"), [&tank] {
            for (int row = 2; row <= 4; ++row)
                for (int g = 1; g <= tank.GeneratrixCount(); ++g)
                    tank.SetPlumbDistance(row, g, 30);
            for (int g = 1; g <= tank.GeneratrixCount(); ++g)
                tank.SetPlumbDistance(1, g, 10);
        });
        // Girdle 1's mean is 10, girdle 2's 30.
        QCOMPARE(tank.MeanRadialDeviation(2), 20.0);
        QCOMPARE(program->Inspector().GetCell(1, 12), QStringLiteral("[...]"));
    }

    void movingThroughARowNeverNudgesItsValue()
    {
        test::StartedProgram program;
        program.Show();
        TankInspector& inspector = program->Inspector();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        // A value with more digits than the 15 the text shows, as a file may hold.
        const double paint = 0.1 + 0.2;
        tank.SetPaintThickness(paint);
        tank.SetModified(false);
        program->Rows().RefreshInspectorValues();
        QVERIFY(inspector.SelectRow(6));
        QCOMPARE(inspector.InsEdit()->text(), QStringLiteral("0,3"));
        test::PressKey(inspector.InsEdit(), Qt::Key_Return);
        QVERIFY(inspector.SelectRow(7));
        QCOMPARE(tank.PaintThickness(), paint);
        QVERIFY(!tank.Modified());
    }
};

VELOQUIN_APP_TEST(TankInspectorRowsTest)
#include "TankInspectorRowsTest.moc"
