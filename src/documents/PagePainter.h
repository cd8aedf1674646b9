#pragma once
// A canvas seen in page millimetres: the helpers every page-drawing routine
// shares (positions through MmToX / MmToY, pen widths and font heights through
// MmToLen, fonts sized for the canvas's resolution, the two text placements).
// The preview, the printer, the PDF and the command line all draw through it.

#include "Canvas.h"
#include "PageGeometry.h"

#include <string>

namespace veloquin {

namespace PageFonts {
extern const char* const Arial;
extern const char* const TimesNewRoman;
extern const char* const CourierNew;
} // namespace PageFonts

// The frame's sides: a page's content lies between them whatever its frame style.
constexpr double kFrameLeftMm = 25;
constexpr double kFrameRightMm = 200;

constexpr double kThinPenMm = 0.3;
constexpr double kHeavyPenMm = 0.7;
inline const QColor kWhiteBrush{0xFF, 0xFF, 0xFF};
inline const QColor kGreyBrush{0xEE, 0xEE, 0xEE};

// Size in points of a font whose characters are heightMm high on a canvas of
// dotsPerInch: round(MmToLen(h) x 72 / P).
int FontPointSize(const PageGeometry& geometry, double heightMm, int dotsPerInch);

class PagePainter
{
public:
    PagePainter(Canvas& canvas, const PageGeometry& geometry) : m_canvas(canvas), m_geometry(geometry) {}

    Canvas& canvas() { return m_canvas; }
    const PageGeometry& geometry() const { return m_geometry; }

    int MmToX(double xMm) const { return m_geometry.MmToX(xMm); }
    int MmToY(double yMm) const { return m_geometry.MmToY(yMm); }
    int MmToLen(double lengthMm) const { return m_geometry.MmToLen(lengthMm); }

    // A black pen widthMm wide.
    void SetPen(double widthMm, PenStyle style = PenStyle::Solid);
    void SetPenPixels(int widthPx, PenStyle style);
    void SetBrush(QColor colour) { m_canvas.SetBrush(colour); }
    void SetFont(const char* family, double heightMm, FontStyle style);

    void MoveTo(double xMm, double yMm);
    void LineTo(double xMm, double yMm);
    void Line(double x1Mm, double y1Mm, double x2Mm, double y2Mm);
    // The outline of a box as one closed line path: top-left, down, across, up, back.
    void BoxPath(double leftMm, double topMm, double rightMm, double bottomMm);
    void FillRect(double leftMm, double topMm, double rightMm, double bottomMm);
    // Filled with the brush and outlined with the pen.
    void Rectangle(double leftMm, double topMm, double rightMm, double bottomMm);

    // Texts are UTF-8; an empty text draws nothing.
    void Text(double xMm, double yMm, const std::string& text);
    void TextCentred(double leftMm, double rightMm, double yMm, const std::string& text);
    void TextRight(double rightMm, double yMm, const std::string& text);

    // The texts the user types into the sheet options (`field`: the object name
    // of the box), drawn as Text and TextCentred are, with the place on the
    // sheet each must stay within: a cell of a table or of the title block, or
    // from its start to the frame. A text that leaves its place is drawn all the
    // same (a page never drops what was typed), and the canvas is told by how
    // much it is too wide.
    void OptionText(const std::string& field, double xMm, double yMm, double placeRightMm, const std::string& text);
    void OptionTextCentred(const std::string& field, double leftMm, double rightMm, double yMm, const std::string& text);
    // A text already drawn at device x `leftPx`, page y `yMm`: tells the canvas if it leaves the place.
    void CheckPlace(const std::string& field, int leftPx, double yMm, const QString& text, double placeLeftMm,
                    double placeRightMm);

private:
    void NotePlace(const std::string& field, double leftPx, int widthPx, double yMm, double placeLeftMm,
                   double placeRightMm);

    Canvas& m_canvas;
    PageGeometry m_geometry;
    double m_fontHeightMm = 0; // of the font last set through SetFont
};

} // namespace veloquin
