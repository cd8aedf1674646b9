#pragma once
// A canvas that keeps every drawing call instead of pixels, with the real font
// metrics of a device of the given resolution (so centring and right alignment
// are what a printer at that resolution would get). The documents tests, the
// page checks against the samples, the app tests and the documents fuzzer read
// pages through it. Needs a QGuiApplication (fonts).

#include "MeasuringCanvas.h"

#include <vector>

namespace veloquin {

struct RecordedText
{
    int x = 0; // top-left of the text cell
    int y = 0;
    int width = 0;
    QString text;
    QString family;
    int pointSize = 0;
    FontStyle style = FontStyle::Regular;
};

struct RecordedLine
{
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int penWidth = 0;
    PenStyle penStyle = PenStyle::Solid;
    QColor colour;
};

// A FillRect (outlined false) or a Rectangle (outlined true).
struct RecordedFill
{
    int left = 0, top = 0, right = 0, bottom = 0;
    QColor colour;
    bool outlined = false;
};

class RecordingCanvas : public MeasuringCanvas
{
public:
    enum class CallKind
    {
        Text,
        Line,
        Fill
    };

    explicit RecordingCanvas(int dotsPerInch);

    void SetPen(QColor colour, int widthPx, PenStyle style) override;
    void SetBrush(QColor colour) override;
    void SetFont(const QString& family, int pointSize, FontStyle style) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void FillRect(int left, int top, int right, int bottom) override;
    void TextOut(int x, int y, const QString& text) override;

    const std::vector<RecordedText>& Texts() const { return m_texts; }
    const std::vector<RecordedLine>& Lines() const { return m_lines; }
    const std::vector<RecordedFill>& Fills() const { return m_fills; }
    // Every call in drawing order: its kind and its index in Texts(), Lines() or Fills().
    const std::vector<std::pair<CallKind, std::size_t>>& Order() const { return m_order; }
    void Clear();

private:
    QString m_family;
    int m_pointSize = 0;
    FontStyle m_style = FontStyle::Regular;
    QColor m_penColour = Qt::black;
    int m_penWidth = 1;
    PenStyle m_penStyle = PenStyle::Solid;
    QColor m_brush = Qt::white;
    int m_x = 0;
    int m_y = 0;
    std::vector<RecordedText> m_texts;
    std::vector<RecordedLine> m_lines;
    std::vector<RecordedFill> m_fills;
    std::vector<std::pair<CallKind, std::size_t>> m_order;
};

} // namespace veloquin
