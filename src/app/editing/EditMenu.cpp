#include "EditMenu.h"

#include "TankEditing.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace veloquin {
namespace {

QString StepCaption(const QString& verb, const QString& step)
{
    return step.isEmpty() ? verb : verb + QStringLiteral(": ") + step;
}

} // namespace

void AddEditMenu(QMainWindow& window, TankEditing& editing, std::function<void()> beforeStep)
{
    QUndoStack& stack = editing.Stack();
    const QString undoVerb = QStringLiteral("Отменить");
    const QString redoVerb = QStringLiteral("Повторить");

    auto* undo = new QAction(undoVerb, &window);
    undo->setObjectName(QStringLiteral("acUndo"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    auto* redo = new QAction(redoVerb, &window);
    redo->setObjectName(QStringLiteral("acRedo"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});

    const auto show = [undo, redo, &stack, undoVerb, redoVerb] {
        undo->setEnabled(stack.canUndo());
        undo->setText(StepCaption(undoVerb, stack.canUndo() ? stack.undoText() : QString()));
        redo->setEnabled(stack.canRedo());
        redo->setText(StepCaption(redoVerb, stack.canRedo() ? stack.redoText() : QString()));
    };
    show();
    QObject::connect(&stack, &QUndoStack::indexChanged, undo, show);
    QObject::connect(&stack, &QUndoStack::cleanChanged, undo, show);
    QObject::connect(undo, &QAction::triggered, &editing, [&editing, beforeStep] {
        if (beforeStep)
            beforeStep();
        editing.Undo();
    });
    QObject::connect(redo, &QAction::triggered, &editing, [&editing, beforeStep] {
        if (beforeStep)
            beforeStep();
        editing.Redo();
    });

    QMenuBar* bar = window.menuBar();
    auto* menu = new QMenu(QStringLiteral("&Правка"), bar);
    menu->setObjectName(QStringLiteral("EditMenu"));
    menu->addAction(undo);
    menu->addAction(redo);
    const QList<QAction*> menus = bar->actions();
    if (menus.size() > 1)
        bar->insertMenu(menus.at(1), menu);
    else
        bar->addMenu(menu);
}

} // namespace veloquin
