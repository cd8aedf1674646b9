#include "UserGuideWindow.h"

#include "AppFont.h"
#include "MessageBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace veloquin {
namespace {

constexpr const char* kGuideFileName = "guide.ru.md";

} // namespace

QString UserGuidePath()
{
    const QStringList candidates{
        // Installed: bin/ and share/veloquin/ side by side.
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(VELOQUIN_GUIDE_FROM_BINDIR "/") +
                                                              QLatin1String(kGuideFileName)),
        // Run from the build tree.
        QStringLiteral(VELOQUIN_GUIDE_SOURCE_DIR "/") + QLatin1String(kGuideFileName),
    };
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isFile())
            return QDir::cleanPath(candidate);
    }
    return QString();
}

UserGuideWindow::UserGuideWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("UserGuideForm"));
    setWindowTitle(QStringLiteral("Руководство пользователя — Veloquin"));
    // A window of its own beside the main strip, not a box that blocks it.
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(false);
    resize(720, 640);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("GuideBrowser"));
    m_browser->setOpenExternalLinks(true);
    layout->addWidget(m_browser);
}

bool UserGuideWindow::Load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    m_browser->setSearchPaths({QFileInfo(path).absolutePath()});
    m_browser->setMarkdown(QString::fromUtf8(file.readAll()));
    return true;
}

UserGuideWindow* ShowUserGuide(QWidget* parent)
{
    auto* form = parent->findChild<UserGuideWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (!form) {
        const QString path = UserGuidePath();
        auto* created = new UserGuideWindow(parent);
        if (path.isEmpty() || !created->Load(path)) {
            delete created;
            MessageBox::Tell(parent, ApplicationTitle(),
                             QStringLiteral("Руководство пользователя (%1) не найдено. Переустановите программу.")
                                 .arg(QLatin1String(kGuideFileName)),
                             MessageBox::Icon::Critical);
            return nullptr;
        }
        form = created;
    }
    form->show();
    form->raise();
    form->activateWindow();
    return form;
}

} // namespace veloquin
