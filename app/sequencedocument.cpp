#include "app/sequencedocument.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QUndoCommand>
#include <algorithm>

namespace {
// The Motion window's words, in its one context: a translator sees each of them once.
class MotionTexts
{
    Q_DECLARE_TR_FUNCTIONS(MotionWindow)
};
} // namespace

// Each command keeps the sequence before and after it: a sequence is small beside what the user
// spends making it, and undo then gives back exactly what was there.
class SequenceDocument::Command : public QUndoCommand
{
  public:
    Command(SequenceDocument &document, const QString &text, Sequence before, Sequence after,
            Change change, int mergeId)
        : QUndoCommand(text), m_document(document), m_before(std::move(before)),
          m_after(std::move(after)), m_change(change), m_mergeId(mergeId)
    {}

    void redo() override { m_document.apply(m_after, m_change); }
    void undo() override { m_document.apply(m_before, m_change); }
    int id() const override { return m_mergeId >= 0 ? 1 : -1; }
    // One drag or one held key of one servo of one pose, or of one edge of a step, is one command,
    // as the user made it.
    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *next = static_cast<const Command *>(other);
        if (next->m_mergeId != m_mergeId || next->m_change.kind != m_change.kind ||
            next->m_change.pose != m_change.pose || next->m_change.servo != m_change.servo ||
            next->m_change.step != m_change.step)
            return false;
        m_after = next->m_after;
        return true;
    }

  private:
    SequenceDocument &m_document;
    Sequence m_before, m_after;
    Change m_change;
    int m_mergeId;
};

SequenceDocument::SequenceDocument(QObject *parent) : QObject(parent)
{
    m_sequence = m_saved = fresh();
    connect(&m_undo, &QUndoStack::cleanChanged, this, &SequenceDocument::stateChanged);
}

SequenceDocument::~SequenceDocument()
{
    // The stack empties itself as it goes, and says so: no one is to hear of it from a document
    // that is going.
    m_undo.blockSignals(true);
}

Sequence SequenceDocument::fresh()
{
    Sequence sequence;
    Pose home; // at 128 everywhere
    home.name = MotionTexts::tr("Home").toStdString();
    sequence.poses = {home};
    return sequence;
}

QString SequenceDocument::name() const
{
    return m_path.isEmpty() ? MotionTexts::tr("Untitled sequence") : QFileInfo(m_path).fileName();
}

void SequenceDocument::reset(const Sequence &sequence, const QString &path)
{
    m_undo.clear();
    m_sequence = m_saved = sequence;
    m_path = path;
    Q_EMIT changed({});
    Q_EMIT stateChanged();
}

void SequenceDocument::markSaved(const QString &path)
{
    m_saved = m_sequence;
    m_path = path;
    m_undo.setClean();
    Q_EMIT stateChanged();
}

void SequenceDocument::revert()
{
    reset(m_saved, m_path);
}

void SequenceDocument::apply(const Sequence &sequence, const Change &change)
{
    m_sequence = sequence;
    Q_EMIT changed(change);
}

void SequenceDocument::push(const QString &text, const Sequence &after, const Change &change,
                            int mergeId)
{
    if (after == m_sequence)
        return;
    m_undo.push(new Command(*this, text, m_sequence, after, change, mergeId));
}

void SequenceDocument::addPose(const Pose &pose)
{
    Sequence after = m_sequence;
    after.poses.push_back(pose);
    push(MotionTexts::tr("add \"%1\"").arg(QString::fromStdString(pose.name)), after, {});
}

void SequenceDocument::renamePose(int pose, const std::string &name)
{
    Sequence after = m_sequence;
    const QString old = QString::fromStdString(after.poses.at(size_t(pose)).name);
    after.poses[size_t(pose)].name = name;
    push(MotionTexts::tr("rename \"%1\"").arg(old), after, {Change::Kind::PoseName, pose});
}

void SequenceDocument::deletePose(int pose)
{
    Sequence after = m_sequence;
    const QString name = QString::fromStdString(after.poses.at(size_t(pose)).name);
    after.poses.erase(after.poses.begin() + pose);
    for (Step &step : after.steps)
        step.pose -= step.pose > pose;
    after.home -= after.home > pose;
    push(MotionTexts::tr("delete \"%1\"").arg(name), after, {});
}

void SequenceDocument::setPosition(int pose, int servo, int position, int gesture)
{
    Sequence after = m_sequence;
    after.poses.at(size_t(pose)).positions.at(size_t(servo)) =
        std::uint8_t(std::clamp(position, 0, highestPosition));
    push(MotionTexts::tr("move Servo %1").arg(servo), after, {Change::Kind::Position, pose, servo},
         gesture);
}

void SequenceDocument::insertStep(int at, const Step &step)
{
    Sequence after = m_sequence;
    after.steps.insert(after.steps.begin() + at, step);
    push(MotionTexts::tr("add step %1").arg(at + 1), after, {});
}

void SequenceDocument::removeStep(int at)
{
    Sequence after = m_sequence;
    after.steps.erase(after.steps.begin() + at);
    push(MotionTexts::tr("remove step %1").arg(at + 1), after, {});
}

void SequenceDocument::moveStep(int from, int to)
{
    Sequence after = m_sequence;
    std::swap(after.steps.at(size_t(from)), after.steps.at(size_t(to)));
    push(to < from ? MotionTexts::tr("move step %1 up").arg(from + 1)
                   : MotionTexts::tr("move step %1 down").arg(from + 1),
         after, {});
}

void SequenceDocument::setStep(int row, const Step &step, int gesture)
{
    Sequence after = m_sequence;
    after.steps.at(size_t(row)) = step;
    push(MotionTexts::tr("change step %1").arg(row + 1), after, {Change::Kind::Step, -1, -1, row},
         gesture);
}

void SequenceDocument::setRounds(int rounds)
{
    Sequence after = m_sequence;
    after.rounds = rounds;
    push(MotionTexts::tr("change the rounds"), after, {Change::Kind::Loop});
}

void SequenceDocument::setHome(int pose)
{
    Sequence after = m_sequence;
    after.home = pose;
    push(MotionTexts::tr("change the home pose"), after, {Change::Kind::Loop});
}
