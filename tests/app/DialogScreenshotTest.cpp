// Pictures of the measurement grids and dialogs for a person to look at
// (written under the build directory's shots/), with the layout facts that keep
// them whole: every control inside the client area, header texts that fit their
// columns, the tool bar's buttons inside the bar.

#include "AppTestSupport.h"
#include "ClipbrdUnit.h"
#include "GFunc.h"
#include "GridClipboardActions.h"
#include "StringGrid.h"

#include <QDialog>
#include <QDir>
#include <QFontMetrics>
#include <QTest>

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
        TStringGrid* grid = TStringGrid::InLoweredPanel(&dialog, QRect(8, 33, 344, 159), QStringLiteral("sgShot"));
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
};

QTEST_MAIN(DialogScreenshotTest)
#include "DialogScreenshotTest.moc"
