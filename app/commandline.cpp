#include "app/commandline.h"

#include "app/application.h"
#include "app/texts.h"
#include "editing/sweeprules.h"
#include "link/messages.h"
#include "link/modestring.h"
#include "link/portcycle.h"
#include "link/portdirectory.h"
#include "params/addressrange.h"
#include "params/baudmath.h"
#include "settings/dialmapping.h"
#include "settings/fileaccess.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

namespace {
class CommandLineTexts
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
};

struct Parser
{
    QCommandLineParser parser;
    QCommandLineOption upload{QStringLiteral("upload"),
                              CommandLineTexts::tr("Send the settings in FILE to the board, "
                                                   "without the window."),
                              CommandLineTexts::tr("FILE")};
    QCommandLineOption port{QStringLiteral("port"),
                            CommandLineTexts::tr("The port for --upload: COM1 to COM4, numbered "
                                                 "as the window's menu numbers them, or a "
                                                 "device such as /dev/ttyUSB0."),
                            CommandLineTexts::tr("PORT")};
    QCommandLineOption listPorts{QStringLiteral("list-ports"),
                                 CommandLineTexts::tr("List COM1 to COM4: the device each stands "
                                                      "for, and whether it can be opened.")};
    QCommandLineOption help = parser.addHelpOption();
    QCommandLineOption version = parser.addVersionOption();

    Parser()
    {
        parser.setApplicationDescription(
            CommandLineTexts::tr("Sets up an eight-servo controller board over a serial port."));
        parser.addOptions({upload, port, listPorts});
        parser.addPositionalArgument(CommandLineTexts::tr("FILE"),
                                     CommandLineTexts::tr("A settings file (.svo) to open in "
                                                          "the window."),
                                     CommandLineTexts::tr("[FILE]"));
    }
};

SerialPort openPort(const QString &name, PortDirectory &directory)
{
    for (int n = 1; n <= PortDirectory::portCount; ++n)
        if (name.compare(QString::fromStdString(portName(n)), Qt::CaseInsensitive) == 0)
            return directory.open(n);
    return SerialPort(QFile::encodeName(name).toStdString());
}
} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    Parser p;
    CommandLine line;
    if (!p.parser.parse(arguments))
        return {CommandLine::Mode::Error, {}, {}, p.parser.errorText()};
    if (p.parser.isSet(p.help))
        return {CommandLine::Mode::Help, {}, {}, p.parser.helpText()};
    if (p.parser.isSet(p.version))
        return {CommandLine::Mode::Version,
                {},
                {},
                QCoreApplication::applicationName() + QLatin1Char(' ') +
                    QCoreApplication::applicationVersion()};
    const QStringList files = p.parser.positionalArguments();
    const bool upload = p.parser.isSet(p.upload);
    const bool list = p.parser.isSet(p.listPorts);
    auto error = [](const QString &text) {
        return CommandLine{CommandLine::Mode::Error, {}, {}, text};
    };
    if (upload + list + !files.isEmpty() > 1 || files.size() > 1)
        return error(CommandLineTexts::tr("Give one of FILE, --upload and --list-ports."));
    if (upload != p.parser.isSet(p.port))
        return error(CommandLineTexts::tr("--upload and --port go together."));
    if (upload)
        return {CommandLine::Mode::Upload, p.parser.value(p.upload), p.parser.value(p.port), {}};
    if (list)
        return {CommandLine::Mode::ListPorts, {}, {}, {}};
    return {CommandLine::Mode::Window, files.value(0), {}, {}};
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

int uploadFile(const QString &file, const QString &port, PortDirectory &directory,
               QTextStream &errors)
{
    const LoadedSettings loaded = loadSettingsFile(QFile::encodeName(file).toStdString());
    if (!loaded.taken()) {
        errors << Texts::loadRefusal(file, loaded) << Qt::endl;
        return exitFileRefused;
    }
    const UploadContent content = uploadContentOf(asLoadedIntoFreshWindow(*loaded.decoded.content));
    if (!divisorAchievable(content.baudDivisor)) {
        errors << Texts::rateNotAchievable() << Qt::endl;
        return exitNotAchievable;
    }
    SerialPort opened = openPort(port, directory);
    if (!opened.isOpen()) {
        errors << CommandLineTexts::tr("%1: %2").arg(
                      port, Texts::portError(opened.error(), opened.holder()))
               << Qt::endl;
        return exitPortUnusable;
    }
    PortCycle cycle(std::move(opened), setupMode);
    for (const Write &write : uploadSequence(content))
        cycle.write(write);
    if (!cycle.finish()) {
        errors << CommandLineTexts::tr("%1: the port did not take the bytes; nothing was sent "
                                       "whole.")
                      .arg(port)
               << Qt::endl;
        return exitNotSent;
    }
    return exitDone;
}

int listPorts(PortDirectory &directory, QTextStream &out)
{
    directory.refresh();
    for (int n = 1; n <= PortDirectory::portCount; ++n) {
        const PortReport report = Texts::port(directory, n);
        out << QString::fromStdString(portName(n)) << ": " << report.text;
        if (report.usable)
            out << ": " << CommandLineTexts::tr("can be opened");
        out << Qt::endl;
    }
    return exitDone;
}

bool runsWithoutWindow(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // Unknown options here may be the window toolkit's own (-platform, -style), for the window.
    Parser p;
    p.parser.parse(arguments);
    return p.parser.isSet(p.upload) || p.parser.isSet(p.port) || p.parser.isSet(p.listPorts) ||
           p.parser.isSet(p.help) || p.parser.isSet(p.version);
}

int runWithoutWindow(int argc, char **argv, PortDirectory::DeviceSource devices)
{
    setApplicationIdentity();
    QCoreApplication app(argc, argv);
    const CommandLine line = parseCommandLine(QCoreApplication::arguments());
    QTextStream out(stdout);
    QTextStream errors(stderr);
    PortDirectory directory(devices ? std::move(devices) : [] { return listSerialDevices(); });
    switch (line.mode) {
    case CommandLine::Mode::Help:
    case CommandLine::Mode::Version:
        out << line.text << Qt::endl;
        return exitDone;
    case CommandLine::Mode::Upload:
        return uploadFile(line.file, line.port, directory, errors);
    case CommandLine::Mode::ListPorts:
        return listPorts(directory, out);
    case CommandLine::Mode::Window:
    case CommandLine::Mode::Error:
        break;
    }
    errors << line.text << Qt::endl;
    return exitUsage;
}
