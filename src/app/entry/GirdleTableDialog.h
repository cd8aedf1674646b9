#pragma once
// A read-only table of values the tank derives per girdle (the girdle
// capacities, the internal circumferences): a label "Только чтение", a grid with
// one header row and one header column that takes nothing typed, and OK. Esc
// closes. Each showing fills the rows from the tank; nothing is written back.
//
// A table is described by its layout and the rows it shows:
//     class TMyDlg : public GirdleTableDialog { ... Rows(tank) returns {"Пояс №1", "12,3"}, ... };

#include <QDialog>
#include <QRect>
#include <QStringList>

#include <vector>

class QKeyEvent;

namespace veloquin {

class TSteelVertCylTank;
class StringGrid;

struct GirdleTableLayout
{
    const char* objectName;
    const char* caption;
    QSize clientSize;
    const char* gridName;
    std::vector<int> colWidthsPx;
    // Row 0 of the grid, column 0 first.
    std::vector<const char*> headers;
    int gridHeightPx;
    QRect okRect;
};

class GirdleTableDialog : public QDialog
{
    Q_OBJECT

public:
    GirdleTableDialog(QWidget* parent, const TSteelVertCylTank& tank, const GirdleTableLayout& layout);

    void FormShow();
    bool FormKeyDown(QKeyEvent& key);

protected:
    // The rows below the header row, each its label then its values.
    virtual std::vector<QStringList> Rows(const TSteelVertCylTank& tank) const = 0;
    void showEvent(QShowEvent* event) override;

private:
    const TSteelVertCylTank& m_tank;
    StringGrid* m_grid = nullptr;
};

} // namespace veloquin
