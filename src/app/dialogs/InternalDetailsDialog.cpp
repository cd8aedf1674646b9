#include "InternalDetailsDialog.h"

#include "AnyDetailDialog.h"
#include "CylinderDetailDialog.h"
#include "DialogSupport.h"
#include "GFunc.h"
#include "GeneralErrorReport.h"
#include "NumberTexts.h"
#include "RowDialogOpeners.h"
#include "editing/RowDialogStep.h"
#include "TankInspectorRows.h"
#include "TankClasses.h"

#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTreeWidget>

namespace veloquin {
namespace {

constexpr int kImageSizePx = 16;

enum Column
{
    ColNumber,
    ColVolume,
    ColBottom,
    ColTop,
    ColDiameter,
    ColLength,
    ColumnCount
};

struct ColumnDescriptor
{
    const char* header;
    int widthPx;
};

const ColumnDescriptor kColumns[ColumnCount] = {
    {"Внутренняя деталь", 60}, {"Объем, м3", 100}, {"Нижняя граница", 100},
    {"Верхняя граница", 100},  {"Диаметр", 50},    {"Длина", 50},
};

QPixmap DrawCylinder()
{
    // A pipe lying on its side: a shaded body between two end ellipses.
    QPixmap pixmap(kImageSizePx, kImageSizePx);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient shade(0, 4, 0, 12);
    shade.setColorAt(0, QColor(200, 215, 235));
    shade.setColorAt(1, QColor(70, 100, 150));
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.drawRect(QRectF(3.5, 4.5, 9, 7));
    p.setPen(QPen(QColor(40, 60, 100), 1));
    p.drawLine(QPointF(3.5, 4.5), QPointF(12.5, 4.5));
    p.drawLine(QPointF(3.5, 11.5), QPointF(12.5, 11.5));
    p.setBrush(shade);
    p.drawEllipse(QRectF(10.5, 4.5, 4, 7));
    p.setBrush(QColor(150, 170, 200));
    p.drawEllipse(QRectF(1.5, 4.5, 4, 7));
    return pixmap;
}

QPixmap DrawArbitrary()
{
    // A lump of no particular shape.
    QPixmap pixmap(kImageSizePx, kImageSizePx);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath lump;
    lump.moveTo(3, 9);
    lump.cubicTo(1, 4, 6, 1, 9, 3);
    lump.cubicTo(12, 1, 16, 6, 13, 9);
    lump.cubicTo(15, 13, 9, 15, 7, 13);
    lump.cubicTo(4, 15, 1, 12, 3, 9);
    QLinearGradient shade(0, 2, 0, 14);
    shade.setColorAt(0, QColor(240, 215, 150));
    shade.setColorAt(1, QColor(170, 110, 40));
    p.setPen(QPen(QColor(110, 70, 20), 1));
    p.setBrush(shade);
    p.drawPath(lump);
    return pixmap;
}

QFrame* AddCommandPanel(QWidget* parent, int top, const QString& text, QPushButton*& button, const QString& buttonName,
                        const QString& caption)
{
    auto* panel = new QFrame(parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    panel->setGeometry(8, top, InternalDetailsDialog::kClientWidthPx - 16, 34);
    AddDialogLabel(panel, text, QRect(8, 9, 300, 16));
    button = new QPushButton(caption, panel);
    button->setObjectName(buttonName);
    button->setAutoDefault(false);
    button->setGeometry(panel->width() - 4 - 88, 4, 88, 25);
    return panel;
}

} // namespace

QIcon DetailKindIcon(bool isArbitrary)
{
    static const QIcon cylinder(DrawCylinder());
    static const QIcon arbitrary(DrawArbitrary());
    return isArbitrary ? arbitrary : cylinder;
}

InternalDetailsDialog::InternalDetailsDialog(QWidget* parent, const TSteelVertCylTank& tank) : QDialog(parent), m_tank(tank)
{
    setObjectName(QStringLiteral("IntDetailsDlg"));
    SetUpMeasurementDialog(*this, QStringLiteral("Внутренние детали"), QSize(kClientWidthPx, kClientHeightPx));
    new KeyPreview(*this, [this](QKeyEvent& key) { return FormKeyDown(key); });

    QPushButton* bbAddCyl = nullptr;
    QPushButton* bbAddAny = nullptr;
    AddCommandPanel(this, 8, QStringLiteral("Внутренние детали цилиндрической формы"), bbAddCyl,
                    QStringLiteral("bbAddCyl"), QStringLiteral("Добавить..."));
    AddCommandPanel(this, 46, QStringLiteral("Внутренние детали произвольной формы"), bbAddAny,
                    QStringLiteral("bbAddAny"), QStringLiteral("Добавить..."));
    AddCommandPanel(this, 84, QStringLiteral("Удалить внутреннюю деталь"), m_bbDelete, QStringLiteral("bbDelete"),
                    QStringLiteral("Удалить"));
    connect(bbAddCyl, &QPushButton::clicked, this, &InternalDetailsDialog::bbAddCylClick);
    connect(bbAddAny, &QPushButton::clicked, this, &InternalDetailsDialog::bbAddAnyClick);
    connect(m_bbDelete, &QPushButton::clicked, this, &InternalDetailsDialog::bbDeleteClick);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("ListViewIntDetails"));
    m_list->setGeometry(8, 126, kClientWidthPx - 16, 200);
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setIconSize(QSize(kImageSizePx, kImageSizePx));
    m_list->setColumnCount(ColumnCount);
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionsMovable(false);
    QStringList headers;
    for (const ColumnDescriptor& column : kColumns)
        headers.append(QString::fromUtf8(column.header));
    m_list->setHeaderLabels(headers);
    // A header wider than its column would be cut: such a column grows to fit it.
    const QFontMetrics metrics(m_list->header()->font());
    for (int col = 0; col < ColumnCount; ++col) {
        const int headerPx = metrics.horizontalAdvance(headers[col]) + 14;
        m_list->setColumnWidth(col, std::max(kColumns[col].widthPx, headerPx));
    }

    AddDialogButton(*this, QStringLiteral("OKBtn"), QStringLiteral("OK"), QRect(390, 339, 75, 25), Accepted)
        ->setDefault(true);
}

void InternalDetailsDialog::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void InternalDetailsDialog::FormShow()
{
    m_work = m_tank;
    m_detailsChanged = false;
    FillList();
}

void InternalDetailsDialog::FillList()
{
    m_list->clear();
    for (int i = 1; i <= m_work.DetailCount(); ++i) {
        const bool arbitrary = m_work.DetailIsArbitrary(i);
        auto* item = new QTreeWidgetItem(m_list);
        item->setIcon(ColNumber, DetailKindIcon(arbitrary));
        item->setText(ColNumber, QStringLiteral("№") + QString::number(i));
        item->setText(ColVolume, FixedText(3, m_work.DetailVolume(i)));
        item->setText(ColBottom, GeneralText(m_work.DetailBottom(i)));
        item->setText(ColTop, GeneralText(m_work.DetailTop(i)));
        if (!arbitrary) {
            item->setText(ColDiameter, GeneralText(m_work.DetailDiameter(i)));
            item->setText(ColLength, GeneralText(m_work.DetailLength(i)));
        }
    }
    const int count = m_list->topLevelItemCount();
    m_bbDelete->setEnabled(count > 0);
    if (count > 0) {
        QTreeWidgetItem* last = m_list->topLevelItem(count - 1);
        m_list->setCurrentItem(last);
        m_list->scrollToItem(last);
    }
}

void InternalDetailsDialog::bbAddCylClick()
{
    if (!m_addCyl)
        m_addCyl = new CylinderDetailDialog(this);
    if (ShowModalCentred(*m_addCyl) != QDialog::Accepted)
        return;
    const CylinderDetailDialog::Input& input = m_addCyl->ReadInput();
    m_work.AddCylindricalDetail(input.bottomMm, input.topMm, input.diameterMm, input.lengthMm);
    m_detailsChanged = true;
    FillList();
}

void InternalDetailsDialog::bbAddAnyClick()
{
    if (!m_addAny)
        m_addAny = new AnyDetailDialog(this);
    if (ShowModalCentred(*m_addAny) != QDialog::Accepted)
        return;
    const AnyDetailDialog::Input& input = m_addAny->ReadInput();
    m_work.AddArbitraryDetail(input.volumeM3, input.bottomMm, input.topMm);
    m_detailsChanged = true;
    FillList();
}

void InternalDetailsDialog::bbDeleteClick()
{
    QTreeWidgetItem* selected = m_list->currentItem();
    if (!selected || !selected->isSelected())
        return;
    m_work.DeleteDetail(m_list->indexOfTopLevelItem(selected) + 1);
    m_detailsChanged = true;
    FillList();
}

void InternalDetailsDialog::ApplyToTank(TSteelVertCylTank& tank) const
{
    // Only a list the user changed is written: writing the list raises the
    // modified mark even when it comes out as it was.
    if (!m_detailsChanged)
        return;
    std::vector<InternalDetail> details;
    for (int i = 1; i <= m_work.DetailCount(); ++i)
        details.push_back(m_work.Detail(i));
    tank.ReplaceDetails(details);
}

bool InternalDetailsDialog::FormKeyDown(QKeyEvent& key)
{
    return CloseOnEscape(*this, key);
}

void OpenIntDetailsDlg(TankInspectorRows& rows)
{
    InternalDetailsDialog& dialog = rows.RowDialog<InternalDetailsDialog>(TankRow::InternalDetails);
    RunRowDialog(rows, TankRow::InternalDetails, dialog,
                 [&dialog](TSteelVertCylTank& tank) { dialog.ApplyToTank(tank); });
}

} // namespace veloquin
