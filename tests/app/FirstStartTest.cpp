// The program as a user meets it at start: both windows placed by their outer
// bounds (so that the inspector's title bar sits just below the main window),
// the bounds kept through the settings file, absurd stored bounds fitted to the
// screen, Qt's own texts in Russian whatever the locale, Ctrl+S in both
// windows, and no tool bar menu of internal names.

#include "AppContext.h"
#include "AppTestSupport.h"
#include "FileDialog.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "Program.h"
#include "Settings.h"
#include "TankFile.h"
#include "TankInspector.h"
#include "WindowBounds.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <functional>
#include <limits>
#include <memory>

using namespace veloquin;

namespace {

// A window manager's frame: borders of 4 px and a title bar of 19.
const QMargins kFrame(4, 23, 4, 4);

OuterBounds::FrameSource FixedFrame(const QMargins& frame)
{
    return [frame](const QWidget&) { return std::optional<QMargins>(frame); };
}

// A program started in a directory whose settings file the test wrote first.
class ProgramWithSettings
{
public:
    ProgramWithSettings()
    {
        MessageBox::SetTestMode(true);
        MessageBox::ClearShown();
        FileDialog::SetTestMode(true);
        FileDialog::ClearShown();
        QDir::setCurrent(m_dir.path());
    }
    ~ProgramWithSettings()
    {
        m_program.reset();
        QDir::setCurrent(QDir::tempPath());
    }
    ProfileFile Settings() const { return ProfileFile(SettingsFilePath(m_dir.path().toStdString())); }
    Program& Start(const QMargins* frame = nullptr)
    {
        m_program = std::make_unique<Program>(m_dir.path().toStdString());
        if (frame) {
            m_program->MainForm().Bounds().SetFrameSource(FixedFrame(*frame));
            m_program->Inspector().Bounds().SetFrameSource(FixedFrame(*frame));
        }
        m_program->MainForm().show();
        [this] {
            QVERIFY(QTest::qWaitForWindowExposed(&m_program->MainForm()));
            QVERIFY(QTest::qWaitForWindowExposed(&m_program->Inspector()));
        }();
        return *m_program;
    }
    void Stop()
    {
        QVERIFY(m_program->MainForm().close());
        m_program.reset();
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Program> m_program;
};

QRect Available()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// Closes any popup menu that appears while it lives, and tells whether one did.
class PopupCloser : public QObject
{
public:
    PopupCloser()
    {
        m_timer.setInterval(10);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                popupSeen = true;
                popup->close();
            }
        });
        m_timer.start();
    }

    bool popupSeen = false;

private:
    QTimer m_timer;
};

// What a file dialog shows.
struct FileDialogTexts
{
    QString title;
    QString fileNameLabel;
    QString lookInLabel;
    QStringList buttons;
};

bool ReadFileDialog(const std::function<void()>& open, FileDialogTexts& texts)
{
    return test::RunWhileModal(open, [&texts](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        if (!dialog)
            return;
        texts.title = dialog->windowTitle();
        if (auto* label = dialog->findChild<QLabel*>(QStringLiteral("fileNameLabel")))
            texts.fileNameLabel = label->text();
        if (auto* label = dialog->findChild<QLabel*>(QStringLiteral("lookInLabel")))
            texts.lookInLabel = label->text();
        if (auto* box = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"))) {
            for (QAbstractButton* button : box->buttons())
                texts.buttons.append(button->text());
        }
    });
}

} // namespace

class FirstStartTest : public QObject
{
    Q_OBJECT

private slots:
    void theDefaultsAreOuterBounds()
    {
        ProgramWithSettings start;
        Program& program = start.Start(&kFrame);
        MainWindow& main = program.MainForm();
        TankInspector& inspector = program.Inspector();

        QTRY_COMPARE(main.Bounds().Current(), QRect(0, 0, 500, 120));
        QCOMPARE(main.geometry(), QRect(4, 23, 492, 93));
        QCOMPARE(main.maximumHeight(), 122 - 27);
        QTRY_COMPARE(inspector.Bounds().Current(), QRect(0, 120, 500, 440));
        QCOMPARE(inspector.geometry(), QRect(4, 143, 492, 413));
        // Every row in view, nothing to scroll.
        QTRY_COMPARE(inspector.ScrollBox()->viewport()->height() >=
                         inspector.RowCount() * TankInspector::kRowHeightPx + 1,
                     true);
        QCOMPARE(inspector.RowCount(), 21);
        QCOMPARE(inspector.ScrollBox()->verticalScrollBar()->maximum(), 0);

        // The strip's contents fit its inside, so the status bar and "Изменен" show.
        QVERIFY2(main.minimumSizeHint().height() <= main.height(),
                 qPrintable(QString::number(main.minimumSizeHint().height())));
        test::TankToArrange(program.Context()).SetName("РВС-1");
        QTRY_COMPARE(main.StatusPanelText(2), QStringLiteral("Изменен"));
        auto* panel2 = main.findChild<QLabel*>(QStringLiteral("StatusPanel2"));
        QVERIFY(panel2->isVisible());
        const QRect panelInMain(panel2->mapTo(&main, QPoint(0, 0)), panel2->size());
        QVERIFY(main.rect().contains(panelInMain));
        QCOMPARE(panel2->visibleRegion().boundingRect(), panel2->rect());

        // The main window cannot grow past 122 px outside.
        main.resize(main.width(), 300);
        QCOMPARE(main.Bounds().Current().height(), 122);
        test::TankToArrange(program.Context()).SetModified(false);
    }

    void outerBoundsSurviveARoundTripThroughTheSettings()
    {
        ProgramWithSettings start;
        {
            ProfileFile ini = start.Settings();
            ini.WriteInteger("WindowState", "WindowLeft", 30);
            ini.WriteInteger("WindowState", "WindowTop", 40);
            ini.WriteInteger("WindowState", "WindowWidth", 620);
            ini.WriteInteger("WindowState", "WindowHeight", 120);
            ini.WriteInteger("InspectorState", "WindowLeft", 10);
            ini.WriteInteger("InspectorState", "WindowTop", 170);
            ini.WriteInteger("InspectorState", "WindowWidth", 400);
            ini.WriteInteger("InspectorState", "WindowHeight", 350);
        }
        Program& program = start.Start(&kFrame);
        QTRY_COMPARE(program.MainForm().geometry(), QRect(34, 63, 612, 93));
        QTRY_COMPARE(program.Inspector().geometry(), QRect(14, 193, 392, 323));
        start.Stop();

        const ProfileFile ini = start.Settings();
        QCOMPARE(ini.ReadInteger("WindowState", "WindowLeft", -1), 30);
        QCOMPARE(ini.ReadInteger("WindowState", "WindowTop", -1), 40);
        QCOMPARE(ini.ReadInteger("WindowState", "WindowWidth", -1), 620);
        QCOMPARE(ini.ReadInteger("WindowState", "WindowHeight", -1), 120);
        QCOMPARE(ini.ReadInteger("InspectorState", "WindowLeft", -1), 10);
        QCOMPARE(ini.ReadInteger("InspectorState", "WindowTop", -1), 170);
        QCOMPARE(ini.ReadInteger("InspectorState", "WindowWidth", -1), 400);
        QCOMPARE(ini.ReadInteger("InspectorState", "WindowHeight", -1), 350);
    }

    void absurdStoredBoundsAreFittedToTheScreen()
    {
        constexpr int kMax = std::numeric_limits<int>::max();
        constexpr int kMin = std::numeric_limits<int>::min();
        ProgramWithSettings start;
        {
            ProfileFile ini = start.Settings();
            ini.WriteInteger("WindowState", "WindowLeft", kMin);
            ini.WriteInteger("WindowState", "WindowTop", kMax);
            ini.WriteInteger("WindowState", "WindowWidth", 100000);
            ini.WriteInteger("WindowState", "WindowHeight", 100000);
            ini.WriteInteger("InspectorState", "WindowLeft", -100000);
            ini.WriteInteger("InspectorState", "WindowTop", -100000);
            ini.WriteInteger("InspectorState", "WindowWidth", kMax);
            ini.WriteInteger("InspectorState", "WindowHeight", kMax);
            ini.WriteInteger("InspectorState", "Col1Width", kMax);
        }
        Program& program = start.Start(&kFrame);
        QTRY_VERIFY(!program.MainForm().Bounds().Placing());
        QTRY_VERIFY(!program.Inspector().Bounds().Placing());
        const QRect screen = Available();
        for (QWidget* window :
             {static_cast<QWidget*>(&program.MainForm()), static_cast<QWidget*>(&program.Inspector())}) {
            const QRect outer = window == &program.MainForm() ? program.MainForm().Bounds().Current()
                                                              : program.Inspector().Bounds().Current();
            QVERIFY2(screen.contains(outer), qPrintable(window->windowTitle() + QStringLiteral(": %1,%2 %3x%4")
                                                                                    .arg(outer.x())
                                                                                    .arg(outer.y())
                                                                                    .arg(outer.width())
                                                                                    .arg(outer.height())));
            // Painting the fitted windows is what used to crash.
            QVERIFY(!window->grab().isNull());
        }
        QCOMPARE(program.MainForm().Bounds().Current().height(), 122);
        QCOMPARE(program.Inspector().Bounds().Current().size(), screen.size());
        QCOMPARE(program.Inspector().ColWidth(), program.Inspector().ScrollBox()->viewport()->width() - 22);
        start.Stop();

        // What is written back starts the program as sensibly the next time.
        const ProfileFile ini = start.Settings();
        QVERIFY(ini.ReadInteger("WindowState", "WindowWidth", -1) <= screen.width());
        QCOMPARE(ini.ReadInteger("WindowState", "WindowHeight", -1), 122);
        QVERIFY(screen.contains(QPoint(ini.ReadInteger("WindowState", "WindowLeft", kMin),
                                       ini.ReadInteger("WindowState", "WindowTop", kMin))));
        QCOMPARE(ini.ReadInteger("InspectorState", "WindowHeight", -1), screen.height());
        QCOMPARE(ini.ReadInteger("InspectorState", "WindowTop", -1), screen.top());
    }

    void qtsOwnTextsAreRussian()
    {
        test::StartedProgram program;
        QVERIFY(program->ToolkitTranslated());
        QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Save);
        QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Отмена"));
        QLineEdit edit;
        std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        QStringList items;
        for (const QAction* action : menu->actions())
            items.append(action->text());
        QVERIFY2(items.join(QLatin1Char('|')).contains(QStringLiteral("&Копировать")), qPrintable(items.join('|')));
        QVERIFY(items.join(QLatin1Char('|')).contains(QStringLiteral("Выделить всё")));
    }

    void theFileDialogsAreQtsOwnAndSpeakRussian()
    {
        test::StartedProgram program;
        program.Show();
        FileDialog::SetTestMode(false);
        FileDialogTexts save;
        QVERIFY(ReadFileDialog([&program] { program->MainForm().acSaveAsExecute(); }, save));
        QCOMPARE(save.title, QStringLiteral("Сохранить как"));
        QCOMPARE(save.fileNameLabel, QStringLiteral("&Имя файла:"));
        QCOMPARE(save.lookInLabel, QStringLiteral("Перейти к:"));
        QCOMPARE(save.buttons, QStringList({QStringLiteral("&Сохранить"), QStringLiteral("Отмена")}));

        FileDialogTexts open;
        QVERIFY(ReadFileDialog([&program] { program->MainForm().acOpenExecute(); }, open));
        QCOMPARE(open.title, QStringLiteral("Открыть"));
        QCOMPARE(open.buttons, QStringList({QStringLiteral("&Открыть"), QStringLiteral("Отмена")}));
        FileDialog::SetTestMode(true);
    }

    void ctrlSSavesFromEitherWindow()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();
        TankInspector& inspector = program->Inspector();

        QVERIFY(test::Activate(main));
        QTest::keyClick(&main, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(FileDialog::Shown().size(), size_t(1));
        QCOMPARE(FileDialog::Shown().back().title, QStringLiteral("Сохранить как"));

        // Typed in the inspector and saved from there: the typed value is stored.
        QVERIFY(test::Activate(inspector));
        QVERIFY(inspector.SelectRow(4));
        test::TypeText(inspector.InsEdit(), QStringLiteral("5"));
        const QString path = program.PathIn(QStringLiteral("typed.vlq"));
        FileDialog::QueueChoice(path);
        QTest::keyClick(inspector.InsEdit(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(FileDialog::Shown().size(), size_t(2));
        QVERIFY(!program->Context().Tank().Modified());
        QCOMPARE(LoadTankFile(path.toStdString()).tank.GirdleCount(), 5);

        // The file has a name now: Ctrl+S stores without asking again.
        QVERIFY(inspector.SelectRow(2));
        test::TypeText(inspector.InsEdit(), QStringLiteral("300"));
        QTest::keyClick(inspector.InsEdit(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(FileDialog::Shown().size(), size_t(2));
        QVERIFY(!program->Context().Tank().Modified());
        QCOMPARE(LoadTankFile(path.toStdString()).tank.DesignCapacity(), 300);
    }

    void theToolBarsHaveNoMenu()
    {
        test::StartedProgram program;
        program.Show();
        MainWindow& main = program->MainForm();
        QCOMPARE(main.createPopupMenu(), nullptr);
        PopupCloser closer;
        for (QToolBar* bar : main.findChildren<QToolBar*>()) {
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), bar->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(bar, &event);
        }
        QTest::qWait(30);
        QVERIFY(!closer.popupSeen);
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
    }
};

VELOQUIN_APP_TEST(FirstStartTest)
#include "FirstStartTest.moc"
