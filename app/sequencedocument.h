#pragma once

#include "motion/sequence.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

// The sequence being edited in the Motion window: the sequence, the file it belongs to, and every
// change as one command on an undo stack, so that nothing done to it is beyond Undo. It is
// modified while the stack is away from the state last opened or saved. A change that the rules
// refuse (a pose still in use, a full list) changes nothing and pushes nothing.
class SequenceDocument : public QObject
{
    Q_OBJECT

  public:
    // What one change touched: the views redraw that much, and a position reaches the servo.
    struct Change
    {
        enum class Kind
        {
            Everything, // poses or steps added, removed or reordered; a sequence opened
            Position,   // `pose`'s `servo`
            PoseName,   // `pose`
            Step,       // the fields of step `step`
            Loop,       // the rounds or the home pose
        };
        Kind kind = Kind::Everything;
        int pose = -1;
        int servo = -1;
        int step = -1;
    };

    explicit SequenceDocument(QObject *parent = nullptr);
    ~SequenceDocument() override;

    const Sequence &sequence() const { return m_sequence; }
    // The file it was opened from or saved to; empty for one never saved.
    const QString &path() const { return m_path; }
    // The file's name, or "Untitled sequence".
    QString name() const;
    bool modified() const { return !m_undo.isClean(); }
    QUndoStack &undoStack() { return m_undo; }

    // A new or opened sequence: nothing to undo, nothing unsaved.
    void reset(const Sequence &sequence, const QString &path);
    // Written to `path` as it is now.
    void markSaved(const QString &path);
    // Back to the state last opened or saved, with nothing to undo: what Discard keeps.
    void revert();

    // Each is one command on the stack.
    void addPose(const Pose &pose);
    void renamePose(int pose, const std::string &name);
    void deletePose(int pose);
    // Moves of one servo of one pose in one gesture (a drag, a held key) merge into one command.
    void setPosition(int pose, int servo, int position, int gesture);
    void insertStep(int at, const Step &step);
    void removeStep(int at);
    void moveStep(int from, int to);
    // The changes of one drag of a block's edge in the timeline merge into one command.
    void setStep(int row, const Step &step, int gesture = -1);
    void setRounds(int rounds);
    void setHome(int pose);

    // A new sequence: the home pose at 128 everywhere, no steps, one round.
    static Sequence fresh();

  Q_SIGNALS:
    // After the sequence has changed, by a command, its undo or its redo, or a reset.
    void changed(const SequenceDocument::Change &change);
    // The file's name or the modified state has changed.
    void stateChanged();

  private:
    class Command;
    friend class Command;

    Sequence m_sequence;
    Sequence m_saved; // as last opened or saved
    QString m_path;
    QUndoStack m_undo;

    void push(const QString &text, const Sequence &after, const Change &change, int mergeId = -1);
    void apply(const Sequence &sequence, const Change &change);
};
