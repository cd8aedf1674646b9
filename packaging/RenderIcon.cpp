// Build-time tool: renders the program's SVG icon into the PNG sizes the
// hicolor icon theme keeps, so that desktops without an SVG loader show it too.
// usage: veloquin-render-icon ICON.svg OUT.png SIZE

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    bool sizeIsNumber = false;
    const int size = arguments.size() == 4 ? arguments.at(3).toInt(&sizeIsNumber) : 0;
    if (!sizeIsNumber || size <= 0) {
        std::fputs("usage: veloquin-render-icon ICON.svg OUT.png SIZE\n", stderr);
        return 2;
    }
    QSvgRenderer renderer(arguments.at(1));
    if (!renderer.isValid()) {
        std::fputs("veloquin-render-icon: not a readable SVG file\n", stderr);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    return image.save(arguments.at(2), "PNG") ? 0 : 1;
}
