#include "RecentFilesMenu.h"

#include "AppFont.h"
#include "FileNames.h"
#include "MessageBox.h"
#include "RecentFiles.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include <sys/stat.h>

namespace veloquin {
namespace {

// Long paths are shortened in the middle so that the menu stays on the screen.
constexpr int kMaxShownPathChars = 70;

QString MenuPath(const QString& path)
{
    QString shown = ShownPath(path);
    if (shown.size() > kMaxShownPathChars) {
        const int half = kMaxShownPathChars / 2;
        shown = shown.left(half - 1) + QChar(0x2026) + shown.right(half);
    }
    // An "&" in a folder name would otherwise become an accelerator.
    return shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QStringList ToQt(const std::vector<std::string>& paths)
{
    QStringList list;
    for (const std::string& path : paths)
        list << PathFromNative(path);
    return list;
}

std::vector<std::string> ToStd(const QStringList& paths)
{
    std::vector<std::string> list;
    for (const QString& path : paths)
        list.push_back(NativePath(path));
    return list;
}

} // namespace

RecentFilesMenu::RecentFilesMenu(QMenu* menu, ProfileFile& settings, std::function<void(const QString&)> open)
    : QObject(menu), m_menu(menu), m_settings(settings), m_open(std::move(open))
{
    m_menu->setObjectName(QStringLiteral("RecentFilesMenu"));
    m_menu->setToolTipsVisible(true);
    connect(m_menu, &QMenu::aboutToShow, this, &RecentFilesMenu::Rebuild);
    Rebuild();
}

QStringList RecentFilesMenu::Paths() const
{
    return ToQt(ReadRecentFiles(m_settings));
}

void RecentFilesMenu::Store(const QStringList& paths)
{
    try {
        WriteRecentFiles(m_settings, ToStd(paths));
    } catch (const SettingsWriteError&) {
        // The list is a convenience: a refused write must not stand between the
        // user and the tank. The same refusal is reported when the program ends
        // and writes its window settings.
    }
}

void RecentFilesMenu::Add(const QString& path)
{
    Store(ToQt(WithRecentFile(ReadRecentFiles(m_settings),
                              NativePath(QDir::isAbsolutePath(path) ? path : QFileInfo(path).absoluteFilePath()))));
}

void RecentFilesMenu::Rebuild()
{
    // The entry being chosen may be the one that rebuilds the menu: it goes
    // once its signal has returned.
    for (QAction* old : m_menu->actions()) {
        m_menu->removeAction(old);
        old->deleteLater();
    }
    const QStringList paths = Paths();
    if (paths.isEmpty()) {
        m_menu->addAction(QStringLiteral("(список пуст)"))->setEnabled(false);
        return;
    }
    for (int i = 0; i < paths.size(); ++i) {
        const QString& path = paths.at(i);
        QAction* action = m_menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(MenuPath(path)));
        action->setToolTip(path.size() > kMaxShownPathChars * 4 ? QuotedPath(path) : ShownPath(path));
        action->setData(path);
        connect(action, &QAction::triggered, this, [this, path] { Choose(path); });
    }
}

void RecentFilesMenu::Choose(const QString& path)
{
    // Asked of the system by the path's own bytes, as it will be opened.
    struct stat entry;
    if (::stat(NativePath(path).c_str(), &entry) != 0) {
        Store(ToQt(WithoutRecentFile(ReadRecentFiles(m_settings), NativePath(path))));
        Rebuild();
        MessageBox::Tell(
            m_menu->parentWidget() ? m_menu->parentWidget()->window() : nullptr, ApplicationTitle(),
            QStringLiteral("Файл «%1» не найден. Он убран из списка последних файлов.").arg(QuotedPath(path)),
            MessageBox::Icon::Warning);
        return;
    }
    m_open(path);
}

} // namespace veloquin
