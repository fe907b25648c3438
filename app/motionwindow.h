#pragma once

#include "app/sequencedocument.h"
#include "motion/frames.h"
#include "motion/player.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <array>
#include <memory>
#include <optional>

class BoardPreview;
class Desktop;
class MotionHost;
class PlaybackControl;
class PoseListModel;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QListView;
class QMenu;
class QPushButton;
class QSlider;
class QSpinBox;
class QTableView;
class QTimer;
class StepTableModel;
class TimelineView;
struct Message;

// The Motion window: an editor of one sequence document (its poses, steps and loop, with undo),
// and its playback to the host's port in the host's format, at its address and rate. The views
// show the document through its models; the handlers turn what the user does into the document's
// commands (app/motionwindow_edit.cpp), file commands (app/motionwindow_files.cpp) and playback.
class MotionWindow : public QMainWindow
{
    Q_OBJECT

  public:
    MotionWindow(MotionHost &host, Desktop &desktop, QWidget *parent);
    ~MotionWindow() override;

    const Sequence &sequence() const { return m_document.sequence(); }
    SequenceDocument &document() { return m_document; }
    bool playing() const;

    // Opens a sequence file as "Open..." does once a file is chosen, after the question about
    // unsaved edits; a refused file changes nothing.
    void openFile(const QString &path);
    // The host's format, rate or function may have changed.
    void followMainWindow();

    // Poses
    void poseSelected(QObject *sender);
    void poseAddClick(QObject *sender);
    void poseRenameClick(QObject *sender);
    void poseDeleteClick(QObject *sender);
    void poseGoToClick(QObject *sender);
    void poseSliderChange(QObject *sender, int position);

    // Steps and loop
    void stepAddClick(QObject *sender);
    void stepRemoveClick(QObject *sender);
    void stepUpClick(QObject *sender);
    void stepDownClick(QObject *sender);
    void loopChange(QObject *sender);
    void homePoseChange(QObject *sender, int index);

    // Playback
    void motionPlayClick(QObject *sender);
    void motionStopClick(QObject *sender);
    void motionHomeClick(QObject *sender);
    void followToggled(QObject *sender);

    // Files
    void sequenceNewClick(QObject *sender);
    void sequenceOpenClick(QObject *sender);
    void sequenceSaveClick(QObject *sender);
    void sequenceSaveAsClick(QObject *sender);
    void exportCsvClick(QObject *sender);
    void exportHeaderClick(QObject *sender);

  Q_SIGNALS:
    // The port a playback holds, 0 once none does: the host's messages to it are refused meanwhile.
    void portHeld(int port);

  protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    struct Target
    {
        int port = 0;
        MotionLink link;
    };

    MotionHost &m_host;
    Desktop &m_desktop;
    SequenceDocument m_document;
    PoseListModel *m_poseModel;
    StepTableModel *m_stepModel;
    PlaybackControl *m_playback;
    int m_shownPose = -1; // the pose the sliders edit; -1 while they only move the servos
    int m_gesture = 0;    // a new drag or key press of a slider: its moves are one command
    bool m_undoing = false;
    bool m_playingShow = false; // the document is playing, not Home's move
    // Follow: the servos go after the playhead a frame at a time, at most `followStep` a frame.
    QTimer *m_followTimer = nullptr; // made as Follow first sends
    std::optional<FramePlanner> m_followPlanner;
    MotionLink m_followLink;
    Positions m_followAt{}, m_followGoal{};
    std::int64_t m_followSlot = 0;
    QElapsedTimer m_followSentAt; // the last frame Follow sent
    // Where the board holds the servos along the show, for the preview; made anew on each change.
    std::unique_ptr<BoardTrack> m_boardTrack;

    QListView *m_poseList;
    QLabel *m_poseEditing;
    QPushButton *m_poseAdd, *m_poseRename, *m_poseDelete, *m_poseGoTo;
    std::array<QSlider *, poseServos> m_sliders;
    std::array<QLabel *, poseServos> m_sliderValues;
    QTableView *m_stepTable;
    TimelineView *m_timeline;
    QPushButton *m_stepAdd, *m_stepRemove, *m_stepUp, *m_stepDown;
    QSpinBox *m_loopRounds;
    QCheckBox *m_loopForever;
    QComboBox *m_homePose;
    QPushButton *m_play, *m_stop, *m_home;
    QCheckBox *m_follow;
    BoardPreview *m_preview;
    QLabel *m_time, *m_linkLabel, *m_status;
    QAction *m_new, *m_open, *m_save, *m_saveAs, *m_exportCsv, *m_exportHeader, *m_close;
    QAction *m_undo, *m_redo;
    QMenu *m_recent;

    void makeMenus();
    void makeControls();
    void connectEvents();

    int selectedPose() const;
    int selectedStep() const;
    void selectPose(int pose);
    void selectStep(int step);
    void documentChanged(const SequenceDocument::Change &change);
    void showTitle();
    void showLoop();
    void showPose();
    void showTime(std::int64_t elapsedMs);
    // The sliders show the targets at the playhead, without editing a pose.
    void showPlayhead(std::int64_t ms);
    void playbackProgressed(std::int64_t elapsedMs);
    // Sends the servos towards `goal`: a frame now, the rest at the board's rate.
    void follow(const Positions &goal);
    void followFrame();
    int followFrameMs() const;
    // The preview shows where the board holds the servos after the frames planned up to `ms`.
    void showBoard(const Player &player, std::int64_t ms);
    void stopFollowing();
    void showLink();
    void updateEnabled();
    void say(const QString &sentence);
    bool motionAllowed();

    // The host's port and link, or nothing with the reason said.
    std::optional<Target> target(bool quietWithoutPort);
    // Why the link cannot carry a show; empty when it can.
    static QString miniSscAddressRefusal(const MotionLink &link);
    void send(const Target &target, const Message &message, const QString &done);
    // Moves the real servos to `positions`, as a drag does: `servo` alone where the format allows.
    void moveServo(const Positions &positions, int servo);
    std::optional<Target> readyToPlay();
    void playbackEnded(const QString &sentence);

    // Files (app/motionwindow_files.cpp)
    // Asks about unsaved edits: true once they are saved or may go, false to keep everything as
    // it is. Discard takes the document back to what was last saved when `revertOnDiscard`.
    bool settleUnsaved(bool revertOnDiscard);
    bool save(bool askPath);
    void openFrom(const QString &path);
    void exportFrames(bool header);
    std::optional<QString> askSavePath(const QString &title, const QString &filter,
                                       const QString &suffix, const QString &selected);
    std::optional<QString> askOpenPath();
    void rememberFile(const QString &path);
    void showRecent();
};
