#include "AboutDialog.h"

#include "AppFont.h"
#include "CommandIcons.h"
#include "VeloquinVersion.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace veloquin {
namespace {

QLabel* AddLabel(QWidget* parent, const QString& text, const QRect& geometry, bool bold = false)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    if (bold) {
        QFont font = label->font();
        font.setPixelSize(16);
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

} // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("О программе"));
    setFont(UiFont());
    setFixedSize(345, 353);

    auto* picture = new QLabel(this);
    picture->setPixmap(AboutPicture(96));
    picture->setGeometry(124, 10, 96, 96);

    AddLabel(this, QStringLiteral("Veloquin ") + QLatin1String(kCaptionVersion), QRect(10, 112, 325, 24), true);
    AddLabel(this, QStringLiteral("Разработка программы: группа Veloquin"), QRect(10, 142, 325, 16));
    AddLabel(this, QStringLiteral("Методика расчета: МИ 1823-87"), QRect(10, 160, 325, 16));
    AddLabel(this, QStringLiteral("Интерфейс пользователя: Qt 6"), QRect(10, 178, 325, 16));
    AddLabel(this, QStringLiteral("Версия программы: ") + QLatin1String(kVersion), QRect(10, 202, 325, 16));

    auto* purpose = new QPlainTextEdit(this);
    purpose->setReadOnly(true);
    purpose->setPlainText(QStringLiteral("Программа для составления градуировочных таблиц\n"
                                         "вертикальных стальных резервуаров по результатам\n"
                                         "измерений в соответствии с МИ 1823-87."));
    purpose->setGeometry(10, 226, 325, 70);
    purpose->setLineWrapMode(QPlainTextEdit::NoWrap);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(135, 312, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace veloquin
