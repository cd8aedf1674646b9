#include "PageCaptions.h"

#include <QLabel>

namespace veloquin {

QLabel* NewCaptionText(QWidget* parent, const char* objectName, const QString& text)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(objectName));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    label->setTextFormat(Qt::PlainText);
    QFont font = label->font();
    font.setBold(true);
    font.setPixelSize(13);
    label->setFont(font);
    label->setFixedHeight(label->fontMetrics().height() + 2 * label->frameWidth() + 4);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x80));
    label->setPalette(palette);
    SetCaptionText(*label, text);
    return label;
}

void SetCaptionText(QLabel& label, const QString& text)
{
    label.setText(text);
    // Static texts size themselves to their text: a longer document name never gets cut.
    const int frame = 2 * label.frameWidth();
    label.setFixedWidth(label.fontMetrics().horizontalAdvance(text) + frame + 2);
}

QString PageNumberCaption(int globalPage)
{
    return QStringLiteral(" Страница ") + QString::number(globalPage) + QLatin1Char(' ');
}

QString DocumentCaption(DocKind kind)
{
    switch (kind) {
    case DocKind::Outline: return QStringLiteral(" Схема резервуара ");
    case DocKind::Calibration: return QStringLiteral(" Градуировочная таблица ");
    case DocKind::Protocol: return QStringLiteral(" Протокол ");
    }
    return QString();
}

} // namespace veloquin
