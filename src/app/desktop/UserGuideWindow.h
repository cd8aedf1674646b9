#pragma once
// The user's guide (F1, "Справка → Руководство"): a Markdown text shipped with
// the program, shown by Qt's own text browser. An installed program finds it in
// its share folder; one run from the build tree reads the copy in the sources.

#include <QDialog>
#include <QString>

class QTextBrowser;

namespace veloquin {

// The guide file found first, or an empty text when there is none.
QString UserGuidePath();

class UserGuideWindow : public QDialog
{
    Q_OBJECT

public:
    explicit UserGuideWindow(QWidget* parent);

    // Reads the guide; false (the browser left empty) when it cannot be read.
    bool Load(const QString& path);
    QTextBrowser* Browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
};

// Shows the guide window (created on first use as a child of `parent` and
// reused), or says that the guide is missing. Returns the window, or null.
UserGuideWindow* ShowUserGuide(QWidget* parent);

} // namespace veloquin
