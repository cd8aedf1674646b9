#pragma once
// The drawing surface of a page: what every page-drawing routine may do, in
// device pixels. QPainterCanvas draws onto any QPainter (the preview's page
// box, a QPrinter, a QPdfWriter, a QImage); RecordingCanvas (RecordingCanvas.h)
// keeps the calls for tests and checks without pixels.
//
// Conventions: a text position is the top-left corner of the text cell; texts
// are black and drawn without background; a rectangle given by (left, top,
// right, bottom) covers left <= x < right and top <= y < bottom.

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPen>
#include <QString>

#include <string>
#include <utility>

class QPainter;

namespace veloquin {

enum class FontStyle
{
    Regular,
    Bold,
    Italic
};

enum class PenStyle
{
    Solid,
    DashDot
};

// A text typed into the sheet options that is wider than its place on the
// sheet: the object name of its box, and by how much, in page millimetres.
// Where the text lies and the place it should keep to, also in page
// millimetres, let a screen mark it whatever its scale.
struct TextOverflow
{
    std::string field;
    double byMm = 0;
    double leftMm = 0;
    double rightMm = 0;
    double topMm = 0;
    double bottomMm = 0;
    double placeLeftMm = 0;
    double placeRightMm = 0;
};

class Canvas
{
public:
    virtual ~Canvas() = default;

    virtual void SetPen(QColor colour, int widthPx, PenStyle style) = 0;
    virtual void SetBrush(QColor colour) = 0;
    virtual void SetFont(const QString& family, int pointSize, FontStyle style) = 0;
    virtual void MoveTo(int x, int y) = 0;
    // A line from the current position, which then moves to (x, y).
    virtual void LineTo(int x, int y) = 0;
    // Filled with the brush and outlined with the pen.
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
    // Filled with the brush, no outline.
    virtual void FillRect(int left, int top, int right, int bottom) = 0;
    virtual void TextOut(int x, int y, const QString& text) = 0;
    virtual int TextWidth(const QString& text) = 0;
    // Of the device the fonts are sized for (the screen's in the preview, the printer's on paper).
    virtual int DotsPerInch() const = 0;
    // An option text that does not fit its place was drawn (all the same): a
    // canvas that checks pages keeps it, the others ignore it.
    virtual void NoteOverflow(const TextOverflow& overflow) { static_cast<void>(overflow); }
};

// The font a canvas draws with for a family, point size and style.
QFont CanvasFont(const QString& family, int pointSize, FontStyle style);

// Text centred between left and right (device units): x = left + round((right -
// left - w) / 2); a text wider than the cell starts left of `left`. Returns x
// and the width it measured.
std::pair<int, int> TextCentred(Canvas& canvas, int left, int right, int y, const QString& text);
// Text whose right edge is at `right`.
void TextRight(Canvas& canvas, int right, int y, const QString& text);

class QPainterCanvas : public Canvas
{
public:
    // The painter must be active on its device; it is used without any transform.
    explicit QPainterCanvas(QPainter& painter);

    void SetPen(QColor colour, int widthPx, PenStyle style) override;
    void SetBrush(QColor colour) override;
    void SetFont(const QString& family, int pointSize, FontStyle style) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void FillRect(int left, int top, int right, int bottom) override;
    void TextOut(int x, int y, const QString& text) override;
    int TextWidth(const QString& text) override;
    int DotsPerInch() const override;

private:
    QPainter& m_painter;
    QPen m_linePen;
    QPen m_textPen;
    QColor m_brush = Qt::white;
    QFontMetrics m_metrics;
    int m_x = 0;
    int m_y = 0;
};

} // namespace veloquin
