#include "DialogSupport.h"

#include "AppFont.h"
#include "StringGrid.h"

#include <QAction>

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace veloquin {

void SetUpMeasurementDialog(QDialog& dialog, const QString& caption, const QSize& clientSize)
{
    dialog.setWindowTitle(caption);
    dialog.setFont(UiFont());
    dialog.setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    dialog.setFixedSize(clientSize);
    dialog.setModal(true);
    AddPressOkAction(dialog);
}

QPushButton* OkButtonOf(QDialog& dialog)
{
    const QList<QPushButton*> buttons = dialog.findChildren<QPushButton*>();
    for (QPushButton* button : buttons)
        if (button->isDefault())
            return button;
    for (QPushButton* button : buttons)
        if (button->objectName() == QLatin1String("btnOk") || button->objectName() == QLatin1String("OKBtn"))
            return button;
    return nullptr;
}

void AddPressOkAction(QDialog& dialog)
{
    auto* action = new QAction(&dialog);
    action->setObjectName(QStringLiteral("acPressOk"));
    action->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter),
                          QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Enter))});
    action->setShortcutContext(Qt::WindowShortcut);
    dialog.addAction(action);
    // The click goes through the button, so OK checks what it checks wherever the keys were pressed.
    QObject::connect(action, &QAction::triggered, &dialog, [&dialog] {
        if (QPushButton* ok = OkButtonOf(dialog); ok && ok->isEnabled() && ok->isVisible())
            ok->click();
    });
}

QLabel* AddDialogLabel(QWidget* parent, const QString& text, const QRect& geometry, const QString& objectName)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setGeometry(geometry);
    return label;
}

QLineEdit* AddDialogEdit(QWidget* parent, const QString& objectName, const QRect& geometry)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setGeometry(geometry);
    return edit;
}

QPushButton* AddDialogButton(QDialog& dialog, const QString& objectName, const QString& caption, const QRect& geometry,
                             int result)
{
    auto* button = new QPushButton(caption, &dialog);
    button->setObjectName(objectName);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, result] { dialog.done(result); });
    return button;
}

QPushButton* AddOkButton(QDialog& dialog, const QString& objectName, const QRect& geometry,
                         std::function<void()> onClick)
{
    auto* button = new QPushButton(QStringLiteral("OK"), &dialog);
    button->setObjectName(objectName);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    button->setDefault(true);
    QObject::connect(button, &QPushButton::clicked, &dialog, std::move(onClick));
    return button;
}

int ShowModalCentred(QDialog& dialog)
{
    const QScreen* screen = dialog.parentWidget() ? dialog.parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen)
        dialog.move(screen->availableGeometry().center() - dialog.rect().center());
    return dialog.exec();
}

KeyPreview::KeyPreview(QDialog& dialog, std::function<bool(QKeyEvent&)> handler)
    : QObject(&dialog), m_dialog(dialog), m_handler(std::move(handler))
{
    qApp->installEventFilter(this);
}

KeyPreview::~KeyPreview()
{
    qApp->removeEventFilter(this);
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    // A key a control passes on travels up to the dialog; the preview sees it
    // once, at the control with the focus (or at the dialog when none has it).
    const QWidget* receiver = m_dialog.focusWidget() ? m_dialog.focusWidget() : &m_dialog;
    if (watched != receiver)
        return false;
    // Esc first abandons the edit of a grid cell; only the next one is the dialog's.
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Escape && StringGrid::IsEditorWithPendingEdit(receiver))
        return false;
    return m_handler && m_handler(*static_cast<QKeyEvent*>(event));
}

bool CloseOnEscape(QDialog& dialog, const QKeyEvent& key)
{
    if (key.key() != Qt::Key_Escape)
        return false;
    dialog.reject();
    return true;
}

} // namespace veloquin
