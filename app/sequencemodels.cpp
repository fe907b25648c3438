#include "app/sequencemodels.h"

#include "app/texts.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QSpinBox>
#include <algorithm>

namespace {
// The Motion window's words, in its one context: a translator sees each of them once.
class MotionTexts
{
    Q_DECLARE_TR_FUNCTIONS(MotionWindow)
};
} // namespace

QString poseText(const Pose &pose)
{
    return Texts::outside(pose.name);
}

// The easings' names as the step table shows them; the file keeps the English ones.
[[maybe_unused]] constexpr const char *easingNames[] = {
    //: An easing: the servos jump to the pose at the end of the move.
    QT_TRANSLATE_NOOP("MotionWindow", "step"),
    QT_TRANSLATE_NOOP("MotionWindow", "linear"),
    QT_TRANSLATE_NOOP("MotionWindow", "ease-in-out"),
    QT_TRANSLATE_NOOP("MotionWindow", "ease-out"),
};

QString easingText(Easing easing)
{
    return MotionTexts::tr(easingName(easing));
}

namespace {
int easingRow(Easing easing)
{
    const auto found = std::find_if(easings.begin(), easings.end(),
                                    [easing](const EasingName &e) { return e.easing == easing; });
    return int(found - easings.begin());
}
} // namespace

PoseListModel::PoseListModel(SequenceDocument &document, QObject *parent)
    : QAbstractListModel(parent), m_document(document)
{
    connect(&document, &SequenceDocument::changed, this, &PoseListModel::follow);
}

void PoseListModel::follow(const SequenceDocument::Change &change)
{
    using Kind = SequenceDocument::Change::Kind;
    if (change.kind == Kind::Everything) {
        beginResetModel();
        endResetModel();
    } else if (change.kind == Kind::PoseName) {
        Q_EMIT dataChanged(index(change.pose), index(change.pose));
    }
}

int PoseListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_document.sequence().poses.size());
}

QVariant PoseListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Pose &pose = m_document.sequence().poses[size_t(index.row())];
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return poseText(pose);
    return {};
}

Qt::ItemFlags PoseListModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags flags = QAbstractListModel::flags(index);
    return index.isValid() ? flags | Qt::ItemIsEditable : flags;
}

bool PoseListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.row() >= rowCount())
        return false;
    const QString name = value.toString().trimmed().left(longestPoseName);
    if (name.isEmpty()) {
        Q_EMIT refused(MotionTexts::tr("A pose needs a name; it keeps the one it had."));
        return false;
    }
    if (name != poseText(m_document.sequence().poses[size_t(index.row())]))
        m_document.renamePose(index.row(), name.toStdString());
    return true;
}

StepTableModel::StepTableModel(SequenceDocument &document, QObject *parent)
    : QAbstractTableModel(parent), m_document(document)
{
    connect(&document, &SequenceDocument::changed, this, &StepTableModel::follow);
}

void StepTableModel::follow(const SequenceDocument::Change &change)
{
    using Kind = SequenceDocument::Change::Kind;
    if (change.kind == Kind::Everything) {
        beginResetModel();
        endResetModel();
    } else if (change.kind == Kind::Step) {
        Q_EMIT dataChanged(index(change.step, 0), index(change.step, columnCount_ - 1));
    } else if (change.kind == Kind::PoseName && rowCount() > 0) {
        Q_EMIT dataChanged(index(0, poseColumn), index(rowCount() - 1, poseColumn));
    }
}

int StepTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_document.sequence().steps.size());
}

int StepTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : columnCount_;
}

QVariant StepTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() ||
        (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const Sequence &sequence = m_document.sequence();
    const Step &step = sequence.steps[size_t(index.row())];
    const bool display = role == Qt::DisplayRole;
    switch (index.column()) {
    case poseColumn:
        return display ? QVariant(poseText(sequence.poses.at(size_t(step.pose))))
                       : QVariant(step.pose);
    case moveColumn:
        return step.moveMs;
    case holdColumn:
        return step.holdMs;
    case easingColumn:
        return display ? QVariant(easingText(step.easing)) : QVariant(easingRow(step.easing));
    }
    return {};
}

QVariant StepTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    switch (section) {
    case poseColumn:
        return MotionTexts::tr("Pose");
    case moveColumn:
        return MotionTexts::tr("Move ms");
    case holdColumn:
        return MotionTexts::tr("Hold ms");
    case easingColumn:
        return MotionTexts::tr("Easing");
    }
    return {};
}

Qt::ItemFlags StepTableModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    return index.isValid() ? flags | Qt::ItemIsEditable : flags;
}

bool StepTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.row() >= rowCount())
        return false;
    const Sequence &sequence = m_document.sequence();
    Step step = sequence.steps[size_t(index.row())];
    const int n = value.toInt();
    switch (index.column()) {
    case poseColumn:
        step.pose = std::clamp(n, 0, int(sequence.poses.size()) - 1);
        break;
    case moveColumn:
        step.moveMs = std::clamp(n, 0, longestTimeMs);
        break;
    case holdColumn:
        step.holdMs = std::clamp(n, 0, longestTimeMs);
        break;
    case easingColumn:
        if (n < 0 || n >= int(easings.size()))
            return false;
        step.easing = easings[size_t(n)].easing;
        break;
    }
    m_document.setStep(index.row(), step);
    return true;
}

StepDelegate::StepDelegate(SequenceDocument &document, QObject *parent)
    : QStyledItemDelegate(parent), m_document(document)
{}

QWidget *StepDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                    const QModelIndex &index) const
{
    const QString caption = index.model()->headerData(index.column(), Qt::Horizontal).toString();
    const int column = index.column();
    if (column == StepTableModel::moveColumn || column == StepTableModel::holdColumn) {
        auto *spin = new QSpinBox(parent);
        spin->setObjectName(column == StepTableModel::moveColumn
                                ? QStringLiteral("stepMoveEditor")
                                : QStringLiteral("stepHoldEditor"));
        spin->setRange(0, longestTimeMs);
        spin->setSingleStep(100);
        spin->setAccessibleName(caption);
        return spin;
    }
    auto *combo = new QComboBox(parent);
    if (column == StepTableModel::poseColumn) {
        combo->setObjectName(QStringLiteral("stepPoseEditor"));
        for (const Pose &pose : m_document.sequence().poses)
            combo->addItem(poseText(pose));
    } else {
        combo->setObjectName(QStringLiteral("stepEasingEditor"));
        for (const EasingName &e : easings)
            combo->addItem(easingText(e.easing));
    }
    combo->setAccessibleName(caption);
    // A pick from the list counts at once, not only when the editor loses the focus.
    auto *self = const_cast<StepDelegate *>(this);
    connect(combo, &QComboBox::activated, self, [self, combo] { Q_EMIT self->commitData(combo); });
    return combo;
}

void StepDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (auto *combo = qobject_cast<QComboBox *>(editor))
        combo->setCurrentIndex(index.data(Qt::EditRole).toInt());
    else if (auto *spin = qobject_cast<QSpinBox *>(editor))
        spin->setValue(index.data(Qt::EditRole).toInt());
}

void StepDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                const QModelIndex &index) const
{
    if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        model->setData(index, combo->currentIndex(), Qt::EditRole);
    } else if (auto *spin = qobject_cast<QSpinBox *>(editor)) {
        spin->interpretText();
        model->setData(index, spin->value(), Qt::EditRole);
    }
}
