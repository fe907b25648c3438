// The Motion window's editing: what the user does to poses, steps and the loop becomes a command on
// the document; the sliders and "Go to" move the real servos.
#include "app/motionhost.h"
#include "app/motionwindow.h"
#include "app/playbackcontrol.h"
#include "app/sequencefile.h"
#include "app/sequencemodels.h"
#include "app/texts.h"
#include "link/messages.h"
#include "link/portdirectory.h"
#include "link/senders.h"
#include "params/baudmath.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QTableView>
#include <algorithm>

namespace {
QString portText(int port)
{
    return QString::fromStdString(portName(port));
}
} // namespace

QString MotionWindow::miniSscAddressRefusal(const MotionLink &link)
{
    // Mini SSC numbers the servos from the address up, and 255, its sync byte, is no servo.
    if (link.nativeFormat || link.address <= largestLinkAddress(false))
        return {};
    return tr("In the Mini SSC format the servos are numbered from the address up and end at 254: "
              "the address must be from 0 to %1, not %2.")
        .arg(largestLinkAddress(false))
        .arg(link.address);
}

void MotionWindow::poseSelected(QObject *)
{
    m_shownPose = selectedPose();
    showPose();
    updateEnabled();
}

void MotionWindow::poseAddClick(QObject *)
{
    if (int(sequence().poses.size()) >= mostSequencePoses) {
        say(tr("A sequence holds at most %n poses.", nullptr, mostSequencePoses));
        return;
    }
    Pose pose;
    for (int servo = 0; servo < poseServos; ++servo)
        pose.positions[size_t(servo)] = std::uint8_t(m_sliders[size_t(servo)]->value());
    // The lowest number no pose's name has.
    for (int n = 1;; ++n) {
        const std::string name = tr("Pose %1").arg(n).toStdString();
        if (std::none_of(sequence().poses.begin(), sequence().poses.end(),
                         [&](const Pose &p) { return p.name == name; })) {
            pose.name = name;
            break;
        }
    }
    // The new pose is the one the sliders edit from now on: the user sees it chosen.
    m_shownPose = int(sequence().poses.size());
    m_document.addPose(pose);
    say(tr("Added \"%1\".").arg(poseText(pose)));
}

void MotionWindow::poseRenameClick(QObject *)
{
    if (const int pose = selectedPose(); pose >= 0) {
        m_poseList->setFocus();
        m_poseList->edit(m_poseList->model()->index(pose, 0));
    }
}

void MotionWindow::poseDeleteClick(QObject *)
{
    const int pose = selectedPose();
    if (pose < 0)
        return;
    const QString name = poseText(sequence().poses[size_t(pose)]);
    if (sequence().home == pose) {
        say(tr("\"%1\" is the home pose: choose another home pose before deleting it.").arg(name));
        return;
    }
    const auto user = std::find_if(sequence().steps.begin(), sequence().steps.end(),
                                   [pose](const Step &step) { return step.pose == pose; });
    if (user != sequence().steps.end()) {
        say(tr("Step %1 goes to \"%2\": change or remove that step before deleting the pose.")
                .arg(user - sequence().steps.begin() + 1)
                .arg(name));
        return;
    }
    m_shownPose = -1;
    m_document.deletePose(pose);
    say(tr("Deleted \"%1\".").arg(name));
}

void MotionWindow::poseGoToClick(QObject *)
{
    const int pose = selectedPose();
    if (pose < 0 || !motionAllowed())
        return;
    const std::optional<Target> to = target(false);
    if (!to)
        return;
    const Positions &positions = sequence().poses[size_t(pose)].positions;
    Message message;
    if (to->link.nativeFormat) {
        message = nativePoseMessage(positions, to->link.baud);
    } else {
        // One port cycle for the eight: the writes of each servo's message in turn.
        message = miniSscTestMessage(to->link.address, 0, positions[0], to->link.baud);
        for (int servo = 1; servo < poseServos; ++servo) {
            const Message one = miniSscTestMessage(to->link.address, servo,
                                                   positions[size_t(servo)], to->link.baud);
            message.writes.insert(message.writes.end(), one.writes.begin(), one.writes.end());
        }
    }
    send(
        *to, message,
        tr("Sent \"%1\" to %2.").arg(poseText(sequence().poses[size_t(pose)]), portText(to->port)));
    m_playback->noteSent(positions);
}

void MotionWindow::poseSliderChange(QObject *sender, int position)
{
    const auto found = std::find(m_sliders.begin(), m_sliders.end(), sender);
    if (found == m_sliders.end())
        return;
    const int servo = int(found - m_sliders.begin());
    m_sliderValues[size_t(servo)]->setText(QString::number(position));
    // Editing is what the selection says: a chosen pose takes the move as a command, which sends
    // it; with none chosen the slider only moves the servo.
    if (const int pose = selectedPose(); pose >= 0) {
        m_document.setPosition(pose, servo, position, m_gesture);
        return;
    }
    Positions positions;
    for (int s = 0; s < poseServos; ++s)
        positions[size_t(s)] = std::uint8_t(m_sliders[size_t(s)]->value());
    moveServo(positions, servo);
}

void MotionWindow::moveServo(const Positions &positions, int servo)
{
    // Every change moves the real servo, as the main window's test slider does; nothing goes
    // while no port is chosen.
    if (m_host.digitalController())
        return;
    const std::optional<Target> to = target(true);
    if (!to)
        return;
    send(*to,
         to->link.nativeFormat
             ? nativePoseMessage(positions, to->link.baud)
             : miniSscTestMessage(to->link.address, servo, positions[size_t(servo)], to->link.baud),
         QString());
    m_playback->noteSent(positions);
}

void MotionWindow::stepAddClick(QObject *)
{
    if (int(sequence().steps.size()) >= mostSequenceSteps) {
        say(tr("A sequence holds at most %n steps.", nullptr, mostSequenceSteps));
        return;
    }
    const int at = selectedStep() < 0 ? int(sequence().steps.size()) : selectedStep() + 1;
    m_document.insertStep(at, Step{std::max(selectedPose(), 0), 1000, 0, Easing::Linear});
    selectStep(at);
}

void MotionWindow::stepRemoveClick(QObject *)
{
    const int step = selectedStep();
    if (step < 0)
        return;
    m_document.removeStep(step);
    selectStep(std::min(step, int(sequence().steps.size()) - 1));
}

void MotionWindow::stepUpClick(QObject *)
{
    const int step = selectedStep();
    if (step <= 0)
        return;
    m_document.moveStep(step, step - 1);
    selectStep(step - 1);
}

void MotionWindow::stepDownClick(QObject *)
{
    const int step = selectedStep();
    if (step < 0 || step + 1 >= int(sequence().steps.size()))
        return;
    m_document.moveStep(step, step + 1);
    selectStep(step + 1);
}

void MotionWindow::loopChange(QObject *)
{
    m_document.setRounds(m_loopForever->isChecked() ? 0 : m_loopRounds->value());
}

void MotionWindow::homePoseChange(QObject *, int index)
{
    if (index >= 0 && index < int(sequence().poses.size()))
        m_document.setHome(index);
}

std::optional<MotionWindow::Target> MotionWindow::target(bool quietWithoutPort)
{
    const int port = m_host.chosenPort();
    if (port == 0) {
        if (!quietWithoutPort)
            say(Texts::noPortChosen());
        return std::nullopt;
    }
    Target to{port, {}};
    try {
        to.link = m_host.motionLink();
    } catch (const std::exception &e) {
        say(QString::fromUtf8(e.what()));
        return std::nullopt;
    }
    if (to.link.baud <= 0 || !divisorAchievable(baudDivisorFor(to.link.baud))) {
        say(tr("The board cannot run at %1 baud. Choose a higher rate in the main window.")
                .arg(to.link.baud));
        return std::nullopt;
    }
    if (const QString refusal = miniSscAddressRefusal(to.link); !refusal.isEmpty()) {
        say(refusal);
        return std::nullopt;
    }
    return to;
}

void MotionWindow::send(const Target &to, const Message &message, const QString &done)
{
    const SendResult sent = sendMessage(m_host.portLink(), to.port, message);
    if (!sent.delivered)
        say(Texts::notSent(portText(to.port), &m_host.portLink(), to.port, sent));
    else if (!done.isEmpty())
        say(done);
}
