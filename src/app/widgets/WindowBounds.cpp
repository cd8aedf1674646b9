#include "WindowBounds.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

namespace veloquin {
namespace {

using Px = std::int64_t;

// A screen area in 64-bit pixels: stored bounds near the ends of the integer
// range must not overflow while they are compared.
struct Area
{
    Px left;
    Px top;
    Px right;  // one past the last column
    Px bottom; // one past the last row

    explicit Area(const QRect& rect)
        : left(rect.x()), top(rect.y()), right(Px(rect.x()) + rect.width()), bottom(Px(rect.y()) + rect.height())
    {
    }
    Px Width() const { return right - left; }
    Px Height() const { return bottom - top; }
};

Px Overlap(Px from1, Px to1, Px from2, Px to2)
{
    return std::max<Px>(0, std::min(to1, to2) - std::max(from1, from2));
}

Px Distance(Px value, Px from, Px to)
{
    if (value < from)
        return from - value;
    if (value >= to)
        return value - to + 1;
    return 0;
}

bool TitleBarOn(const Area& screen, Px left, Px top, Px width, Px titleBarPx)
{
    const Px needed = std::min<Px>(width, kMinVisibleTitlePx);
    return top >= screen.top && top + titleBarPx <= screen.bottom &&
           Overlap(left, left + width, screen.left, screen.right) >= needed;
}

// The screen a misplaced window belongs on: the one it covers most, or else the
// one nearest to the middle of its title bar.
const Area& NearestScreen(const std::vector<Area>& screens, Px left, Px top, Px width, Px height)
{
    const Area* best = &screens.front();
    Px bestCover = -1;
    Px bestDistance = std::numeric_limits<Px>::max();
    const Px middle = left + width / 2;
    for (const Area& screen : screens) {
        const Px cover = Overlap(left, left + width, screen.left, screen.right) *
                         Overlap(top, top + height, screen.top, screen.bottom);
        const Px distance = Distance(middle, screen.left, screen.right) + Distance(top, screen.top, screen.bottom);
        if (cover > bestCover || (cover == 0 && bestCover == 0 && distance < bestDistance)) {
            best = &screen;
            bestCover = cover;
            bestDistance = distance;
        }
    }
    return *best;
}

Px ClampInto(Px value, Px from, Px length, Px to)
{
    // A window as wide as the area (or wider) starts at the area's start.
    return std::clamp(value, from, std::max(from, to - length));
}

int ToInt(Px value)
{
    return static_cast<int>(std::clamp<Px>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// Sizes no screen shows are useless and cost memory; without any screen to
// measure, no window needs more than this.
constexpr Px kSizeLimitWithoutScreens = 16384;

} // namespace

QRect ClientRectFromOuter(const QRect& outer, const QMargins& frame)
{
    return QRect(outer.x() + frame.left(), outer.y() + frame.top(),
                 std::max(outer.width() - frame.left() - frame.right(), 0),
                 std::max(outer.height() - frame.top() - frame.bottom(), 0));
}

QRect OuterRectFromClient(const QRect& client, const QMargins& frame)
{
    return QRect(client.x() - frame.left(), client.y() - frame.top(), client.width() + frame.left() + frame.right(),
                 client.height() + frame.top() + frame.bottom());
}

QRect FitOuterBounds(const StoredBounds& stored, const QList<QRect>& screenRects, const QSize& minimum, int titleBarPx)
{
    std::vector<Area> screens;
    for (const QRect& rect : screenRects) {
        if (!rect.isEmpty())
            screens.emplace_back(rect);
    }
    Px maxWidth = kSizeLimitWithoutScreens;
    Px maxHeight = kSizeLimitWithoutScreens;
    if (!screens.empty()) {
        Area desktop = screens.front();
        for (const Area& screen : screens) {
            desktop.left = std::min(desktop.left, screen.left);
            desktop.top = std::min(desktop.top, screen.top);
            desktop.right = std::max(desktop.right, screen.right);
            desktop.bottom = std::max(desktop.bottom, screen.bottom);
        }
        maxWidth = desktop.Width();
        maxHeight = desktop.Height();
    }
    const Px width = std::clamp<Px>(stored.widthPx, minimum.width(), std::max<Px>(maxWidth, minimum.width()));
    const Px height = std::clamp<Px>(stored.heightPx, minimum.height(), std::max<Px>(maxHeight, minimum.height()));
    Px left = stored.leftPx;
    Px top = stored.topPx;

    if (!screens.empty()) {
        const bool onScreen = std::any_of(screens.begin(), screens.end(), [&](const Area& screen) {
            return TitleBarOn(screen, left, top, width, titleBarPx);
        });
        if (!onScreen) {
            const Area& screen = NearestScreen(screens, left, top, width, height);
            left = ClampInto(left, screen.left, width, screen.right);
            top = ClampInto(top, screen.top, height, screen.bottom);
        }
    }
    return QRect(ToInt(left), ToInt(top), ToInt(width), ToInt(height));
}

QList<QRect> AvailableScreenAreas()
{
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    return areas;
}

// --- OuterBounds ----------------------------------------------------------------

OuterBounds::OuterBounds(QWidget& window, const QSize& minimumOuter, int maximumOuterHeightPx)
    : QObject(&window), m_window(window), m_minimumOuter(minimumOuter), m_maximumOuterHeightPx(maximumOuterHeightPx)
{
    m_frameSource = [](const QWidget& widget) -> std::optional<QMargins> {
        const QWindow* handle = widget.windowHandle();
        if (!widget.isVisible() || !handle)
            return std::nullopt;
        const QMargins frame = handle->frameMargins();
        // A window manager decorates the window before it is exposed; an
        // exposed window without a frame has none.
        if (frame.isNull() && !handle->isExposed())
            return std::nullopt;
        return frame;
    };
    m_window.installEventFilter(this);
    ApplyMaximumHeight(QMargins());
}

void OuterBounds::SetFrameSource(FrameSource source)
{
    m_frameSource = std::move(source);
    m_appliedFrameKnown = false;
    CheckFrame();
}

QMargins OuterBounds::Frame() const
{
    if (const std::optional<QMargins> frame = m_frameSource(m_window))
        return *frame;
    return m_appliedFrame;
}

QRect OuterBounds::Current() const
{
    return OuterRectFromClient(m_window.geometry(), Frame());
}

void OuterBounds::Apply(const StoredBounds& stored)
{
    const int titleBarPx = std::max(Frame().top(), kNominalTitleBarPx);
    ApplyFitted(FitOuterBounds(stored, AvailableScreenAreas(), m_minimumOuter, titleBarPx));
}

void OuterBounds::ApplyFitted(const QRect& outer)
{
    m_wanted = outer;
    m_reappliesLeft = kMaxReapplies;
    const std::optional<QMargins> frame = m_frameSource(m_window);
    ApplyWith(frame ? *frame : m_appliedFrame, frame.has_value());
}

void OuterBounds::MoveFrameTo(const QPoint& topLeft)
{
    m_wanted.reset();
    m_pending = false;
    // Qt places a top-level window by its frame.
    m_window.move(topLeft);
}

void OuterBounds::ApplyMaximumHeight(const QMargins& frame)
{
    if (m_maximumOuterHeightPx > 0)
        m_window.setMaximumHeight(std::max(m_maximumOuterHeightPx - frame.top() - frame.bottom(), 1));
}

QRect OuterBounds::Wanted() const
{
    QRect outer = m_wanted.value_or(QRect());
    if (m_maximumOuterHeightPx > 0)
        outer.setHeight(std::min(outer.height(), m_maximumOuterHeightPx));
    return outer;
}

void OuterBounds::ApplyWith(const QMargins& frame, bool frameKnown)
{
    if (!m_wanted)
        return;
    const QRect outer = Wanted();
    ApplyMaximumHeight(frame);
    const QRect client = ClientRectFromOuter(outer, frame);
    if (frameKnown) {
        m_window.setGeometry(client);
    } else {
        // Before the window manager has framed the window, Qt places the frame
        // at the position given here; the size is corrected once the frame is known.
        m_window.move(outer.topLeft());
        m_window.resize(client.size());
    }
    m_placedClient = m_window.geometry();
    m_appliedFrame = frame;
    m_appliedFrameKnown = frameKnown;
    // Applied inside the real frame, the bounds are done with; where the window
    // manager or the user moves the window from there is theirs to decide.
    m_pending = !frameKnown;
}

void OuterBounds::CheckFrame()
{
    m_checkQueued = false;
    const std::optional<QMargins> frame = m_frameSource(m_window);
    if (!frame)
        return;
    if (m_pending) {
        ApplyWith(*frame, true);
        return;
    }
    if (m_appliedFrameKnown && *frame == m_appliedFrame)
        return;
    // A frame that changes later (a window manager that decorates late) still
    // counts while the window is where it was put; once the user has moved or
    // sized it, only the height limit follows the frame.
    if (m_wanted && m_window.geometry() == m_placedClient && m_reappliesLeft > 0) {
        --m_reappliesLeft;
        ApplyWith(*frame, true);
        return;
    }
    ApplyMaximumHeight(*frame);
    m_appliedFrame = *frame;
    m_appliedFrameKnown = true;
}

bool OuterBounds::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Show:
        if (watched == &m_window && m_window.windowHandle())
            m_window.windowHandle()->installEventFilter(this);
        [[fallthrough]];
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Expose:
        // The frame arrives with the window manager's own events: look at it
        // once they have been handled, never from inside them.
        if (!m_checkQueued) {
            m_checkQueued = true;
            QTimer::singleShot(0, this, &OuterBounds::CheckFrame);
        }
        break;
    case QEvent::Hide:
        if (watched == &m_window) {
            m_wanted.reset();
            m_pending = false;
        }
        break;
    default: break;
    }
    return false;
}

} // namespace veloquin
