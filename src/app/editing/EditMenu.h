#pragma once
// The "Правка" menu of the main window: undo and redo of the tank's steps, their
// captions naming the step ("Отменить: Высоты поясов").

#include <functional>

class QMainWindow;

namespace veloquin {

class TankEditing;

// Adds the menu after the window's first menu, with the actions "acUndo" (Ctrl+Z)
// and "acRedo" (Ctrl+Shift+Z, Ctrl+Y), children of the window. beforeStep runs
// before each undo or redo (a value still in an editor belongs to the tank first).
void AddEditMenu(QMainWindow& window, TankEditing& editing, std::function<void()> beforeStep);

} // namespace veloquin
