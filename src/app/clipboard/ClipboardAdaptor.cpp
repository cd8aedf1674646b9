#include "ClipboardAdaptor.h"

#include <QClipboard>
#include <QGuiApplication>

namespace veloquin {
namespace {

class SystemClipboard : public ClipboardStore
{
public:
    QString ReadText() const override
    {
        const QClipboard* clipboard = QGuiApplication::clipboard();
        return clipboard ? clipboard->text() : QString();
    }
    void WriteText(const QString& text) override
    {
        if (QClipboard* clipboard = QGuiApplication::clipboard())
            clipboard->setText(text);
    }
};

SystemClipboard g_system;
ClipboardStore* g_store = &g_system;

} // namespace

QString WithCrLfRowEnds(const QString& text)
{
    if (text.contains(QLatin1Char('\r')))
        return text;
    QString converted = text;
    converted.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return converted;
}

QString ReadClipboardText()
{
    return WithCrLfRowEnds(g_store->ReadText());
}

void WriteClipboardText(const QString& text)
{
    g_store->WriteText(text);
}

ScopedTestClipboard::ScopedTestClipboard(const QString& text) : m_text(text), m_previous(g_store)
{
    g_store = this;
}

ScopedTestClipboard::~ScopedTestClipboard()
{
    g_store = m_previous;
}

} // namespace veloquin
