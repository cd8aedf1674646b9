#include "PreviewWindow.h"

#include "AppContext.h"
#include "AppFont.h"
#include "Canvas.h"
#include "DialogSupport.h"
#include "FieldChecks.h"
#include "PageCaptions.h"
#include "PageGeometry.h"
#include "PreviewIcons.h"
#include "RowPaintBox.h"
#include "SheetOptionsDialog.h"
#include "PrintDialog.h"
#include "UnfitTextsQuestion.h"

#include <QAction>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QWheelEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>

namespace veloquin {
namespace {

const QColor kSheetBorder(0xC0, 0xC0, 0xC0);
// As the sheet options mark a box: pink over the text, red where it crosses its place.
const QColor kMarkFill(0xFF, 0x60, 0x60, 0x50);
const QColor kMarkLine(0xD0, 0x00, 0x00);
constexpr double kMarkPaddingMm = 0.6;

QString Utf8(const char* text)
{
    return QString::fromUtf8(text);
}

} // namespace

PreviewWindow::PreviewWindow(QWidget* parent, AppContext& context, SheetOptionsDialog& sheetOptions)
    : QDialog(parent), m_context(context), m_sheetOptions(sheetOptions)
{
    setObjectName(QStringLiteral("DrawForm"));
    setWindowTitle(QStringLiteral("Просмотр документа"));
    setFont(UiFont());
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    setSizeGripEnabled(false);

    CreateActions();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(CreateControlBar());
    layout->addWidget(CreatePagePanel(), 1);
    auto* statusBar = new QStatusBar(this);
    statusBar->setObjectName(QStringLiteral("StatusBar"));
    statusBar->setSizeGripEnabled(false);
    m_stStatusPage = new QLabel(statusBar);
    m_stStatusPage->setObjectName(QStringLiteral("stStatusPage"));
    m_stStatusJob = new QLabel(statusBar);
    m_stStatusJob->setObjectName(QStringLiteral("stStatusJob"));
    statusBar->addWidget(m_stStatusPage);
    statusBar->addWidget(m_stStatusJob, 1);
    layout->addWidget(statusBar);
    m_keyPreview = new KeyPreview(*this, [this](QKeyEvent& key) { return CloseOnEscape(*this, key); });

    // The window opens maximized. It is created as wide as the screen, but not
    // so wide that the sheet (62.5 % of the width high) would not fit under
    // the tool bars: the whole sheet shows at the first size.
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        resize(CreationSize(screen->availableGeometry().size()));
    const int heightPx = RoundToEven(width() / 1.6);
    SetPageSize(QSize(RoundToEven(heightPx * 0.707), heightPx));

    connect(&m_sheetOptions, &SheetOptionsDialog::RepaintPreview, this, &PreviewWindow::RepaintPage);
    // An undo in the sheet options changes the texts too.
    connect(&m_context.editing, &TankEditing::tankChanged, this, [this] { m_marksMeasured = false; });
    m_sheetOptions.SetPageActions(Action("acPageUp"), Action("acPageDown"));
}

PreviewWindow::~PreviewWindow() = default;

QSize PreviewWindow::CreationSize(const QSize& screenPx)
{
    const int roomForSheetPx = std::max(screenPx.height() - kChromeReservePx, 1);
    return QSize(std::min(screenPx.width(), RoundToEven(1.6 * roomForSheetPx)), screenPx.height());
}

// --- Construction -----------------------------------------------------------------

void PreviewWindow::CreateActions()
{
    const auto add = [this](const char* name, const char* caption, PreviewIcon icon, const QKeySequence& shortcut,
                            bool checkable) {
        auto* action = new QAction(PreviewCommandIcon(icon), Utf8(caption), this);
        action->setObjectName(QLatin1String(name));
        action->setToolTip(Utf8(caption));
        action->setShortcut(shortcut);
        action->setCheckable(checkable);
        addAction(action);
        return action;
    };
    connect(add("acZoomIn", "Увеличить", PreviewIcon::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_I), true),
            &QAction::triggered, this, &PreviewWindow::acZoomInExecute);
    connect(add("acZoomOut", "Уменьшить", PreviewIcon::ZoomOut, QKeySequence(Qt::CTRL | Qt::Key_O), true),
            &QAction::triggered, this, &PreviewWindow::acZoomOutExecute);
    connect(add("acHand", "Подвинуть", PreviewIcon::Hand, QKeySequence(Qt::CTRL | Qt::Key_H), true),
            &QAction::triggered, this, &PreviewWindow::acHandExecute);
    connect(add("acPrint", "Печать...", PreviewIcon::Print, QKeySequence(Qt::CTRL | Qt::Key_P), false),
            &QAction::triggered, this, &PreviewWindow::acPrintExecute);
    connect(add("acSheetOptions", "Параметры страницы", PreviewIcon::SheetOptions, QKeySequence(Qt::Key_F12), false),
            &QAction::triggered, this, &PreviewWindow::acSheetOptionsExecute);
    connect(add("acPageUp", "Предыдущая страница", PreviewIcon::PageUp, QKeySequence(Qt::Key_PageUp), false),
            &QAction::triggered, this, &PreviewWindow::acPageUpExecute);
    connect(add("acPageDown", "Следующая страница", PreviewIcon::PageDown, QKeySequence(Qt::Key_PageDown), false),
            &QAction::triggered, this, &PreviewWindow::acPageDownExecute);
    connect(add("acFirstPage", "Первая страница", PreviewIcon::PageUp, QKeySequence(Qt::Key_Home), false),
            &QAction::triggered, this, &PreviewWindow::acFirstPageExecute);
    connect(add("acLastPage", "Последняя страница", PreviewIcon::PageDown, QKeySequence(Qt::Key_End), false),
            &QAction::triggered, this, &PreviewWindow::acLastPageExecute);
    connect(add("acZoomActualSize", "Масштаб 100 %", PreviewIcon::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_1), false),
            &QAction::triggered, this, &PreviewWindow::acZoomActualSizeExecute);
    connect(add("acZoomPageWidth", "По ширине страницы", PreviewIcon::ZoomOut, QKeySequence(Qt::CTRL | Qt::Key_2),
                false),
            &QAction::triggered, this, &PreviewWindow::acZoomPageWidthExecute);
    for (const char* name : {"acZoomActualSize", "acZoomPageWidth"}) {
        // Text buttons: the two sizes are told apart by their words, not by a picture.
        Action(name)->setIcon(QIcon());
    }
}

QAction* PreviewWindow::Action(const char* name) const
{
    return findChild<QAction*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
}

QWidget* PreviewWindow::CreateControlBar()
{
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("ControlBarMain"));
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->setSpacing(6);
    const auto makeBar = [bar](const char* name) {
        auto* toolBar = new QToolBar(bar);
        toolBar->setObjectName(QLatin1String(name));
        toolBar->setIconSize(QSize(16, 16));
        toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
        toolBar->setMovable(false);
        return toolBar;
    };
    QToolBar* toolBar3 = makeBar("ToolBar3");
    toolBar3->addAction(Action("acZoomIn"));
    toolBar3->addAction(Action("acZoomOut"));
    toolBar3->addSeparator();
    toolBar3->addAction(Action("acHand"));
    layout->addWidget(toolBar3);

    QToolBar* toolBar1 = makeBar("ToolBar1");
    toolBar1->addAction(Action("acPrint"));
    toolBar1->addSeparator();
    toolBar1->addAction(Action("acSheetOptions"));
    toolBar1->addSeparator();
    toolBar1->addAction(Action("acPageUp"));
    toolBar1->addAction(Action("acPageDown"));
    toolBar1->addSeparator();
    toolBar1->addAction(Action("acZoomActualSize"));
    toolBar1->addAction(Action("acZoomPageWidth"));
    toolBar1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    layout->addWidget(toolBar1);

    auto* goTo = new QLabel(QStringLiteral("Перейти к странице:"), bar);
    m_edGoToPage = new QLineEdit(bar);
    m_edGoToPage->setObjectName(QStringLiteral("edGoToPage"));
    m_edGoToPage->setValidator(new QIntValidator(1, 99999, m_edGoToPage));
    m_edGoToPage->setFixedWidth(56);
    goTo->setBuddy(m_edGoToPage);
    connect(m_edGoToPage, &QLineEdit::returnPressed, this, &PreviewWindow::edGoToPageReturn);
    m_edGoToPage->installEventFilter(this);
    layout->addWidget(goTo);
    layout->addWidget(m_edGoToPage);

    m_toolBar2 = makeBar("ToolBar2");
    m_stDocName = NewCaptionText(m_toolBar2, "stDocName", DocumentCaption(DocKind::Calibration));
    m_stPageNumber = NewCaptionText(m_toolBar2, "stPageNumber", PageNumberCaption(1));
    m_toolBar2->addWidget(m_stDocName);
    m_toolBar2->addWidget(m_stPageNumber);
    layout->addWidget(m_toolBar2);
    layout->addStretch(1);
    return bar;
}

QWidget* PreviewWindow::CreatePagePanel()
{
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(1, 1, 1, 1);

    m_scrollBox = new QScrollArea(panel);
    m_scrollBox->setObjectName(QStringLiteral("ScrollBoxDraw"));
    m_scrollBox->setFrameShape(QFrame::NoFrame);
    m_scrollBox->setWidgetResizable(false);
    m_scrollContent = new QWidget;
    m_scrollContent->setObjectName(QStringLiteral("ScrollBoxContent"));
    m_scrollBox->setWidget(m_scrollContent);
    m_scrollBox->viewport()->installEventFilter(this);
    layout->addWidget(m_scrollBox);

    // The shadow lies under the sheet, 4 px right of and below it.
    m_pbBlack = new RowPaintBox(m_scrollContent);
    m_pbBlack->setObjectName(QStringLiteral("pbBlack"));
    m_pbBlack->onPaint = [this](QPainter& painter) { pbBlackPaint(painter); };
    m_pbPage = new RowPaintBox(m_scrollContent);
    m_pbPage->setObjectName(QStringLiteral("pbPage"));
    m_pbPage->onPaint = [this](QPainter& painter) { pbPagePaint(painter); };
    m_pbPage->onMousePress = [this](QMouseEvent& event) { pbPageMouseDown(event); };
    m_pbPage->onMouseRelease = [this](QMouseEvent& event) { pbPageMouseUp(event); };
    m_pbPage->raise();
    m_pbPage->setFocusPolicy(Qt::ClickFocus);
    m_pbPage->installEventFilter(this);
    return panel;
}

QWidget* PreviewWindow::PageBox() const
{
    return m_pbPage;
}

QWidget* PreviewWindow::ShadowBox() const
{
    return m_pbBlack;
}

// --- Showing ------------------------------------------------------------------------

int PreviewWindow::Execute()
{
    m_renderer.reset();
    m_marksMeasured = false;
    KeepSelectionInTheSet();
    ForgetReports();
    setWindowState(windowState() | Qt::WindowMaximized);
    return exec();
}

void PreviewWindow::KeepSelectionInTheSet()
{
    DocumentSelection& selection = m_context.documents;
    selection.docPageCount = PageCountOf(m_context.Tank(), selection.docKind);
    selection.curPage = std::clamp(selection.curPage, 1, std::max(selection.docPageCount, 1));
}

void PreviewWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    UpdatePageCaptions();
    PageLayout();
    // The keys page through the set from the start: the go-to box is not the
    // first to take them.
    m_pbPage->setFocus();
    if (m_textOnShow) {
        // After the window is up: the sheet options open above it.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (const std::optional<UnfitText> text = std::exchange(m_textOnShow, std::nullopt))
                    GoToText(*text);
            },
            Qt::QueuedConnection);
    }
}

void PreviewWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    PageLayout();
}

void PreviewWindow::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        PageLayout();
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event)
{
    // An empty go-to box has no text to move in: Home and End page the set.
    if (watched == m_edGoToPage && event->type() == QEvent::ShortcutOverride && m_edGoToPage->text().isEmpty()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Home || key == Qt::Key_End)
            return true;
    }
    // Scroll bars that come or go change the room the sheet has, but the user
    // keeps the part of the sheet he scrolled to.
    if (watched == m_pbPage && event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (ShowMarkToolTip(help->pos(), help->globalPos()))
            return true;
    }
    // Ctrl with the wheel zooms a step, as in every viewer; the wheel alone scrolls.
    if (event->type() == QEvent::Wheel && (watched == m_scrollBox->viewport() || watched == m_pbPage)) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            const int delta = wheel->angleDelta().y();
            m_clickRelX = m_clickRelY = 0.5;
            if (delta > 0)
                ZoomIn();
            else if (delta < 0)
                ZoomOut();
            return true;
        }
    }
    if (watched == m_scrollBox->viewport() && event->type() == QEvent::Resize && !m_inLayout) {
        m_inLayout = true;
        LayOutPage(false);
        m_inLayout = false;
    }
    return QDialog::eventFilter(watched, event);
}

// --- Page layout and zoom -------------------------------------------------------------

void PreviewWindow::SetPageSize(const QSize& size)
{
    m_pbPage->resize(size);
    m_pbBlack->resize(size);
}

void PreviewWindow::PageLayout()
{
    if (m_inLayout)
        return;
    m_inLayout = true;
    LayOutPage(true);
    m_inLayout = false;
}

// A sheet narrower than the room is centred across it; a wider one gets a
// margin of 20 px on both sides and (when resetScroll) is scrolled to its left
// edge. The same down the sheet.
void PreviewWindow::LayOutPage(bool resetScroll)
{
    const QSize room = m_scrollBox->viewport()->size();
    const QSize page = m_pbPage->size();
    int left = kScrollMarginPx;
    int top = kScrollMarginPx;
    QSize content(page.width() + 2 * kScrollMarginPx, page.height() + 2 * kScrollMarginPx);
    const bool wide = page.width() >= room.width();
    const bool tall = page.height() >= room.height();
    if (!wide) {
        left = RoundToEven((room.width() - page.width()) / 2.0);
        content.setWidth(room.width());
    }
    if (!tall) {
        top = RoundToEven((room.height() - page.height()) / 2.0);
        content.setHeight(room.height());
    }
    m_scrollContent->resize(content);
    if (wide && resetScroll)
        m_scrollBox->horizontalScrollBar()->setValue(0);
    if (tall && resetScroll)
        m_scrollBox->verticalScrollBar()->setValue(0);
    m_pbPage->move(left, top);
    m_pbBlack->move(left + kShadowPx, top + kShadowPx);
}

void PreviewWindow::ZoomIn()
{
    if (m_zoomLevel >= kMaxZoomLevel)
        return;
    SetPageSize(m_pbPage->size() * 2);
    ++m_zoomLevel;
    PageLayout();
    UpdateZoomActions();
}

void PreviewWindow::ZoomOut()
{
    if (m_zoomLevel <= 0)
        return;
    const QSize page = m_pbPage->size();
    SetPageSize(QSize(RoundToEven(page.width() / 2.0), RoundToEven(page.height() / 2.0)));
    --m_zoomLevel;
    PageLayout();
    UpdateZoomActions();
}

void PreviewWindow::UpdateZoomActions()
{
    QAction* zoomIn = Action("acZoomIn");
    QAction* zoomOut = Action("acZoomOut");
    zoomIn->setEnabled(m_zoomLevel < kMaxZoomLevel);
    zoomOut->setEnabled(m_zoomLevel > 0);
    if (m_zoomLevel == 0 && zoomOut->isChecked()) {
        zoomOut->setChecked(false);
        SetPageCursor(Qt::ArrowCursor);
    }
    if (m_zoomLevel == kMaxZoomLevel && zoomIn->isChecked()) {
        zoomIn->setChecked(false);
        SetPageCursor(Qt::ArrowCursor);
    }
    // Bring the clicked part of the sheet into view.
    const QSize room = m_scrollBox->viewport()->size();
    const QSize page = m_pbPage->size();
    if (room.width() < page.width())
        m_scrollBox->horizontalScrollBar()->setValue(RoundToEven(m_scrollBox->width() * m_clickRelX));
    if (room.height() < page.height())
        m_scrollBox->verticalScrollBar()->setValue(RoundToEven(m_scrollBox->height() * m_clickRelY));
}

void PreviewWindow::SetPageCursor(Qt::CursorShape shape)
{
    m_pbPage->setCursor(shape);
}

// --- Tools ----------------------------------------------------------------------------

// A tool action checks itself when triggered; `checked` is its new state.
void PreviewWindow::acZoomInExecute(bool checked)
{
    if (checked) {
        Action("acZoomOut")->setChecked(false);
        SetPageCursor(Qt::PointingHandCursor);
    } else {
        SetPageCursor(Qt::ArrowCursor);
    }
    Action("acHand")->setChecked(false);
}

void PreviewWindow::acZoomOutExecute(bool checked)
{
    if (checked) {
        Action("acZoomIn")->setChecked(false);
        SetPageCursor(Qt::PointingHandCursor);
    } else {
        SetPageCursor(Qt::ArrowCursor);
    }
    Action("acHand")->setChecked(false);
}

void PreviewWindow::acHandExecute(bool checked)
{
    if (checked) {
        Action("acZoomIn")->setChecked(false);
        Action("acZoomOut")->setChecked(false);
        SetPageCursor(Qt::SizeAllCursor);
    } else {
        SetPageCursor(Qt::ArrowCursor);
    }
}

void PreviewWindow::pbPageMouseDown(const QMouseEvent& event)
{
    const QPoint at = event.position().toPoint();
    m_clickRelX = double(at.x()) / std::max(m_pbPage->width(), 1);
    m_clickRelY = double(at.y()) / std::max(m_pbPage->height(), 1);
    if (Action("acZoomIn")->isChecked())
        ZoomIn();
    else if (Action("acZoomOut")->isChecked())
        ZoomOut();
    m_clickPx = at;
}

// The sheet moves once, on release, by the distance dragged.
void PreviewWindow::pbPageMouseUp(const QMouseEvent& event)
{
    if (!Action("acHand")->isChecked())
        return;
    const QPoint at = event.position().toPoint();
    const QSize room = m_scrollBox->viewport()->size();
    const QSize page = m_pbPage->size();
    if (room.width() < page.width()) {
        QScrollBar* bar = m_scrollBox->horizontalScrollBar();
        bar->setValue(bar->value() + m_clickPx.x() - at.x());
    }
    if (room.height() < page.height()) {
        QScrollBar* bar = m_scrollBox->verticalScrollBar();
        bar->setValue(bar->value() + m_clickPx.y() - at.y());
    }
}

// --- Painting -------------------------------------------------------------------------

void PreviewWindow::pbPagePaint(QPainter& painter)
{
    const int widthPx = m_pbPage->width();
    const int heightPx = m_pbPage->height();
    painter.setPen(QPen(kSheetBorder, 0));
    painter.setBrush(Qt::white);
    painter.drawRect(0, 0, widthPx - 1, heightPx - 1);
    painter.setBrush(Qt::NoBrush);

    QPainterCanvas canvas(painter);
    // The page as it prints: its own options, whatever page was shown before.
    const DocumentSelection& selection = m_context.documents;
    const PageOptions options = ResolvedPageOptions(m_context.Tank(), GlobalPageNumber(m_context.Tank(), selection));
    const PageGeometry geometry = PageGeometry::ForPreview(widthPx, heightPx);
    const DrawnPageResult drawn = Renderer().Draw(canvas, geometry, options, selection.docKind, selection.curPage);
    if (!m_marksMeasured) {
        m_marks = PageOptionTextOverflows(Renderer(), options, selection.docKind, selection.curPage);
        m_marksMeasured = true;
    }
    PaintMarks(painter, geometry);
    ShowReportsOnce(drawn.reports);
}

QRect PreviewWindow::MarkRect(const TextOverflow& mark, const PageGeometry& geometry) const
{
    const QPoint topLeft(geometry.MmToX(mark.leftMm - kMarkPaddingMm), geometry.MmToY(mark.topMm - kMarkPaddingMm));
    const QPoint bottomRight(geometry.MmToX(mark.rightMm + kMarkPaddingMm),
                             geometry.MmToY(mark.bottomMm + 2 * kMarkPaddingMm));
    return QRect(topLeft, bottomRight);
}

void PreviewWindow::PaintMarks(QPainter& painter, const PageGeometry& geometry)
{
    if (m_marks.empty())
        return;
    painter.save();
    for (const TextOverflow& mark : m_marks) {
        const QRect box = MarkRect(mark, geometry);
        painter.setPen(QPen(kMarkLine, 0));
        painter.setBrush(kMarkFill);
        painter.drawRect(box);
        // A bar on each side of its place the text crosses.
        painter.setPen(QPen(kMarkLine, 3));
        for (const auto& [crossed, edgeMm] : {std::pair{mark.leftMm < mark.placeLeftMm, mark.placeLeftMm},
                                              std::pair{mark.rightMm > mark.placeRightMm, mark.placeRightMm}}) {
            if (crossed) {
                const int x = geometry.MmToX(edgeMm);
                painter.drawLine(x, box.top(), x, box.bottom());
            }
        }
    }
    painter.restore();
}

bool PreviewWindow::ShowMarkToolTip(const QPoint& at, const QPoint& globalAt)
{
    const PageGeometry geometry = PageGeometry::ForPreview(m_pbPage->width(), m_pbPage->height());
    for (const TextOverflow& mark : m_marks) {
        if (MarkRect(mark, geometry).contains(at)) {
            const OptionTextLabel label = OptionTextLabelOf(mark.field);
            const QString name = QStringLiteral("«%1» («%2»). ")
                                     .arg(QString::fromStdString(label.name), QString::fromStdString(label.tab));
            QToolTip::showText(globalAt, name + UnfitTextToolTip(mark.byMm), m_pbPage);
            return true;
        }
    }
    QToolTip::hideText();
    return false;
}

DocumentRenderer& PreviewWindow::Renderer()
{
    // The levels of the girdles do not change while the window is open (only
    // the sheet options do, and they are resolved anew for every paint).
    if (!m_renderer)
        m_renderer = std::make_unique<DocumentRenderer>(m_context.Tank());
    return *m_renderer;
}

void PreviewWindow::pbBlackPaint(QPainter& painter)
{
    const int widthPx = m_pbBlack->width();
    const int heightPx = m_pbBlack->height();
    painter.fillRect(QRect(QPoint(widthPx - kShadowPx, 0), QPoint(widthPx - 1, heightPx - 1)), Qt::black);
    painter.fillRect(QRect(QPoint(kShadowPx, heightPx - kShadowPx), QPoint(widthPx - kShadowPx - 1, heightPx - 1)),
                     Qt::black);
}

void PreviewWindow::ShowReportsOnce(const PageReports& reports)
{
    const DocumentSelection& selection = m_context.documents;
    const bool samePage =
        m_reportsShown && m_reportedPage.docKind == selection.docKind && m_reportedPage.curPage == selection.curPage;
    if (reports.empty() || (samePage && reports == m_reported))
        return;
    m_reportsShown = true;
    m_reportedPage = selection;
    m_reported = reports;
    // Shown after the paint event has ended: a modal box inside painting is not survivable.
    QMetaObject::invokeMethod(
        this, [reports] { ForwardReports(reports); }, Qt::QueuedConnection);
}

void PreviewWindow::ForgetReports()
{
    m_reportsShown = false;
    m_reported.clear();
}

void PreviewWindow::RepaintPage()
{
    m_marksMeasured = false;
    m_pbPage->repaint();
}

// --- Paging and captions ----------------------------------------------------------------

void PreviewWindow::ShowPage()
{
    ForgetReports();
    UpdatePageCaptions();
    RepaintPage();
}

void PreviewWindow::acPageUpExecute()
{
    if (SelectPreviousPage(m_context.Tank(), m_context.documents))
        ShowPage();
}

void PreviewWindow::acPageDownExecute()
{
    if (SelectNextPage(m_context.Tank(), m_context.documents))
        ShowPage();
}

bool PreviewWindow::GoToPage(int globalPage)
{
    const TSteelVertCylTank& tank = m_context.Tank();
    if (globalPage < 1 || globalPage > DocumentSetPageCount(tank))
        return false;
    SelectGlobalPage(tank, m_context.documents, globalPage);
    ShowPage();
    return true;
}

void PreviewWindow::acFirstPageExecute()
{
    GoToPage(1);
}

void PreviewWindow::acLastPageExecute()
{
    GoToPage(DocumentSetPageCount(m_context.Tank()));
}

void PreviewWindow::edGoToPageReturn()
{
    const int count = DocumentSetPageCount(m_context.Tank());
    if (!GoToPage(m_edGoToPage->text().toInt())) {
        // Said where the eye is, and the number left to be corrected.
        m_stStatusJob->setText(QStringLiteral("Страницы %1 нет: в комплекте %2 стр.").arg(m_edGoToPage->text()).arg(count));
        m_edGoToPage->selectAll();
        return;
    }
    m_stStatusJob->clear();
    m_edGoToPage->clear();
    m_pbPage->setFocus();
}

void PreviewWindow::SetZoomedPageSize(const QSize& size)
{
    SetPageSize(size.expandedTo(QSize(2, 2)));
    // A size of its own counts as the middle step: one more zoom each way.
    m_zoomLevel = 1;
    PageLayout();
    UpdateZoomActions();
}

void PreviewWindow::acZoomActualSizeExecute()
{
    // 210 x 297 mm at the screen's resolution.
    const double dotsPerMm = m_pbPage->logicalDpiX() / 25.4;
    SetZoomedPageSize(QSize(RoundToEven(210 * dotsPerMm), RoundToEven(297 * dotsPerMm)));
}

void PreviewWindow::acZoomPageWidthExecute()
{
    const int room = m_scrollBox->viewport()->width() - 2 * kScrollMarginPx - kShadowPx;
    const int width = std::max(room, 2);
    SetZoomedPageSize(QSize(width, RoundToEven(width * 297 / 210.0)));
}

QString PreviewWindow::StatusPageText() const
{
    return m_stStatusPage->text();
}

QString PreviewWindow::StatusJobText() const
{
    return m_stStatusJob->text();
}

void PreviewWindow::UpdatePageCaptions()
{
    const DocumentSelection& selection = m_context.documents;
    // The protocol's first page opens the set, the outline's last page ends it.
    Action("acPageUp")->setEnabled(!(selection.docKind == DocKind::Protocol && selection.curPage <= 1));
    Action("acPageDown")
        ->setEnabled(!(selection.docKind == DocKind::Outline && selection.curPage >= selection.docPageCount));

    const QString pageNumber = PageNumberCaption(GlobalPageNumber(m_context.Tank(), selection));
    SetCaptionText(*m_stPageNumber, pageNumber);
    m_sheetOptions.SetPageNumberText(pageNumber);
    // The captions fit their texts, and the tool bar holding them follows.
    SetCaptionText(*m_stDocName, DocumentCaption(selection.docKind));
    m_stStatusPage->setText(QStringLiteral("Страница %1 из %2")
                                .arg(GlobalPageNumber(m_context.Tank(), selection))
                                .arg(DocumentSetPageCount(m_context.Tank())));
    Action("acFirstPage")->setEnabled(Action("acPageUp")->isEnabled());
    Action("acLastPage")->setEnabled(Action("acPageDown")->isEnabled());
    m_sheetOptions.LoadPageOptions();
}

// --- Printing and sheet options -----------------------------------------------------------

void PreviewWindow::acPrintExecute()
{
    if (!ConfirmOutputDespiteErrors(this))
        return;
    if (!m_printDlg) {
        m_printDlg = new PrintDialog(this, m_context, m_sheetOptions);
        connect(m_printDlg, &PrintDialog::JobDone, m_stStatusJob, &QLabel::setText);
    }
    m_stStatusJob->clear();
    m_printDlg->Execute();
    RepaintPage();
    if (const std::optional<UnfitText> text = m_printDlg->TakeTextToFix())
        GoToText(*text);
}

void PreviewWindow::GoToText(const UnfitText& text)
{
    if (!text.pages.empty())
        GoToPage(text.pages.front());
    m_sheetOptions.ExecuteAt(text.field);
    RepaintPage();
}

void PreviewWindow::GoToTextOnShow(const UnfitText& text)
{
    m_textOnShow = text;
}

void PreviewWindow::acSheetOptionsExecute()
{
    m_sheetOptions.Execute();
    RepaintPage();
}

} // namespace veloquin
