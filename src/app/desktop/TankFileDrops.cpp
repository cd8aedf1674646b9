#include "TankFileDrops.h"

#include "FileNames.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace veloquin {

TankFileDrops::TankFileDrops(QObject* parent, std::function<void(const QString&)> open)
    : QObject(parent), m_open(std::move(open))
{
}

void TankFileDrops::Watch(QWidget* window)
{
    window->setAcceptDrops(true);
    window->installEventFilter(this);
}

QString TankFileDrops::TankFileIn(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return QString();
    for (const QUrl& url : data->urls()) {
        const QString path = PathFromFileUrl(url);
        if (!path.isEmpty() && HasTankFileSuffix(path))
            return path;
    }
    return QString();
}

bool TankFileDrops::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (TankFileIn(drag->mimeData()).isEmpty())
            return false;
        drag->setDropAction(Qt::CopyAction);
        drag->accept();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = TankFileIn(drop->mimeData());
        if (path.isEmpty())
            return false;
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        // The file manager waits for the drop to end; the save prompt must not hold it.
        QTimer::singleShot(0, this, [this, path] { m_open(path); });
        return true;
    }
    default: return QObject::eventFilter(watched, event);
    }
}

} // namespace veloquin
