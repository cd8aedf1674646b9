#pragma once
// The one door between the measurement grids and the system clipboard. The
// grids exchange tab-separated text with CR LF row ends; spreadsheets and text
// editors on this platform end rows with LF alone, so a text without any CR is
// handed to the grids with CR LF row ends, while a text that holds a CR passes
// unchanged. (The code page 1251 of the clipboard is the Windows side's matter:
// inside Qt the clipboard's Unicode text is used as it is.)
//
// Tests put their own clipboard in place with ScopedTestClipboard.

#include <QString>

namespace veloquin {

class ClipboardStore
{
public:
    virtual ~ClipboardStore() = default;
    virtual QString ReadText() const = 0;
    virtual void WriteText(const QString& text) = 0;
};

// The text the grids paste: the clipboard's text, with LF row ends made CR LF
// when it holds no CR at all. An empty or non-text clipboard reads as "".
QString ReadClipboardText();
void WriteClipboardText(const QString& text);

// The row-end rule of ReadClipboardText on a given text.
QString WithCrLfRowEnds(const QString& text);

// While it lives, the grids read and write this in-memory clipboard instead of the system's.
class ScopedTestClipboard : public ClipboardStore
{
public:
    explicit ScopedTestClipboard(const QString& text = QString());
    ~ScopedTestClipboard() override;
    ScopedTestClipboard(const ScopedTestClipboard&) = delete;
    ScopedTestClipboard& operator=(const ScopedTestClipboard&) = delete;

    QString ReadText() const override { return m_text; }
    void WriteText(const QString& text) override { m_text = text; }

private:
    QString m_text;
    ClipboardStore* m_previous = nullptr;
};

} // namespace veloquin
