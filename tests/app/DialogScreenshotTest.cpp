// Pictures of the measurement grids and dialogs for a person to look at
// (written under the build directory's shots/), with the layout facts that keep
// them whole: every control inside the client area, header texts that fit their
// columns, the tool bar's buttons inside the bar.

#include "AppContext.h"
#include "AppTestSupport.h"
#include "GridClipboardText.h"
#include "GFunc.h"
#include "GridClipboardActions.h"
#include "TankInspectorRows.h"
#include "StringGrid.h"
#include "TankClasses.h"
#include "TankInspector.h"

#include <QAbstractButton>
#include <QDialog>
#include <QDir>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

using namespace veloquin;

namespace {

void Save(QWidget& widget, const QString& name)
{
    QDir().mkpath(QStringLiteral(VELOQUIN_SHOTS_DIR));
    const QString path = QStringLiteral(VELOQUIN_SHOTS_DIR "/") + name + QStringLiteral(".png");
    QVERIFY(widget.grab().save(path));
}

void SaveZoomed(QWidget& widget, const QRect& part, const QString& name)
{
    const QImage image = widget.grab(part).toImage();
    const QString path = QStringLiteral(VELOQUIN_SHOTS_DIR "/") + name + QStringLiteral("-zoom.png");
    QVERIFY(image.scaled(image.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation).save(path));
}

// What a person would see wrong in a dialog: a control reaching out of the
// client area, a label or button whose text does not fit, a grid cell whose
// text is cut off. Empty when all is whole.
QStringList LayoutFaults(const QWidget& dialog)
{
    QStringList faults;
    const QRect client = dialog.rect();
    for (const QWidget* child : dialog.findChildren<QWidget*>()) {
        if (child->parentWidget() != &dialog || child->isHidden())
            continue;
        if (!client.contains(child->geometry()))
            faults.append(QStringLiteral("outside: ") + child->objectName());
    }
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (!label->wordWrap() && label->fontMetrics().horizontalAdvance(label->text()) > label->width())
            faults.append(QStringLiteral("label cut: ") + label->text());
    }
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        if (qobject_cast<const QToolButton*>(button))
            continue;
        if (button->fontMetrics().horizontalAdvance(button->text()) + 8 > button->width())
            faults.append(QStringLiteral("button cut: ") + button->text());
    }
    for (const StringGrid* grid : dialog.findChildren<StringGrid*>()) {
        const QFontMetrics metrics(grid->font());
        for (int row = 0; row < grid->RowCount(); ++row)
            for (int col = 0; col < grid->ColCount(); ++col)
                if (metrics.horizontalAdvance(grid->Cells(col, row)) + 2 > grid->ColWidth(col))
                    faults.append(QStringLiteral("cell cut: ") + grid->Cells(col, row));
    }
    return faults;
}

struct DialogShot
{
    QPixmap picture;
    QStringList faults;
};

DialogShot ShootRowDialog(test::StartedProgram& program, TankRow row, const std::function<void(QWidget&)>& prepare)
{
    DialogShot shot;
    TankInspector& inspector = program->Inspector();
    inspector.SelectRow(static_cast<int>(row));
    test::RunWhileModal([&inspector] { inspector.DialogButton()->click(); },
                        [&shot, &prepare](QWidget& dialog) {
                            if (prepare)
                                prepare(dialog);
                            QTest::qWait(20);
                            shot.picture = dialog.grab();
                            shot.faults = LayoutFaults(dialog);
                        });
    return shot;
}

void SaveShot(const DialogShot& shot, const QString& name)
{
    QDir().mkpath(QStringLiteral(VELOQUIN_SHOTS_DIR));
    QVERIFY(!shot.picture.isNull());
    QVERIFY(shot.picture.save(QStringLiteral(VELOQUIN_SHOTS_DIR "/") + name + QStringLiteral(".png")));
    QVERIFY2(shot.faults.isEmpty(), qPrintable(shot.faults.join(QStringLiteral("; "))));
}

} // namespace

class DialogScreenshotTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { SetDecimalSeparator(','); }

    void gridWithItsToolBar()
    {
        QDialog dialog;
        dialog.resize(360, 200);
        const GridClipboardActions actions = CreateGridClipboardActions(&dialog);
        StringGrid* grid = StringGrid::InLoweredPanel(&dialog, QRect(8, 33, 344, 159), QStringLiteral("sgShot"));
        grid->SetColCount(4);
        grid->SetRowCount(12);
        grid->SetOptions(GridEditSet());
        grid->SetCell(1, 0, QStringLiteral(" H нар."));
        grid->SetCell(2, 0, QStringLiteral(" ± Низ"));
        grid->SetCell(3, 0, QStringLiteral(" ± Верх"));
        for (int row = 1; row < 12; ++row) {
            grid->SetCell(0, row, QStringLiteral(" ") + QString::number(row));
            grid->SetCell(1, row, QStringLiteral("1490,5"));
            grid->SetCell(2, row, row % 2 ? QStringLiteral("+3") : QStringLiteral("-2"));
            grid->SetCell(3, row, QStringLiteral("0"));
        }
        QVERIFY(actions.toolBar->geometry().bottom() < grid->Panel()->y());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        grid->setFocus();
        grid->SetOptions(GridBrowseSet());
        grid->FocusCell(1, 2);
        grid->SetSelection(GridCoord{2, 4}, GridCoord{1, 2});
        QTest::qWait(20);
        Save(dialog, QStringLiteral("grid-browse-selection"));
        SaveZoomed(dialog, QRect(0, 0, 140, 80), QStringLiteral("grid-toolbar"));

        grid->SetOptions(GridEditSet());
        grid->FocusCell(2, 3);
        test::TypeIntoGrid(*grid, QStringLiteral("-2,5"));
        QTest::qWait(20);
        Save(dialog, QStringLiteral("grid-editing"));
        SaveZoomed(dialog, QRect(0, 30, 200, 100), QStringLiteral("grid-editing"));
    }

    void girdleDialogs()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        tank.SetGirdleCount(12);
        tank.SetDesignCapacity(20000);
        for (int n = 1; n <= 12; ++n) {
            tank.SetGirdleHeightOuter(n, 1490.5);
            tank.SetOverlapBottom(n, n == 1 ? 0 : -25);
            tank.SetOverlapTop(n, n % 3 == 0 ? 3 : 0);
            tank.UpdateGirdleHeight(n);
        }
        tank.SetExtCircumferenceMeasurements(142460.5, 142462);
        program->Rows().RefreshInspectorValues();

        SaveShot(ShootRowDialog(program, TankRow::ExtCircumference, nullptr),
                 QStringLiteral("dialog-ext-circumference"));
        SaveShot(ShootRowDialog(program, TankRow::ExtCircumference,
                                [](QWidget& dialog) {
                                    dialog.findChild<QAbstractButton*>(QStringLiteral("rbMeasuredCorr"))->click();
                                    auto* grid = dialog.findChild<StringGrid*>(QStringLiteral("StringGridCorr"));
                                    grid->SetCell(0, 1, QStringLiteral("4,5"));
                                    grid->SetCell(0, 2, QStringLiteral("3"));
                                    grid->setFocus();
                                    grid->FocusCell(0, 2);
                                }),
                 QStringLiteral("dialog-ext-circumference-manual"));
        SaveShot(ShootRowDialog(program, TankRow::SheetThicknesses, nullptr),
                 QStringLiteral("dialog-sheet-thicknesses"));
        SaveShot(ShootRowDialog(program, TankRow::GirdleHeights,
                                [](QWidget& dialog) {
                                    auto* grid = dialog.findChild<StringGrid*>(QStringLiteral("sgHeightsGir"));
                                    grid->FocusCell(2, 3);
                                    test::TypeIntoGrid(*grid, QStringLiteral("-2"));
                                }),
                 QStringLiteral("dialog-girdle-heights"));
        SaveShot(ShootRowDialog(program, TankRow::IntCircumferences, nullptr),
                 QStringLiteral("dialog-internal-circumferences"));
    }
    void readingsAndResultDialogs()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        // A 10 000 m3 tank: twelve girdles, eighteen generatrices, readings of every size.
        tank.SetGirdleCount(12);
        tank.SetGeneratrixCount(18);
        tank.SetExtCircumferenceMeasurements(107342.5, 107344);
        for (int n = 1; n <= 12; ++n) {
            tank.SetGirdleHeightOuter(n, 1490.5);
            tank.UpdateGirdleHeight(n);
        }
        for (int row = 1; row <= tank.PlumbRowCount(); ++row)
            for (int g = 1; g <= 18; ++g)
                tank.SetPlumbDistance(row, g, 100 + (row * 7 + g * 3) % 40 + (g % 2 ? 0.5 : 0));
        for (int c = 1; c <= 8; ++c)
            for (int r = 1; r <= 8; ++r)
                tank.SetBottomReading(c, r, 20 + 3.5 * c + (r % 3));
        tank.SetBottomCenter(12.5);
        tank.SetPointPlumb(26);
        tank.AddCylindricalDetail(1318.5, 1648.5, 219, 3200);
        tank.AddArbitraryDetail(1.25, 200, 14500.5);
        tank.AddCylindricalDetail(16000, 16150, 1020, 12000);
        tank.SetDesignFillHeight(17500);
        tank.SetBaseHeightMeas1(18120.5);
        tank.SetBaseHeightMeas2(18121);
        tank.UpdateBaseHeight();
        tank.SetGivenLevel(12005);
        program->Rows().RefreshInspectorValues();

        SaveShot(ShootRowDialog(program, TankRow::PlumbDistances,
                                [](QWidget& dialog) {
                                    auto* grid = dialog.findChild<StringGrid*>(QStringLiteral("sgWall_Plumb"));
                                    grid->FocusCell(3, 4);
                                    test::TypeIntoGrid(*grid, QStringLiteral("101,5"));
                                }),
                 QStringLiteral("dialog-plumb-distances"));
        SaveShot(ShootRowDialog(program, TankRow::GirdleCapacities, nullptr),
                 QStringLiteral("dialog-girdle-capacities"));
        // A level that is no number is refused in the dialog's own line.
        SaveShot(ShootRowDialog(program, TankRow::VolumeAtLevel,
                                [](QWidget& dialog) {
                                    auto* depth = test::Find<QLineEdit>(dialog, "edDepth");
                                    depth->setText(QStringLiteral("l000"));
                                    test::PressKey(depth, Qt::Key_Return);
                                }),
                 QStringLiteral("dialog-volume-at-level"));
        SaveShot(ShootRowDialog(program, TankRow::BaseHeight, nullptr), QStringLiteral("dialog-base-height"));
        SaveShot(ShootRowDialog(program, TankRow::BottomCorrection,
                                [](QWidget& dialog) {
                                    auto* grid = dialog.findChild<StringGrid*>(QStringLiteral("sgBottomProminence"));
                                    grid->FocusCell(2, 4);
                                    test::TypeIntoGrid(*grid, QStringLiteral("2O,5"));
                                    test::PressGridKey(*grid, Qt::Key_Up);
                                    QTRY_VERIFY(!test::Find<QLabel>(dialog, "stNotTaken")->text().isEmpty());
                                }),
                 QStringLiteral("dialog-bottom-readings"));

        // The details list, its header whole, and both add dialogs over it.
        DialogShot cylinder, arbitrary;
        QStringList headerFaults;
        SaveShot(ShootRowDialog(program, TankRow::InternalDetails,
                                [&](QWidget& dialog) {
                                    auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("ListViewIntDetails"));
                                    const QFontMetrics metrics(list->header()->font());
                                    for (int col = 0; col < list->columnCount(); ++col) {
                                        const QString text = list->headerItem()->text(col);
                                        if (metrics.horizontalAdvance(text) + 8 > list->header()->sectionSize(col))
                                            headerFaults.append(text);
                                    }
                                    auto shootAdd = [&dialog](const char* button, DialogShot& shot) {
                                        test::RunWhileModal(
                                            [&] { dialog.findChild<QPushButton*>(QLatin1String(button))->click(); },
                                            [&shot](QWidget& add) {
                                                QTest::qWait(20);
                                                shot.picture = add.grab();
                                                shot.faults = LayoutFaults(add);
                                            });
                                    };
                                    shootAdd("bbAddCyl", cylinder);
                                    shootAdd("bbAddAny", arbitrary);
                                }),
                 QStringLiteral("dialog-internal-details"));
        QVERIFY2(headerFaults.isEmpty(), qPrintable(headerFaults.join(QStringLiteral("; "))));
        SaveShot(cylinder, QStringLiteral("dialog-add-cylindrical-detail"));
        SaveShot(arbitrary, QStringLiteral("dialog-add-arbitrary-detail"));
    }
};

VELOQUIN_APP_TEST(DialogScreenshotTest)
#include "DialogScreenshotTest.moc"
