// Where a run of keystrokes that makes one undo step ends: at another field, at
// the dialog shown again, and at a field typed back to what it held (no step at
// all). Each step undoes to the tank's file image as it was before it, byte for
// byte.
#include "AppContext.h"
#include "AppTestSupport.h"
#include "DocumentSet.h"
#include "SheetOptionsDialog.h"
#include "editing/TankEditing.h"

#include <QLineEdit>
#include <QTest>

using namespace veloquin;

namespace {

struct Fixture
{
    test::StartedProgram program;
    AppContext& context;
    SheetOptionsDialog& dialog;

    Fixture() : context(program->Context()), dialog(program->SheetOptions())
    {
        context.documents = {DocKind::Calibration, 1, PageCountOf(context.Tank(), DocKind::Calibration)};
        dialog.LoadPageOptions();
    }

    QLineEdit* Field(const char* name) { return dialog.findChild<QLineEdit*>(QLatin1String(name)); }
    void Type(const char* field, const QString& text)
    {
        QLineEdit* edit = Field(field);
        edit->end(false);
        test::TypeText(edit, text);
    }
    std::string Image() { return context.editing.Image(context.Tank()); }
    int Steps() { return context.editing.Stack().count(); }
    void Undo() { context.editing.Undo(); }
    void ShowAgain()
    {
        dialog.show();
        dialog.hide();
        dialog.show();
    }
};

} // namespace

class UndoMergeTest : public QObject
{
    Q_OBJECT

private slots:
    void typingInAnotherFieldStartsANewStep()
    {
        Fixture f;
        const std::string start = f.Image();
        f.Type("edOrg1", QStringLiteral("АБ"));
        const std::string firstRun = f.Image();
        f.Type("edOrg2", QStringLiteral("В"));
        const std::string secondRun = f.Image();
        f.Type("edOrg1", QStringLiteral("Г"));
        QCOMPARE(f.Steps(), 3);
        f.Undo();
        QVERIFY(f.Image() == secondRun);
        f.Undo();
        QVERIFY(f.Image() == firstRun);
        f.Undo();
        QVERIFY(f.Image() == start);
    }

    void typingAfterTheDialogWasShownAgainStartsANewStep()
    {
        Fixture f;
        f.ShowAgain();
        const std::string start = f.Image();
        f.Type("edOrg1", QStringLiteral("ООО"));
        const std::string firstRun = f.Image();
        f.ShowAgain();
        f.Type("edOrg1", QStringLiteral("Н"));
        QCOMPARE(f.Steps(), 2);
        f.Undo();
        QVERIFY(f.Image() == firstRun);
        f.Undo();
        QVERIFY(f.Image() == start);
    }

    void aFieldTypedBackToItsStartIsNoStep()
    {
        Fixture f;
        f.Type("edOrg2", QStringLiteral("Я"));
        QCOMPARE(f.Steps(), 1);
        QVERIFY(f.context.Tank().Modified());
        const std::string before = f.Image();
        const QString undoText = f.context.editing.Stack().undoText();

        // A character typed and taken back: the run has nothing to undo, so it is gone.
        f.Type("edOrg1", QStringLiteral("Ж"));
        QCOMPARE(f.Steps(), 2);
        test::PressKey(f.Field("edOrg1"), Qt::Key_Backspace);
        QCOMPARE(f.Steps(), 1);
        QVERIFY(f.Image() == before);
        QCOMPARE(f.context.editing.Stack().undoText(), undoText);
        QVERIFY(f.context.Tank().Modified());

        // From the saved state, typed back: not modified.
        f.context.editing.MarkSaved();
        f.Type("edOrg1", QStringLiteral("Ж"));
        QVERIFY(f.context.Tank().Modified());
        test::PressKey(f.Field("edOrg1"), Qt::Key_Backspace);
        QVERIFY(!f.context.Tank().Modified());
        QVERIFY(f.Image() == before);
    }

    // The run typed back is gone, and with it the run: the next keystroke is a
    // step of its own, not one more of the step below it, even in the same field.
    void afterARunTypedBackTheNextKeystrokeIsAStepOfItsOwn()
    {
        Fixture f;
        f.ShowAgain();
        const std::string start = f.Image();
        f.Type("edOrg1", QStringLiteral("А"));
        const std::string firstRun = f.Image();
        f.ShowAgain();
        f.Type("edOrg1", QStringLiteral("Б"));
        test::PressKey(f.Field("edOrg1"), Qt::Key_Backspace);
        QCOMPARE(f.Steps(), 1);
        f.Type("edOrg1", QStringLiteral("В"));
        QCOMPARE(f.Steps(), 2);
        f.Undo();
        QVERIFY(f.Image() == firstRun);
        f.Undo();
        QVERIFY(f.Image() == start);
    }
};

VELOQUIN_APP_TEST(UndoMergeTest)
#include "UndoMergeTest.moc"
