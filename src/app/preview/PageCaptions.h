#pragma once
// The page captions of the preview and the sheet options dialog: sunken static
// texts, centred, in a bold navy 13-pixel font, each as wide as its text, and
// the texts they show (" Страница 8 ", " Градуировочная таблица ").

#include "DocumentSet.h"

#include <QString>

class QLabel;
class QWidget;

namespace veloquin {

QLabel* NewCaptionText(QWidget* parent, const char* objectName, const QString& text);
// Changes the text and fits the width to it.
void SetCaptionText(QLabel& label, const QString& text);

// " Страница " + the number in the whole set + " ".
QString PageNumberCaption(int globalPage);
// " Протокол ", " Градуировочная таблица ", " Схема резервуара ".
QString DocumentCaption(DocKind kind);

} // namespace veloquin
