#pragma once
// The sheet options of the printed pages: the frame and title block of every
// page, the outline's free texts, the chairman's signature on the calibration
// table, the protocol's title page and texts. It always works on the page the
// document selection points at, writes every edit into the tank at once and
// asks the preview to repaint, so each keystroke shows on the page behind it.
//
// The controls show the options the page is drawn with (its resolved options,
// PageOptionsResolver); the preview and printing resolve them from the tank
// themselves, so nothing shown or printed before changes a page.
// Created at start-up and kept until the program ends.

#include "PageOptions.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QAction;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTabWidget;
class QTimer;
class QToolBar;
class QToolButton;

namespace veloquin {

struct AppContext;
class KeyPreview;
struct SheetOptionText;

class SheetOptionsDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kClientWidthPx = 479;
    static constexpr int kClientHeightPx = 403;
    static constexpr int kBottomStripHeightPx = 41;

    SheetOptionsDialog(QWidget* parent, AppContext& context);
    ~SheetOptionsDialog() override;

    // The options the current page is drawn with.
    PageOptions& Options() { return m_options; }
    const PageOptions& Options() const { return m_options; }

    // Fills the options and the controls from the current page's record, and
    // shows the tabs and panels of that page. Writes nothing into the tank.
    void LoadPageOptions();

    // The preview's page commands, on the dialog's tool bar and its keys.
    void SetPageActions(QAction* pageUp, QAction* pageDown);
    void SetPageNumberText(const QString& text);

    // Shows the dialog modally in the middle of the screen.
    int Execute();
    // Shows the dialog as Execute does, with the box of `field` (its object
    // name) on its tab, holding the focus: where the user shortens a text that
    // does not fit.
    int ExecuteAt(const std::string& field);

    // Marks the boxes whose text does not fit its place on the sheet: this
    // page's frame texts, and the texts the set shares on the pages that carry
    // them. Runs by itself shortly after every edit and page change.
    void CheckTextFit();

    // --- Commands ---
    void rb1StrClick();
    void sbAllSheetsDocClick();
    void sbAllSheetsClick();

signals:
    // An edit went into the tank: the preview's page is to be drawn again now.
    void RepaintPreview();

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct BoundEdit
    {
        QLineEdit* edit;
        const SheetOptionText* text;
    };

    QWidget* CreateFrameTab();
    QWidget* CreatePanelVD();
    QWidget* CreateTitlePageTop();
    QWidget* CreateTitlePage();
    QWidget* CreateTextTab();
    QWidget* CreateSignatureTab();
    QWidget* CreateProtocolSheet1Tab();
    QWidget* CreateProtocolEndSheetTab();
    QWidget* CreateBottomStrip();
    QLineEdit* NewEdit(QWidget* parent, const char* name);
    QLineEdit* Edit(const char* name) const;
    QRadioButton* NewFrameButton(QWidget* parent, const char* name, const char* caption, FrameButton button);

    void EditChanged(const BoundEdit& bound);
    void FrameButtonChecked(FrameButton button);
    void rgPrednClick(int item);
    void ShowOptions();
    void ShowTitleEdits();
    bool FormKeyDown(const QKeyEvent& key);
    // Every write into the tank is an undo step; the keystrokes of one field of
    // one page (mergeKey) make one step.
    void WriteTank(const QString& caption, const std::function<void(TSteelVertCylTank&)>& write,
                   const QString& mergeKey = QString());

    AppContext& m_context;
    PageOptions m_options;

    QTabWidget* m_tabs = nullptr;
    QRadioButton* m_rbUnFramed = nullptr;
    QRadioButton* m_rbFramed = nullptr;
    QRadioButton* m_rbFramedVD = nullptr;
    QRadioButton* m_rb1Str = nullptr;
    QRadioButton* m_rb2Str = nullptr;
    QButtonGroup* m_rgPredn = nullptr;
    QToolButton* m_sbAllSheets = nullptr;
    QToolButton* m_sbAllSheetsDoc = nullptr;
    QWidget* m_panelVD = nullptr;
    QWidget* m_panelTitlePageTop = nullptr;
    QWidget* m_panelTitlePage = nullptr;
    QCheckBox* m_cbTopCaption = nullptr;
    QCheckBox* m_cbBottomCaption = nullptr;
    QToolBar* m_pageBar = nullptr;
    QLabel* m_stPageNumber = nullptr;
    std::vector<BoundEdit> m_edits;
    KeyPreview* m_keyPreview = nullptr;
    QLabel* m_stTextFit = nullptr;
    std::string m_fieldToShow; // the box ExecuteAt puts the focus in
    QTimer* m_fitTimer = nullptr;
    QAction* m_pageUp = nullptr;
    QAction* m_pageDown = nullptr;
};

} // namespace veloquin
