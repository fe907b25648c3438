#pragma once

#include "app/sequencedocument.h"

#include <QAbstractListModel>
#include <QAbstractTableModel>
#include <QStyledItemDelegate>

// The poses and the steps of a sequence document as the item views show them. They hold nothing
// of their own: they read the document, and an edit in a view becomes a command on its stack.

// The poses by name; a name is edited in place.
class PoseListModel : public QAbstractListModel
{
    Q_OBJECT

  public:
    explicit PoseListModel(SequenceDocument &document, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

  Q_SIGNALS:
    // A name the rules refuse, with the sentence that says why.
    void refused(const QString &sentence);

  private:
    SequenceDocument &m_document;
    void follow(const SequenceDocument::Change &change);
};

// One row a step. The edit role gives and takes the pose's index, the milliseconds, and the
// easing's row in `easings`.
class StepTableModel : public QAbstractTableModel
{
    Q_OBJECT

  public:
    enum Column
    {
        poseColumn,
        moveColumn,
        holdColumn,
        easingColumn,
        columnCount_
    };

    explicit StepTableModel(SequenceDocument &document, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

  private:
    SequenceDocument &m_document;
    void follow(const SequenceDocument::Change &change);
};

// The step table's editors: a list of the poses or the easings, or a number of milliseconds.
class StepDelegate : public QStyledItemDelegate
{
    Q_OBJECT

  public:
    StepDelegate(SequenceDocument &document, QObject *parent);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;

  private:
    SequenceDocument &m_document;
};

// A pose's name as the views show it: the user's own words, with control characters made visible.
QString poseText(const Pose &pose);
// An easing's name as the editor shows it.
QString easingText(Easing easing);
// The longest a pose's name may be: a file with a longer one would not load again.
inline constexpr int longestPoseName = 200;
