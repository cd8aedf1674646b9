#pragma once
// "Файл → Последние файлы": the tanks last opened or saved, newest first, kept in
// the settings file between runs. Choosing a file that is gone says so and takes
// it off the list; any other file is handed to the main window to open.

#include <QObject>
#include <QStringList>

#include <functional>

class QMenu;

namespace veloquin {

class ProfileFile;

class RecentFilesMenu : public QObject
{
    Q_OBJECT

public:
    // Fills `menu` whenever it is about to show; `open` gets the path chosen.
    RecentFilesMenu(QMenu* menu, ProfileFile& settings, std::function<void(const QString&)> open);

    // A file just opened or saved goes to the top.
    void Add(const QString& path);
    QStringList Paths() const;
    QMenu* Menu() const { return m_menu; }
    // Rebuilds the entries from the settings file (the menu does it before showing).
    void Rebuild();
    // What choosing an entry does.
    void Choose(const QString& path);

private:
    void Store(const QStringList& paths);

    QMenu* m_menu;
    ProfileFile& m_settings;
    std::function<void(const QString&)> m_open;
};

} // namespace veloquin
