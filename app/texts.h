#pragma once

#include "link/deviceaccess.h"
#include "link/porterror.h"
#include "link/portlink.h"
#include "link/senders.h"
#include "link/serialdevice.h"
#include "motion/playback.h"
#include "motion/sequence.h"
#include "settings/fileaccess.h"

#include <QCoreApplication>
#include <QString>
#include <optional>
#include <string>

struct PortReport
{
    bool usable = false;
    QString text;
};

// The words the user reads, the same from the window and from the command line. The layers below
// report what happened as values; only here does it become a sentence.
class Texts
{
    Q_DECLARE_TR_FUNCTIONS(Texts)

  public:
    // A word from outside the program (a file name, a process name, a USB string) as it may be
    // shown: control characters and the marks that reverse the direction of text become visible
    // escapes (\x1b, \u202e), and bytes that are no text become replacement characters.
    static QString outside(const QString &word);
    static QString outside(const std::string &word);

    // Why a port cannot be used: "no device", "in use by minicom (pid 4242)", ... For a device
    // the user may not write to, advice that fits its owner, group and the user's groups.
    static QString portError(PortError error, const std::optional<PortHolder> &holder,
                             const std::string &node = {}, int systemError = 0);
    static QString permissionAdvice(const DeviceAccess &access);
    // The device's name, then what the adapter says it is ("FTDI FT232R USB UART, serial
    // A50285BI"), or the name alone.
    static QString device(const SerialDevice &device);
    // What COMn stands for, also when its adapter is not connected, and why it cannot be used now.
    // Opens nothing.
    static PortReport port(PortLink &link, int port);
    // Where the system numbers the ports, how an adapter on a higher number gets `port`'s.
    static QString renumberAdvice(const QString &report, int port);
    // One line saying why nothing was sent to `port` (as the user named it) by `link`:
    // "COM1: in use by minicom (pid 4242)", "COM1 (FTDI FT232R, serial A1B2) is not connected".
    static QString notSent(const QString &port, PortLink *link, int number, const SendResult &sent);

    // Why a file could not be read at all: a settings file's, or a sequence file's.
    static QString readRefusal(const QString &path, const FileRead &read, bool sequence);
    // Why nothing is written at a name that stands for no file (a device, a folder): empty when
    // a file may be written there.
    static QString unwritableTarget(const JudgedName &judged);
    // One plain sentence naming the file and why it is not loaded; empty when it is loaded.
    static QString loadRefusal(const QString &path, const LoadedSettings &loaded);
    static QString saveFailure(const QString &path, const QString &reason);
    static QString folderNotWritable(const QString &folder, const QString &reason);

    // Why a sequence cannot be played, naming the field.
    static QString sequenceFault(const QString &path, const SequenceFault &fault);
    // "Played robot.svseq to COM1: 12.0 s, 360 frames, none left out."
    static QString played(const QString &path, const QString &port,
                          const Playback::Progress &progress);
    // Why a playback ended before its time, naming the port.
    static QString playbackEnded(const QString &port, Playback::Ending ending,
                                 std::chrono::milliseconds stallLimit);
    // Under "Digital Controller" the board drives outputs, not servos.
    static QString noMotionForOutputs();
    static QString portPlaying();

    static QString sequenceRateNotAchievable(const QString &path, int baud);
    static QString noPortChosen();
    static QString noPortChosenCaption();
    static QString rateNotAchievable();
    static QString uploadCaption();

    // The system's words for one of its error codes, without a full stop of their own.
    static QString systemReason(int code);

    // A numeric text that does not convert.
    static QString notAWholeNumber(const QString &text);
};
