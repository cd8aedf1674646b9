// The internal details list opened from its inspector row: adding cylindrical
// and arbitrary details through their add dialogs (reused, keeping the texts
// typed last), deleting the selected one, the list's numbers, pictures and
// columns, and the row's total after the dialog closes.

#include "AppContext.h"
#include "AppTestSupport.h"
#include "InternalDetailsDialog.h"
#include "TankInspectorRows.h"
#include "TankClasses.h"
#include "TankInspector.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using namespace veloquin;

namespace {

constexpr int kDetailsRow = static_cast<int>(TankRow::InternalDetails);

void Retype(QWidget& dialog, const char* name, const QString& text)
{
    auto* edit = test::Find<QLineEdit>(dialog, name);
    edit->selectAll();
    if (text.isEmpty())
        test::PressKey(edit, Qt::Key_Delete);
    test::TypeText(edit, text);
}

struct Field
{
    const char* name;
    QString text;
};

// Presses an add button of the details dialog, fills the add dialog's boxes and
// closes it with OK; the texts the boxes held on showing are returned.
QStringList AddDetail(QWidget& details, const char* addButton, const std::vector<Field>& fields,
                      QString* caption = nullptr)
{
    QStringList before;
    test::RunWhileModal([&] { test::Find<QPushButton>(details, addButton)->click(); },
                        [&](QWidget& add) {
                            if (caption)
                                *caption = add.windowTitle();
                            for (const Field& field : fields) {
                                before.append(test::Find<QLineEdit>(add, field.name)->text());
                                Retype(add, field.name, field.text);
                            }
                            test::Find<QPushButton>(add, "OKBtn")->click();
                        });
    return before;
}

void AddCylinder(QWidget& details, const QString& diameter, const QString& length, const QString& bottom,
                 const QString& top)
{
    AddDetail(details, "bbAddCyl",
              {{"edDiameter", diameter}, {"edLength", length}, {"edBottom", bottom}, {"edTop", top}});
}

struct ListSeen
{
    QList<QStringList> rows;
    QList<qint64> icons;
    int selected = -1;
    bool deleteEnabled = false;
};

ListSeen SeeList(QWidget& details)
{
    ListSeen seen;
    auto* list = test::Find<QTreeWidget>(details, "ListViewIntDetails");
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QStringList cells;
        for (int col = 0; col < list->columnCount(); ++col)
            cells.append(list->topLevelItem(i)->text(col));
        seen.rows.append(cells);
        seen.icons.append(list->topLevelItem(i)->icon(0).cacheKey());
    }
    if (QTreeWidgetItem* current = list->currentItem(); current && current->isSelected())
        seen.selected = list->indexOfTopLevelItem(current);
    seen.deleteEnabled = test::Find<QPushButton>(details, "bbDelete")->isEnabled();
    return seen;
}

} // namespace

class InternalDetailsDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void addingAndDeletingDetails()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        tank.SetModified(false);

        QString caption, cylCaption, anyCaption;
        QStringList headers;
        ListSeen empty, oneCylinder, three, afterDelete;
        QStringList keptTexts;
        QVERIFY(test::OpenRowDialog(program, kDetailsRow, [&](QWidget& details) {
            caption = details.windowTitle();
            auto* list = test::Find<QTreeWidget>(details, "ListViewIntDetails");
            for (int col = 0; col < list->columnCount(); ++col)
                headers.append(list->headerItem()->text(col));
            empty = SeeList(details);
            AddDetail(details, "bbAddCyl",
                      {{"edDiameter", QStringLiteral("100")},
                       {"edLength", QStringLiteral("1000")},
                       {"edBottom", QStringLiteral("500")},
                       {"edTop", QStringLiteral("600,5")}},
                      &cylCaption);
            oneCylinder = SeeList(details);
            AddDetail(details, "bbAddAny",
                      {{"edVolume", QStringLiteral("1,2346")},
                       {"edBottom", QStringLiteral("2000")},
                       {"edTop", QStringLiteral("1900")}},
                      &anyCaption);
            // The add dialog is reused: its boxes hold what was typed last.
            keptTexts = AddDetail(details, "bbAddCyl",
                                  {{"edDiameter", QStringLiteral("219")},
                                   {"edLength", QStringLiteral("3200")},
                                   {"edBottom", QStringLiteral("1318,5")},
                                   {"edTop", QStringLiteral("1648,5")}});
            three = SeeList(details);
            // Delete detail 2: the former detail 3 becomes number 2 and is selected.
            auto* list2 = test::Find<QTreeWidget>(details, "ListViewIntDetails");
            list2->setCurrentItem(list2->topLevelItem(1));
            test::Find<QPushButton>(details, "bbDelete")->click();
            afterDelete = SeeList(details);
            test::Find<QPushButton>(details, "OKBtn")->click();
        }));
        QCOMPARE(caption, QStringLiteral("Внутренние детали"));
        QCOMPARE(cylCaption, QStringLiteral("Внутренняя деталь цилиндрической формы"));
        QCOMPARE(anyCaption, QStringLiteral("Внутренняя деталь произвольной формы"));
        QCOMPARE(headers, (QStringList{"Внутренняя деталь", "Объем, м3", "Нижняя граница", "Верхняя граница", "Диаметр",
                                       "Длина"}));
        QVERIFY(empty.rows.isEmpty());
        QVERIFY(!empty.deleteEnabled);

        // pi x 50^2 x 1000 x 1e-9 = 0.00785... m3.
        QCOMPARE(oneCylinder.rows, (QList<QStringList>{{"№1", "0,008", "500", "600,5", "100", "1000"}}));
        QCOMPARE(oneCylinder.icons.first(), DetailKindIcon(false).cacheKey());
        QCOMPARE(oneCylinder.selected, 0);
        QVERIFY(oneCylinder.deleteEnabled);

        QCOMPARE(keptTexts, (QStringList{"100", "1000", "500", "600,5"}));
        QCOMPARE(three.rows.size(), 3);
        // An arbitrary detail: as typed (the top below the bottom too), no diameter or length.
        QCOMPARE(three.rows[1], (QStringList{"№2", "1,235", "2000", "1900", "", ""}));
        QCOMPARE(three.icons[1], DetailKindIcon(true).cacheKey());
        QCOMPARE(three.selected, 2);

        QCOMPARE(afterDelete.rows.size(), 2);
        QCOMPARE(afterDelete.rows[1], (QStringList{"№2", "0,121", "1318,5", "1648,5", "219", "3200"}));
        QCOMPARE(afterDelete.icons[1], DetailKindIcon(false).cacheKey());
        QCOMPARE(afterDelete.selected, 1);

        QCOMPARE(tank.DetailCount(), 2);
        QVERIFY(!tank.DetailIsArbitrary(2));
        QCOMPARE(tank.DetailDiameter(2), 219.0);
        QVERIFY(tank.Modified());
        QCOMPARE(program->Inspector().DialogPanelText(), QStringLiteral("[0,128]"));
        QCOMPARE(program->Inspector().GetCell(1, kDetailsRow), QStringLiteral("[0,128]"));
        QVERIFY(test::ShownMessages().isEmpty());
    }

    void escapeLeavesTheDetailsAsTheyWereAndOkWithoutChangeIsNoChange()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& arranged = test::TankToArrange(program->Context());
        arranged.AddArbitraryDetail(0.5, 100, 200);
        arranged.SetModified(false);
        const TSteelVertCylTank& tank = program->Context().Tank();

        // Added and deleted in the dialog, then Esc: the tank never held either.
        int whileOpen = -1;
        QVERIFY(test::OpenRowDialog(program, kDetailsRow, [&](QWidget& details) {
            AddDetail(details, "bbAddAny",
                      {{"edVolume", QStringLiteral("2")}, {"edBottom", QStringLiteral("300")},
                       {"edTop", QStringLiteral("400")}});
            auto* list = test::Find<QTreeWidget>(details, "ListViewIntDetails");
            list->setCurrentItem(list->topLevelItem(0));
            test::Find<QPushButton>(details, "bbDelete")->click();
            whileOpen = tank.DetailCount();
            test::PressKey(list, Qt::Key_Escape);
        }));
        QCOMPARE(whileOpen, 1);
        QCOMPARE(tank.DetailCount(), 1);
        QCOMPARE(tank.DetailVolume(1), 0.5);
        QVERIFY(!tank.Modified());

        // Shown again, the list is the tank's, not what was abandoned; OK on it changes nothing.
        ListSeen reopened;
        QVERIFY(test::OpenRowDialog(program, kDetailsRow, [&](QWidget& details) {
            reopened = SeeList(details);
            test::Find<QPushButton>(details, "OKBtn")->click();
        }));
        QCOMPARE(reopened.rows, (QList<QStringList>{{"№1", "0,500", "100", "200", "", ""}}));
        QVERIFY(!tank.Modified());
        QVERIFY(!program->Context().editing.Stack().canUndo());
    }

    void aBoxThatIsNotANumberAddsNothing()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        tank.AddArbitraryDetail(0.5, 100, 200);

        ListSeen after;
        bool closedByEscape = false;
        QVERIFY(test::OpenRowDialog(program, kDetailsRow, [&](QWidget& details) {
            AddCylinder(details, QStringLiteral("100"), QString(), QStringLiteral("10"), QStringLiteral("20"));
            AddDetail(details, "bbAddAny",
                      {{"edVolume", QStringLiteral("0,5")},
                       {"edBottom", QStringLiteral("1OO")},
                       {"edTop", QStringLiteral("200")}});
            // Cancel in an add dialog adds nothing either.
            test::RunWhileModal([&] { test::Find<QPushButton>(details, "bbAddAny")->click(); },
                                [](QWidget& add) { test::Find<QPushButton>(add, "CancelBtn")->click(); });
            after = SeeList(details);
            test::PressKey(test::Find<QTreeWidget>(details, "ListViewIntDetails"), Qt::Key_Escape);
            closedByEscape = !details.isVisible();
        }));
        QCOMPARE(test::ShownMessages(),
                 (QStringList{"Значение «» не принято — это не число.", "Значение «1OO» не принято — это не число."}));
        QCOMPARE(after.rows.size(), 1);
        QCOMPARE(tank.DetailCount(), 1);
        QVERIFY(closedByEscape);
        QCOMPARE(program->Inspector().DialogPanelText(), QStringLiteral("[0,500]"));
    }

    void deletingTheLastDetailDisablesDelete()
    {
        test::StartedProgram program;
        program.Show();
        TSteelVertCylTank& tank = test::TankToArrange(program->Context());
        tank.AddCylindricalDetail(0, 100, 100, 1000);

        ListSeen shown, after;
        QVERIFY(test::OpenRowDialog(program, kDetailsRow, [&](QWidget& details) {
            shown = SeeList(details);
            test::Find<QPushButton>(details, "bbDelete")->click();
            after = SeeList(details);
            test::Find<QPushButton>(details, "OKBtn")->click();
        }));
        QCOMPARE(shown.selected, 0);
        QVERIFY(shown.deleteEnabled);
        QVERIFY(after.rows.isEmpty());
        QVERIFY(!after.deleteEnabled);
        QCOMPARE(tank.DetailCount(), 0);
        QCOMPARE(program->Inspector().DialogPanelText(), QStringLiteral("[0,000]"));
    }
};

VELOQUIN_APP_TEST(InternalDetailsDialogTest)
#include "InternalDetailsDialogTest.moc"
