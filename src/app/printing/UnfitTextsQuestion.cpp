#include "UnfitTextsQuestion.h"

#include "AppFont.h"
#include "MessageBox.h"

#include <algorithm>

namespace veloquin {

QString UnfitTextToolTip(double byMm)
{
    return QStringLiteral("Текст шире своего места на листе на %1 мм: сократите его, иначе на печати он выйдет "
                          "за свою клетку, за рамку или за край листа.")
        .arg(QString::fromStdString(OverflowMmText(byMm)));
}

QString UnfitTextsQuestionText(const std::vector<UnfitText>& texts, OutputKind kind)
{
    const bool one = texts.size() == 1;
    QString text = one ? QStringLiteral("Текст не помещается на своём месте на листе и выйдет за клетку, рамку или "
                                        "край листа:\n")
                       : QStringLiteral("Тексты не помещаются на своих местах на листе и выйдут за клетку, рамку или "
                                        "край листа:\n");
    const int listed = std::min(static_cast<int>(texts.size()), kUnfitTextsListed);
    for (int i = 0; i < listed; ++i)
        text += QStringLiteral("\n• ") + QString::fromStdString(UnfitTextLine(texts[static_cast<std::size_t>(i)]));
    if (static_cast<int>(texts.size()) > listed)
        text += QStringLiteral("\nи ещё %1").arg(static_cast<int>(texts.size()) - listed);
    // The buttons say what they do: the question names them as they are labelled.
    const QString anyway =
        kind == OutputKind::Print ? QStringLiteral("печатать как есть") : QStringLiteral("сохранить PDF как есть");
    text += QStringLiteral("\n\nПерейти к %1 в параметрах страницы, чтобы сократить, или %2?")
                .arg(one ? QStringLiteral("нему") : QStringLiteral("первому из них"), anyway);
    return text;
}

UnfitTextsAnswer AskAboutUnfitTexts(QWidget* parent, const std::vector<UnfitText>& texts, OutputKind kind)
{
    if (texts.empty())
        return UnfitTextsAnswer::Output;
    const MessageBox::ButtonTexts buttons = {
        {QMessageBox::Yes, QStringLiteral("Перейти к тексту")},
        {QMessageBox::No,
         kind == OutputKind::Print ? QStringLiteral("Печатать как есть") : QStringLiteral("Сохранить как есть")},
    };
    const MessageBox::Button answer =
        MessageBox::Ask(parent, ApplicationTitle(), UnfitTextsQuestionText(texts, kind), MessageBox::Icon::Warning,
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes, buttons);
    switch (answer) {
    case QMessageBox::Yes: return UnfitTextsAnswer::GoTo;
    case QMessageBox::No: return UnfitTextsAnswer::Output;
    default: return UnfitTextsAnswer::Cancel;
    }
}

} // namespace veloquin
