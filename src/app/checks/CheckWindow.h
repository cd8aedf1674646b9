#pragma once
// "Проверка данных": a non-modal window listing the findings of the field-data
// checks, errors first in the tank's order. A double click (or Enter) on a row
// asks for the row's dialog with the finding's cell selected.

#include "TankChecks.h"

#include <QWidget>

#include <vector>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace veloquin {

class CheckWindow : public QWidget
{
    Q_OBJECT

public:
    explicit CheckWindow(QWidget* owner);

    void ShowFindings(const std::vector<Finding>& findings, const QString& summary);
    QTreeWidget* List() const { return m_list; }
    // The finding of a list row (from 0), in the order shown.
    const Finding* FindingAt(int row) const;

signals:
    void findingActivated(const veloquin::Finding& finding);

private:
    void Activate(QTreeWidgetItem* item);

    QLabel* m_summary = nullptr;
    QTreeWidget* m_list = nullptr;
    std::vector<Finding> m_shown;
};

} // namespace veloquin
