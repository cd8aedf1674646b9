// A whole sample tank typed in from its field notes as a metrologist would:
// from a new tank, the scalar rows typed into the inspector, every measurement
// block typed or pasted as tab-separated text into its dialog, every internal
// detail added through its add dialog, then Save. The calibration table of the
// saved file must equal the sample's independently computed table exactly.

#include "AppContext.h"
#include "AppTestSupport.h"
#include "CalibrationText.h"
#include "ClipboardAdaptor.h"
#include "FileDialog.h"
#include "MainWindow.h"
#include "TankInspectorRows.h"
#include "StringGrid.h"
#include "TankFile.h"
#include "TankInspector.h"

#include <QAction>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace veloquin;

namespace {

QString SamplePath(const QString& name, const char* suffix)
{
    return QStringLiteral(VELOQUIN_SAMPLES_DIR "/") + name + QLatin1String(suffix);
}

// A reading as written in the notes: shortest digits, comma separator.
QString Note(double value)
{
    return QString::number(value, 'g', 15).replace(QLatin1Char('.'), QLatin1Char(','));
}

QString Note(const QJsonValue& value)
{
    return Note(value.toDouble());
}

// Rows of cells as a spreadsheet puts them on the clipboard: TAB between cells, LF after each row.
QString SpreadsheetText(const QList<QStringList>& rows)
{
    QString text;
    for (const QStringList& row : rows)
        text += row.join(QLatin1Char('\t')) + QLatin1Char('\n');
    return text;
}

void Retype(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    test::TypeText(edit, text);
}

// Types one value into a row of the inspector and confirms it with Enter.
void TypeRow(TankInspector& inspector, TankRow row, const QString& text)
{
    QVERIFY(inspector.SelectRow(static_cast<int>(row)));
    QLineEdit* edit = inspector.InsEdit();
    QVERIFY(edit->isVisible());
    edit->selectAll();
    test::TypeText(edit, text);
    test::PressKey(edit, Qt::Key_Return);
}

void Paste(StringGrid& grid, int col, int row, const QString& text)
{
    ScopedTestClipboard clipboard(text);
    grid.setFocus();
    grid.FocusCell(col, row);
    test::PressGridKey(grid, Qt::Key_V, Qt::ControlModifier);
}

void Click(QWidget& window, const char* button)
{
    test::Find<QPushButton>(window, button)->click();
}

// Every step that a dialog took, so that a dialog that never came up is named.
struct Steps
{
    QStringList missed;
    void Open(test::StartedProgram& program, TankRow row, const char* what, const std::function<void(QWidget&)>& act)
    {
        if (!test::OpenRowDialog(program, static_cast<int>(row), act))
            missed.append(QString::fromLatin1(what));
    }
};

} // namespace

class TypedSampleTankTest : public QObject
{
    Q_OBJECT

private slots:
    void typedInSampleGivesItsTable_data()
    {
        QTest::addColumn<QString>("sample");
        // Five girdles with typed corrections and one cylinder; the table's
        // corrections; arbitrary details; twelve girdles; 24 generatrices.
        for (const char* name :
             {"sample_rvs400", "sample_rvs1000", "sample_rvs2000_staff", "sample_rvs5000_tall", "sample_rvs10000"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void typedInSampleGivesItsTable()
    {
        QFETCH(QString, sample);
        QFile notesFile(SamplePath(sample, ".json"));
        QVERIFY(notesFile.open(QIODevice::ReadOnly));
        const QJsonObject notes = QJsonDocument::fromJson(notesFile.readAll()).object();
        QVERIFY(!notes.isEmpty());
        const int girdles = notes[QLatin1String("GirdleCount")].toInt();
        const int generatrices = notes[QLatin1String("GeneratrixCount")].toInt();
        const auto list = [&notes](const char* key) { return notes[QLatin1String(key)].toArray(); };

        test::StartedProgram program;
        program.Show();
        TankInspector& inspector = program->Inspector();
        QVERIFY(test::Activate(inspector));
        Steps steps;

        // The tank and its counts first: the grids are laid out by them.
        TypeRow(inspector, TankRow::Name, notes[QLatin1String("Name")].toString());
        TypeRow(inspector, TankRow::DesignCapacity, QString::number(notes[QLatin1String("DesignCapacity")].toInt()));
        TypeRow(inspector, TankRow::GirdleCount, QString::number(girdles));
        TypeRow(inspector, TankRow::GeneratrixCount, QString::number(generatrices));

        // The circumference of girdle 1 with the corrections for the weld seams.
        const int corrections = notes[QLatin1String("WeldCorrectionCount")].toInt();
        steps.Open(program, TankRow::ExtCircumference, "circumference", [&](QWidget& dialog) {
            Retype(test::Find<QLineEdit>(dialog, "edMeas1"), Note(notes[QLatin1String("ExtCircumferenceMeasured1")]));
            Retype(test::Find<QLineEdit>(dialog, "edMeas2"), Note(notes[QLatin1String("ExtCircumferenceMeasured2")]));
            if (corrections < 0) {
                test::Find<QRadioButton>(dialog, "rbTableCorr")->click();
            } else {
                test::Find<QRadioButton>(dialog, "rbMeasuredCorr")->click();
                auto* grid = test::Find<StringGrid>(dialog, "StringGridCorr");
                grid->setFocus();
                for (int i = 1; i <= corrections; ++i) {
                    grid->FocusCell(0, i);
                    test::TypeIntoGrid(*grid, Note(list("WeldCorrection")[i - 1]));
                }
            }
            Click(dialog, "btnOk");
        });

        steps.Open(program, TankRow::SheetThicknesses, "thicknesses", [&](QWidget& dialog) {
            auto* grid = test::Find<StringGrid>(dialog, "sgThicknessSheets");
            for (int n = 1; n <= girdles; ++n) {
                grid->FocusCell(1, n - 1);
                test::TypeIntoGrid(*grid, Note(list("SheetThickness")[n - 1]));
            }
            Click(dialog, "OKBtn");
        });
        TypeRow(inspector, TankRow::PaintThickness, Note(notes[QLatin1String("PaintThickness")]));

        // Heights and overlaps pasted from a spreadsheet, one row per girdle.
        QList<QStringList> heights;
        for (int n = 0; n < girdles; ++n)
            heights.append(
                {Note(list("GirdleHeightOuter")[n]), Note(list("OverlapBottom")[n]), Note(list("OverlapTop")[n])});
        steps.Open(program, TankRow::GirdleHeights, "heights", [&](QWidget& dialog) {
            Paste(*test::Find<StringGrid>(dialog, "sgHeightsGir"), 1, 1, SpreadsheetText(heights));
            Click(dialog, "btnOk");
        });

        TypeRow(inspector, TankRow::CalibrationFillHeight, Note(notes[QLatin1String("CalibrationFillHeight")]));
        TypeRow(inspector, TankRow::CalibrationDensity, Note(notes[QLatin1String("CalibrationDensity")]));
        TypeRow(inspector, TankRow::StoredDensity, Note(notes[QLatin1String("StoredDensity")]));

        // The plumb-line readings, one row per measuring point.
        QList<QStringList> plumb;
        for (const QJsonValue& point : list("PlumbDistance")) {
            QStringList cells;
            for (const QJsonValue& reading : point.toArray())
                cells.append(Note(reading));
            plumb.append(cells);
        }
        QCOMPARE(plumb.size(), 3 * girdles - 3);
        steps.Open(program, TankRow::PlumbDistances, "plumb", [&](QWidget& dialog) {
            Paste(*test::Find<StringGrid>(dialog, "sgWall_Plumb"), 1, 1, SpreadsheetText(plumb));
            Click(dialog, "btnOk");
        });

        // Every internal detail through its own add dialog.
        steps.Open(program, TankRow::InternalDetails, "details", [&](QWidget& details) {
            for (const QJsonValue& value : list("Details")) {
                const QJsonObject detail = value.toObject();
                const bool arbitrary = detail[QLatin1String("DetailIsArbitrary")].toBool();
                test::RunWhileModal([&] { Click(details, arbitrary ? "bbAddAny" : "bbAddCyl"); },
                                    [&](QWidget& add) {
                                        const auto type = [&](const char* box, const char* key) {
                                            Retype(test::Find<QLineEdit>(add, box), Note(detail[QLatin1String(key)]));
                                        };
                                        if (arbitrary) {
                                            type("edVolume", "DetailVolume");
                                        } else {
                                            type("edDiameter", "DetailDiameter");
                                            type("edLength", "DetailLength");
                                        }
                                        type("edBottom", "DetailBottom");
                                        type("edTop", "DetailTop");
                                        Click(add, "OKBtn");
                                    });
            }
            Click(details, "OKBtn");
        });

        // The bottom: a radius per row, a circle per column.
        const QJsonArray circles = list("BottomReadings");
        QList<QStringList> bottom;
        for (int r = 0; r < 8; ++r) {
            QStringList cells;
            for (int c = 0; c < 8; ++c)
                cells.append(Note(circles[c].toArray()[r]));
            bottom.append(cells);
        }
        steps.Open(program, TankRow::BottomCorrection, "bottom", [&](QWidget& dialog) {
            Paste(*test::Find<StringGrid>(dialog, "sgBottomProminence"), 1, 1, SpreadsheetText(bottom));
            auto* center = test::Find<QLineEdit>(dialog, "edBottomCenter");
            Retype(center, Note(notes[QLatin1String("BottomCenter")]));
            test::PressKey(center, Qt::Key_Return);
            auto* point = test::Find<QLineEdit>(dialog, "edPointPlumb");
            Retype(point, Note(notes[QLatin1String("PointPlumb")]));
            test::PressKey(point, Qt::Key_Return);
            Click(dialog, "btnOk");
        });

        // Heights above the bottom once the girdles and the bottom are in.
        TypeRow(inspector, TankRow::DeadCavityHeight, Note(notes[QLatin1String("DeadCavityHeight")]));
        TypeRow(inspector, TankRow::DesignFillHeight, Note(notes[QLatin1String("DesignFillHeight")]));
        const double touchPoint = notes[QLatin1String("TouchPointHeight")].toDouble();
        steps.Open(program, TankRow::VolumeAtLevel, "level", [&](QWidget& dialog) {
            auto* depth = test::Find<QLineEdit>(dialog, "edDepth");
            Retype(depth, Note(notes[QLatin1String("GivenLevel")].toDouble() - touchPoint));
            test::PressKey(depth, Qt::Key_Return);
            Click(dialog, "btnOk");
        });
        steps.Open(program, TankRow::BaseHeight, "base height", [&](QWidget& dialog) {
            Retype(test::Find<QLineEdit>(dialog, "edBaseHeight_1"), Note(notes[QLatin1String("BaseHeightMeas1")]));
            Retype(test::Find<QLineEdit>(dialog, "edBaseHeight_2"), Note(notes[QLatin1String("BaseHeightMeas2")]));
            Click(dialog, "btnOk");
        });
        QVERIFY2(steps.missed.isEmpty(), qPrintable(steps.missed.join(QStringLiteral(", "))));
        QCOMPARE(test::ShownMessages(), QStringList());

        // Save: a tank never saved asks for its name.
        const QString path = program.PathIn(sample + QStringLiteral("-typed.vlq"));
        FileDialog::QueueChoice(path);
        program->MainForm().Action("acSave")->trigger();
        QCOMPARE(test::ShownMessages(), QStringList());
        QVERIFY(!program->Context().Tank().Modified());

        LoadedTank saved = LoadTankFile(path.toStdString());
        QCOMPARE(QString::fromStdString(saved.tank.Name()), notes[QLatin1String("Name")].toString());
        QCOMPARE(saved.tank.DetailCount(), list("Details").size());
        QCOMPARE(saved.tank.WeldCorrectionCount(), corrections);
        QCOMPARE(saved.tank.BaseHeight(), notes[QLatin1String("BaseHeight")].toDouble());
        for (int n = 1; n <= girdles; ++n)
            QCOMPARE(saved.tank.IntCircumference(n), list("IntCircumference")[n - 1].toDouble());

        std::string table;
        for (const std::string& line : CalibrationTableLines(saved.tank))
            table += line + "\n";
        QFile expected(SamplePath(sample, ".table.comma.txt"));
        QVERIFY(expected.open(QIODevice::ReadOnly));
        const QStringList expectedLines = QString::fromUtf8(expected.readAll()).split(QLatin1Char('\n'));
        const QStringList lines = QString::fromStdString(table).split(QLatin1Char('\n'));
        for (int i = 0; i < std::min(lines.size(), expectedLines.size()); ++i)
            if (lines[i] != expectedLines[i])
                QCOMPARE(QString::number(i + 1) + QStringLiteral(": ") + lines[i],
                         QString::number(i + 1) + QStringLiteral(": ") + expectedLines[i]);
        QCOMPARE(lines.size(), expectedLines.size());
    }
};

VELOQUIN_APP_TEST(TypedSampleTankTest)
#include "TypedSampleTankTest.moc"
