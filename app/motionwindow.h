#pragma once

#include "link/interruption.h"
#include "motion/frames.h"
#include "motion/playback.h"
#include "motion/sequence.h"

#include <QWidget>
#include <array>
#include <memory>
#include <optional>

class Desktop;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QSlider;
class QSpinBox;
class QTableWidget;
class QTableWidgetItem;
class QTimer;
class TForm1;
struct Message;

// The Motion window: the poses and steps of one sequence, and its playback to the main window's
// port in the main window's format, at its address and rate. The window owns the sequence and the
// playback; the main window owns the port link and the choices it reads.
class MotionWindow : public QWidget
{
    Q_OBJECT

  public:
    MotionWindow(TForm1 &form, Desktop &desktop);
    ~MotionWindow() override;

    const Sequence &sequence() const { return m_sequence; }
    bool playing() const { return m_playback != nullptr; }

    // Poses
    void poseSelected(QObject *sender);
    void poseRenamed(QObject *sender, QListWidgetItem *item);
    void poseAddClick(QObject *sender);
    void poseRenameClick(QObject *sender);
    void poseDeleteClick(QObject *sender);
    void poseGoToClick(QObject *sender);
    void poseSliderChange(QObject *sender, int position);

    // Steps and loop
    void stepEdited(QObject *sender, QTableWidgetItem *item);
    void stepAddClick(QObject *sender);
    void stepRemoveClick(QObject *sender);
    void stepUpClick(QObject *sender);
    void stepDownClick(QObject *sender);
    void loopChange(QObject *sender);
    void homePoseChange(QObject *sender);

    // Playback
    void motionPlayClick(QObject *sender);
    void motionStopClick(QObject *sender);
    void motionHomeClick(QObject *sender);
    void playbackTick(QObject *sender);

    // Files
    void sequenceOpenClick(QObject *sender);
    void sequenceSaveClick(QObject *sender);
    void exportCsvClick(QObject *sender);
    void exportHeaderClick(QObject *sender);
    // Loads a sequence file as "Open..." does once a file is chosen; a refused file changes
    // nothing.
    void openFrom(const QString &path);

    // A message of the main window that the playback kept off the port: said in the status line.
    void showRefusal(const QString &sentence);
    // The main window's format, rate or function may have changed.
    void followMainWindow();
    // Ends a playback at once and frees the port; the window says how far it got.
    void stopAndWait();

  protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

  private:
    struct Target
    {
        int port = 0;
        MotionLink link;
    };

    TForm1 &m_form;
    Desktop &m_desktop;
    Sequence m_sequence;
    QString m_path; // the file it was opened from or saved to; empty for a new one
    // While a playback runs, a signal that would end the program stops it first, so that the port
    // is closed and its exclusive mode cleared; the program then ends as the signal would have.
    std::unique_ptr<PortWaitInterrupts> m_interrupts;
    std::unique_ptr<Playback> m_playback;
    int m_playingPort = 0;
    bool m_playingHome = false;
    QString m_playingName;                   // the show's, as it was when it started
    std::optional<std::int64_t> m_playTotal; // of what is playing; nothing for ever
    std::optional<Positions> m_lastSent;     // what the board was last sent, for Home

    QListWidget *m_poseList;
    QPushButton *m_poseAdd, *m_poseRename, *m_poseDelete, *m_poseGoTo;
    std::array<QSlider *, poseServos> m_sliders;
    std::array<QLabel *, poseServos> m_sliderValues;
    QTableWidget *m_stepTable;
    QPushButton *m_stepAdd, *m_stepRemove, *m_stepUp, *m_stepDown;
    QSpinBox *m_loopRounds;
    QCheckBox *m_loopForever;
    QComboBox *m_homePose;
    QPushButton *m_play, *m_stop, *m_home;
    QLabel *m_time, *m_linkLabel, *m_status;
    QPushButton *m_open, *m_save, *m_exportCsv, *m_exportHeader;
    QTimer *m_timer;

    void makeControls();
    void connectEvents();
    template <typename Sender, typename Signal, typename... Args>
    void bindEvent(Sender *sender, Signal signal,
                   void (MotionWindow::*handler)(QObject *, Args...));

    int selectedPose() const;
    int selectedStep() const;
    void showSequence();
    void showPoses(int selected);
    void showSteps(int selected);
    void showPose();
    // A renamed pose's name wherever it shows, without making the lists anew under its editor.
    void showPoseName(int pose);
    void showTime(std::int64_t elapsedMs);
    void showLink();
    void updateEnabled();
    void say(const QString &sentence);
    // The file's name for the sentences, or the name of a sequence never saved.
    QString shownName() const;
    bool motionAllowed();
    // The main window's port and link, or nothing with the reason said.
    std::optional<Target> target(bool quietWithoutPort);
    void send(const Target &target, const Message &message, const QString &done);
    // The port and link to play to, once the window may play; nothing with the reason said.
    std::optional<Target> readyToPlay();
    void startPlayback(const Sequence &sequence, const Target &target, bool home);
    void endPlayback();
    std::optional<QString> askSavePath(const QString &title, const QString &filter,
                                       const QString &suffix, const QString &selected);
    void exportFrames(bool header);
};
