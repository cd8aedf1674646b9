#include "CheckWindow.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace veloquin {

namespace {

constexpr int kInitialWidthPx = 720;
constexpr int kInitialHeightPx = 320;
constexpr int kKindColumnWidthPx = 130;

enum Column
{
    KindColumn,
    MessageColumn
};

// Enter on a row acts as a double click.
class FindingList : public QTreeWidget
{
public:
    using QTreeWidget::QTreeWidget;
    std::function<void(QTreeWidgetItem*)> onEnter;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem() && onEnter) {
            onEnter(currentItem());
            return;
        }
        QTreeWidget::keyPressEvent(event);
    }
};

} // namespace

CheckWindow::CheckWindow(QWidget* owner) : QWidget(owner, Qt::Tool)
{
    setObjectName(QStringLiteral("CheckForm"));
    setWindowTitle(QStringLiteral("Проверка данных"));
    resize(kInitialWidthPx, kInitialHeightPx);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("lbSummary"));
    layout->addWidget(m_summary);

    auto* list = new FindingList(this);
    list->onEnter = [this](QTreeWidgetItem* item) { Activate(item); };
    m_list = list;
    m_list->setObjectName(QStringLiteral("lvFindings"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setWordWrap(false);
    m_list->setHeaderLabels({QStringLiteral("Вид"), QStringLiteral("Замечание")});
    m_list->header()->resizeSection(KindColumn, kKindColumnWidthPx);
    m_list->header()->setStretchLastSection(true);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { Activate(item); });
    layout->addWidget(m_list, 1);
}

void CheckWindow::ShowFindings(const std::vector<Finding>& findings, const QString& summary)
{
    m_summary->setText(summary);
    // Errors first; within each, the tank's order.
    m_shown = findings;
    std::stable_sort(m_shown.begin(), m_shown.end(), [](const Finding& a, const Finding& b) {
        return a.severity == Severity::Error && b.severity != Severity::Error;
    });
    const int keepRow = m_list->currentIndex().isValid() ? m_list->currentIndex().row() : -1;
    m_list->clear();
    const QIcon errorIcon = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warningIcon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (const Finding& f : m_shown) {
        auto* item = new QTreeWidgetItem(m_list);
        const bool error = f.severity == Severity::Error;
        item->setIcon(KindColumn, error ? errorIcon : warningIcon);
        item->setText(KindColumn, error ? QStringLiteral("Ошибка") : QStringLiteral("Предупреждение"));
        item->setText(MessageColumn, QString::fromStdString(f.message));
        item->setToolTip(MessageColumn, QString::fromStdString(f.message));
    }
    if (keepRow >= 0 && keepRow < m_list->topLevelItemCount())
        m_list->setCurrentItem(m_list->topLevelItem(keepRow));
}

const Finding* CheckWindow::FindingAt(int row) const
{
    return row >= 0 && row < static_cast<int>(m_shown.size()) ? &m_shown[static_cast<std::size_t>(row)] : nullptr;
}

void CheckWindow::Activate(QTreeWidgetItem* item)
{
    if (const Finding* finding = FindingAt(m_list->indexOfTopLevelItem(item)))
        emit findingActivated(*finding);
}

} // namespace veloquin
