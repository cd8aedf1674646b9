#include "TankEditing.h"

#include "NumberTexts.h"
#include "TankDerived.h"
#include "TankFile.h"

#include <QStringList>
#include <QUndoCommand>

#include <memory>
#include <utility>
#include <vector>

namespace veloquin {

namespace {

// A copy of a tank in memory takes about twice its file image (the derived
// values beside the inputs; measured in bench/UndoStepBench.cpp).
constexpr std::size_t kMemoryPerImageByte = 2;

} // namespace

// One step: the tank (and what the user had set) before and after the change,
// each shared with the neighbouring step that starts or ends there. Pushing it
// finds the change already made, so its first redo does nothing.
class TankEditing::Step : public QUndoCommand
{
public:
    static constexpr int kMergeableId = 1;

    Step(TankEditing& editing, const QString& caption, SharedSnapshot before, SharedSnapshot after, QString mergeKey,
         bool mayMerge)
        : QUndoCommand(caption), m_editing(editing), m_before(std::move(before)), m_after(std::move(after)),
          m_mergeKey(std::move(mergeKey)), m_mayMerge(mayMerge)
    {
    }
    // The same step again, made when the history is rebuilt without its oldest steps.
    Step(const Step& other) : Step(other.m_editing, other.text(), other.m_before, other.m_after, other.m_mergeKey, false)
    {
        setObsolete(other.isObsolete());
    }

    void undo() override { m_editing.Restore(m_before); }
    void redo() override
    {
        if (m_done) {
            m_done = false;
            return;
        }
        m_editing.Restore(m_after);
    }
    int id() const override { return m_mergeKey.isEmpty() ? -1 : kMergeableId; }
    bool mergeWith(const QUndoCommand* other) override
    {
        const auto* next = static_cast<const Step*>(other);
        if (!next->m_mayMerge || next->m_mergeKey != m_mergeKey)
            return false;
        m_after = next->m_after;
        // A field typed back to what it held is no step at all.
        if (m_editing.Image(m_before->tank) == m_editing.Image(m_after->tank))
            setObsolete(true);
        return true;
    }

    const SharedSnapshot& Before() const { return m_before; }
    const SharedSnapshot& After() const { return m_after; }

private:
    TankEditing& m_editing;
    SharedSnapshot m_before;
    SharedSnapshot m_after;
    QString m_mergeKey;
    bool m_mayMerge;
    bool m_done = true;
};

TankEditing::TankEditing(TSteelVertCylTank& tank, std::int32_t fileVersion)
    : m_tank(tank), m_fileVersion(fileVersion), m_user(UserValuesOf(tank)), m_seen(m_user),
      m_lastModified(tank.Modified())
{
    m_stack.setObjectName(QStringLiteral("TankUndoStack"));
    connect(&m_stack, &QUndoStack::indexChanged, this, &TankEditing::AfterIndexChange);
}

TankEditing::~TankEditing()
{
    // The steps call back into this object while the stack deletes them: nothing must answer then.
    m_restoring = true;
    m_stack.clear();
}

std::string TankEditing::Image(const TSteelVertCylTank& tank) const
{
    return WriteTank(tank, m_fileVersion);
}

TankEditing::SharedSnapshot TankEditing::SnapshotNow(const std::string& image) const
{
    return std::make_shared<const Snapshot>(
        Snapshot{m_tank, m_user, sizeof(Snapshot) + image.size() * kMemoryPerImageByte});
}

const TankEditing::Step* TankEditing::StepAt(int index) const
{
    return static_cast<const Step*>(m_stack.command(index));
}

std::size_t TankEditing::HistoryBytes() const
{
    std::size_t bytes = 0;
    const Snapshot* previousAfter = nullptr;
    for (int i = 0; i < m_stack.count(); ++i) {
        const Step* step = StepAt(i);
        if (step->Before().get() != previousAfter)
            bytes += step->Before()->bytes;
        bytes += step->After()->bytes;
        previousAfter = step->After().get();
    }
    return bytes;
}

// QUndoStack drops no step but by a count set while it is empty, so the history
// is built again from its newest steps, their states shared as before. It runs
// just after a push, when no step waits to be redone.
void TankEditing::TrimHistory()
{
    if (m_stack.count() < 2 || HistoryBytes() <= m_historyLimit)
        return;
    std::vector<std::unique_ptr<Step>> steps;
    for (int i = 0; i < m_stack.count(); ++i)
        steps.push_back(std::make_unique<Step>(*StepAt(i)));
    const int cleanIndex = m_stack.cleanIndex();
    // Drop the oldest until the rest fits; the newest step always stays.
    std::size_t dropped = 0;
    std::size_t bytes = HistoryBytes();
    while (dropped + 1 < steps.size() && bytes > m_historyLimit) {
        const Step& oldest = *steps[dropped];
        const Step& next = *steps[dropped + 1];
        bytes -= oldest.Before()->bytes;
        if (next.Before() != oldest.After())
            bytes -= oldest.After()->bytes;
        ++dropped;
    }
    m_restoring = true;
    m_stack.clear();
    if (cleanIndex == static_cast<int>(dropped))
        m_stack.setClean();
    for (std::size_t i = dropped; i < steps.size(); ++i) {
        m_stack.push(steps[i].release());
        if (cleanIndex == static_cast<int>(i + 1))
            m_stack.setClean();
    }
    // A saved state that was dropped (or none at all) is never reached by undo:
    // a cleared stack would take its start for one.
    if (cleanIndex < static_cast<int>(dropped))
        m_stack.resetClean();
    m_restoring = false;
    emit historyTrimmed(static_cast<int>(dropped));
}

void TankEditing::Begin(const QString& caption, ClampedValues set)
{
    if (m_depth++ > 0) {
        m_set |= set;
        return;
    }
    AdoptValuesSetElsewhere(m_user, m_seen, m_tank);
    m_beforeImage = Image(m_tank);
    // The state the last step left, unless something outside the steps changed it since.
    const bool unchanged = m_lastState && m_beforeImage == m_lastStateImage &&
                           m_lastState->user == m_user;
    m_before = unchanged ? m_lastState : SnapshotNow(m_beforeImage);
    // Modified is lowered for the change's length so that its end knows whether
    // the change itself raised it.
    m_modifiedBefore = m_tank.Modified();
    m_tank.SetModified(false);
    m_caption = caption;
    m_set = set;
    m_pendingMergeKey.clear();
}

void TankEditing::End()
{
    if (--m_depth > 0)
        return;
    const bool raised = m_tank.Modified();
    // Before the clamping: a girdle given back moves the top of the tank.
    const QString girdlesSaid = GirdlesKeptMessage(KeepOrGiveBackGirdles(m_user, m_before->tank, m_tank));
    TakeUserValues(m_user, m_tank, m_set);
    ClampFromUserValues(m_tank, m_user);
    RefreshDerived(m_tank);
    // Clamping again from what the user set changes nothing on a change that
    // changed nothing: it never counts as one.
    m_tank.SetModified(raised);
    const std::vector<MovedValue> moved = MovedValues(m_before->tank, m_tank, m_user, m_set);

    // The derived values (and the query level) are up to date: the windows
    // show the tank as the step keeps it.
    std::string image = Image(m_tank);
    emit tankChanged(ChangedFields(m_before->tank, m_tank, image != m_beforeImage));

    const bool mayMerge = !m_pendingMergeKey.isEmpty() && m_pendingMergeKey == m_mergeKey;
    if (raised && image != m_beforeImage) {
        m_lastState = SnapshotNow(image);
        m_lastStateImage = std::move(image);
        auto* step = new Step(*this, m_caption, std::move(m_before), m_lastState, m_pendingMergeKey, mayMerge);
        const int stepsBefore = m_stack.index();
        m_restoring = true;
        m_stack.push(step);
        m_restoring = false;
        // A run typed back to where it began is gone from the stack, and the run
        // with it: what is typed next must not merge into the step below, which
        // may be an earlier run of the same field. (Asked before the history is
        // trimmed, which lowers the index too.)
        if (m_stack.index() < stepsBefore)
            m_pendingMergeKey.clear();
        TrimHistory();
        m_tank.SetModified(!m_stack.isClean());
    } else {
        // A change that leaves the saved file as it was is no change: no step, and
        // no "*" for a file that has nothing new to save.
        m_tank.SetModified(m_modifiedBefore);
    }
    m_mergeKey = m_pendingMergeKey;
    m_before.reset();
    m_beforeImage.clear();
    Seen();
    for (const MovedValue& value : moved)
        emit valueMoved(value.value, MovedValueMessage(value));
    if (!girdlesSaid.isEmpty())
        emit changeSaid(girdlesSaid);
    NotifyModified();
}

void TankEditing::Abandon()
{
    if (--m_depth > 0)
        return;
    m_tank = m_before->tank;
    m_user = m_before->user;
    m_tank.SetModified(m_modifiedBefore);
    m_before.reset();
    m_beforeImage.clear();
    Seen();
}

void TankEditing::Change(const QString& caption, const std::function<void(TSteelVertCylTank&)>& change,
                         ClampedValues set, const QString& mergeKey)
{
    Change(caption, [this, &change] { change(m_tank); }, set, mergeKey);
}

void TankEditing::Change(const QString& caption, const std::function<void()>& change, ClampedValues set,
                         const QString& mergeKey)
{
    Begin(caption, set);
    if (m_depth == 1)
        m_pendingMergeKey = mergeKey;
    try {
        change();
    } catch (...) {
        Abandon();
        throw;
    }
    End();
}

TankEditing::Session::Session(TankEditing& editing, const QString& caption, ClampedValues set) : m_editing(editing)
{
    m_editing.Begin(caption, set);
}

TankEditing::Session::~Session()
{
    if (!m_ended)
        m_editing.End();
}

void TankEditing::Session::Abandon()
{
    if (m_ended)
        return;
    m_ended = true;
    m_editing.AbandonSession();
}

void TankEditing::AbandonSession()
{
    // Only the outermost session puts the tank back; an inner one leaves it to that.
    const bool outermost = m_depth == 1;
    Abandon();
    if (!outermost)
        return;
    emit tankReplaced();
    emit tankChanged(kEveryTankField);
    NotifyModified();
}

void TankEditing::Restore(const SharedSnapshot& snapshot)
{
    // A step is made only of a change of the file image.
    m_restoredFields |= ChangedFields(m_tank, snapshot->tank, true);
    m_tank = snapshot->tank;
    m_user = snapshot->user;
    m_lastState = snapshot;
    m_lastStateImage = Image(m_tank);
}

void TankEditing::AfterIndexChange()
{
    if (m_restoring)
        return;
    // Undo or redo: the saved state is the clean one.
    RefreshDerived(m_tank);
    m_tank.SetModified(!m_stack.isClean());
    m_mergeKey.clear();
    Seen();
    const TankFields fields = m_restoredFields;
    m_restoredFields = 0;
    emit tankReplaced();
    emit tankChanged(fields);
    NotifyModified();
}

void TankEditing::Undo()
{
    if (m_depth == 0)
        m_stack.undo();
}

void TankEditing::Redo()
{
    if (m_depth == 0)
        m_stack.redo();
}

void TankEditing::Replace(const TSteelVertCylTank& tank, std::int32_t fileVersion)
{
    m_tank = tank;
    m_fileVersion = fileVersion;
    m_tank.SetModified(false);
    m_restoring = true;
    m_stack.clear();
    m_restoring = false;
    m_lastState.reset();
    m_lastStateImage.clear();
    m_user = UserValuesOf(m_tank);
    RefreshDerived(m_tank);
    m_mergeKey.clear();
    m_restoredFields = 0;
    Seen();
    emit tankReplaced();
    emit tankChanged(kEveryTankField);
    NotifyModified();
}

void TankEditing::MarkSaved()
{
    m_tank.SetModified(false);
    m_stack.setClean();
    m_mergeKey.clear();
    NotifyModified();
}

void TankEditing::Seen()
{
    m_seen = UserValuesOf(m_tank);
}

bool TankEditing::IsModified() const
{
    return m_tank.Modified() || (m_depth > 0 && m_modifiedBefore);
}

void TankEditing::NotifyModified()
{
    const bool modified = IsModified();
    if (modified == m_lastModified)
        return;
    m_lastModified = modified;
    emit modifiedChanged(modified);
}

QString GirdlesKeptMessage(const GirdlesKept& girdles)
{
    const auto numbers = [](const std::vector<int>& list) {
        QStringList texts;
        for (int girdle : list)
            texts.append(QString::number(girdle));
        return (list.size() == 1 ? QStringLiteral("пояса ") : QStringLiteral("поясов ")) +
               texts.join(QStringLiteral(", "));
    };
    QStringList said;
    if (!girdles.kept.empty())
        said.append(QStringLiteral("Данные ") + numbers(girdles.kept) +
                    QStringLiteral(" сохранены: они вернутся, если снова увеличить число поясов"));
    if (!girdles.givenBack.empty())
        said.append(QStringLiteral("Возвращены данные ") + numbers(girdles.givenBack) +
                    QStringLiteral(" (высота, нахлесты, толщина листа, расстояния до нити отвеса)"));
    return said.join(QStringLiteral("; "));
}

QString MovedValueMessage(const MovedValue& moved)
{
    QString name;
    switch (moved.value) {
    case ClampedValue::DesignFillHeight: name = QStringLiteral("Проектная высота заполнения изменена: "); break;
    case ClampedValue::BaseHeight: name = QStringLiteral("Базовая высота изменена: "); break;
    case ClampedValue::DeadCavityHeight: name = QStringLiteral("Высота мертвой полости изменена: "); break;
    case ClampedValue::GivenLevel: name = QStringLiteral("Заданный уровень заполнения изменён: h = "); break;
    }
    QString reason;
    switch (moved.reason) {
    case MoveReason::Restored: reason = QStringLiteral("возвращено заданное значение"); break;
    case MoveReason::IntoTopGirdle: reason = QStringLiteral("должна лежать в верхнем поясе"); break;
    case MoveReason::NotBelowDesignFillHeight:
        reason = QStringLiteral("не может быть ниже проектной высоты заполнения");
        break;
    case MoveReason::NotBelowTouchPoint: reason = QStringLiteral("не может быть ниже точки касания рулетки"); break;
    case MoveReason::NotAboveFirstGirdle: reason = QStringLiteral("не может быть выше первого пояса"); break;
    case MoveReason::NotAboveDesignFillHeight:
        reason = QStringLiteral("не может быть выше проектной высоты заполнения");
        break;
    case MoveReason::NotBelowDeadCavity: reason = QStringLiteral("не может быть ниже мертвой полости"); break;
    }
    return name + GeneralText(moved.before) + QStringLiteral(" → ") +
           GeneralText(moved.after) + QStringLiteral(" мм — ") + reason;
}

} // namespace veloquin
