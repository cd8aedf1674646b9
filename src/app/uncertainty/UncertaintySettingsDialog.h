#pragma once
// "Неопределённость: средства измерений" (menu "Резервуар"): the laboratory's
// instruments behind the table's uncertainty, one value per source of error,
// each with its meaning, unit and where its default comes from. OK checks every
// value before any is stored; a value of 0 switches its source off.

#include "uncertainty/UncertaintySettings.h"

#include <QDialog>

#include <array>

class QLineEdit;

namespace veloquin {

class UncertaintySettingsDialog : public QDialog
{
    Q_OBJECT

public:
    UncertaintySettingsDialog(QWidget* owner, const UncertaintySettings& settings);

    // What OK accepted.
    const UncertaintySettings& Settings() const { return m_settings; }
    QLineEdit* Edit(UncertaintyKey key) const { return m_edits[static_cast<std::size_t>(key)]; }
    void Show(const UncertaintySettings& settings);
    // Converts and checks every box; the first bad one is named and focused.
    bool TakeValues();

private:
    UncertaintySettings m_settings;
    std::array<QLineEdit*, kUncertaintyKeyCount> m_edits = {};
};

} // namespace veloquin
