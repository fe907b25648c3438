#pragma once

#include "link/interruption.h"
#include "motion/playback.h"
#include "motion/sequence.h"

#include <QObject>
#include <QString>
#include <memory>
#include <optional>

class MotionHost;
class QTimer;

// One playback at a time to the host's port: it holds the port from start to end, makes the link
// refuse every other message to it meanwhile, watches the playback's progress, and says how it
// ended. It remembers what the board was last sent, which "Home" moves from.
class PlaybackControl : public QObject
{
    Q_OBJECT

  public:
    PlaybackControl(MotionHost &host, QObject *parent);
    ~PlaybackControl() override;

    bool playing() const { return m_playback != nullptr; }
    // Of what is playing; nothing for ever.
    std::optional<std::int64_t> totalMs() const { return m_total; }
    std::optional<Positions> lastSent() const { return m_lastSent; }
    void noteSent(const Positions &positions) { m_lastSent = positions; }
    // While it plays, where the frames it has sent leave the servos; nothing before the first.
    std::optional<Positions> board() const { return m_board; }
    // The frames the playback left out, from its own record, of the show that plays or played
    // last; and the slots from one frame to the next on its link.
    const std::vector<Playback::LeftOut> &leftOut() const { return m_leftOut; }
    int slotsPerFrame() const { return m_slotsPerFrame; }

    // Opens `port` and plays; `name` is what the sentences call it. Returns the sentence to show:
    // that it is under way, or why it did not start.
    QString start(const Sequence &sequence, int port, const MotionLink &link, bool home,
                  const QString &name);
    // Ends before the next frame; `ended` follows once the port is free.
    void stop();
    // Ends at once and frees the port.
    void stopAndWait();

  Q_SIGNALS:
    void progressed(std::int64_t elapsedMs);
    // The port is free again; the sentence says how far it got.
    void ended(const QString &sentence);
    // The port a playback holds, 0 once none does.
    void portHeld(int port);

  private:
    MotionHost &m_host;
    // While a playback runs, a signal that would end the program stops it first, so that the port
    // is closed and its exclusive mode cleared; the program then ends as the signal would have.
    std::unique_ptr<PortWaitInterrupts> m_interrupts;
    std::unique_ptr<Playback> m_playback;
    QTimer *m_timer;
    int m_port = 0;
    bool m_home = false;
    QString m_name;
    std::optional<std::int64_t> m_total;
    std::optional<Positions> m_lastSent;
    std::optional<Positions> m_board;
    std::vector<Playback::LeftOut> m_leftOut;
    int m_slotsPerFrame = 1;

    // Takes what the playback has noted since the last look.
    void look(const Playback::Progress &progress);

    void tick();
    void finish();
};
