#include "GridClipboardActions.h"

#include "IconPalette.h"

#include <QAction>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace veloquin {
namespace {

using namespace icon_palette;

const QColor kSelection(90, 150, 220);
const QColor kClip(170, 120, 70);

void DrawSheet(QPainter& p, const QRectF& sheet)
{
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kPaper);
    p.drawRect(sheet);
    p.setPen(QPen(kBlue, 1));
    for (double y = sheet.top() + 3; y < sheet.bottom() - 1; y += 2)
        p.drawLine(QPointF(sheet.left() + 2, y), QPointF(sheet.right() - 2, y));
}

void DrawSelectAll(QPainter& p)
{
    // A small grid whose every cell is selected, inside a dashed frame.
    p.fillRect(QRectF(3, 3, 12, 12), kSelection);
    p.setPen(QPen(kPaper, 1));
    for (double v = 7.5; v < 15; v += 4) {
        p.drawLine(QPointF(3, v), QPointF(15, v));
        p.drawLine(QPointF(v, 3), QPointF(v, 15));
    }
    QPen dashed(kOutline, 1);
    dashed.setDashPattern({2, 2});
    p.setPen(dashed);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1.5, 1.5, 15, 15));
}

void DrawCopy(QPainter& p)
{
    DrawSheet(p, QRectF(1.5, 1.5, 9, 11));
    DrawSheet(p, QRectF(7.5, 5.5, 9, 11));
}

void DrawCut(QPainter& p)
{
    // Scissors: two blades crossing above two rings.
    p.setPen(QPen(kOutline, 1.4));
    p.drawLine(QPointF(6, 2), QPointF(11, 11));
    p.drawLine(QPointF(12, 2), QPointF(7, 11));
    p.setPen(QPen(kBlue, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(3, 11, 5, 5));
    p.drawEllipse(QRectF(10, 11, 5, 5));
}

void DrawPaste(QPainter& p)
{
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kClip);
    p.drawRoundedRect(QRectF(1.5, 2.5, 11, 14), 1, 1);
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(4.5, 1.5, 5, 3));
    DrawSheet(p, QRectF(7.5, 6.5, 9, 10));
}

QPixmap Render(GridCommand command)
{
    const int size = GridToolBar::kImageSizePx;
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (command) {
    case GridCommand::SelectAll: DrawSelectAll(painter); break;
    case GridCommand::Copy: DrawCopy(painter); break;
    case GridCommand::Cut: DrawCut(painter); break;
    case GridCommand::Paste: DrawPaste(painter); break;
    }
    return pixmap;
}

QAction* MakeAction(QWidget* dialog, const char* name, const QString& caption, const QKeySequence& shortcut,
                    GridCommand command)
{
    auto* action = new QAction(GridCommandIcon(command), caption, dialog);
    action->setObjectName(QString::fromLatin1(name));
    action->setToolTip(caption);
    action->setStatusTip(caption);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    dialog->addAction(action);
    return action;
}

} // namespace

QIcon GridCommandIcon(GridCommand command)
{
    return QIcon(Render(command));
}

GridClipboardActions CreateGridClipboardActions(QWidget* dialog)
{
    GridClipboardActions actions;
    actions.acSelAll = MakeAction(dialog, "acSelAll", QStringLiteral("Выделить все"),
                                  QKeySequence(Qt::CTRL | Qt::Key_A), GridCommand::SelectAll);
    actions.acCopy = MakeAction(dialog, "acCopy", QStringLiteral("Копировать"), QKeySequence(Qt::CTRL | Qt::Key_C),
                                GridCommand::Copy);
    actions.acCut =
        MakeAction(dialog, "acCut", QStringLiteral("Вырезать"), QKeySequence(Qt::CTRL | Qt::Key_X), GridCommand::Cut);
    actions.acPaste = MakeAction(dialog, "acPaste", QStringLiteral("Вставить"), QKeySequence(Qt::CTRL | Qt::Key_V),
                                 GridCommand::Paste);
    actions.toolBar = new GridToolBar(dialog, actions);
    return actions;
}

GridToolBar::GridToolBar(QWidget* parent, const GridClipboardActions& actions) : QWidget(parent)
{
    setObjectName(QStringLiteral("ToolBar1"));
    setFixedSize(kWidthPx, kHeightPx);
    int x = 0;
    auto addButton = [this, &x](QAction* action) {
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("tb") + action->objectName().mid(2));
        button->setDefaultAction(action);
        button->setAutoRaise(true);
        button->setIconSize(QSize(kImageSizePx, kImageSizePx));
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(x, 2, kButtonWidthPx, kButtonHeightPx);
        x += kButtonWidthPx;
    };
    addButton(actions.acSelAll);
    x += kSeparatorWidthPx;
    addButton(actions.acCopy);
    addButton(actions.acCut);
    addButton(actions.acPaste);
}

void GridToolBar::paintEvent(QPaintEvent* /*event*/)
{
    // The separator: an etched line in the middle of its gap.
    QPainter painter(this);
    const int x = kButtonWidthPx + kSeparatorWidthPx / 2 - 1;
    painter.fillRect(x, 4, 1, kButtonHeightPx - 4, palette().color(QPalette::Mid));
    painter.fillRect(x + 1, 4, 1, kButtonHeightPx - 4, palette().color(QPalette::Light));
}

} // namespace veloquin
