#include "app/playbackcontrol.h"

#include "app/motionhost.h"
#include "app/texts.h"
#include "link/portdirectory.h"
#include "link/portlink.h"

#include <QCoreApplication>
#include <QTimer>

namespace {
// The Motion window's words, in its one context: a translator sees each of them once.
class MotionTexts
{
    Q_DECLARE_TR_FUNCTIONS(MotionWindow)
};
} // namespace

namespace {
QString portText(int port)
{
    return QString::fromStdString(portName(port));
}
} // namespace

PlaybackControl::PlaybackControl(MotionHost &host, QObject *parent)
    : QObject(parent), m_host(host), m_timer(new QTimer(this))
{
    // While playing, the window looks at the playback this often.
    m_timer->setObjectName(QStringLiteral("motionTimer"));
    m_timer->setInterval(100);
    connect(m_timer, &QTimer::timeout, this, &PlaybackControl::tick);
}

PlaybackControl::~PlaybackControl()
{
    stopAndWait();
}

QString PlaybackControl::start(const Sequence &sequence, int port, const MotionLink &link,
                               bool home, const QString &name)
{
    PortLink &ports = m_host.portLink();
    // Before the open, so that no signal can end the program with the port held.
    m_interrupts = std::make_unique<PortWaitInterrupts>();
    SerialPort opened = ports.open(port, HolderScan::Freshness::Now);
    if (!opened.isOpen()) {
        PortWaitInterrupts::endAsBefore(std::move(m_interrupts), portWaitsInterrupted());
        const SendResult refused{opened.error(), opened.holder(), false, opened.device(),
                                 opened.systemError()};
        return Texts::notSent(portText(port), &ports, port, refused);
    }
    // From here until the playback has ended and closed the port, the main window's messages to
    // it are refused rather than landing between frames.
    ports.setPlaying(port, true);
    m_port = port;
    m_home = home;
    m_name = name;
    const Player player(sequence);
    m_total = player.totalMs();
    m_board.reset();
    m_leftOut.clear();
    m_slotsPerFrame = frameTiming(link).slotsPerFrame;
    m_playback =
        std::make_unique<Playback>(std::move(opened), player, link, ports.stalls().limit());
    m_timer->start();
    Q_EMIT portHeld(port);
    return home ? MotionTexts::tr("Going home on %1...").arg(portText(port))
                : MotionTexts::tr("Playing %1 on %2...").arg(Texts::outside(name), portText(port));
}

void PlaybackControl::stop()
{
    if (m_playback)
        m_playback->stop();
}

void PlaybackControl::stopAndWait()
{
    if (!m_playback)
        return;
    m_playback->stop();
    finish();
}

void PlaybackControl::tick()
{
    if (!m_playback) {
        m_timer->stop();
        return;
    }
    const Playback::Progress progress = m_playback->progress();
    if (progress.ending != Playback::Ending::running) {
        finish();
        return;
    }
    look(progress);
    Q_EMIT progressed(progress.elapsedMs);
}

void PlaybackControl::look(const Playback::Progress &progress)
{
    if (progress.framesSent > 0)
        m_board = progress.last;
    // The last run may have grown since.
    const size_t from = m_leftOut.empty() ? 0 : m_leftOut.size() - 1;
    const std::vector<Playback::LeftOut> more = m_playback->leftOut(from);
    m_leftOut.resize(from);
    m_leftOut.insert(m_leftOut.end(), more.begin(), more.end());
}

void PlaybackControl::finish()
{
    m_playback->wait();
    const Playback::Progress progress = m_playback->progress();
    look(progress);
    m_playback.reset();
    m_host.portLink().setPlaying(m_port, false);
    m_timer->stop();
    if (m_board)
        m_lastSent = m_board;
    m_board.reset();
    const QString port = portText(m_port);
    QString sentence;
    switch (progress.ending) {
    case Playback::Ending::finished:
        sentence = m_home ? MotionTexts::tr("The servos are at the home pose (%1).").arg(port)
                          : Texts::played(m_name, port, progress);
        break;
    case Playback::Ending::stopped:
    case Playback::Ending::running: {
        //: Stands for a sequence's name in "Played %1 to %2: ...".
        const QString what = m_home ? MotionTexts::tr("the move home") : m_name;
        //: %1 is the sentence "Played ... to ...: ..." that says how far it went.
        sentence = MotionTexts::tr("Stopped. %1").arg(Texts::played(what, port, progress));
        break;
    }
    default:
        sentence = Texts::playbackEnded(port, progress.ending, m_host.portLink().stalls().limit());
        break;
    }
    Q_EMIT portHeld(0);
    Q_EMIT ended(sentence);
    // The port is closed: a signal that came during the show now ends the program as it would
    // have (or does whatever was set up for it before).
    PortWaitInterrupts::endAsBefore(std::move(m_interrupts), portWaitsInterrupted());
}
