#pragma once
// The page preview: one page of the document set at a time on a white sheet
// with a shadow, drawn by the same page drawing as the printer. The user pages
// through the whole set (protocol, calibration table, outline), zooms in three
// steps by clicking with a zoom tool, drags the sheet with the hand tool, opens
// the sheet options of the page and prints. Created on the first document
// command, kept until the program ends, shown modally and maximized.
//
// A text of the sheet options that does not fit its place is marked on the
// sheet (on the screen only: the page printed is drawn elsewhere), measured as
// the PDF draws it, so the marks agree with the sheet options and with the
// question before printing.
//
// Painting never opens a message box: what the engine reports while a page is
// drawn is shown once, after the paint event, and not again while the same
// page is repainted.

#include "DocumentSet.h"
#include "PageDrawing.h"
#include "PageTextFit.h"

#include <QDialog>
#include <QSize>

#include <memory>
#include <optional>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QScrollArea;
class QToolBar;

namespace veloquin {

struct AppContext;
class KeyPreview;
class RowPaintBox;
class PrintDialog;
class SheetOptionsDialog;

class PreviewWindow : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kShadowPx = 4;
    static constexpr int kScrollMarginPx = 20;
    static constexpr int kMaxZoomLevel = 2;
    // The window's title bar, tool bars and frames, below the screen's height.
    static constexpr int kChromeReservePx = 80;

    // The size the window is created with on a screen of that available size;
    // the sheet's first height is 1/1.6 of its width.
    static QSize CreationSize(const QSize& screenPx);

    PreviewWindow(QWidget* parent, AppContext& context, SheetOptionsDialog& sheetOptions);
    ~PreviewWindow() override;

    // Shows the window maximized and modally on the page the selection points at.
    int Execute();

    // --- Commands (the actions' handlers) ---
    void acZoomInExecute(bool checked);
    void acZoomOutExecute(bool checked);
    void acHandExecute(bool checked);
    void acPrintExecute();
    void acSheetOptionsExecute();
    void acPageUpExecute();
    void acPageDownExecute();
    void acFirstPageExecute();
    void acLastPageExecute();
    // The sheet at its size on paper, or as wide as the window's room.
    void acZoomActualSizeExecute();
    void acZoomPageWidthExecute();
    // Page n of the whole set; false (nothing changed) for a number outside it.
    bool GoToPage(int globalPage);
    // Where the user shortens a text that does not fit: its first page, and
    // the sheet options with its box in focus.
    void GoToText(const UnfitText& text);
    // GoToText as soon as the window is next shown (by Execute).
    void GoToTextOnShow(const UnfitText& text);
    // The texts marked on the page shown, as last painted.
    const std::vector<TextOverflow>& MarkedTexts() const { return m_marks; }
    // The status line: the page and the count, or what the last print job did.
    QString StatusPageText() const;
    QString StatusJobText() const;

    // The captions, the page commands' enabling and the sheet options of the page.
    void UpdatePageCaptions();
    // Draws the page again at once.
    void RepaintPage();

    QAction* Action(const char* name) const;
    int ZoomLevel() const { return m_zoomLevel; }
    QWidget* PageBox() const;
    QWidget* ShadowBox() const;
    QScrollArea* ScrollBox() const { return m_scrollBox; }
    PrintDialog* PrintDlg() const { return m_printDlg; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateActions();
    QWidget* CreateControlBar();
    QWidget* CreatePagePanel();
    void PageLayout();
    void LayOutPage(bool resetScroll);
    void ZoomIn();
    void ZoomOut();
    void SetPageSize(const QSize& size);
    void UpdateZoomActions();
    void SetPageCursor(Qt::CursorShape shape);
    void pbPagePaint(QPainter& painter);
    void pbBlackPaint(QPainter& painter);
    void PaintMarks(QPainter& painter, const PageGeometry& geometry);
    QRect MarkRect(const TextOverflow& mark, const PageGeometry& geometry) const;
    bool ShowMarkToolTip(const QPoint& at, const QPoint& globalAt);
    void pbPageMouseDown(const QMouseEvent& event);
    void pbPageMouseUp(const QMouseEvent& event);
    void ShowReportsOnce(const PageReports& reports);
    DocumentRenderer& Renderer();
    // A page turned or the window shown: what the new page reports is news.
    void ForgetReports();
    void ShowPage();
    void edGoToPageReturn();
    void SetZoomedPageSize(const QSize& size);
    // The tank may have changed since the window was last shown.
    void KeepSelectionInTheSet();

    AppContext& m_context;
    SheetOptionsDialog& m_sheetOptions;
    std::unique_ptr<DocumentRenderer> m_renderer;
    PrintDialog* m_printDlg = nullptr;

    QToolBar* m_toolBar2 = nullptr;
    QLabel* m_stDocName = nullptr;
    QLabel* m_stPageNumber = nullptr;
    QLineEdit* m_edGoToPage = nullptr;
    QLabel* m_stStatusPage = nullptr;
    QLabel* m_stStatusJob = nullptr;
    QScrollArea* m_scrollBox = nullptr;
    QWidget* m_scrollContent = nullptr;
    RowPaintBox* m_pbBlack = nullptr;
    RowPaintBox* m_pbPage = nullptr;
    KeyPreview* m_keyPreview = nullptr;

    int m_zoomLevel = 1;
    double m_clickRelX = 0;
    double m_clickRelY = 0;
    QPoint m_clickPx;
    bool m_inLayout = false;

    // The texts that do not fit on the page shown; measured again after a
    // page change or an edit of the sheet options, not for a mere repaint.
    std::vector<TextOverflow> m_marks;
    bool m_marksMeasured = false;
    std::optional<UnfitText> m_textOnShow;

    // The page whose reports were shown last, and what they were.
    bool m_reportsShown = false;
    DocumentSelection m_reportedPage;
    PageReports m_reported;
};

} // namespace veloquin
