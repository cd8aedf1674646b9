#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Veloquin"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Veloquin 1.25"));
    window.show();
    return app.exec();
}
