#pragma once
// The one path every change of the tank takes. A change (an inspector commit, a
// dialog session, a sheet-options edit) runs inside Change or a Session; at its
// end the clamped values are clamped again from what the user set, the windows
// are told (tankChanged), what the program moved is said (valueMoved), and the
// change becomes one undo step holding the tank before and after it. The
// modified flag follows the steps: undoing back to the saved state clears it,
// and its watchers hear of every change (modifiedChanged) instead of polling.
//
// A step is made only of a change that raised the tank's Modified and altered
// its file image: the level of the volume query never raises Modified and
// makes no step.
//
// A state between two steps is kept once, shared by the step before it and the
// step after it, and the history is bounded by memory: past kUndoHistoryBytes
// the oldest steps are dropped (historyTrimmed says how many).

#include "TankFields.h"
#include "UserValues.h"

#include "TankClasses.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace veloquin {

constexpr std::size_t kUndoHistoryBytes = std::size_t{64} << 20;

class TankEditing : public QObject
{
    Q_OBJECT

public:
    // The version is the one the tank is stored with (it picks the file image compared).
    TankEditing(TSteelVertCylTank& tank, std::int32_t fileVersion);
    ~TankEditing() override;

    // Windows read the tank here; they write it only inside a Change or a Session.
    const TSteelVertCylTank& Tank() const { return m_tank; }
    std::int32_t FileVersion() const { return m_fileVersion; }
    QUndoStack& Stack() { return m_stack; }

    // Runs change as one step named caption, on the tank it is given; `set`
    // names the clamped values it sets on purpose. Consecutive changes with the
    // same non-empty mergeKey make one step (the keystrokes of one field), until
    // EndMerging. A change that throws leaves the tank as it was and passes the
    // exception on.
    void Change(const QString& caption, const std::function<void(TSteelVertCylTank&)>& change,
                ClampedValues set = 0, const QString& mergeKey = QString());
    // The same for a caller that holds the tank itself (an editing without windows).
    void Change(const QString& caption, const std::function<void()>& change, ClampedValues set = 0,
                const QString& mergeKey = QString());
    // Ends the run of merged changes: the next change is a step of its own.
    void EndMerging() { m_mergeKey.clear(); }

    // Everything written into the tank between the construction and the
    // destruction of a Session is one step (a dialog that writes while the user
    // types). Changes inside a session belong to it; sessions nest.
    class Session
    {
    public:
        Session(TankEditing& editing, const QString& caption, ClampedValues set = 0);
        ~Session();
        Session(const Session&) = delete;
        Session& operator=(const Session&) = delete;

        // Puts the tank (and what the user had set) back as it was when the
        // session began, and ends it without a step: a dialog left with Esc.
        void Abandon();
        // The tank the session writes, while it lasts.
        TSteelVertCylTank& Tank() { return m_editing.m_tank; }

    private:
        TankEditing& m_editing;
        bool m_ended = false;
    };

    // The tank is replaced as a whole (opened, or a new one) together with the
    // version it is stored with: a new history, whose start is the saved state.
    // Nothing else may assign the tank, so no history outlives its tank.
    void Replace(const TSteelVertCylTank& tank, std::int32_t fileVersion);
    // The tank was stored: the current step is the saved state.
    void MarkSaved();
    bool IsModified() const;

    void Undo();
    void Redo();

    // The file image the steps compare (for tests and the benchmark).
    std::string Image(const TSteelVertCylTank& tank) const;

    // The memory the history holds, as counted against its bound: every state
    // kept, once however many steps share it.
    std::size_t HistoryBytes() const;
    // The bound (kUndoHistoryBytes unless a test sets another).
    void SetHistoryLimit(std::size_t bytes) { m_historyLimit = bytes; }

signals:
    // After every change that ended (whether or not it made a step), every undo
    // and redo, and a new history: the windows show the tank again. fields says
    // which groups of values differ from before (every group for a new tank, or
    // a dialog left with Esc); a change that changed nothing carries none.
    void tankChanged(veloquin::TankFields fields);
    // The whole tank was put back by undo, redo or a new history: what windows
    // keep of it (open editors) is to be read again.
    void tankReplaced();
    void modifiedChanged(bool modified);
    // A change moved a value the user had set; the message says what and why.
    void valueMoved(ClampedValue value, const QString& message);
    // The history reached its memory bound and lost its oldest steps.
    void historyTrimmed(int droppedSteps);
    // What else a change did that the user is to hear of (girdles' data kept
    // or given back by a change of the girdle count).
    void changeSaid(const QString& message);

private:
    struct Snapshot
    {
        TSteelVertCylTank tank;
        UserSetValues user;
        std::size_t bytes = 0; // its share of the history's bound
    };
    using SharedSnapshot = std::shared_ptr<const Snapshot>;
    class Step;
    friend class Step;

    SharedSnapshot SnapshotNow(const std::string& image) const;
    const Step* StepAt(int index) const;
    void TrimHistory();

    void Begin(const QString& caption, ClampedValues set);
    void End();
    void Abandon();
    void AbandonSession();
    void Restore(const SharedSnapshot& snapshot);
    void AfterIndexChange();
    void NotifyModified();
    void Seen();

    TSteelVertCylTank& m_tank;
    std::int32_t m_fileVersion;
    QUndoStack m_stack;
    UserSetValues m_user;
    // The clamped values as the tank held them when the editing last looked.
    UserSetValues m_seen;

    // The change under way (depth > 0).
    int m_depth = 0;
    SharedSnapshot m_before;
    std::string m_beforeImage;
    // The state the tank was last put in by a step (after a change, an undo or
    // a redo), and its image: a change starting from it shares it.
    SharedSnapshot m_lastState;
    std::string m_lastStateImage;
    std::size_t m_historyLimit = kUndoHistoryBytes;
    bool m_modifiedBefore = false;
    QString m_caption;
    ClampedValues m_set = 0;
    QString m_pendingMergeKey;
    QString m_mergeKey;
    bool m_restoring = false;
    bool m_lastModified = false;
    // What the undos and redos since the last tankChanged changed.
    TankFields m_restoredFields = 0;
};

// The message that tells the user a value was moved.
QString MovedValueMessage(const MovedValue& moved);
// What a change of the girdle count did with the girdles' data; empty when nothing.
QString GirdlesKeptMessage(const GirdlesKept& girdles);

} // namespace veloquin
