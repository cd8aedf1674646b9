#pragma once
// Window bounds as the settings file keeps them: the outer bounds, title bar and
// frame included, as the system the files come from counts them. Qt places a
// top-level window by its frame but sizes its inside, and learns the frame only
// once the window manager has decorated the window, so the conversion is done
// here, and done again when the frame becomes known.
//
// Bounds read from the file may be anything an integer holds (a careless hand
// edit, 2147483647): they are fitted to the screens before any window sees them.

#include <QList>
#include <QMargins>
#include <QObject>
#include <QRect>
#include <QSize>

#include <functional>
#include <optional>

class QWidget;

namespace veloquin {

// The inside of a window whose outer bounds are `outer`, and back.
QRect ClientRectFromOuter(const QRect& outer, const QMargins& frame);
QRect OuterRectFromClient(const QRect& client, const QMargins& frame);

// Outer bounds as stored, unchecked.
struct StoredBounds
{
    int leftPx = 0;
    int topPx = 0;
    int widthPx = 0;
    int heightPx = 0;
};

// Fits stored outer bounds to the screens' available areas: the size at most the
// virtual desktop (the areas' bounding rectangle) and at least `minimum`; the
// position kept while the title bar (the window's top `titleBarPx` rows, at
// least kMinVisibleTitlePx of its width) lies on a screen, otherwise the window
// is moved onto the screen nearest to it. Without screens only the size is limited.
QRect FitOuterBounds(const StoredBounds& stored, const QList<QRect>& screens, const QSize& minimum, int titleBarPx);
constexpr int kMinVisibleTitlePx = 40;
// The title bar height assumed while the frame is not known yet.
constexpr int kNominalTitleBarPx = 20;

// The available areas of all screens now attached.
QList<QRect> AvailableScreenAreas();

// Applies and reads back the outer bounds of one top-level window. Bounds
// applied before the frame is known are applied again, exactly, as soon as it
// is, so that the window ends up where the settings say, frame included.
class OuterBounds : public QObject
{
public:
    // The frame around a window, or nothing while it is not known (the window
    // not shown yet). Tests give a fixed frame; the default asks the platform.
    using FrameSource = std::function<std::optional<QMargins>(const QWidget&)>;

    // maximumOuterHeightPx 0: no limit.
    OuterBounds(QWidget& window, const QSize& minimumOuter, int maximumOuterHeightPx = 0);

    void SetFrameSource(FrameSource source);

    // Fits the stored bounds to the screens and applies them.
    void Apply(const StoredBounds& stored);
    // Applies outer bounds already fitted.
    void ApplyFitted(const QRect& outer);
    // Moves the window's frame to `topLeft` without touching its size (a
    // maximized window keeps its position only).
    void MoveFrameTo(const QPoint& topLeft);
    // The window's outer bounds now.
    QRect Current() const;
    // The frame as known now, or the best guess before that.
    QMargins Frame() const;
    // Whether the bounds last applied still wait for the frame to be known.
    bool Placing() const { return m_pending; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // How often a frame that changes later is taken into account.
    static constexpr int kMaxReapplies = 3;

    QRect Wanted() const;
    void ApplyWith(const QMargins& frame, bool frameKnown);
    void ApplyMaximumHeight(const QMargins& frame);
    void CheckFrame();

    QWidget& m_window;
    QSize m_minimumOuter;
    int m_maximumOuterHeightPx;
    FrameSource m_frameSource;
    // The outer bounds last asked for (until the window is hidden), whether they
    // wait for the frame to be known, and the inside the window was last given.
    std::optional<QRect> m_wanted;
    bool m_pending = false;
    int m_reappliesLeft = 0;
    QRect m_placedClient;
    // The frame the bounds were last converted with.
    QMargins m_appliedFrame;
    bool m_appliedFrameKnown = false;
    bool m_checkQueued = false;
};

} // namespace veloquin
