// Poses and sequences: where the servos are at each moment, and the bytes of each frame.
#include "motion/frames.h"
#include "motion/playback.h"
#include "motion/player.h"

#include <QTest>
#include <atomic>
#include <thread>

namespace {
Positions all(int value)
{
    Positions p;
    p.fill(std::uint8_t(value));
    return p;
}

// Home at 100 everywhere; B at 200; C from 0 to 70 by tens. B: a linear move of a second, held
// half a second; C: an ease-in-out move of a second, not held. Two rounds: 5 seconds in all.
Sequence twoRounds(Easing first = Easing::Linear, int firstMove = 1000, int rounds = 2)
{
    Sequence s;
    s.poses = {{"home", all(100)}, {"B", all(200)}, {"C", {0, 10, 20, 30, 40, 50, 60, 70}}};
    s.steps = {{1, firstMove, 500, first}, {2, 1000, 0, Easing::EaseInOut}};
    s.rounds = rounds;
    return s;
}

// A device as a playback meets it: it takes every byte at once, but the write of frame slot
// `slowSlot` takes `slowMs` (a busy machine), or, after `stallAfter` writes, no byte at all (a
// stuck adapter, then stopped when `stopWhenStalled`), or it goes away (unplugged).
class Device final : public SerialDriver
{
  public:
    struct Behaviour
    {
        bool takesLine = true;
        int slowWrite = -1; // which write is slow
        int slowMs = 0;
        int stallAfter = -1;
        int goneAfter = -1;
        bool stopWhenStalled = false;
    };
    Device(Behaviour b, std::shared_ptr<std::atomic<int>> writes)
        : m_b(b), m_writes(std::move(writes))
    {}
    bool setLine(const LineSettings &) override { return m_b.takesLine; }
    long writeSome(std::span<const std::uint8_t> bytes) override
    {
        if (*m_writes == m_b.goneAfter)
            return -1;
        if (*m_writes == m_b.stallAfter)
            return 0;
        if (*m_writes == m_b.slowWrite)
            std::this_thread::sleep_for(std::chrono::milliseconds(m_b.slowMs));
        ++*m_writes;
        return long(bytes.size());
    }
    bool waitForRoom(std::chrono::milliseconds timeout) override
    {
        std::this_thread::sleep_for(std::min(timeout, std::chrono::milliseconds(5)));
        return true;
    }
    int unsent() override { return 0; }
    void waitForLine(std::chrono::milliseconds) override {}
    bool finishTransmitter() override { return true; }
    void discardUnsent() override {}
    void close() override {}

  private:
    Behaviour m_b;
    std::shared_ptr<std::atomic<int>> m_writes;
};

QByteArray bytes(const Positions &p)
{
    return QByteArray(reinterpret_cast<const char *>(p.data()), p.size());
}

QByteArray bytes(const std::vector<std::uint8_t> &v)
{
    return QByteArray(reinterpret_cast<const char *>(v.data()), qsizetype(v.size()));
}
} // namespace

Q_DECLARE_METATYPE(Sequence)
Q_DECLARE_METATYPE(Device::Behaviour)
Q_DECLARE_METATYPE(Playback::Ending)

class TestMotion : public QObject
{
    Q_OBJECT

  private Q_SLOTS:
    void targetsAtChosenTimes_data();
    void targetsAtChosenTimes();
    void manyStepsCostNoMoreAFrame();
    void frameTiming_data();
    void frameTiming();
    void frameBytes_data();
    void frameBytes();
    void everyServoEndsOnTheLastPose_data();
    void everyServoEndsOnTheLastPose();
    void playbackEndings_data();
    void playbackEndings();
};

void TestMotion::targetsAtChosenTimes_data()
{
    QTest::addColumn<Sequence>("sequence");
    QTest::addColumn<int>("ms");
    QTest::addColumn<QByteArray>("targets");
    QTest::addColumn<bool>("finished");
    const Sequence s = twoRounds();
    // 200 + (C - 200) * 4 * 0.25^3 at a quarter of the ease-in-out move; halfway, the middle.
    const QByteArray quarter = QByteArray::fromHex("bcbcbdbdbebfbfc0");
    const QByteArray half = QByteArray::fromHex("64696e73787d8287");
    QTest::newRow("starts on the home pose") << s << 0 << bytes(all(100)) << false;
    QTest::newRow("linear, halfway") << s << 500 << bytes(all(150)) << false;
    QTest::newRow("move done") << s << 1000 << bytes(all(200)) << false;
    QTest::newRow("held") << s << 1499 << bytes(all(200)) << false;
    QTest::newRow("ease-in-out, a quarter in: slow at first") << s << 1750 << quarter << false;
    QTest::newRow("ease-in-out, halfway") << s << 2000 << half << false;
    QTest::newRow("second round starts from the last pose, halfway back")
        << s << 3000 << half << false;
    QTest::newRow("the last frame exactly on the last pose")
        << s << 5000 << QByteArray::fromHex("000a141e28323c46") << true;
    QTest::newRow("long after the end")
        << s << 99000 << QByteArray::fromHex("000a141e28323c46") << true;
    QTest::newRow("step: the old pose until its time is up")
        << twoRounds(Easing::Step) << 999 << bytes(all(100)) << false;
    QTest::newRow("step: then the new one")
        << twoRounds(Easing::Step) << 1000 << bytes(all(200)) << false;
    QTest::newRow("a move of no time is there at once")
        << twoRounds(Easing::Linear, 0) << 0 << bytes(all(200)) << false;
    QTest::newRow("for ever never ends")
        << twoRounds(Easing::Linear, 1000, 0) << 1'000'000'500 << half << false;
    Sequence none = twoRounds();
    none.steps.clear();
    QTest::newRow("no steps: home, at once over") << none << 0 << bytes(all(100)) << true;
}

void TestMotion::targetsAtChosenTimes()
{
    QFETCH(Sequence, sequence);
    QFETCH(int, ms);
    QFETCH(QByteArray, targets);
    QFETCH(bool, finished);
    QVERIFY(!checkSequence(sequence));
    const Player::Moment moment = Player(sequence).at(ms);
    QCOMPARE(bytes(moment.targets).toHex(), targets.toHex());
    QCOMPARE(moment.finished, finished);
}

void TestMotion::manyStepsCostNoMoreAFrame()
{
    Sequence s = twoRounds();
    s.steps.assign(100'000, Step{1, 7, 3, Easing::Linear});
    s.steps[99'999] = Step{2, 10, 0, Easing::Linear};
    const Player player(s);
    QCOMPARE(*player.totalMs(), 2'000'000);
    QCOMPARE(bytes(player.at(999'985).targets).toHex(), bytes(all(200)).toHex());
    QVERIFY(player.at(2'000'000).finished);
}

void TestMotion::frameTiming_data()
{
    QTest::addColumn<bool>("native");
    QTest::addColumn<int>("baud");
    QTest::addColumn<int>("slotsPerFrame");
    QTest::addColumn<int>("servosPerFrame");
    QTest::newRow("Mini SSC at 4800: 16 bytes a thirtieth") << false << 4800 << 1 << 5;
    QTest::newRow("Mini SSC at 9600") << false << 9600 << 1 << 8;
    QTest::newRow("Mini SSC at 115200") << false << 115200 << 1 << 8;
    QTest::newRow("Mini SSC at 600: a servo every second thirtieth") << false << 600 << 2 << 1;
    QTest::newRow("native at 4800") << true << 4800 << 1 << 8;
    QTest::newRow("native at 9600") << true << 9600 << 1 << 8;
    QTest::newRow("native at 115200") << true << 115200 << 1 << 8;
    QTest::newRow("native at 2400: 15 frames a second") << true << 2400 << 2 << 8;
}

void TestMotion::frameTiming()
{
    QFETCH(bool, native);
    QFETCH(int, baud);
    QFETCH(int, slotsPerFrame);
    QFETCH(int, servosPerFrame);
    const FrameTiming timing = ::frameTiming({native, 0, baud});
    QCOMPARE(timing.slotsPerFrame, slotsPerFrame);
    QCOMPARE(timing.servosPerFrame, servosPerFrame);
}

void TestMotion::frameBytes_data()
{
    // Frames for these targets in turn, each a slot's frame; the bytes of each, hex.
    QTest::addColumn<bool>("native");
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("baud");
    QTest::addColumn<QList<QByteArray>>("targets");
    QTest::addColumn<QList<QByteArray>>("frames");
    const QByteArray a = QByteArray::fromHex("0001020304050607");
    const QByteArray b = QByteArray::fromHex("1011121314151617");
    const QByteArray oneMoved = QByteArray::fromHex("00010203FE050607");
    QTest::newRow("native: all eight in 13 bytes, each frame")
        << true << 0 << 9600 << QList{a, a}
        << QList{QByteArray::fromHex("FFFF0800000102030405060700"),
                 QByteArray::fromHex("FFFF0800000102030405060700")};
    QTest::newRow("native at 4800 and 115200 alike")
        << true << 99 << 4800 << QList{b}
        << QList{QByteArray::fromHex("FFFF0800101112131415161700")};
    QTest::newRow("Mini SSC at 9600: first all, then only what changed")
        << false << 10 << 9600 << QList{a, a, oneMoved}
        << QList{QByteArray::fromHex("FF0A00FF0B01FF0C02FF0D03FF0E04FF0F05FF1006FF1107"),
                 QByteArray(), QByteArray::fromHex("FF0EFE")};
    // 255 is the sync byte: a servo numbered 255 or more is not sent at all.
    QTest::newRow("Mini SSC at 115200, from address 250: servos past 254 are not sent")
        << false << 250 << 115200 << QList{oneMoved, a}
        << QList{QByteArray::fromHex("FFFA00FFFB01FFFC02FFFD03FFFEFE"),
                 QByteArray::fromHex("FFFE04")};
    QTest::newRow("Mini SSC from address 255: nothing")
        << false << 255 << 9600 << QList{a} << QList{QByteArray()};
    // Five fit a frame at 4800; all eight move every frame: those waiting longest go first.
    QTest::newRow("Mini SSC at 4800: the per-frame limit, the oldest first")
        << false << 0 << 4800 << QList{a, b, a}
        << QList{QByteArray::fromHex("FF0000FF0101FF0202FF0303FF0404"),
                 QByteArray::fromHex("FF0010FF0111FF0515FF0616FF0717"),
                 QByteArray::fromHex("FF0000FF0101FF0505FF0606FF0707")};
}

void TestMotion::frameBytes()
{
    QFETCH(bool, native);
    QFETCH(int, address);
    QFETCH(int, baud);
    QFETCH(QList<QByteArray>, targets);
    QFETCH(QList<QByteArray>, frames);
    FramePlanner planner({native, address, baud});
    for (qsizetype i = 0; i < targets.size(); ++i) {
        Positions p;
        std::copy(targets[i].begin(), targets[i].end(), p.begin());
        QCOMPARE(bytes(planner.frame(p, i)).toHex(' '), frames[i].toHex(' '));
    }
}

void TestMotion::everyServoEndsOnTheLastPose_data()
{
    QTest::addColumn<bool>("native");
    QTest::addColumn<int>("baud");
    QTest::newRow("Mini SSC at 4800, five a frame") << false << 4800;
    QTest::newRow("Mini SSC at 600, one every other thirtieth") << false << 600;
    QTest::newRow("native at 2400") << true << 2400;
}

void TestMotion::everyServoEndsOnTheLastPose()
{
    QFETCH(bool, native);
    QFETCH(int, baud);
    // The last step jumps every servo at once, at the very end.
    Sequence s = twoRounds(Easing::Step, 1000, 1);
    s.steps.back() = {1, 0, 0, Easing::Step};
    s.steps.front() = {2, 500, 0, Easing::Step};
    // The board as the frames leave it: Mini SSC sets one servo a message, the native form all.
    Positions board{};
    std::vector<std::pair<std::int64_t, Positions>> boards; // after each frame
    for (const PlannedFrame &frame : planFrames(Player(s), {native, 0, baud})) {
        if (native)
            std::copy(frame.bytes.begin() + 4, frame.bytes.begin() + 12, board.begin());
        else
            for (size_t i = 0; i + 2 < frame.bytes.size(); i += 3)
                board[frame.bytes[i + 1]] = frame.bytes[i + 2];
        boards.emplace_back(frame.slot, board);
    }
    QCOMPARE(bytes(board).toHex(), bytes(all(200)).toHex());
    // The preview's cache, marking every other frame, asked from the end back and then forwards.
    BoardTrack track(Player(s), {native, 0, baud}, {}, 2);
    for (int pass = 0; pass < 2; ++pass)
        for (size_t i = 0; i < boards.size(); ++i) {
            const auto &[slot, expected] = boards[pass ? i : boards.size() - 1 - i];
            QCOMPARE(bytes(track.after(slot)).toHex(), bytes(expected).toHex());
        }
}

void TestMotion::playbackEndings_data()
{
    // A second of sequence in the native form: a frame every thirtieth, 31 in all, the last at 1 s.
    QTest::addColumn<Device::Behaviour>("device");
    QTest::addColumn<Playback::Ending>("ending");
    QTest::addColumn<bool>("framesLeftOut"); // some must be; a busy machine may leave out more
    QTest::newRow("to the end") << Device::Behaviour{} << Playback::Ending::finished << false;
    QTest::newRow("a write that takes 300 ms: the late frames are left out, not sent late")
        << Device::Behaviour{true, 5, 300} << Playback::Ending::finished << true;
    QTest::newRow("the last frame late: it still ends the show, no slot after it is left out")
        << Device::Behaviour{true, 29, 150} << Playback::Ending::finished << false;
    QTest::newRow("a port that takes no more bytes")
        << Device::Behaviour{true, -1, 0, 3} << Playback::Ending::stalled << false;
    QTest::newRow("Stop while the port takes no bytes: stopped, not waiting for the stall limit")
        << Device::Behaviour{true, -1, 0, 3, -1, true} << Playback::Ending::stopped << false;
    QTest::newRow("unplugged") << Device::Behaviour{true, -1, 0, -1, 3} << Playback::Ending::gone
                               << false;
    QTest::newRow("a port that will not take the line settings")
        << Device::Behaviour{false} << Playback::Ending::lineRefused << false;
}

void TestMotion::playbackEndings()
{
    QFETCH(Device::Behaviour, device);
    QFETCH(Playback::Ending, ending);
    QFETCH(bool, framesLeftOut);
    Sequence s = twoRounds(Easing::Linear, 1000, 1);
    s.steps.resize(1);
    s.steps[0].holdMs = 0;
    auto writes = std::make_shared<std::atomic<int>>(0);
    std::vector<std::int64_t> sent;
    // A Stop must end the stalled write itself: a limit this long could not be what ended it.
    Playback playback(
        SerialPort(std::make_unique<Device>(device, writes), {}), Player(s), {true, 0, 9600},
        device.stopWhenStalled ? std::chrono::milliseconds(60'000) : std::chrono::milliseconds(300),
        [&sent](std::int64_t slot, const std::vector<std::uint8_t> &) { sent.push_back(slot); });
    if (device.stopWhenStalled) {
        while (*writes < device.stallAfter)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::this_thread::sleep_for(std::chrono::milliseconds(200)); // inside the stalled write
        playback.stop();
    }
    playback.wait();
    const Playback::Progress done = playback.progress();
    QCOMPARE(done.ending, ending);
    if (framesLeftOut)
        QVERIFY(done.framesLeftOut > 0);
    if (ending != Playback::Ending::finished)
        return;
    // Whatever was left out, the show ends on its time and its last pose.
    QCOMPARE(sent.back(), 30);
    QCOMPARE(bytes(done.last).toHex(), bytes(all(200)).toHex());
    QCOMPARE(qsizetype(sent.size()) + done.framesLeftOut, 31);
    // The playback's record of what it left out and the frames sent are every slot, once each.
    std::vector<std::int64_t> covered = sent;
    for (const Playback::LeftOut &run : playback.leftOut())
        for (std::int64_t slot = run.firstSlot; slot <= run.lastSlot; ++slot)
            covered.push_back(slot);
    std::sort(covered.begin(), covered.end());
    for (std::int64_t slot = 0; slot < 31; ++slot)
        QCOMPARE(covered.at(size_t(slot)), slot);
    QVERIFY(std::is_sorted(sent.begin(), sent.end()));
}

QTEST_GUILESS_MAIN(TestMotion)
#include "tst_motion.moc"
