// Where the program keeps its settings file when started as the desktop menu
// starts it: the user's configuration folder named after the program alone,
// an old file of the home folder moved there once with a line in the status bar.

#include "SettingsPlace.h"
#include "AppContext.h"
#include "AppTestSupport.h"
#include "FileDialog.h"
#include "FileNames.h"
#include "GFunc.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "Program.h"

#include <QDir>
#include <QFile>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

using namespace veloquin;

namespace {

// HOME and XDG_CONFIG_HOME of the test's own, given back at the end.
class UserFolders
{
public:
    UserFolders() : m_home(qgetenv("HOME")), m_config(qgetenv("XDG_CONFIG_HOME"))
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("home"));
        QDir(m_dir.path()).mkpath(QStringLiteral("start"));
        qputenv("HOME", Home().toLocal8Bit());
    }
    ~UserFolders()
    {
        qputenv("HOME", m_home);
        if (m_config.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", m_config);
    }
    QString Home() const { return m_dir.filePath(QStringLiteral("home")); }
    QString Start() const { return m_dir.filePath(QStringLiteral("start")); }
    QString Path(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QByteArray m_home;
    QByteArray m_config;
};

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class SettingsPlaceTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QDir::setCurrent(QDir::tempPath()); }

    void theConfigurationFolderIsNamedAfterTheProgram()
    {
        UserFolders folders;
        qunsetenv("XDG_CONFIG_HOME");
        QCOMPARE(QString::fromStdString(LocateProgramSettings(folders.Start().toStdString()).path),
                 folders.Home() + QStringLiteral("/.config/Veloquin/Veloquin.ini"));
        qputenv("XDG_CONFIG_HOME", folders.Path(QStringLiteral("xdg")).toLocal8Bit());
        QCOMPARE(QString::fromStdString(LocateProgramSettings(folders.Start().toStdString()).path),
                 folders.Path(QStringLiteral("xdg/Veloquin/Veloquin.ini")));
        // One beside the tanks stays where it is.
        WriteFile(folders.Start() + QStringLiteral("/Veloquin.ini"), "[WindowState]\n");
        QCOMPARE(QString::fromStdString(LocateProgramSettings(folders.Start().toStdString()).path),
                 folders.Start() + QStringLiteral("/Veloquin.ini"));
    }

    void aProgramStartedFromTheMenuMovesTheOldFileAndSaysSo()
    {
        UserFolders folders;
        qputenv("XDG_CONFIG_HOME", folders.Path(QStringLiteral("xdg")).toLocal8Bit());
        WriteFile(folders.Home() + QStringLiteral("/Veloquin.ini"), "[PrinterCalibr]\r\ndXCalibr=1,5\r\n");
        MessageBox::SetTestMode(true);
        FileDialog::SetTestMode(true);
        const QString moved = folders.Path(QStringLiteral("xdg/Veloquin/Veloquin.ini"));
        {
            QDir::setCurrent(folders.Home());
            Program program(LocateProgramSettings(folders.Home().toStdString()));
            QCOMPARE(QString::fromStdString(program.Context().settings.Path()), moved);
            QCOMPARE(program.Context().printerCalibration.dXCalibr, 1.5);
            const QString line = program.MainForm().statusBar()->currentMessage();
            QCOMPARE(line, QStringLiteral("Файл настроек перенесён из ~/Veloquin.ini в ") +
                               QuotedPath(moved));
            QVERIFY(!QFile::exists(folders.Home() + QStringLiteral("/Veloquin.ini")));
            QVERIFY(program.MainForm().close());
        }
        // What the first run wrote at its end is there at the next, which has nothing to say.
        Program again(LocateProgramSettings(folders.Home().toStdString()));
        QCOMPARE(QString::fromStdString(again.Context().settings.Path()), moved);
        QCOMPARE(again.Context().printerCalibration.dXCalibr, 1.5);
        QCOMPARE(again.MainForm().statusBar()->currentMessage(), QString());
        QVERIFY(!QFile::exists(folders.Home() + QStringLiteral("/Veloquin.ini")));
    }
};

VELOQUIN_APP_TEST(SettingsPlaceTest)

#include "SettingsPlaceTest.moc"
