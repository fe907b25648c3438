// The Motion window's menus and controls, and the names a screen reader gives them.
#include "app/boardpreview.h"
#include "app/desktop.h"
#include "app/eventguard.h"
#include "app/motionhost.h"
#include "app/motionwindow.h"
#include "app/playbackcontrol.h"
#include "app/sequencemodels.h"
#include "app/texts.h"
#include "app/timelineview.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

namespace {
QPushButton *button(const QString &text, const char *name, const QString &accessibleName,
                    QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAccessibleName(accessibleName);
    b->setAutoDefault(false);
    return b;
}

QAction *action(QMenu *menu, const QString &text, const char *name,
                const QKeySequence &key = QKeySequence())
{
    QAction *a = menu->addAction(text);
    a->setObjectName(QLatin1String(name));
    a->setShortcut(key);
    return a;
}
} // namespace

void MotionWindow::makeMenus()
{
    QMenu *file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("motionFileMenu"));
    m_new = action(file, tr("&New"), "sequenceNew", QKeySequence::New);
    m_open = action(file, tr("&Open..."), "sequenceOpen", QKeySequence::Open);
    m_recent = file->addMenu(tr("Open &Recent"));
    m_recent->setObjectName(QStringLiteral("sequenceRecent"));
    m_save = action(file, tr("&Save"), "sequenceSave", QKeySequence::Save);
    m_saveAs = action(file, tr("Save &As..."), "sequenceSaveAs", QKeySequence::SaveAs);
    file->addSeparator();
    m_exportCsv = action(file, tr("Export &CSV..."), "exportCsv");
    m_exportHeader = action(file, tr("Export C &Header..."), "exportHeader");
    file->addSeparator();
    m_close = action(file, tr("&Close"), "motionClose", QKeySequence::Close);

    QMenu *edit = menuBar()->addMenu(tr("&Edit"));
    edit->setObjectName(QStringLiteral("motionEditMenu"));
    // Their texts say what they undo and redo: "Undo move Servo 2".
    m_undo = m_document.undoStack().createUndoAction(this, tr("&Undo"));
    m_undo->setObjectName(QStringLiteral("editUndo"));
    m_undo->setShortcuts(QKeySequence::Undo);
    m_redo = m_document.undoStack().createRedoAction(this, tr("&Redo"));
    m_redo->setObjectName(QStringLiteral("editRedo"));
    m_redo->setShortcuts(QKeySequence::Redo);
    edit->addAction(m_undo);
    edit->addAction(m_redo);
    showRecent();
}

// Made in the order Tab visits them.
void MotionWindow::makeControls()
{
    auto *central = new QWidget(this);
    setCentralWidget(central);
    auto *top = new QVBoxLayout(central);

    auto *poses = new QGroupBox(tr("Poses"), central);
    poses->setObjectName(QStringLiteral("poseGroup"));
    auto *poseLayout = new QGridLayout(poses);
    m_poseList = new QListView(poses);
    m_poseList->setObjectName(QStringLiteral("poseList"));
    m_poseList->setModel(m_poseModel);
    m_poseList->setAccessibleName(tr("Poses"));
    m_poseList->setAccessibleDescription(
        tr("F2 renames the selected pose; Ctrl+click leaves it, and the sliders then only move the "
           "servos."));
    m_poseList->setEditTriggers(QAbstractItemView::DoubleClicked |
                                QAbstractItemView::EditKeyPressed);
    m_poseList->setSelectionMode(QAbstractItemView::SingleSelection);
    // Narrow, so that the window fits beside the main one; the sliders take the room there is.
    m_poseList->setMinimumWidth(110);
    m_poseList->setMaximumWidth(180);
    // The board's preview under the list, which gives it the height: the window stays as tall.
    m_poseList->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
    auto *listColumn = new QVBoxLayout;
    listColumn->addWidget(m_poseList, 1);
    listColumn->addWidget(m_preview = new BoardPreview(poses));
    poseLayout->addLayout(listColumn, 0, 0, 2, 1);
    m_poseEditing = new QLabel(poses);
    m_poseEditing->setObjectName(QStringLiteral("poseEditing"));
    m_poseEditing->setTextFormat(Qt::PlainText);
    m_poseEditing->setWordWrap(true);
    poseLayout->addWidget(m_poseEditing, 0, 1);
    auto *sliders = new QGridLayout;
    for (int servo = 0; servo < poseServos; ++servo) {
        auto *label = new QLabel(tr("Servo %1").arg(servo), poses);
        label->setObjectName(QStringLiteral("poseSliderLabel%1").arg(servo));
        auto *slider = new QSlider(Qt::Horizontal, poses);
        slider->setObjectName(QStringLiteral("poseSlider%1").arg(servo));
        slider->setRange(0, highestPosition);
        slider->setPageStep(16);
        slider->setAccessibleName(tr("Servo %1 position").arg(servo));
        slider->setMinimumWidth(160);
        slider->installEventFilter(this);
        label->setBuddy(slider);
        auto *value = new QLabel(poses);
        value->setObjectName(QStringLiteral("poseValue%1").arg(servo));
        // Room for the widest value, so that the slider does not shift as it moves.
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("888")));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        sliders->addWidget(label, servo, 0);
        sliders->addWidget(slider, servo, 1);
        sliders->addWidget(value, servo, 2);
        m_sliders[size_t(servo)] = slider;
        m_sliderValues[size_t(servo)] = value;
    }
    poseLayout->addLayout(sliders, 1, 1);
    auto *poseButtons = new QHBoxLayout;
    m_poseAdd = button(tr("&Add current"), "poseAdd", tr("Add current"), poses);
    m_poseRename = button(tr("&Rename"), "poseRename", tr("Rename"), poses);
    m_poseDelete = button(tr("&Delete"), "poseDelete", tr("Delete"), poses);
    m_poseGoTo = button(tr("&Go to"), "poseGoTo", tr("Go to"), poses);
    for (QPushButton *b : {m_poseAdd, m_poseRename, m_poseDelete, m_poseGoTo})
        poseButtons->addWidget(b);
    poseLayout->addLayout(poseButtons, 2, 0, 1, 2);
    poseLayout->setColumnStretch(1, 1);
    top->addWidget(poses);

    auto *steps = new QGroupBox(tr("Steps"), central);
    steps->setObjectName(QStringLiteral("stepGroup"));
    auto *stepLayout = new QVBoxLayout(steps);
    m_stepTable = new QTableView(steps);
    m_stepTable->setObjectName(QStringLiteral("stepTable"));
    m_stepTable->setModel(m_stepModel);
    m_stepTable->setAccessibleName(tr("Steps"));
    m_stepTable->setAccessibleDescription(
        tr("The arrow keys move between the cells; F2 or typing changes one."));
    m_stepTable->setItemDelegate(new StepDelegate(m_document, m_stepTable));
    m_stepTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_stepTable->setSelectionMode(QAbstractItemView::SingleSelection);
    m_stepTable->setEditTriggers(
        QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
        QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    // Tab leaves the table; the arrow keys move within it.
    m_stepTable->setTabKeyNavigation(false);
    m_stepTable->horizontalHeader()->setSectionResizeMode(StepTableModel::poseColumn,
                                                          QHeaderView::Stretch);
    // Rows no taller than an editor needs, and room for three at least: on a 1280x800 screen the
    // window's height is all there is, and the splitter gives the table more as the user likes.
    const int row = m_stepTable->fontMetrics().height() + 6;
    m_stepTable->verticalHeader()->setDefaultSectionSize(row);
    m_stepTable->setMinimumHeight(4 * row + 2 * m_stepTable->frameWidth());
    stepLayout->addWidget(m_stepTable);
    auto *stepButtons = new QHBoxLayout;
    m_stepAdd = button(tr("Add s&tep"), "stepAdd", tr("Add step"), steps);
    m_stepRemove = button(tr("Re&move"), "stepRemove", tr("Remove step"), steps);
    m_stepUp = button(tr("&Up"), "stepUp", tr("Move step up"), steps);
    m_stepDown = button(tr("Do&wn"), "stepDown", tr("Move step down"), steps);
    for (QPushButton *b : {m_stepAdd, m_stepRemove, m_stepUp, m_stepDown})
        stepButtons->addWidget(b);
    stepLayout->addLayout(stepButtons);
    // The timeline shares the room with the steps, as the user likes it.
    auto *split = new TimelineSplitter(Qt::Vertical, central);
    split->setObjectName(QStringLiteral("stepSplitter"));
    split->setChildrenCollapsible(false);
    split->addWidget(steps);
    m_timeline = new TimelineView(m_document, split);
    split->addWidget(m_timeline);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    top->addWidget(split, 1);

    auto *loop = new QHBoxLayout;
    auto *roundsLabel = new QLabel(tr("Rounds:"), central);
    roundsLabel->setObjectName(QStringLiteral("loopRoundsLabel"));
    m_loopRounds = new QSpinBox(central);
    m_loopRounds->setObjectName(QStringLiteral("loopRounds"));
    m_loopRounds->setRange(1, mostRounds);
    m_loopRounds->setAccessibleName(tr("Rounds"));
    roundsLabel->setBuddy(m_loopRounds);
    m_loopForever = new QCheckBox(tr("For &ever"), central);
    m_loopForever->setObjectName(QStringLiteral("loopForever"));
    m_loopForever->setAccessibleName(tr("For ever"));
    auto *homeLabel = new QLabel(tr("Home pose:"), central);
    homeLabel->setObjectName(QStringLiteral("homePoseLabel"));
    m_homePose = new QComboBox(central);
    m_homePose->setObjectName(QStringLiteral("homePose"));
    m_homePose->setAccessibleName(tr("Home pose"));
    m_homePose->setModel(m_poseModel);
    m_homePose->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_homePose->setMinimumContentsLength(10);
    homeLabel->setBuddy(m_homePose);
    loop->addWidget(roundsLabel);
    loop->addWidget(m_loopRounds);
    loop->addWidget(m_loopForever);
    loop->addStretch();
    loop->addWidget(homeLabel);
    loop->addWidget(m_homePose);
    top->addLayout(loop);

    auto *play = new QHBoxLayout;
    m_play = button(tr("&Play"), "motionPlay", tr("Play"), central);
    m_stop = button(tr("&Stop"), "motionStop", tr("Stop"), central);
    m_home = button(tr("&Home"), "motionHome", tr("Home"), central);
    m_follow = new QCheckBox(tr("F&ollow"), central);
    m_follow->setObjectName(QStringLiteral("timelineFollow"));
    m_follow->setAccessibleDescription(tr("Moving the playhead moves the servos"));
    m_time = new QLabel(central);
    m_time->setObjectName(QStringLiteral("motionTime"));
    m_time->setAccessibleDescription(tr("Time played"));
    for (QPushButton *b : {m_play, m_stop, m_home})
        play->addWidget(b);
    play->addWidget(m_follow);
    play->addStretch();
    play->addWidget(m_time);
    top->addLayout(play);

    m_linkLabel = new QLabel(central);
    m_linkLabel->setObjectName(QStringLiteral("motionLink"));
    m_linkLabel->setAccessibleDescription(tr("Frames on the link"));
    m_linkLabel->setWordWrap(true);
    m_status = new QLabel(central);
    m_status->setObjectName(QStringLiteral("motionStatus"));
    m_status->setAccessibleDescription(tr("Status"));
    // It names files and poses and says what the system said: never markup.
    m_status->setTextFormat(Qt::PlainText);
    m_status->setWordWrap(true);
    m_status->setMinimumHeight(2 * m_status->fontMetrics().lineSpacing());
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_linkLabel->setTextFormat(Qt::PlainText);
    m_time->setTextFormat(Qt::PlainText);
    top->addWidget(m_linkLabel);
    top->addWidget(m_status);
}
