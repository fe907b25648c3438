// The Motion window: how the views follow the document, its keys and its place beside the main
// window.
#include "app/motionwindow.h"

#include "app/boardpreview.h"
#include "app/desktop.h"
#include "app/eventguard.h"
#include "app/motionhost.h"
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

MotionWindow::MotionWindow(MotionHost &host, Desktop &desktop, QWidget *parent)
    : QMainWindow(parent, Qt::Window), m_host(host), m_desktop(desktop),
      m_poseModel(new PoseListModel(m_document, this)),
      m_stepModel(new StepTableModel(m_document, this)), m_playback(new PlaybackControl(host, this))
{
    setObjectName(QStringLiteral("MotionWindow"));
    makeMenus();
    makeControls();
    connectEvents();
    documentChanged({});
    showTitle();
    followMainWindow();
}

MotionWindow::~MotionWindow()
{
    m_playback->stopAndWait();
    // The views and the models read the document, a member: they go before it does.
    m_document.disconnect(this);
    delete takeCentralWidget();
    delete m_poseModel;
    delete m_stepModel;
}

bool MotionWindow::playing() const
{
    return m_playback->playing();
}

// The file commands in a menu rather than a row of buttons: the window stays narrow enough to
// stand beside the main one.
void MotionWindow::connectEvents()
{
    connect(&m_document, &SequenceDocument::changed, this,
            [this](const SequenceDocument::Change &change) {
                runHandler([&] { documentChanged(change); });
            });
    connect(&m_document, &SequenceDocument::stateChanged, this, &MotionWindow::showTitle);
    connect(m_poseModel, &PoseListModel::refused, this, &MotionWindow::say);
    connect(m_playback, &PlaybackControl::progressed, this, &MotionWindow::playbackProgressed);
    connect(m_playback, &PlaybackControl::ended, this, &MotionWindow::playbackEnded);
    connect(m_playback, &PlaybackControl::portHeld, this, &MotionWindow::portHeld);
    bindEvent(this, m_poseList->selectionModel(), &QItemSelectionModel::selectionChanged,
              &MotionWindow::poseSelected);
    bindEvent(this, m_poseAdd, &QPushButton::clicked, &MotionWindow::poseAddClick);
    bindEvent(this, m_poseRename, &QPushButton::clicked, &MotionWindow::poseRenameClick);
    bindEvent(this, m_poseDelete, &QPushButton::clicked, &MotionWindow::poseDeleteClick);
    bindEvent(this, m_poseGoTo, &QPushButton::clicked, &MotionWindow::poseGoToClick);
    for (QSlider *slider : m_sliders) {
        bindEvent(this, slider, &QSlider::valueChanged, &MotionWindow::poseSliderChange);
        connect(slider, &QSlider::sliderPressed, this, [this] { ++m_gesture; });
    }
    connect(m_stepTable->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        runHandler([this] {
            m_timeline->setSelectedStep(selectedStep());
            updateEnabled();
        });
    });
    connect(m_timeline, &TimelineView::stepChosen, this,
            [this](int step) { runHandler([&] { selectStep(step); }); });
    connect(m_timeline, &TimelineView::playheadMoved, this,
            [this](std::int64_t ms) { runHandler([&] { showPlayhead(ms); }); });
    bindEvent(this, m_stepAdd, &QPushButton::clicked, &MotionWindow::stepAddClick);
    bindEvent(this, m_stepRemove, &QPushButton::clicked, &MotionWindow::stepRemoveClick);
    bindEvent(this, m_stepUp, &QPushButton::clicked, &MotionWindow::stepUpClick);
    bindEvent(this, m_stepDown, &QPushButton::clicked, &MotionWindow::stepDownClick);
    bindEvent(this, m_loopRounds, &QSpinBox::valueChanged, &MotionWindow::loopChange);
    bindEvent(this, m_loopForever, &QCheckBox::toggled, &MotionWindow::loopChange);
    bindEvent(this, m_homePose, &QComboBox::activated, &MotionWindow::homePoseChange);
    bindEvent(this, m_play, &QPushButton::clicked, &MotionWindow::motionPlayClick);
    bindEvent(this, m_stop, &QPushButton::clicked, &MotionWindow::motionStopClick);
    bindEvent(this, m_home, &QPushButton::clicked, &MotionWindow::motionHomeClick);
    bindEvent(this, m_follow, &QCheckBox::toggled, &MotionWindow::followToggled);
    bindEvent(this, m_new, &QAction::triggered, &MotionWindow::sequenceNewClick);
    bindEvent(this, m_open, &QAction::triggered, &MotionWindow::sequenceOpenClick);
    bindEvent(this, m_save, &QAction::triggered, &MotionWindow::sequenceSaveClick);
    bindEvent(this, m_saveAs, &QAction::triggered, &MotionWindow::sequenceSaveAsClick);
    bindEvent(this, m_exportCsv, &QAction::triggered, &MotionWindow::exportCsvClick);
    bindEvent(this, m_exportHeader, &QAction::triggered, &MotionWindow::exportHeaderClick);
    connect(m_close, &QAction::triggered, this, &QWidget::close);
    // Undo and redo run under the error report too: a position undone is sent to the servo.
    for (QAction *a : {m_undo, m_redo})
        connect(a, &QAction::triggered, this, [this] { ++m_gesture; });
}

int MotionWindow::selectedPose() const
{
    const QModelIndexList rows = m_poseList->selectionModel()->selectedRows();
    return rows.size() == 1 && rows[0].row() < int(sequence().poses.size()) ? rows[0].row() : -1;
}

int MotionWindow::selectedStep() const
{
    const QModelIndexList rows = m_stepTable->selectionModel()->selectedRows();
    return rows.size() == 1 && rows[0].row() < int(sequence().steps.size()) ? rows[0].row() : -1;
}

void MotionWindow::selectPose(int pose)
{
    if (pose < 0 || pose >= int(sequence().poses.size())) {
        m_poseList->selectionModel()->clearSelection();
        m_shownPose = -1;
        showPose();
        return;
    }
    m_poseList->selectionModel()->setCurrentIndex(m_poseModel->index(pose),
                                                  QItemSelectionModel::ClearAndSelect);
}

void MotionWindow::selectStep(int step)
{
    if (step < 0 || step >= int(sequence().steps.size()))
        m_stepTable->selectionModel()->clearSelection();
    else
        m_stepTable->selectRow(step);
}

void MotionWindow::documentChanged(const SequenceDocument::Change &change)
{
    using Kind = SequenceDocument::Change::Kind;
    m_boardTrack.reset();
    switch (change.kind) {
    case Kind::Everything:
        // The views were made anew: the same pose stays the one edited, if it is still there.
        selectPose(m_shownPose);
        break;
    case Kind::Position:
        // An undone or redone move shows on its pose, and the real servo follows as for a drag.
        if (selectedPose() != change.pose)
            selectPose(change.pose);
        showPose();
        moveServo(sequence().poses[size_t(change.pose)].positions, change.servo);
        break;
    default:
        break;
    }
    showLoop();
    if (!playing())
        showTime(0);
    updateEnabled();
}

void MotionWindow::showTitle()
{
    // "wave.svseq[*] - Motion": the marker shows while there are unsaved edits.
    // A "[*]" in the file's own name is doubled, which the title shows as it is.
    QString name = m_document.name();
    name.replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
    setWindowTitle(tr("%1[*] - Motion").arg(name));
    setWindowModified(m_document.modified());
}

void MotionWindow::showLoop()
{
    const QSignalBlocker rounds(m_loopRounds);
    const QSignalBlocker forever(m_loopForever);
    const QSignalBlocker home(m_homePose);
    m_loopForever->setChecked(sequence().rounds == 0);
    m_loopRounds->setValue(std::max(sequence().rounds, 1));
    m_loopRounds->setEnabled(sequence().rounds != 0);
    m_homePose->setCurrentIndex(sequence().home);
}

void MotionWindow::showPose()
{
    const int pose = selectedPose();
    // With no pose chosen the sliders stand where the servos were last sent, or at the home pose.
    const Positions shown =
        pose >= 0
            ? sequence().poses[size_t(pose)].positions
            : m_playback->lastSent().value_or(sequence().poses[size_t(sequence().home)].positions);
    for (int servo = 0; servo < poseServos; ++servo) {
        const QSignalBlocker quiet(m_sliders[size_t(servo)]);
        m_sliders[size_t(servo)]->setValue(shown[size_t(servo)]);
        m_sliderValues[size_t(servo)]->setText(QString::number(shown[size_t(servo)]));
    }
    m_poseEditing->setText(
        pose >= 0 ? tr("The sliders edit \"%1\".").arg(poseText(sequence().poses[size_t(pose)]))
                  : tr("No pose chosen: the sliders move the servos, and "
                       "\"Add current\" keeps them as a pose."));
}

void MotionWindow::updateEnabled()
{
    const bool motion = !m_host.digitalController();
    const bool free = !playing();
    const bool pose = selectedPose() >= 0;
    const int step = selectedStep();
    m_play->setEnabled(free && motion);
    m_home->setEnabled(free && motion);
    m_stop->setEnabled(!free);
    m_timeline->setScrubbable(free);
    m_poseGoTo->setEnabled(free && motion && pose);
    for (QSlider *slider : m_sliders)
        slider->setEnabled(free && motion);
    m_poseRename->setEnabled(pose);
    m_poseDelete->setEnabled(pose && sequence().poses.size() > 1);
    m_stepRemove->setEnabled(step >= 0);
    m_stepUp->setEnabled(step > 0);
    m_stepDown->setEnabled(step >= 0 && step + 1 < int(sequence().steps.size()));
}

void MotionWindow::say(const QString &sentence)
{
    m_status->setText(sentence);
}

void MotionWindow::followMainWindow()
{
    showLink();
    // Said once as the function changes, so that the sentence does not crowd out others.
    const bool outputs = m_host.digitalController();
    if (outputs && m_status->text() != Texts::noMotionForOutputs())
        say(Texts::noMotionForOutputs());
    else if (!outputs && m_status->text() == Texts::noMotionForOutputs())
        say(QString());
    updateEnabled();
}

bool MotionWindow::motionAllowed()
{
    followMainWindow();
    return !m_host.digitalController();
}

void MotionWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    runHandler([this] { followMainWindow(); });
}

void MotionWindow::closeEvent(QCloseEvent *event)
{
    bool settled = false;
    runHandler([&] { settled = settleUnsaved(true); });
    if (!settled) {
        event->ignore();
        return;
    }
    // The port is free again once the window has gone.
    runHandler([this] {
        stopFollowing();
        m_playback->stopAndWait();
    });
    QMainWindow::closeEvent(event);
}

void MotionWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Escape || event->modifiers() != Qt::NoModifier) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    if (playing())
        runHandler([this] { motionStopClick(this); });
    else
        close();
}

bool MotionWindow::eventFilter(QObject *watched, QEvent *event)
{
    // A key pressed anew on a slider starts a new command; its repeats while held join it.
    if (event->type() == QEvent::KeyPress && !static_cast<QKeyEvent *>(event)->isAutoRepeat())
        ++m_gesture;
    return QMainWindow::eventFilter(watched, event);
}
