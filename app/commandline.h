#pragma once

#include "link/portdirectory.h"
#include "settings/svofile.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <string>

class PortLink;
class QIODevice;
class QTextStream;

// What the command line asks for.
struct CommandLine
{
    enum class Mode
    {
        Window,    // the window, with `file` loaded when one is given
        Upload,    // --upload FILE --port PORT, without a window
        Play,      // --play FILE --port PORT [--loop N], or --play FILE --dry-run
        ListPorts, // --list-ports
        Help,
        Version,
        Error, // `text` says what is wrong
    };
    Mode mode = Mode::Window;
    QString file;
    QString port;
    QString text;              // the help or version text, or the error
    std::optional<int> rounds; // --loop
    bool dryRun = false;
};

// Exit statuses of the command line, for scripts.
enum ExitStatus
{
    exitDone = 0,
    exitUsage = 1,           // the command line itself is wrong
    exitFileRefused = 2,     // the settings file cannot be loaded
    exitNotAchievable = 3,   // the board cannot run at the file's rate
    exitPortUnusable = 4,    // no such port, no device behind it, not a serial device, or in use
    exitNotSent = 5,         // the port did not take the bytes
    exitNoOutput = 6,        // what was asked for could not be written to standard output
    exitSequenceRefused = 7, // the sequence file cannot be played
};

// The program's name and version, as --version and the desktop know them.
void setApplicationIdentity();

// The program's arguments as text that gives back the very bytes: a file name that is not valid
// UTF-8 (a Latin-1 name from an old archive) keeps each byte that is no text as a lone surrogate,
// U+DC80 to U+DCFF, which Texts::outside shows as a replacement character.
QStringList decodedArguments(int argc, char **argv);
// The bytes of a file name decoded so.
std::string encodedPath(const QString &path);
// Where standard output or error (`error`) is a Windows console, a device that hands the console
// wide text, so that every name reads right whatever the console's code page; none where it is a
// pipe or a file, which take UTF-8, nor on POSIX, whose terminals take the bytes as they are.
std::unique_ptr<QIODevice> consoleText(bool error);

// `arguments` as decodedArguments gives them, the program first. The window toolkit's own options
// (-platform, -style, ...) are left to the toolkit; anything else unknown is an error.
CommandLine parseCommandLine(const QStringList &arguments);

// What a window just started holds after loading `content`: the address pulled into the range of
// the file's choices, and servo 0's pair as the bars leave it when set over their start-up
// positions. The rest is the file's.
SettingsFileContent asLoadedIntoFreshWindow(SettingsFileContent content);

// Sends the 41 bytes that a fresh window sends after loading `file` and pressing "Upload
// settings", to COM1..COM4 as `link` numbers devices, or to a serial device named by its path.
// Returns the exit status; anything refused is said in one line on `errors`, and then nothing is
// sent.
int uploadFile(const QString &file, const QString &port, PortLink &link, QTextStream &errors);

// Plays a sequence file as --play does: to `port` (COM1..COM4 or a serial device's path), at the
// file's rate and in its format; or, for a dry run, prints its frames on `out` and opens nothing.
// Returns the exit status, with one line on `errors` for anything refused.
struct PlayRequest
{
    QString file;
    QString port;
    std::optional<int> rounds;
    bool dryRun = false;
};
int playFile(const PlayRequest &request, PortLink &link, QTextStream &out, QTextStream &errors);

// One line per COM number: its device, and whether it can be opened or why not. Opens nothing.
int listPorts(PortLink &link, QTextStream &out);

// Parses the command line, without a display, and does what it asks unless that is the window:
// returns the exit status, or nothing with `line` saying which file the window is to open. The
// machine's own serial devices, processes and lock files unless `devices` and `roots` say others.
std::optional<int> runCommandLine(int argc, char **argv, CommandLine &line,
                                  PortDirectory::DeviceSource devices = {},
                                  HolderRoots roots = systemHolderRoots());
