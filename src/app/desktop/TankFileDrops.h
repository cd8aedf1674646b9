#pragma once
// A tank file dragged from the file manager onto a window of the program opens
// it. The filter accepts a drag only when it carries a local ".vlq" file, so the
// cursor tells the user at once whether the drop will do anything.

#include <QObject>
#include <QString>

#include <functional>

class QMimeData;
class QWidget;

namespace veloquin {

class TankFileDrops : public QObject
{
    Q_OBJECT

public:
    // `open` runs once the drop has finished (never inside the drag and drop
    // itself, since it may ask before the current tank is given up).
    TankFileDrops(QObject* parent, std::function<void(const QString&)> open);

    // Lets `window` take drops and routes them here.
    void Watch(QWidget* window);

    // The first local tank file the data carries, or an empty text.
    static QString TankFileIn(const QMimeData* data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const QString&)> m_open;
};

} // namespace veloquin
