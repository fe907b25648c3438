#pragma once

#include <QByteArray>
#include <string>

// A pseudo-terminal pair standing in for a serial device: the program opens the slave side by its
// path, and the test reads what arrives on the master side and looks at the line settings.
class PtyPair
{
  public:
    struct Line
    {
        unsigned speed = 0;  // output speed in baud
        bool hungUp = false; // the speed bits say B0
        bool eightBits = false;
        bool parity = false;
        bool twoStopBits = false;
        bool hardwareFlow = false;
        bool softwareFlow = false;
        bool outputProcessing = false;
        bool canonical = false;
    };

    // The test keeps a slave descriptor of its own, so the line never hangs up between cycles. A
    // program started by the test would see that as another program holding the port: for it,
    // `holdSlave` is false, and bytes written stay readable on the master all the same.
    explicit PtyPair(bool holdSlave = true);
    ~PtyPair();
    PtyPair(const PtyPair &) = delete;
    PtyPair &operator=(const PtyPair &) = delete;

    // How the program names it: its path, or COM1 where the system names the ports.
    const std::string &device() const { return m_device; }
    int master() const { return m_master; } // -1 where the test cannot read it itself

    // Reads until `count` bytes have arrived or the time is up.
    QByteArray read(int count, int timeoutMs = 3000);
    // Whatever arrives until the line stays quiet for `quietMs`.
    QByteArray readAll(int quietMs = 100);

    // Whether the system sets and reads any rate on a line, as termios2 does. A user-mode emulator
    // may know only the classic requests, which take a rate with a speed constant alone.
    static bool takesAnyRate();
    // A common rate with a speed constant, which the classic requests set and read back.
    static bool classicRate(unsigned baud);
    // Whether the system can tell if a line is in exclusive mode; an emulator may not know how.
    static bool exclusiveModeReadable();
    // Whether a test may have several at once; under Wine there is one, COM1.
    static bool several();

    Line line() const;
    // Whether some program has put the line in exclusive mode.
    bool exclusive() const;
    void setSpeed(unsigned baud);

    // A line that takes no more bytes, as a stalled device leaves it: filled up and held with
    // flow control, which a change of line settings does not lift. resume() lets it go on.
    void stall();
    void resume();
    // From now on the master also hears of every time the slave threw away its unsent output;
    // discards() tells whether that has happened in what has been read so far.
    void noticeDiscards();
    bool discards() const { return m_discards; }

    // Lets go of the test's own slave descriptor; a stalled line stays stalled.
    void letGo();

    // Unplugs the device: the master closes and the slave's node goes away.
    void remove();

  private:
    int m_master = -1;
    int m_keepAlive = -1;
    std::string m_device;
    bool m_packets = false;
    bool m_discards = false;
};
