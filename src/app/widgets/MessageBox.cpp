#include "MessageBox.h"

#include "FileNames.h"

#include <QDir>

#include <QAbstractButton>

namespace veloquin {

bool MessageBox::s_testMode = false;
std::deque<MessageBox::Button> MessageBox::s_answers;
std::vector<MessageBox::Record> MessageBox::s_shown;

namespace {

QMessageBox::Icon ToQtIcon(MessageBox::Icon icon)
{
    switch (icon) {
    case MessageBox::Icon::Information: return QMessageBox::Information;
    case MessageBox::Icon::Warning: return QMessageBox::Warning;
    case MessageBox::Icon::Critical: return QMessageBox::Critical;
    case MessageBox::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

// The program speaks Russian; Qt's own button texts would be English without a
// translation catalogue installed.
void TranslateButtons(QMessageBox& box)
{
    const struct
    {
        QMessageBox::StandardButton button;
        const char* text;
    } texts[] = {
        {QMessageBox::Yes, "Да"},
        {QMessageBox::No, "Нет"},
        {QMessageBox::Cancel, "Отмена"},
        {QMessageBox::Ok, "OK"},
    };
    for (const auto& entry : texts) {
        if (QAbstractButton* button = box.button(entry.button))
            button->setText(QString::fromUtf8(entry.text));
    }
}

} // namespace

MessageBox::Button MessageBox::Ask(QWidget* parent, const QString& caption, const QString& text, Icon icon,
                                   Buttons buttons, Button defaultButton)
{
    return Ask(parent, caption, text, icon, buttons, defaultButton, {});
}

MessageBox::Button MessageBox::Ask(QWidget* parent, const QString& caption, const QString& text, Icon icon,
                                   Buttons buttons, Button defaultButton, const ButtonTexts& buttonTexts)
{
    if (s_testMode)
        return AnswerForTest(caption, text, icon, buttons);

    QMessageBox box(ToQtIcon(icon), caption, text, buttons, parent);
    box.setDefaultButton(defaultButton);
    if (buttons.testFlag(QMessageBox::Cancel))
        box.setEscapeButton(QMessageBox::Cancel);
    TranslateButtons(box);
    for (const auto& [button, buttonText] : buttonTexts)
        if (QAbstractButton* shown = box.button(button))
            shown->setText(buttonText);
    const int result = box.exec();
    const auto answer = static_cast<Button>(result);
    // Esc or the close box without an escape button.
    if (!buttons.testFlag(answer))
        return buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel : QMessageBox::Ok;
    return answer;
}

void MessageBox::Tell(QWidget* parent, const QString& caption, const QString& text, Icon icon)
{
    Ask(parent, caption, text, icon, QMessageBox::Ok, QMessageBox::Ok);
}

void MessageBox::SetTestMode(bool on)
{
    s_testMode = on;
    s_answers.clear();
}

bool MessageBox::TestMode()
{
    return s_testMode;
}

void MessageBox::QueueAnswer(Button answer)
{
    s_answers.push_back(answer);
}

const std::vector<MessageBox::Record>& MessageBox::Shown()
{
    return s_shown;
}

void MessageBox::ClearShown()
{
    s_shown.clear();
}

MessageBox::Button MessageBox::AnswerForTest(const QString& caption, const QString& text, Icon icon, Buttons buttons)
{
    Button answer = buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel : QMessageBox::Ok;
    if (!s_answers.empty()) {
        answer = s_answers.front();
        s_answers.pop_front();
    }
    s_shown.push_back(Record{caption, text, icon, buttons, answer});
    return answer;
}

QString QuotedFileName(const QString& path)
{
    return QStringLiteral("«%1»").arg(QuotedPath(path));
}

} // namespace veloquin
