#pragma once
// The 21 rows of the tank in the property inspector, described once in a table
// (TankInspectorRows.cpp): each row's caption, its editor (typed in place or
// edited in a measurement dialog), how its value becomes text, how a typed text
// is applied through the tank's setters, and the opener of its dialog.
//
// A dialog row's opener (RowDialogOpeners.h) lives in its dialog's unit. It gets
// the binding, asks it for its dialog (created on first use, then kept), shows
// the dialog modally and applies what the dialog closed with, then sets the
// panel text or refreshes the rows as that row does.

#include "RowBinding.h"
#include "editing/UserValues.h"

#include <QDialog>
#include <QMetaObject>
#include <QPointer>
#include <QString>

#include <array>

namespace veloquin {

class TSteelVertCylTank;
class TankInspector;
class TankEditing;

// The rows in the inspector's order; the inspector numbers them from 1.
enum class TankRow
{
    Name = 1,
    DesignCapacity,
    ExtCircumference,
    GirdleCount,
    SheetThicknesses,
    PaintThickness,
    GirdleHeights,
    CalibrationFillHeight,
    CalibrationDensity,
    StoredDensity,
    GeneratrixCount,
    PlumbDistances,
    IntCircumferences,
    InternalDetails,
    BottomCorrection,
    DeadCavityHeight,
    DeadCavityCapacity,
    GirdleCapacities,
    DesignFillHeight,
    VolumeAtLevel,
    BaseHeight,
};

enum class RowEditor
{
    InPlace,
    Dialog,
};

class TankInspectorRows;

struct TankRowDescriptor
{
    TankRow row;
    const char* caption;
    RowEditor editor;
    // The value text as the tank holds it now.
    QString (*valueText)(const TSteelVertCylTank& tank);
    // In-place rows: applies a typed text; throws ConvertError, having applied
    // nothing, when it does not convert. Null where nothing typed is taken.
    void (*applyText)(TSteelVertCylTank& tank, const QString& text);
    // Dialog rows: shows the row's dialog and applies its outcome.
    void (*openDialog)(TankInspectorRows& rows);
};

class TankInspectorRows : public RowBinding
{
public:
    static constexpr int kRowCount = 21;

    // The tank is held by reference: opening a file replaces its contents, not its address.
    // Every change goes through editing; the rows show the tank again after each.
    TankInspectorRows(const TSteelVertCylTank& tank, TankInspector& inspector, TankEditing& editing);
    ~TankInspectorRows() override;
    TankInspectorRows(const TankInspectorRows&) = delete;
    TankInspectorRows& operator=(const TankInspectorRows&) = delete;

    static const TankRowDescriptor& Describe(TankRow row);
    // Null outside 1..21.
    static const TankRowDescriptor* Describe(int row);
    static QString Caption(int row);
    static bool IsDialogRow(int row);
    // The row's value text as the tank holds it now (no recomputation).
    QString ValueText(int row) const;
    QString ValueText(TankRow row) const;

    // After a tank file was opened: every value text, and the open editor's text.
    void RefreshAfterLoad();
    // After a change: every value text, and the open editor's text unless the user is typing there.
    void RefreshAfterChange();
    // The clamped value a row sets on purpose (none for most rows), and the row
    // that shows a clamped value.
    static ClampedValues ClampedSetBy(TankRow row);
    static TankRow RowOf(ClampedValue value);

    void FillInspectorCaptions() override;
    void RefreshInspectorValues() override;
    QString RowEditText(int row) override;
    QString RowDisplayText(int row) override;
    bool RowTakesTyping(int row) override;
    void PlaceRowEditor(const QRect& rect) override;
    void CommitRowText(const QString& text) override;
    void OpenRowDialog() override;

    // --- Offered to the dialog openers ---
    const TSteelVertCylTank& Tank() const { return m_tank; }
    TankInspector& Inspector() { return m_inspector; }
    TankEditing& Editing() { return m_editing; }
    // The row's dialog, created on first use (parent, tank) and kept until the
    // inspector goes; shown modally by the opener.
    template <class Dialog> Dialog& RowDialog(TankRow row);
    // The dialog panel shows the row's value text as the tank holds it now.
    void SetPanelTextOf(TankRow row);
    // A dialog the row has created so far, or null (for tests and screenshots).
    QDialog* CreatedDialog(TankRow row) const;

private:
    void SayIfLimited(const TankRowDescriptor& row, const QString& typed);
    // A line in the inspector's status bar, after what the same change said before.
    void Say(const QString& message);

    const TSteelVertCylTank& m_tank;
    TankInspector& m_inspector;
    TankEditing& m_editing;
    QMetaObject::Connection m_changed;
    QMetaObject::Connection m_replaced;
    QMetaObject::Connection m_moved;
    QMetaObject::Connection m_said;
    // No value moved by the last change has been said yet.
    bool m_freshChange = true;
    std::array<QPointer<QDialog>, kRowCount> m_dialogs;
};

QWidget* InspectorAsParent(TankInspector& inspector);

template <class Dialog> Dialog& TankInspectorRows::RowDialog(TankRow row)
{
    QPointer<QDialog>& slot = m_dialogs[static_cast<std::size_t>(static_cast<int>(row) - 1)];
    if (!slot)
        slot = new Dialog(InspectorAsParent(m_inspector), m_tank);
    return static_cast<Dialog&>(*slot);
}

} // namespace veloquin
