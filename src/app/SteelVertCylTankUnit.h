#pragma once
// The 21 rows of the tank in the property inspector: their captions, how each
// value becomes text, which rows are typed in place and which open a measurement
// dialog, and how a typed text is applied through the tank's setters.

#include "RowBinding.h"

#include <QString>

namespace veloquin {

class TSteelVertCylTank;
class TInspectorForm;

class TankInspectorRows : public RowBinding
{
public:
    static constexpr int kRowCount = 21;

    // The tank is held by reference: opening a file replaces its contents, not its address.
    TankInspectorRows(TSteelVertCylTank& tank, TInspectorForm& inspector);

    static QString Caption(int row);
    static bool IsDialogRow(int row);
    // The row's value text as the tank holds it now (no recomputation).
    QString ValueText(int row) const;

    // After a tank file was opened: every value text, and the open editor's text.
    void RefreshAfterLoad();

    void FillInspectorCaptions() override;
    void RefreshInspectorValues() override;
    QString RowEditText(int row) override;
    QString RowDisplayText(int row) override;
    void PlaceRowEditor(const QRect& rect) override;
    void CommitRowText(const QString& text) override;
    void OpenRowDialog() override;

private:
    QString GirdleList(double (TSteelVertCylTank::*value)(int) const, int decimals) const;

    TSteelVertCylTank& m_tank;
    TInspectorForm& m_inspector;
};

} // namespace veloquin
