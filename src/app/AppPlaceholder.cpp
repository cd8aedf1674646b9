// Keeps the application library non-empty until the windows arrive.
namespace veloquin {
int AppLibraryAnchor = 0;
}
