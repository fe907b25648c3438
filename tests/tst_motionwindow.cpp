// The Motion window driven through its controls: what reaches the board, what the user reads.
#include "app/boardpreview.h"
#include "app/motionwindow.h"
#include "app/sequencefile.h"
#include "app/texts.h"
#include "app/tform1.h"
#include "app/timelineview.h"
#include "link/senders.h"
#include "tests/fakedesktop.h"
#include "tests/otherprocess.h"
#include "tests/platform.h"
#include "tests/ptypair.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QListView>
#include <QSlider>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <atomic>
#include <csignal>
#include <functional>

namespace {
// Home, then A with a linear move, B easing in and out, home again at a step.
Sequence threePoses(int rounds)
{
    Sequence s;
    s.poses = {{"Home", {}},
               {"A", {10, 20, 30, 40, 50, 60, 70, 80}},
               {"B", {200, 190, 180, 170, 160, 150, 140, 130}}};
    s.steps = {
        {1, 300, 100, Easing::Linear}, {2, 300, 0, Easing::EaseInOut}, {0, 200, 100, Easing::Step}};
    s.rounds = rounds;
    return s;
}

QByteArray planned(const Sequence &sequence, const MotionLink &link)
{
    QByteArray all;
    for (const PlannedFrame &frame : planFrames(Player(sequence), link))
        all += QByteArray(reinterpret_cast<const char *>(frame.bytes.data()),
                          qsizetype(frame.bytes.size()));
    return all;
}
} // namespace

class TestMotionWindow : public QObject
{
    Q_OBJECT

  private Q_SLOTS:
    void init();
    void cleanup();

    void menuAndKeyOpenTheWindow();

    void playsThePlannedFrames_data();
    void playsThePlannedFrames();
    void stopEndsAForeverSequence_data();
    void stopEndsAForeverSequence();
    void mainWindowMessagesRefusedWhilePlaying();
    void unpluggedMidShowEndsThePlayback();
    void refusedPlays_data();
    void refusedPlays();
    void sliderMovesTheServo_data();
    void sliderMovesTheServo();
    void refusedFileChangesNothing_data();
    void refusedFileChangesNothing();
    void savedFileKeepsTheMainWindowsLink_data();
    void savedFileKeepsTheMainWindowsLink();
    void deleteRefusesAPoseInUse_data();
    void deleteRefusesAPoseInUse();
    void undoRestoresThePoseAndTheServo_data();
    void undoRestoresThePoseAndTheServo();
    void tenEditsUndoneInOrder();
    void unsavedEditsAreAskedAbout_data();
    void unsavedEditsAreAskedAbout();
    void recentSequencesAndLastFolder();
    void everyEasingThroughEditorFileAndPlayer_data();
    void everyEasingThroughEditorFileAndPlayer();
    void timelineEdgeDragIsOneCommand_data();
    void timelineEdgeDragIsOneCommand();
    void playheadKeysShowTheTargets_data();
    void playheadKeysShowTheTargets();
    void followMovesTheServos_data();
    void followMovesTheServos();
    void previewShowsWhatTheLineCarried_data();
    void previewShowsWhatTheLineCarried();

  private:
    std::unique_ptr<FreshWindow> m_fresh;
    QTemporaryDir m_dir;
    MotionWindow *m_motion = nullptr;

    TForm1 *form() { return m_fresh->form.get(); }
    Controls &ui() { return m_fresh->ui; }
    template <typename T = QWidget> T *control(const char *name)
    {
        T *found = m_motion->findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("The Motion window has no %s", name);
        return found;
    }
    // A button, or a command of the window's menus.
    void click(const char *name)
    {
        if (auto *command = m_motion->findChild<QAction *>(QLatin1String(name)))
            command->trigger();
        else
            control<QAbstractButton>(name)->click();
    }
    int poseCount() { return control<QListView>("poseList")->model()->rowCount(); }
    void choosePose(int pose)
    {
        auto *list = control<QListView>("poseList");
        list->selectionModel()->setCurrentIndex(list->model()->index(pose, 0),
                                                QItemSelectionModel::ClearAndSelect);
    }
    void activate(QWidget *window)
    {
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }
    QString status() { return control<QLabel>("motionStatus")->text(); }
    void setLink(bool native, int baud, int address = 0);
    QString written(const QByteArray &text, const QString &name = QStringLiteral("show.svseq"));
    // Written with the codec and opened with the window's "Open..." button.
    void openThroughButton(const Sequence &sequence);
    void liveMessageGoesThrough(PtyPair &pty);
};

void TestMotionWindow::init()
{
    m_fresh = std::make_unique<FreshWindow>();
    form()->findChild<QAction *>(QStringLiteral("motionOpen"))->trigger();
    m_motion = form()->findChild<MotionWindow *>(QStringLiteral("MotionWindow"));
    QVERIFY(m_motion && m_motion->isVisible());
}

void TestMotionWindow::cleanup()
{
    m_fresh.reset();
}

void TestMotionWindow::setLink(bool native, int baud, int address)
{
    (native ? ui().RadioButton4 : ui().RadioButton5)->setChecked(true);
    ui().baudSelector->setText(QString::number(baud));
    ui().Edit1->setText(QString::number(address));
}

QString TestMotionWindow::written(const QByteArray &text, const QString &name)
{
    QFile file(m_dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        qFatal("Cannot write %s", qPrintable(file.fileName()));
    return file.fileName();
}

void TestMotionWindow::openThroughButton(const Sequence &sequence)
{
    m_fresh->desk.fileAnswers.push_back(written(encodeSequenceFile({sequence, {}})));
    click("sequenceOpen");
    QCOMPARE(m_motion->sequence(), sequence);
}

void TestMotionWindow::liveMessageGoesThrough(PtyPair &pty)
{
    pty.readAll();
    sendLivePosition(form()->portLink(), form()->record().comPort, 0, 0);
    QCOMPARE(pty.read(4).toHex(), QByteArray("fe003307"));
}

void TestMotionWindow::menuAndKeyOpenTheWindow()
{
    const QList<QAction *> bar = ui().MenuBar->actions();
    auto *menu = form()->findChild<QMenu *>(QStringLiteral("Motion1"));
    QVERIFY(menu && bar.size() == 3 && bar[2] == menu->menuAction());
    QCOMPARE(menu->actions()[0]->text(), QStringLiteral("Poses and Sequences..."));
    QCOMPARE(m_motion->windowTitle(), QStringLiteral("Untitled sequence[*] - Motion"));
    // On a 1280x800 screen there is no room right of the main window at its opening place (517):
    // the Motion window must fit to its left, clear of its menus, and within the screen's height.
    // (Under Wine the offscreen platform finds no fonts, and its stand-in's metrics are no
    // desktop's.)
    if (!onWindows)
        QVERIFY(m_motion->sizeHint().width() < 517 && m_motion->sizeHint().height() < 760);
    QTest::keyClick(m_motion, Qt::Key_Escape); // not playing: closes
    QVERIFY(!m_motion->isVisible());
    form()->show();
    form()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form()));
    QTest::keyClick(form(), Qt::Key_M, Qt::ControlModifier);
    QVERIFY(m_motion->isVisible());
    QCOMPARE(form()->centralWidget()->size(), QSize(496, 394));
}

void TestMotionWindow::playsThePlannedFrames_data()
{
    QTest::addColumn<bool>("native");
    QTest::addColumn<int>("baud");
    QTest::addColumn<bool>("fromCommandLine"); // as a double click opens it, else by "Open..."
    QTest::newRow("Mini SSC at 115200, address 16") << false << 115200 << false;
    QTest::newRow("Quorvel at 9600") << true << 9600 << true;
}

void TestMotionWindow::playsThePlannedFrames()
{
    QFETCH(bool, native);
    QFETCH(int, baud);
    QFETCH(bool, fromCommandLine);
    PtyPair pty;
    m_fresh->choosePort(pty.device());
    setLink(native, baud, native ? 0 : 16);
    const Sequence sequence = threePoses(2);
    if (fromCommandLine) {
        form()->openSequence(written(encodeSequenceFile({sequence, {}})));
        QCOMPARE(m_motion->sequence(), sequence);
    } else {
        openThroughButton(sequence);
    }
    const QByteArray expected = planned(sequence, {native, native ? 0 : 16, baud});
    click("motionPlay");
    QVERIFY(m_motion->playing());
    const QByteArray arrived = pty.read(int(expected.size()), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(!m_motion->playing(), 10000);
    if (arrived != expected && status().contains(QStringLiteral("left out, late")))
        QSKIP("The machine was too busy to keep the frames' times; frames were left out");
    QCOMPARE(arrived.toHex(' '), expected.toHex(' '));
    QCOMPARE(pty.line().speed, unsigned(baud));
    QVERIFY2(status().startsWith(QStringLiteral("Played show.svseq to COM1: 2.0 s")),
             qPrintable(status()));
    liveMessageGoesThrough(pty);
}

void TestMotionWindow::stopEndsAForeverSequence_data()
{
    // ", the port stalled": the port takes no bytes, and the window must not wait for it. A
    // signal ends the program after the playback has freed the port; here the test's own handler
    // stands for the program's end.
    QTest::addColumn<QString>("how");
    for (const char *how : {"Stop", "Escape", "closing the window", "closing the main window",
                            "Stop, the port stalled", "closing the window, the port stalled",
                            "another file opened, then Stop", "termination", "an alarm"})
        QTest::newRow(how) << how;
}

namespace {
std::atomic<int> signalSeen{0};
}

void TestMotionWindow::stopEndsAForeverSequence()
{
    QFETCH(QString, how);
    const bool stalled = how.endsWith(QLatin1String(", the port stalled"));
    const int signal = how == QLatin1String("termination") ? SIGTERM
                       : how == QLatin1String("an alarm")  ? SIGALRM
                                                           : 0;
    if (signal)
        SKIP_ON_WINDOWS("Signals are POSIX's");
    PtyPair pty;
    if (stalled)
        pty.stall();
    m_fresh->choosePort(pty.device());
    openThroughButton(threePoses(0));
    if (signal) { // before the playback, which keeps it to pass the signal on
        signalSeen = 0;
        std::signal(signal, [](int caught) { signalSeen = caught; });
    }
    click("motionPlay");
    if (stalled)
        QTest::qWait(300); // in a write that waits for room
    else
        QCOMPARE(pty.read(24).size(), 24); // under way
    if (how.startsWith(QLatin1String("Stop")))
        click("motionStop");
    else if (how == QLatin1String("Escape"))
        QTest::keyClick(m_motion->focusWidget() ? m_motion->focusWidget() : m_motion,
                        Qt::Key_Escape);
    else if (how.startsWith(QLatin1String("closing the window")))
        m_motion->close();
    else if (how == QLatin1String("closing the main window"))
        form()->close();
    if (how.startsWith(QLatin1String("another file"))) {
        m_fresh->desk.fileAnswers.push_back(
            written(encodeSequenceFile({threePoses(1), {}}), QStringLiteral("other.svseq")));
        click("sequenceOpen");
        click("motionStop");
    }
    if (signal)
        std::raise(signal);
    QTRY_VERIFY_WITH_TIMEOUT(!m_motion->playing(), 5000);
    QVERIFY(!pty.exclusive());
    if (signal) {
        std::signal(signal, SIG_DFL);
        QCOMPARE(signalSeen.load(), signal); // passed on once the port was free
        QCOMPARE(status(), QStringLiteral("COM1: interrupted; the playback stopped."));
        return;
    }
    QVERIFY2(status().startsWith(QStringLiteral("Stopped. Played show.svseq to COM1: ")),
             qPrintable(status()));
    QVERIFY(control("motionPlay")->isEnabled());
    if (!stalled)
        liveMessageGoesThrough(pty);
}

void TestMotionWindow::mainWindowMessagesRefusedWhilePlaying()
{
    PtyPair pty;
    m_fresh->choosePort(pty.device());
    openThroughButton(threePoses(0));
    click("motionPlay");
    const QString refused = QStringLiteral("COM1: a sequence is playing on it; stop it first");
    QTest::mouseClick(ui().Button1, Qt::LeftButton);
    QCOMPARE(m_fresh->desk.errors(), QStringList{refused});
    // Said where the user acted, in the main window; the test slider, which would only be
    // refused, is greyed out with the reason.
    const QString playing = status();
    ui().startSweep->setPosition(2000); // a live-position message
    QCOMPARE(ui().startSweep->toolTip(), refused);
    QCOMPARE(status(), playing);
    QVERIFY(!ui().ScrollBar1->isEnabled());
    QCOMPARE(ui().ScrollBar1->toolTip(), refused);
    click("motionStop");
    QTRY_VERIFY_WITH_TIMEOUT(!m_motion->playing(), 1000);
    QVERIFY(ui().ScrollBar1->isEnabled() && ui().ScrollBar1->toolTip().isEmpty());
    // Only frames arrived: the upload starts with five FF, the live message with FE, and no
    // position of the sequence is 254.
    const QByteArray arrived = pty.readAll();
    QVERIFY(!arrived.contains(QByteArray(5, '\xff')) && !arrived.contains('\xfe'));
}

void TestMotionWindow::unpluggedMidShowEndsThePlayback()
{
    PtyPair pty;
    m_fresh->choosePort(pty.device());
    openThroughButton(threePoses(0));
    click("motionPlay");
    QCOMPARE(pty.read(24).size(), 24);
    pty.remove();
    QTRY_VERIFY_WITH_TIMEOUT(!m_motion->playing(), 5000);
    QVERIFY2(status().startsWith(QStringLiteral("COM1: ")) &&
                 status().endsWith(QStringLiteral("; the playback stopped.")),
             qPrintable(status()));
    // Still answering: a pose is added at once.
    click("poseAdd");
    QCOMPARE(poseCount(), 4);
}

void TestMotionWindow::refusedPlays_data()
{
    QTest::addColumn<bool>("port");
    QTest::addColumn<QString>("digital"); // when "Digital Controller" is chosen
    QTest::addColumn<QString>("sentence");
    const QString outputs = Texts::noMotionForOutputs();
    QTest::newRow("no port") << false << ""
                             << "Please select a COM port.";
    QTest::newRow("Digital Controller, then opened") << true << "before" << outputs;
    QTest::newRow("Digital Controller chosen while open") << true << "after" << outputs;
}

void TestMotionWindow::refusedPlays()
{
    QFETCH(bool, port);
    QFETCH(QString, digital);
    QFETCH(QString, sentence);
    PtyPair pty;
    if (port)
        m_fresh->choosePort(pty.device());
    choosePose(0);
    if (digital == QLatin1String("before")) {
        m_motion->close();
        ui().RadioButton7->setChecked(true);
        form()->findChild<QAction *>(QStringLiteral("motionOpen"))->trigger();
    } else if (digital == QLatin1String("after")) {
        ui().RadioButton7->setChecked(true);
    }
    click("motionPlay");
    QCOMPARE(status(), sentence);
    for (const char *name : {"motionPlay", "motionHome", "poseGoTo", "poseSlider0"})
        QCOMPARE(control(name)->isEnabled(), digital.isEmpty());
    QCOMPARE(pty.readAll(50), QByteArray());
}

void TestMotionWindow::sliderMovesTheServo_data()
{
    QTest::addColumn<bool>("native");
    QTest::addColumn<int>("baud");
    QTest::addColumn<QByteArray>("sent"); // after servo 3 to 200, then servo 5 to 40
    QTest::addColumn<bool>("chosen");     // Home chosen in the list, else no pose
    QTest::newRow("Quorvel: the pose's other seven with it")
        << true << 57600
        << QByteArray::fromHex("FFFF0800808080C88080808000"
                               "FFFF0800808080C88028808000")
        << true;
    QTest::newRow("Mini SSC: the one servo, from the address")
        << false << 9600 << QByteArray::fromHex("FF13C8FF1528") << true;
    // A fresh window edits no pose by surprise: the servos move, Home stays as it was.
    QTest::newRow("no pose chosen: the servos alone")
        << false << 9600 << QByteArray::fromHex("FF13C8FF1528") << false;
}

void TestMotionWindow::sliderMovesTheServo()
{
    QFETCH(bool, native);
    QFETCH(int, baud);
    QFETCH(QByteArray, sent);
    QFETCH(bool, chosen);
    PtyPair pty;
    m_fresh->choosePort(pty.device());
    setLink(native, baud, 16);
    if (chosen)
        choosePose(0); // the sliders edit only the pose the user chose
    control<QSlider>("poseSlider3")->setValue(200);
    control<QSlider>("poseSlider5")->setValue(40);
    QCOMPARE(pty.read(int(sent.size())).toHex(' '), sent.toHex(' '));
    QCOMPARE(pty.line().speed, unsigned(baud));
    QCOMPARE(m_motion->sequence().poses[0].positions[3], chosen ? 200 : 128);
    QCOMPARE(m_motion->isWindowModified(), chosen);
    QCOMPARE(status(), QString());
}

void TestMotionWindow::refusedFileChangesNothing_data()
{
    QTest::addColumn<QByteArray>("text");
    const QByteArray good = encodeSequenceFile({threePoses(1), {}});
    QTest::newRow("not JSON") << QByteArray("{ \"type\": ");
    QTest::newRow("cut short") << good.left(good.size() / 2);
    QTest::newRow("a position above 254") << QByteArray(good).replace("200", "300");
    QTest::newRow("a step to a pose there is not")
        << QByteArray(good).replace("\"pose\": 2", "\"pose\": 7");
    QTest::newRow("a link to a serial adapter, never opened") << QByteArray("adapter link");
}

void TestMotionWindow::refusedFileChangesNothing()
{
    QFETCH(QByteArray, text);
    // Markup in the name is shown as it is; a Windows file name cannot hold < and >.
    const QString name =
        onWindows ? QStringLiteral("damaged.svseq") : QStringLiteral("<b>damaged<i>.svseq");
    if (onWindows && text == "adapter link")
        QSKIP("Links and pseudo-terminals are POSIX's");
    PtyPair pty(false);
    OpenWatch adapterOpens(pty.device());
    QString path = m_dir.filePath(name);
    QFile::remove(path);
    if (text == "adapter link")
        QVERIFY(QFile::link(QString::fromStdString(pty.device()), path));
    else
        path = written(text, name);
    const Sequence before = m_motion->sequence();
    m_fresh->desk.fileAnswers.push_back(path);
    click("sequenceOpen");
    QCOMPARE(m_fresh->desk.boxes.size(), size_t(1));
    QCOMPARE(m_fresh->desk.boxes[0].caption, QStringLiteral("Open Sequence"));
    QCOMPARE(m_fresh->desk.boxes[0].text, readSequenceFile(path).refusal);
    QVERIFY(m_fresh->desk.boxes[0].text.contains(name));
    QCOMPARE(m_motion->sequence(), before);
    QCOMPARE(poseCount(), 1);
    if (text == "adapter link")
        QCOMPARE(adapterOpens.opens(), 0);
}

void TestMotionWindow::savedFileKeepsTheMainWindowsLink_data()
{
    // Under Digital Controller, where Mini SSC addresses go up to 255.
    QTest::addColumn<bool>("native");
    QTest::addColumn<int>("address");
    QTest::newRow("Quorvel, address 300") << true << 300;
    QTest::newRow("Mini SSC, address 248: a servo would be 255, the sync byte") << false << 248;
}

void TestMotionWindow::savedFileKeepsTheMainWindowsLink()
{
    QFETCH(bool, native);
    QFETCH(int, address);
    ui().RadioButton7->setChecked(true);
    setLink(native, 19200, address);
    control<QSlider>("poseSlider1")->setValue(99);
    click("poseAdd");
    click("stepAdd");
    control<QCheckBox>("loopForever")->setChecked(true);
    const QString path = m_dir.filePath(QStringLiteral("kept.svseq"));
    const QString csv = m_dir.filePath(QStringLiteral("kept.csv"));
    QFile::remove(path);
    m_fresh->desk.fileAnswers = {path, csv};
    click("sequenceSave");
    if (!native) {
        QCOMPARE(m_fresh->desk.errors(),
                 QStringList{"In the Mini SSC format the servos are numbered from the address up "
                             "and end at 254: the address must be from 0 to 247, not 248."});
        QVERIFY(!QFileInfo::exists(path));
        return;
    }
    const SequenceFileRead read = readSequenceFile(path);
    QVERIFY2(read.file, qPrintable(read.refusal));
    QCOMPARE(read.file->sequence, m_motion->sequence());
    QCOMPARE(read.file->sequence.poses[1].name, std::string("Pose 1"));
    QCOMPARE(read.file->link, (MotionLink{true, 300, 19200}));
    click("exportCsv"); // for ever: one round
    Sequence once = m_motion->sequence();
    once.rounds = 1;
    QFile exported(csv);
    QVERIFY(exported.open(QIODevice::ReadOnly));
    QCOMPARE(exported.readAll(), framesCsv(Player(once)));
    QVERIFY(m_fresh->desk.boxes.empty());
}

void TestMotionWindow::deleteRefusesAPoseInUse_data()
{
    QTest::addColumn<int>("pose");
    QTest::addColumn<QString>("sentence");
    QTest::newRow("the home pose")
        << 0 << "\"Home\" is the home pose: choose another home pose before deleting it.";
    QTest::newRow("a step's") << 2
                              << "Step 2 goes to \"B\": change or remove that step before "
                                 "deleting the pose.";
}

void TestMotionWindow::deleteRefusesAPoseInUse()
{
    QFETCH(int, pose);
    QFETCH(QString, sentence);
    openThroughButton(threePoses(1));
    choosePose(pose);
    click("poseDelete");
    QCOMPARE(status(), sentence);
    QCOMPARE(m_motion->sequence(), threePoses(1));
}

void TestMotionWindow::undoRestoresThePoseAndTheServo_data()
{
    QTest::addColumn<bool>("drag"); // else a held arrow key
    QTest::newRow("a drag") << true;
    QTest::newRow("a held arrow key") << false;
}

void TestMotionWindow::undoRestoresThePoseAndTheServo()
{
    QFETCH(bool, drag);
    PtyPair pty;
    m_fresh->choosePort(pty.device());
    setLink(false, 9600, 16);
    activate(m_motion);
    choosePose(0);
    auto *slider = control<QSlider>("poseSlider2");
    if (drag) {
        const QPoint middle = slider->rect().center();
        QTest::mousePress(slider, Qt::LeftButton, {}, middle);
        for (int dx = 5; dx <= 30; dx += 5)
            QTest::mouseMove(slider, middle + QPoint(dx, 0));
        QTest::mouseRelease(slider, Qt::LeftButton, {}, middle + QPoint(30, 0));
    } else {
        slider->setFocus();
        for (int i = 0; i < 5; ++i) {
            QKeyEvent held(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), i > 0);
            QApplication::sendEvent(slider, &held);
        }
    }
    const int moved = m_motion->sequence().poses[0].positions[2];
    QVERIFY(moved > 128);
    QCOMPARE(m_motion->document().undoStack().count(), 1); // one command for the whole gesture
    QCOMPARE(m_motion->findChild<QAction *>(QStringLiteral("editUndo"))->text(),
             QStringLiteral("&Undo move Servo 2"));
    const QByteArray restore = QByteArray::fromHex("FF1280");
    const QByteArray again = QByteArray::fromHex("FF12") + char(moved);
    QVERIFY(pty.readAll().endsWith(again));
    QTest::keyClick(m_motion, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(m_motion->sequence().poses[0].positions[2], 128);
    QCOMPARE(slider->value(), 128);
    QCOMPARE(pty.read(3).toHex(' '), restore.toHex(' '));
    QTest::keyClick(m_motion, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(m_motion->sequence().poses[0].positions[2], moved);
    QCOMPARE(pty.read(3).toHex(' '), again.toHex(' '));
}

void TestMotionWindow::tenEditsUndoneInOrder()
{
    activate(m_motion);
    std::vector<Sequence> states{m_motion->sequence()};
    const std::vector<std::function<void()>> edits{
        [&] { click("poseAdd"); },
        [&] { control<QSlider>("poseSlider3")->setValue(200); }, // on the new pose, chosen
        [&] { control<QSlider>("poseSlider4")->setValue(10); },
        [&] { click("stepAdd"); },
        [&] {
            choosePose(0); // chosen, not changed: a step to it
            click("stepAdd");
        },
        [&] { click("stepUp"); },
        [&] { control<QCheckBox>("loopForever")->setChecked(true); },
        [&] { control<QCheckBox>("loopForever")->setChecked(false); },
        [&] { control<QSpinBox>("loopRounds")->setValue(3); },
        [&] { click("stepRemove"); },
    };
    for (const auto &edit : edits) {
        edit();
        QVERIFY(m_motion->sequence() != states.back());
        states.push_back(m_motion->sequence());
    }
    QVERIFY(m_motion->isWindowModified());
    for (size_t undone = 1; undone <= edits.size(); ++undone) {
        QTest::keyClick(m_motion, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(m_motion->sequence(), states[edits.size() - undone]);
    }
    QVERIFY(!m_motion->isWindowModified());
}

void TestMotionWindow::unsavedEditsAreAskedAbout_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<bool>("edited");
    QTest::addColumn<int>("answer"); // Desktop::SaveAnswer
    using Answer = Desktop::SaveAnswer;
    for (const char *where : {"Open", "from the file manager", "closing the Motion window",
                              "File Quit", "closing the main window"}) {
        QTest::addRow("%s, nothing unsaved", where) << where << false << int(Answer::Cancel);
        for (const auto &[name, answer] : {std::pair{"Save", Answer::Save},
                                           {"Discard", Answer::Discard},
                                           {"Cancel", Answer::Cancel}})
            QTest::addRow("%s, %s", where, name) << where << true << int(answer);
    }
}

void TestMotionWindow::unsavedEditsAreAskedAbout()
{
    QFETCH(QString, where);
    QFETCH(bool, edited);
    QFETCH(int, answer);
    const auto said = Desktop::SaveAnswer(answer);
    const QString wave = written(encodeSequenceFile({threePoses(1), {}}), "wave.svseq");
    Sequence other = threePoses(2);
    other.poses[1].name = "other";
    const QString otherPath = written(encodeSequenceFile({other, {}}), "other.svseq");
    form()->openSequence(wave);
    if (edited)
        click("poseAdd");
    QCOMPARE(m_motion->isWindowModified(), edited);
    const Sequence before = m_motion->sequence();
    FakeDesktop &desk = m_fresh->desk;
    desk.saveAnswers = {said};
    desk.fileAnswers = {otherPath};
    if (where == QLatin1String("Open"))
        click("sequenceOpen");
    else if (where == QLatin1String("from the file manager"))
        form()->openSequence(otherPath);
    else if (where == QLatin1String("closing the Motion window"))
        m_motion->close();
    else if (where == QLatin1String("File Quit"))
        ui().fileQuit->trigger();
    else
        form()->close();

    QCOMPARE(desk.saveQuestions,
             edited ? QStringList{QStringLiteral("Save changes to wave.svseq?")} : QStringList());
    const SequenceFileRead kept = readSequenceFile(wave);
    QCOMPARE(kept.file->sequence,
             edited && said == Desktop::SaveAnswer::Save ? before : threePoses(1));
    const bool goesOn = !edited || said != Desktop::SaveAnswer::Cancel;
    if (where == QLatin1String("File Quit"))
        QCOMPARE(desk.exits, goesOn ? std::vector<int>{0} : std::vector<int>());
    else if (where.startsWith(QLatin1String("closing")))
        QCOMPARE(m_motion->isVisible(), !goesOn);
    else
        QCOMPARE(m_motion->sequence() == other, goesOn);
    if (!goesOn) // Cancel keeps everything as it was
        QVERIFY(m_motion->sequence() == before && m_motion->isWindowModified());
}

void TestMotionWindow::recentSequencesAndLastFolder()
{
    const QString wave = written(encodeSequenceFile({threePoses(1), {}}), "wave&co.svseq");
    m_fresh->desk.fileAnswers = {wave};
    click("sequenceOpen");
    click("sequenceOpen");
    QCOMPARE(m_fresh->desk.fileRequests.back().directory, m_dir.path());
    QCOMPARE(control<QAction>("sequenceRecent1")->text(), QStringLiteral("&1 wave&&co.svseq"));
    click("poseAdd");
    m_fresh->desk.saveAnswers = {Desktop::SaveAnswer::Discard};
    m_motion->close(); // Discard: back to what was saved
    QCOMPARE(m_motion->sequence(), threePoses(1));
    click("sequenceNew");
    click("sequenceRecent1");
    QCOMPARE(m_motion->sequence(), threePoses(1));
    QCOMPARE(m_motion->windowTitle(), QStringLiteral("wave&co.svseq[*] - Motion"));
    // The main window's dialogs keep a folder of their own.
    m_fresh->desk.fileAnswers = {m_dir.filePath(QStringLiteral("board.svo"))};
    ui().fileSaveSettings->trigger();
    QVERIFY(m_fresh->desk.fileRequests.back().directory.isEmpty());
    ui().fileLoadSettings->trigger(); // cancelled
    QCOMPARE(m_fresh->desk.fileRequests.back().directory, m_dir.path());
}

void TestMotionWindow::everyEasingThroughEditorFileAndPlayer_data()
{
    QTest::addColumn<int>("row"); // in the editor's list
    for (const EasingName &e : easings)
        QTest::newRow(e.name) << int(&e - easings.data());
}

void TestMotionWindow::everyEasingThroughEditorFileAndPlayer()
{
    QFETCH(int, row);
    const EasingName chosen = easings[size_t(row)];
    openThroughButton(threePoses(1));
    auto *table = control<QAbstractItemView>("stepTable");
    const QModelIndex cell = table->model()->index(0, 3);
    table->setCurrentIndex(cell);
    table->edit(cell);
    auto *editor = control<QComboBox>("stepEasingEditor");
    editor->setCurrentIndex(row);
    Q_EMIT editor->activated(row);
    QCOMPARE(cell.data().toString(), QLatin1String(chosen.name));
    const QString path = m_dir.filePath(QStringLiteral("eased.svseq"));
    m_fresh->desk.fileAnswers = {path};
    click("sequenceSaveAs");
    const SequenceFileRead read = readSequenceFile(path);
    QVERIFY2(read.file, qPrintable(read.refusal));
    Sequence expected = threePoses(1);
    expected.steps[0].easing = chosen.easing;
    QCOMPARE(read.file->sequence, expected);
    // A quarter into the first move, as that easing has it.
    QCOMPARE(Player(m_motion->sequence()).at(75).targets, Player(expected).at(75).targets);
}

void TestMotionWindow::timelineEdgeDragIsOneCommand_data()
{
    // At 200 pixels a second: step 1 moves to x 60 and holds to 80, step 2 moves to 140 and holds
    // for nothing, the second round starts at 200.
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("step");
    QTest::addColumn<bool>("hold");
    QTest::addColumn<int>("ms");
    QTest::newRow("a move") << 60 << 20 << 0 << false << 400;
    QTest::newRow("a hold") << 80 << -10 << 0 << true << 50;
    QTest::newRow("left of a hold of nothing: the move") << 139 << 10 << 1 << false << 350;
    QTest::newRow("right of it: the hold") << 141 << 10 << 1 << true << 50;
    QTest::newRow("in the second round: follows the pointer") << 260 << 20 << 0 << false << 350;
    QTest::newRow("never below nothing") << 60 << -100 << 0 << false << 0;
}

void TestMotionWindow::timelineEdgeDragIsOneCommand()
{
    QFETCH(int, x);
    QFETCH(int, dx);
    QFETCH(int, step);
    QFETCH(bool, hold);
    QFETCH(int, ms);
    activate(m_motion);
    const Sequence before = threePoses(2);
    m_motion->document().reset(before, {});
    auto *timeline = control<TimelineView>("timeline");
    auto *table = control<QTableView>("stepTable");
    timeline->setPixelsPerSecond(200);
    table->selectRow(2);
    QCOMPARE(timeline->selectedStep(), 2);
    const int y = timeline->lanesTop() - 5;
    QTest::mousePress(timeline->viewport(), Qt::LeftButton, {}, QPoint(x, y));
    for (int i = 1; i <= 4; ++i)
        QTest::mouseMove(timeline->viewport(), QPoint(x + dx * i / 4, y));
    QTest::mouseRelease(timeline->viewport(), Qt::LeftButton, {}, QPoint(x + dx, y));
    Step changed = before.steps[size_t(step)];
    (hold ? changed.holdMs : changed.moveMs) = ms;
    QCOMPARE(m_motion->sequence().steps[size_t(step)], changed);
    QCOMPARE(timeline->player()->sequence(), m_motion->sequence()); // the curves follow
    // As drawn: servo 0's curve passes where the player has it at each pixel's moment.
    const QImage drawn = timeline->viewport()->grab().toImage();
    for (int px = 10; px < timeline->xAt(timeline->shownMs()); px += 30) {
        const int expectedY =
            timeline->curveY(0, Player(m_motion->sequence()).at(timeline->msAt(px)).targets[0]);
        int best = 0, bestY = -1;
        for (int py = timeline->lanesTop(); py < timeline->lanesTop() + timeline->laneHeight();
             ++py) {
            const QColor c = drawn.pixelColor(px, py);
            const int near = 3 * 255 - std::abs(c.red() - 0x1f) - std::abs(c.green() - 0x77) -
                             std::abs(c.blue() - 0xb4);
            if (near > best)
                std::tie(best, bestY) = std::tuple(near, py);
        }
        QVERIFY2(std::abs(bestY - expectedY) <= 1,
                 qPrintable(QStringLiteral("x %1: %2, not %3").arg(px).arg(bestY).arg(expectedY)));
    }
    QCOMPARE(m_motion->document().undoStack().count(), 1);
    QCOMPARE(table->selectionModel()->selectedRows().value(0).row(), step);
    QTest::keyClick(m_motion, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(m_motion->sequence(), before);
}

void TestMotionWindow::playheadKeysShowTheTargets_data()
{
    // Two rounds of a second; a frame is a thirtieth of a second, rounded up to the millisecond.
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("ms");
    QTest::newRow("a frame") << QList<int>{Qt::Key_Right} << 34;
    QTest::newRow("two frames") << QList<int>{Qt::Key_Right, Qt::Key_Right} << 67;
    QTest::newRow("a second and a frame back") << QList<int>{Qt::Key_PageDown, Qt::Key_Left} << 967;
    QTest::newRow("not before the start") << QList<int>{Qt::Key_Left, Qt::Key_PageUp} << 0;
    QTest::newRow("the end") << QList<int>{Qt::Key_End} << 2000;
    QTest::newRow("not past the end") << QList<int>{Qt::Key_End, Qt::Key_Right} << 2000;
    QTest::newRow("the start again") << QList<int>{Qt::Key_PageDown, Qt::Key_Home} << 0;
}

void TestMotionWindow::playheadKeysShowTheTargets()
{
    QFETCH(QList<int>, keys);
    QFETCH(int, ms);
    activate(m_motion);
    m_motion->document().reset(threePoses(2), {});
    choosePose(1);
    auto *timeline = control<TimelineView>("timeline");
    timeline->setFocus();
    for (int key : keys)
        QTest::keyClick(timeline, Qt::Key(key));
    QCOMPARE(timeline->playhead(), ms);
    // A screen reader reads the time in milliseconds, said in seconds.
    QAccessibleInterface *read = QAccessible::queryAccessibleInterface(timeline);
    QCOMPARE(read->valueInterface()->currentValue().toLongLong(), ms);
    QCOMPARE(read->text(QAccessible::Value), QString::number(ms / 1000.0, 'f', 2) + " s");
    const Positions targets = Player(threePoses(2)).at(ms).targets;
    for (int servo = 0; servo < poseServos; ++servo)
        QCOMPARE(control<QSlider>(qPrintable(QStringLiteral("poseSlider%1").arg(servo)))->value(),
                 targets[size_t(servo)]);
    // Looking at the show edits nothing.
    QCOMPARE(m_motion->sequence(), threePoses(2));
    QVERIFY(control<QListView>("poseList")->selectionModel()->selectedRows().isEmpty());
}

void TestMotionWindow::followMovesTheServos_data()
{
    // From the home pose at 128 to one pose near it, then to one far from it.
    QTest::addColumn<bool>("native");
    QTest::addColumn<int>("baud");
    QTest::addColumn<bool>("follow");
    QTest::addColumn<bool>("port");
    QTest::addColumn<int>("key");
    QTest::addColumn<QByteArray>("sent");
    QTest::newRow("a frame for a movement") << true << 9600 << true << true << int(Qt::Key_Right)
                                            << QByteArray::fromHex("FFFF08007880808080808080"
                                                                   "00");
    QTest::newRow("Mini SSC: every servo first, from the address")
        << false << 9600 << true << true << int(Qt::Key_Right)
        << QByteArray::fromHex("FF1078FF1180FF1280FF1380FF1480FF1580FF1680FF1780");
    QTest::newRow("a jump eased, 24 at most a frame")
        << true << 9600 << true << true << int(Qt::Key_End)
        << QByteArray::fromHex("FFFF0800686868686868686800"
                               "FFFF0800505050505050505000"
                               "FFFF08003838383838"
                               "3C465000"
                               "FFFF0800202020283"
                               "23C465000"
                               "FFFF08000A141E28323C465000");
    // Five servos a frame: one left for a frame takes its 24 from where it stands, never 48.
    QTest::newRow("Mini SSC at 4800: a jump eased within what a frame carries")
        << false << 4800 << true << true << int(Qt::Key_End)
        << QByteArray::fromHex("FF1068FF1168FF1268FF1368FF1468"
                               "FF1050FF1150FF1568FF1668FF1768"
                               "FF1038FF1138FF1250FF1350FF1450"
                               "FF1020FF1120FF1550FF1650FF1750"
                               "FF100AFF1114FF1238FF1338FF1438"
                               "FF1220FF1328FF1432FF153CFF1646"
                               "FF121E");
    QTest::newRow("not following")
        << true << 9600 << false << true << int(Qt::Key_End) << QByteArray();
    QTest::newRow("no port") << true << 9600 << true << false << int(Qt::Key_End) << QByteArray();
}

void TestMotionWindow::followMovesTheServos()
{
    QFETCH(bool, native);
    QFETCH(int, baud);
    QFETCH(bool, follow);
    QFETCH(bool, port);
    QFETCH(int, key);
    QFETCH(QByteArray, sent);
    PtyPair pty;
    if (port)
        m_fresh->choosePort(pty.device());
    setLink(native, baud, 16);
    activate(m_motion);
    Sequence s;
    s.poses = {{"Home"},
               {"Near", {120, 128, 128, 128, 128, 128, 128, 128}},
               {"Far", {10, 20, 30, 40, 50, 60, 70, 80}}};
    s.steps = {{1, 0, 500, Easing::Linear}, {2, 0, 500, Easing::Linear}};
    m_motion->document().reset(s, {});
    control<QCheckBox>("timelineFollow")->setChecked(follow);
    pty.readAll();
    QTest::keyClick(control("timeline"), Qt::Key(key));
    // The later frames of an eased jump go as the window's clock allows.
    QByteArray got;
    QTRY_VERIFY_WITH_TIMEOUT((got += pty.readAll(10)).size() >= sent.size(), 10000);
    QTest::qWait(150);
    QCOMPARE((got + pty.readAll(10)).toHex(' '), sent.toHex(' ')); // and no more
}

void TestMotionWindow::previewShowsWhatTheLineCarried_data()
{
    // Every servo from 128 to 200 at once.
    QTest::addColumn<bool>("native");
    QTest::addColumn<int>("key");
    QTest::addColumn<Positions>("board");
    const Positions late{200, 200, 200, 200, 200, 128, 128, 128};
    QTest::newRow("Mini SSC at 4800: five a frame, three late")
        << false << int(Qt::Key_Home) << late;
    QTest::newRow("Mini SSC at 4800: the three a frame later")
        << false << int(Qt::Key_Right) << Positions{200, 200, 200, 200, 200, 200, 200, 200};
    QTest::newRow("Quorvel: all eight at once")
        << true << int(Qt::Key_Home) << Positions{200, 200, 200, 200, 200, 200, 200, 200};
}

void TestMotionWindow::previewShowsWhatTheLineCarried()
{
    QFETCH(bool, native);
    QFETCH(int, key);
    QFETCH(Positions, board);
    setLink(native, 4800, 16); // no port: a preview only
    activate(m_motion);
    Sequence s;
    s.poses = {{"Home"}, {"Up", {200, 200, 200, 200, 200, 200, 200, 200}}};
    s.steps = {{1, 0, 1000, Easing::Step}};
    m_motion->document().reset(s, {});
    QTest::keyClick(control("timeline"), Qt::Key(key));
    QCOMPARE(m_motion->findChild<BoardPreview *>()->positions(), board);
}

QTEST_MAIN(TestMotionWindow)
#include "tst_motionwindow.moc"
