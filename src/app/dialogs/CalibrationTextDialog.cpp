#include "CalibrationTextDialog.h"

#include "AppFont.h"
#include "CalibrationText.h"
#include "DialogSupport.h"
#include "GeneralErrorReport.h"

#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace veloquin {
namespace {

constexpr int kClientWidthPx = 467;
constexpr int kClientHeightPx = 402;
constexpr int kBorderPx = 3;
constexpr int kPanelHeightPx = 41;

} // namespace

CalibrationTextDialog::CalibrationTextDialog(QWidget* parent, TSteelVertCylTank& tank) : QDialog(parent), m_tank(tank)
{
    setWindowTitle(QStringLiteral("Градуировочная таблица"));
    setFont(UiFont());
    setFixedSize(kClientWidthPx, kClientHeightPx);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kBorderPx, kBorderPx, kBorderPx, kBorderPx);
    layout->setSpacing(0);

    m_memo = new QPlainTextEdit(this);
    m_memo->setReadOnly(true);
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab stops every eight average characters, as in a classic memo.
    m_memo->setTabStopDistance(8 * QFontMetrics(UiFont()).averageCharWidth());
    layout->addWidget(m_memo, 1);

    auto* panel = new QWidget(this);
    panel->setFixedHeight(kPanelHeightPx);
    m_ok = new QPushButton(QStringLiteral("OK"), panel);
    m_ok->setGeometry(12, 12, 75, 25);
    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(panel);
}

void CalibrationTextDialog::FillText()
{
    m_memo->clear();
    QString text = QString::fromStdString(CalibrationTableText(m_tank, "\n"));
    // Every line ends with a line break; the last one would add an empty line to the box.
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    m_memo->setPlainText(text);
    m_memo->moveCursor(QTextCursor::Start);
}

int CalibrationTextDialog::Execute()
{
    try {
        FillText();
    } catch (const TableTooLongError& error) {
        ReportGeneralError(parentWidget(), error);
        return QDialog::Rejected;
    }
    m_ok->setFocus();
    return ShowModalCentred(*this);
}

} // namespace veloquin
