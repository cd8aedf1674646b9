#include "UncertaintySettingsDialog.h"

#include "GFunc.h"
#include "MessageBox.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace veloquin {
namespace {

const char* const kTitle = "Неопределённость: средства измерений";
const QColor kSourceColour(100, 100, 100);

enum Column
{
    MeaningColumn,
    ValueColumn,
    UnitColumn,
    SourceColumn
};

QLabel* Wrapped(const QString& text)
{
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

UncertaintySettingsDialog::UncertaintySettingsDialog(QWidget* owner, const UncertaintySettings& settings)
    : QDialog(owner), m_settings(settings)
{
    setObjectName(QStringLiteral("UncertaintySettingsDialog"));
    setWindowTitle(QString::fromUtf8(kTitle));
    resize(980, 640);

    auto* grid = new QGridLayout;
    grid->addWidget(Wrapped(QStringLiteral("Источник")), 0, MeaningColumn);
    grid->addWidget(Wrapped(QStringLiteral("Значение")), 0, ValueColumn);
    grid->addWidget(Wrapped(QStringLiteral("Ед.")), 0, UnitColumn);
    grid->addWidget(Wrapped(QStringLiteral("Обоснование значения по умолчанию")), 0, SourceColumn);
    int row = 1;
    for (const UncertaintyKeyDescriptor& d : UncertaintyKeyDescriptors()) {
        auto* meaning = Wrapped(QString::fromUtf8(d.meaning));
        auto* edit = new QLineEdit;
        edit->setObjectName(QString::fromUtf8(d.key));
        edit->setToolTip(QString::fromUtf8(d.key) + QStringLiteral(", по умолчанию ") +
                         QString::fromStdString(FloatToStr(d.defaultValue)) + QStringLiteral("; 0 — не учитывать"));
        edit->setMaximumWidth(140);
        meaning->setBuddy(edit);
        auto* source = Wrapped(QString::fromUtf8(d.source));
        QPalette palette = source->palette();
        palette.setColor(QPalette::WindowText, kSourceColour);
        source->setPalette(palette);
        grid->addWidget(meaning, row, MeaningColumn);
        grid->addWidget(edit, row, ValueColumn);
        grid->addWidget(Wrapped(QString::fromUtf8(d.unit)), row, UnitColumn);
        grid->addWidget(source, row, SourceColumn);
        m_edits[static_cast<std::size_t>(d.id)] = edit;
        ++row;
    }
    grid->setColumnStretch(MeaningColumn, 3);
    grid->setColumnStretch(SourceColumn, 3);
    auto* inner = new QWidget;
    inner->setLayout(grid);
    auto* scroll = new QScrollArea;
    scroll->setWidget(inner);
    scroll->setWidgetResizable(true);

    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::RestoreDefaults);
    buttons->button(QDialogButtonBox::RestoreDefaults)->setText(QStringLiteral("По умолчанию"));
    buttons->button(QDialogButtonBox::RestoreDefaults)->setObjectName(QStringLiteral("Defaults"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OK"));
    connect(buttons->button(QDialogButtonBox::RestoreDefaults), &QPushButton::clicked, this,
            [this] { Show(UncertaintySettings()); });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (TakeValues())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Wrapped(QStringLiteral("Средства измерений лаборатории, по которым оценивается неопределённость "
                                             "градуировочной таблицы. Значение 0 исключает источник.")));
    layout->addWidget(scroll, 1);
    layout->addWidget(buttons);
    Show(settings);
}

void UncertaintySettingsDialog::Show(const UncertaintySettings& settings)
{
    for (const UncertaintyKeyDescriptor& d : UncertaintyKeyDescriptors())
        Edit(d.id)->setText(QString::fromStdString(FloatToStr(settings[d.id])));
}

bool UncertaintySettingsDialog::TakeValues()
{
    UncertaintySettings taken;
    for (const UncertaintyKeyDescriptor& d : UncertaintyKeyDescriptors()) {
        QLineEdit* edit = Edit(d.id);
        try {
            taken[d.id] = CheckedUncertaintyValue(d.id, TypedStrToFloat(edit->text().toStdString()));
        } catch (const ConvertError& error) {
            MessageBox::Tell(this, QString::fromUtf8(kTitle),
                             QString::fromUtf8(d.meaning) + QStringLiteral(":\n") + QString::fromUtf8(error.what()),
                             MessageBox::Icon::Warning);
            edit->setFocus();
            edit->selectAll();
            return false;
        }
    }
    m_settings = taken;
    return true;
}

} // namespace veloquin
