#pragma once
// The levelling-rod readings on the bottom: 8 radii (rows) by 8 circles
// (columns, at 0.35 R to 1.00 R), the centre and the tape's touch point, with
// the bottom correction and the touch point's height shown as the tank derives
// them. There is no cancel: the readings reach the tank whenever the focus
// enters or leaves the grid or an edit box, on Enter in an edit box, after a
// paste, when the focus moves to another cell after editing, and when the
// dialog hides. A reading that is not a number silently gives way to the
// stored one (and with it every edit not yet applied).

#include <QDialog>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPainter;

namespace veloquin {

class TSteelVertCylTank;
class StringGrid;

class BottomReadingsDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kClientWidthPx = 529;
    static constexpr int kClientHeightPx = 381;
    static constexpr int kColWidthPx = 50;

    BottomReadingsDialog(QWidget* parent, TSteelVertCylTank& tank);

    // Controls from the tank.
    void LoadBottomReadings();
    // Tank from the controls, then both results shown.
    void ApplyBottomReadings();

    void FormCreate();
    void FormShow();
    void FormHide();
    bool FormKeyDown(QKeyEvent& key);
    void sgBottomProminenceExit();
    void edBottomCenterKeyDown(const QKeyEvent& key);
    void sgBottomProminenceGetEditMask(int col, int row);
    void sgBottomProminenceDrawCell(bool focused);
    void sgBottomProminenceMouseMove();
    void sgBottomProminenceKeyDown(QKeyEvent& key);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    template <class Apply> void ApplyOrReload(const QString& where, const QString& typed, Apply&& apply);

    TSteelVertCylTank& m_tank;
    StringGrid* m_grid = nullptr;
    QLineEdit* m_edBottomCenter = nullptr;
    QLineEdit* m_edPointPlumb = nullptr;
    QLabel* m_lbCorrOnBottom = nullptr;
    QLabel* m_lbHeightBottom = nullptr;
    QLabel* m_stNotTaken = nullptr;
    // Set when the in-place editor is prepared for a cell, cleared when the
    // focused cell is next drawn; the text the cell held then tells whether the
    // user has begun typing into it since.
    bool m_editPrepared = false;
    QString m_preparedText;
};

} // namespace veloquin
