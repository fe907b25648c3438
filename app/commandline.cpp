#include "app/commandline.h"

#include "app/sequencefile.h"
#include "app/texts.h"
#include "editing/sweeprules.h"
#include "link/interruption.h"
#include "link/messages.h"
#include "link/modestring.h"
#include "link/portcycle.h"
#include "link/portlink.h"
#include "link/portrecord.h"
#include "motion/playback.h"
#include "params/addressrange.h"
#include "params/baudmath.h"
#include "settings/dialmapping.h"
#include "settings/fileaccess.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QIODevice>
#include <QRegularExpression>
#include <QTextStream>
#include <chrono>
#include <cstdio>

namespace {
class CommandLineTexts
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
};

// The window toolkit's own options, which it takes from the command line when the window opens:
// those that take a value, and those that do not.
const QStringList toolkitValueOptions{QStringLiteral("platform"),
                                      QStringLiteral("platformpluginpath"),
                                      QStringLiteral("platformtheme"),
                                      QStringLiteral("plugin"),
                                      QStringLiteral("qwindowgeometry"),
                                      QStringLiteral("qwindowicon"),
                                      QStringLiteral("qwindowtitle"),
                                      QStringLiteral("session"),
                                      QStringLiteral("display"),
                                      QStringLiteral("geometry"),
                                      QStringLiteral("name"),
                                      QStringLiteral("title"),
                                      QStringLiteral("icon"),
                                      QStringLiteral("style"),
                                      QStringLiteral("stylesheet")};
const QStringList toolkitFlags{QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                               QStringLiteral("nograb"), QStringLiteral("dograb"),
                               QStringLiteral("sync")};

// The arguments without the toolkit's options; `-style=fusion`, `--style fusion` and `-style
// fusion` are all the toolkit's.
QStringList withoutToolkitOptions(const QStringList &arguments)
{
    QStringList ours;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (i > 0 && a.startsWith(QLatin1Char('-')) && a != QLatin1String("--")) {
            QString name = a.mid(a.startsWith(QLatin1String("--")) ? 2 : 1);
            const bool inline_ = name.contains(QLatin1Char('='));
            name = name.section(QLatin1Char('='), 0, 0);
            if (toolkitFlags.contains(name) || name == QLatin1String("qmljsdebugger"))
                continue;
            if (toolkitValueOptions.contains(name)) {
                if (!inline_)
                    ++i;
                continue;
            }
        }
        ours << a;
    }
    return ours;
}

// The highest COM number --port takes: the record's last, or where the system numbers its ports,
// every number it can give (USB adapters on Windows often get 5 and above).
int highestPort()
{
    return systemNumbersPorts() ? highestSystemPort : PortDirectory::portCount;
}

QString portHelp()
{
    if (systemNumbersPorts())
        return CommandLineTexts::tr("The port for --upload: COM1 to COM%1, the system's ports of "
                                    "those names, or a serial device such as %2.")
            .arg(highestPort())
            .arg(QString::fromStdString(exampleSerialDevice()));
    return CommandLineTexts::tr("The port for --upload: COM1 to COM%1, each the adapter it stands "
                                "for in the window's menu, or a serial device such as %2.")
        .arg(PortDirectory::portCount)
        .arg(QString::fromStdString(exampleSerialDevice()));
}

struct Parser
{
    QCommandLineParser parser;
    QCommandLineOption upload{QStringLiteral("upload"),
                              CommandLineTexts::tr("Send the settings in FILE to the board, "
                                                   "without the window."),
                              CommandLineTexts::tr("FILE")};
    QCommandLineOption port{QStringLiteral("port"), portHelp(), CommandLineTexts::tr("PORT")};
    QCommandLineOption listPorts{QStringLiteral("list-ports"),
                                 CommandLineTexts::tr("List COM1 to COM%1: the device each stands "
                                                      "for, and whether it can be opened.")
                                     .arg(PortDirectory::portCount)};
    QCommandLineOption play{QStringLiteral("play"),
                            CommandLineTexts::tr("Play the sequence in FILE (.svseq) to the board "
                                                 "on --port, at the rate and in the format the "
                                                 "file gives, without the window."),
                            CommandLineTexts::tr("FILE")};
    QCommandLineOption loop{QStringLiteral("loop"),
                            CommandLineTexts::tr("With --play: go round N times, whatever the "
                                                 "file says."),
                            QStringLiteral("N")};
    QCommandLineOption dryRun{
        QStringLiteral("dry-run"),
        CommandLineTexts::tr("With --play: print each frame, its time in "
                             "milliseconds and its bytes, and open no port.")};
    QCommandLineOption help{{QStringLiteral("?"), QStringLiteral("h"), QStringLiteral("help")},
                            CommandLineTexts::tr("Displays help on commandline options.")};
    QCommandLineOption helpAll{QStringLiteral("help-all"),
                               CommandLineTexts::tr("Displays help, including the window "
                                                    "toolkit's options.")};
    QCommandLineOption version = parser.addVersionOption();

    Parser()
    {
        parser.setApplicationDescription(
            CommandLineTexts::tr("Sets up an eight-servo controller board over a serial port."));
        parser.addOptions({help, helpAll, upload, play, port, loop, dryRun, listPorts});
        parser.addPositionalArgument(CommandLineTexts::tr("FILE"),
                                     CommandLineTexts::tr("A settings file (.svo) to open in "
                                                          "the window."),
                                     CommandLineTexts::tr("[FILE]"));
    }
};

QString toolkitHelp()
{
    return CommandLineTexts::tr(
        "Window toolkit options, for the window:\n"
        "  -platform NAME     the display system (xcb, wayland, offscreen)\n"
        "  -style NAME        the widget style (Fusion, Windows)\n"
        "  -stylesheet FILE   a style sheet for the widgets\n"
        "  -display DISPLAY   the X display\n"
        "  -reverse           right-to-left layout\n"
        "and the toolkit's other options (-platformtheme, -qwindowgeometry, "
        "-qwindowtitle, ...).\n");
}

// "COM1" to the highest COM number in any case, with or without the colon of a device name, is a
// COM number; any other COM-like name is no port at all, and never a file in the current folder.
std::optional<int> comNumber(const QString &name, bool &comLike)
{
    static const QRegularExpression com(QStringLiteral("^com[0-9]*:?$"),
                                        QRegularExpression::CaseInsensitiveOption);
    comLike = com.match(name).hasMatch();
    return comLike ? comPortNumber(name.toStdString(), highestPort()) : std::nullopt;
}

} // namespace

void setApplicationIdentity()
{
    QCoreApplication::setApplicationName(QStringLiteral("corvantis-panel"));
    QCoreApplication::setApplicationVersion(QStringLiteral(CORVANTIS_VERSION));
}

namespace {
CommandLine made(CommandLine::Mode mode, const QString &file, const QString &port,
                 const QString &text)
{
    CommandLine line;
    line.mode = mode;
    line.file = file;
    line.port = port;
    line.text = text;
    return line;
}
} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    Parser p;
    CommandLine line;
    if (!p.parser.parse(withoutToolkitOptions(arguments)))
        return made(CommandLine::Mode::Error, {}, {}, p.parser.errorText());
    if (p.parser.isSet(p.help))
        return made(CommandLine::Mode::Help, {}, {}, p.parser.helpText());
    if (p.parser.isSet(p.helpAll))
        return made(CommandLine::Mode::Help, {}, {},
                    p.parser.helpText() + QLatin1Char('\n') + toolkitHelp());
    if (p.parser.isSet(p.version))
        return made(CommandLine::Mode::Version, {}, {},
                    QCoreApplication::applicationName() + QLatin1Char(' ') +
                        QCoreApplication::applicationVersion());
    const QStringList files = p.parser.positionalArguments();
    const bool upload = p.parser.isSet(p.upload);
    const bool play = p.parser.isSet(p.play);
    const bool list = p.parser.isSet(p.listPorts);
    auto error = [](const QString &text) { return made(CommandLine::Mode::Error, {}, {}, text); };
    if (upload + play + list + !files.isEmpty() > 1 || files.size() > 1)
        return error(CommandLineTexts::tr("Give one of FILE, --upload, --play and --list-ports."));
    const bool dryRun = p.parser.isSet(p.dryRun);
    const bool port = p.parser.isSet(p.port);
    if (play && !dryRun && !port)
        return error(CommandLineTexts::tr("--play needs --port, or --dry-run."));
    if (!play && upload != port)
        return error(CommandLineTexts::tr("--upload and --port go together."));
    if ((p.parser.isSet(p.loop) || dryRun) && !play)
        return error(CommandLineTexts::tr("--loop and --dry-run go with --play."));
    // A second one would silently win over the first.
    for (const QCommandLineOption *once : {&p.upload, &p.play, &p.port, &p.loop})
        if (p.parser.values(*once).size() > 1)
            return error(CommandLineTexts::tr("Give --%1 once.").arg(once->names().constFirst()));
    if (upload)
        return made(CommandLine::Mode::Upload, p.parser.value(p.upload), p.parser.value(p.port),
                    {});
    if (play) {
        CommandLine playing =
            made(CommandLine::Mode::Play, p.parser.value(p.play), p.parser.value(p.port), {});
        playing.dryRun = dryRun;
        if (p.parser.isSet(p.loop)) {
            bool number = false;
            const int rounds = p.parser.value(p.loop).toInt(&number);
            if (!number || rounds < 1 || rounds > mostRounds)
                return error(CommandLineTexts::tr("--loop takes a number of rounds from 1 to %1.")
                                 .arg(mostRounds));
            playing.rounds = rounds;
        }
        return playing;
    }
    if (list)
        return made(CommandLine::Mode::ListPorts, {}, {}, {});
    return made(CommandLine::Mode::Window, files.value(0), {}, {});
}

SettingsFileContent asLoadedIntoFreshWindow(SettingsFileContent content)
{
    const BoardChoices chosen = choicesOf(content);
    content.address = addressWithin(addressRangeFor(chosen.nativeFormat, chosen.digitalController),
                                    content.address);
    const ServoSettings startUp;
    const SweepPair pair =
        pairAfterSettingBars({startUp.sweepStarts[0], startUp.sweepEnds[0]},
                             {content.sweepStarts[0], content.sweepEnds[0]}, sweepMaximum);
    content.sweepStarts[0] = pair.start;
    content.sweepEnds[0] = pair.end;
    return content;
}

namespace {
// PORT as --upload and --play take it, opened for them: COM1 to COM4 as `link` numbers the
// devices, a higher COM number the system's port of that name, or a serial device by its path.
// When it cannot be, the sentence is said and `status` holds the exit status; nothing has been
// sent.
struct GivenPort
{
    SerialPort port;
    int number = 0; // COM1 to COM4, the menu's
    QString name;   // "COM10" for com10:, else as given
    int status = exitDone;
};

GivenPort openGivenPort(const QString &port, PortLink &link, QTextStream &errors)
{
    GivenPort given;
    bool comLike = false;
    const std::optional<int> number = comNumber(port, comLike);
    if (!number && comLike) {
        errors << CommandLineTexts::tr("%1: no such port; the ports are COM1 to COM%2.")
                      .arg(Texts::outside(port))
                      .arg(highestPort())
               << Qt::endl;
        given.status = exitPortUnusable;
        return given;
    }
    const int n = number.value_or(0);
    given.number = n <= PortDirectory::portCount ? n : 0;
    given.name = n ? QString::fromStdString(portName(n)) : port;
    if (n > PortDirectory::portCount) {
        given.port = SerialPort(portName(n), link.holders(), HolderScan::Freshness::Now);
    } else if (n) {
        link.refresh();
        if (!portWaitsInterrupted())
            given.port = link.open(n, HolderScan::Freshness::Now);
    } else {
        given.port = SerialPort(encodedPath(port), link.holders(), HolderScan::Freshness::Now);
    }
    // Interrupted while it was being opened: closed again before its line is touched.
    if (const int signal = portWaitsInterrupted()) {
        given.port.close();
        errors
            << CommandLineTexts::tr("%1: interrupted; nothing was sent.").arg(Texts::outside(port))
            << Qt::endl;
        given.status = 128 + signal;
    } else if (!given.port.isOpen()) {
        const SendResult refused{given.port.error(), given.port.holder(), false,
                                 given.port.device(), given.port.systemError()};
        errors << Texts::notSent(port, &link, given.number, refused) << Qt::endl;
        given.status = exitPortUnusable;
    }
    return given;
}
} // namespace

int uploadFile(const QString &file, const QString &port, PortLink &link, QTextStream &errors)
{
    const LoadedSettings loaded = loadSettingsFile(encodedPath(file));
    if (!loaded.taken()) {
        errors << Texts::loadRefusal(file, loaded) << Qt::endl;
        return exitFileRefused;
    }
    const UploadContent content = uploadContentOf(asLoadedIntoFreshWindow(*loaded.decoded.content));
    if (!divisorAchievable(content.baudDivisor)) {
        errors << Texts::rateNotAchievable() << Qt::endl;
        return exitNotAchievable;
    }
    const PortWaitInterrupts interruptible;
    GivenPort given = openGivenPort(port, link, errors);
    if (given.status != exitDone)
        return given.status;
    const SendResult sent =
        sendThrough(std::move(given.port), uploadSequence(content), link.stalls());
    if (const int signal = portWaitsInterrupted()) {
        errors << CommandLineTexts::tr("%1: interrupted; nothing was sent whole.")
                      .arg(Texts::outside(port))
               << Qt::endl;
        return 128 + signal;
    }
    if (!sent.delivered) {
        errors << Texts::notSent(port, &link, given.number, sent) << Qt::endl;
        return exitNotSent;
    }
    return exitDone;
}

int playFile(const PlayRequest &request, PortLink &link, QTextStream &out, QTextStream &errors)
{
    SequenceFileRead read = readSequenceFile(request.file);
    if (read.file && request.rounds)
        read.file->sequence.rounds = *request.rounds;
    if (read.file)
        if (const SequenceFault fault = checkSequence(read.file->sequence))
            read = {std::nullopt, Texts::sequenceFault(request.file, fault)};
    if (!read.file) {
        errors << read.refusal << Qt::endl;
        return exitSequenceRefused;
    }
    const SequenceFile &file = *read.file;
    if (!divisorAchievable(baudDivisorFor(file.link.baud))) {
        errors << Texts::sequenceRateNotAchievable(request.file, file.link.baud) << Qt::endl;
        return exitNotAchievable;
    }
    const Player player(file.sequence);
    if (request.dryRun) {
        if (!player.totalMs()) {
            errors << CommandLineTexts::tr("%1 goes round for ever: give --loop N for --dry-run.")
                          .arg(Texts::outside(request.file))
                   << Qt::endl;
            return exitUsage;
        }
        // One line a frame: its time in milliseconds, then its bytes. The planner passes over
        // the slots where nothing changes, so lines come quickly however long the holds; what is
        // printed reaches the reader within a second, and output that stops arriving (a reader
        // gone, `| head`) ends it at once, not after all.
        using Clock = std::chrono::steady_clock;
        Clock::time_point flushed = Clock::now();
        forEachFrame(player, file.link, [&](const PlannedFrame &frame) {
            out << slotMicroseconds(frame.slot) / 1000;
            for (const std::uint8_t byte : frame.bytes)
                out << ' ' << QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
            out << '\n';
            if (Clock::now() - flushed < std::chrono::seconds(1))
                return true;
            flushed = Clock::now();
            out.flush();
            return out.status() == QTextStream::Ok && std::fflush(stdout) == 0 &&
                   !std::ferror(stdout);
        });
        return exitDone;
    }
    const PortWaitInterrupts interruptible;
    GivenPort given = openGivenPort(request.port, link, errors);
    if (given.status != exitDone)
        return given.status;
    Playback playback(std::move(given.port), player, file.link, link.stalls().limit());
    playback.wait();
    const Playback::Progress done = playback.progress();
    const QString port = Texts::outside(request.port);
    switch (done.ending) {
    case Playback::Ending::finished:
    case Playback::Ending::stopped:
    case Playback::Ending::running:
        // The show by its file's name, the port by its own: "Played wave.svseq to COM1".
        out << Texts::played(QFileInfo(request.file).fileName(), given.name, done)
            << Qt::endl;
        return exitDone;
    case Playback::Ending::interrupted:
        errors << CommandLineTexts::tr(
                      "%1: interrupted; the playback stopped and the port is free.")
                      .arg(port)
               << Qt::endl;
        return 128 + portWaitsInterrupted();
    default:
        errors << Texts::playbackEnded(request.port, done.ending, link.stalls().limit())
               << Qt::endl;
        return exitNotSent;
    }
}

int listPorts(PortLink &link, QTextStream &out)
{
    link.refresh();
    for (int n = 1; n <= PortDirectory::portCount; ++n) {
        const PortReport report = Texts::port(link, n);
        out << QString::fromStdString(portName(n)) << ": " << report.text;
        if (report.usable)
            out << ": " << CommandLineTexts::tr("can be opened");
        out << Qt::endl;
    }
    return exitDone;
}

std::optional<int> runCommandLine(int argc, char **argv, CommandLine &line,
                                  PortDirectory::DeviceSource devices, HolderRoots roots)
{
    setApplicationIdentity();
    // Enough of an application for the texts and the help; no display is needed for it.
    const QCoreApplication app(argc, argv);
    line = parseCommandLine(decodedArguments(argc, argv));
    if (line.mode == CommandLine::Mode::Window)
        return std::nullopt;
    // A reader that has gone (`| head`) is output that could not be written, said by the status.
    writesToClosedPipesFail();
    QTextStream out(stdout);
    QTextStream errors(stderr);
    const std::unique_ptr<QIODevice> outConsole = consoleText(false), errorConsole = consoleText(true);
    if (outConsole)
        out.setDevice(outConsole.get());
    if (errorConsole)
        errors.setDevice(errorConsole.get());
    int status = exitUsage;
    switch (line.mode) {
    case CommandLine::Mode::Help:
    case CommandLine::Mode::Version:
        out << line.text << Qt::endl;
        status = exitDone;
        break;
    case CommandLine::Mode::Upload:
    case CommandLine::Mode::Play:
    case CommandLine::Mode::ListPorts: {
        PortLink link(
            devices ? std::move(devices) : [] { return listSerialDevices(); },
            defaultPortRecordPath(), std::move(roots));
        if (line.mode == CommandLine::Mode::Upload)
            status = uploadFile(line.file, line.port, link, errors);
        else if (line.mode == CommandLine::Mode::Play)
            status = playFile({line.file, line.port, line.rounds, line.dryRun}, link, out, errors);
        else
            status = listPorts(link, out);
        break;
    }
    case CommandLine::Mode::Window:
    case CommandLine::Mode::Error:
        errors << line.text << Qt::endl;
        break;
    }
    // Output that did not arrive (a full disk, a closed pipe) is a failure a script must see.
    out.flush();
    if (out.status() != QTextStream::Ok || std::fflush(stdout) != 0 || std::ferror(stdout)) {
        errors << CommandLineTexts::tr("corvantis-panel: the output could not be written.")
               << Qt::endl;
        return status == exitDone ? exitNoOutput : status;
    }
    return status;
}
