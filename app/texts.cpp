#include "app/texts.h"

#include "link/portcycle.h"
#include "settings/dialmapping.h"

#include <QDir>

QString Texts::outside(const QString &word)
{
    QString shown;
    for (qsizetype i = 0; i < word.size(); ++i) {
        const QChar c = word[i];
        const char16_t u = c.unicode();
        const bool control = u < 0x20 || (u >= 0x7F && u < 0xA0);
        // Marks that reorder the text around them: they could make a name read as another.
        const bool direction = u == 0x061C || u == 0x200E || u == 0x200F ||
                               (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069);
        const bool paired = c.isHighSurrogate()
                                ? i + 1 < word.size() && word[i + 1].isLowSurrogate()
                                : i > 0 && word[i - 1].isHighSurrogate();
        if (control)
            shown += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
        else if (direction)
            shown += QStringLiteral("\\u%1").arg(u, 4, 16, QLatin1Char('0'));
        else if (c.isSurrogate() && !paired)
            shown += QChar(QChar::ReplacementCharacter); // a byte that was no text
        else
            shown += c;
    }
    return shown;
}

QString Texts::outside(const std::string &word)
{
    return outside(QString::fromUtf8(word));
}

QString Texts::portError(PortError error, const std::optional<PortHolder> &holder,
                         const std::string &node, int systemError)
{
    switch (error) {
    case PortError::None:
        return {};
    case PortError::NoDevice:
        return tr("no device");
    case PortError::PermissionDenied:
        return tr("permission denied: %1").arg(permissionAdvice(deviceAccess(node)));
    case PortError::InUse:
        if (holder && holder->staleLock)
            return tr("a stale lock file names pid %1").arg(holder->pid);
        if (holder && !holder->name.empty())
            return tr("in use by %1 (pid %2)").arg(outside(holder->name)).arg(holder->pid);
        if (holder)
            return tr("in use by another program (pid %1)").arg(holder->pid);
        return tr("in use by another program");
    case PortError::NotSerial:
        return tr("not a serial device");
    case PortError::Terminal:
        return tr("a terminal, not a serial device");
    case PortError::LineRefused:
        return tr("the port would not take the line settings; nothing was sent");
    case PortError::LookAlike:
        return tr("two adapters look alike; plug them back as they were or choose by path");
    case PortError::Playing:
        return portPlaying();
    case PortError::Changed:
        return tr("changed while being opened; nothing was sent");
    case PortError::Other:
        if (systemError != 0)
            return tr("cannot be opened: %1").arg(systemReason(systemError));
        break;
    }
    return tr("cannot be opened");
}

QString Texts::permissionAdvice(const DeviceAccess &access)
{
    const QString group = outside(access.group);
    // A group joined since this session began counts only from the next login.
    if (access.inGroupListed && !access.inGroupNow)
        return tr("already in group %1: log out and in again").arg(group);
    if (access.serialPortGroup && !access.inGroupNow)
        return tr("add your user to the %1 group, then log out and in again").arg(group);
    return tr("owned by %1:%2, mode %3")
        .arg(outside(access.owner), group)
        .arg(access.mode, 4, 8, QLatin1Char('0'));
}

QString Texts::device(const SerialDevice &device)
{
    const QString node = outside(device.node);
    if (device.description.empty())
        return node;
    return tr("%1 \u2014 %2").arg(node, outside(device.description));
}

PortReport Texts::port(PortLink &link, int port)
{
    const PortStatus status = link.status(port);
    if (!status.entry)
        return {false, portError(PortError::NoDevice, std::nullopt)};
    // Where the system names its ports, the name says nothing more than the number.
    const SerialDevice &d = status.entry->device;
    const QString what = d.node != portName(port) ? device(d)
                         : d.description.empty()  ? tr("serial port")
                                                  : outside(d.description);
    if (status.error == PortError::LookAlike)
        //: A port, or the device it stands for, then why it cannot be used: "COM1: no device".
        return {false, tr("%1: %2").arg(what, portError(status.error, std::nullopt))};
    if (!status.entry->present)
        return {false, tr("%1: not connected").arg(what)};
    if (status.usable())
        return {true, what};
    return {false,
            tr("%1: %2").arg(what, portError(status.error, status.holder, status.entry->device.node,
                                             status.systemError))};
}

QString Texts::renumberAdvice(const QString &report, int port)
{
    return tr("%1; to use an adapter on a higher number here, give it %2 in the Device Manager: "
              "Ports (COM & LPT), the adapter's Properties, Port Settings, Advanced, COM Port "
              "Number")
        .arg(report, QString::fromStdString(portName(port)));
}

QString Texts::notSent(const QString &port, PortLink *link, int number, const SendResult &sent)
{
    const QString name = outside(port);
    if (link && number != 0 && sent.error == PortError::NoDevice) {
        // An adapter that has the number but is not plugged in is named, so that the user knows
        // which one to plug in.
        if (const std::optional<PortDirectory::Entry> &entry = link->directory().entry(number);
            entry && !entry->present) {
            const SerialDevice &d = entry->device;
            const QString which = d.description.empty() ? outside(d.node) : outside(d.description);
            return tr("%1 (%2) is not connected").arg(name, which);
        }
    }
    if (link && number != 0 && sent.error == PortError::LookAlike) {
        if (const std::optional<PortDirectory::Entry> &entry = link->directory().entry(number)) {
            const SerialDevice &d = entry->device;
            const QString which = d.description.empty() ? outside(d.node) : outside(d.description);
            return tr("%1: two adapters look alike (%2); plug them back as they were or choose "
                      "by path")
                .arg(name, which);
        }
    }
    if (sent.error == PortError::None)
        return tr("%1: the port did not take the bytes within %n seconds; nothing was sent whole.",
                  nullptr,
                  int(std::chrono::duration_cast<std::chrono::seconds>(
                          link ? link->stalls().limit() : StallMemory::defaultLimit)
                          .count()))
            .arg(name);
    return tr("%1: %2").arg(name, portError(sent.error, sent.holder, sent.node, sent.systemError));
}

QString Texts::readRefusal(const QString &path, const FileRead &read, bool sequence)
{
    using Failure = FileRead::Failure;
    const QString name = outside(QDir::toNativeSeparators(path));
    switch (read.failure) {
    case Failure::cannotOpen:
        return tr("\"%1\" could not be opened: %2.").arg(name, systemReason(read.error));
    case Failure::notRegularFile:
        return sequence ? tr("\"%1\" is a folder, device or pipe, not a sequence file.").arg(name)
                        : tr("\"%1\" is a folder, device or pipe, not a settings file.").arg(name);
    case Failure::reservedName:
        return tr("\"%1\" is not a file: Windows reserves that name for a device, whatever its "
                  "folder or extension.")
            .arg(name);
    case Failure::heldByAnother:
        return tr("\"%1\" is in use by another program.").arg(name);
    case Failure::cannotRead:
        return tr("\"%1\" could not be read: %2.").arg(name, systemReason(read.error));
    case Failure::none:
        break;
    }
    return {};
}

QString Texts::unwritableTarget(const JudgedName &judged)
{
    switch (judged.kind) {
    case JudgedName::Kind::notRegularFile:
        return tr("it is a folder, device or pipe, not a file");
    case JudgedName::Kind::reservedName:
        return tr("Windows reserves that name for a device, whatever its folder or extension");
    case JudgedName::Kind::regularFile:
    case JudgedName::Kind::missing:
    case JudgedName::Kind::cannotOpen:
        break;
    }
    return {};
}

QString Texts::loadRefusal(const QString &path, const LoadedSettings &loaded)
{
    if (loaded.file.failure != FileRead::Failure::none)
        return readRefusal(path, loaded.file, false);
    const QString name = outside(QDir::toNativeSeparators(path));
    const QString servo = QString::number(loaded.decoded.servo);
    switch (loaded.decoded.fault) {
    case SettingsFileFault::notSettingsFile:
        return tr("\"%1\" is not a servo settings file.").arg(name);
    case SettingsFileFault::tooShort:
        return tr("\"%1\" is cut short: a servo settings file has %2 bytes, this one %3.")
            .arg(name, QString::number(settingsFileSize),
                 QString::number(loaded.file.bytes.size()));
    case SettingsFileFault::sweepOutOfRange:
        return tr("\"%1\" gives servo %2 a sweep outside 0 to %3.")
            .arg(name, servo, QString::number(sweepMaximum));
    case SettingsFileFault::startAboveEnd:
        return tr("\"%1\" gives servo %2 a start of sweep above its end.").arg(name, servo);
    case SettingsFileFault::none:
        break;
    }
    return {};
}

QString Texts::saveFailure(const QString &path, const QString &reason)
{
    return tr("The settings could not be saved to \"%1\": %2")
        .arg(outside(QDir::toNativeSeparators(path)), reason);
}

QString Texts::folderNotWritable(const QString &folder, const QString &reason)
{
    return tr("the folder \"%1\" may not be written (%2)")
        .arg(outside(QDir::toNativeSeparators(folder)), reason);
}

QString Texts::sequenceFault(const QString &path, const SequenceFault &fault)
{
    using Kind = SequenceFault::Kind;
    const QString name = outside(QDir::toNativeSeparators(path));
    switch (fault.kind) {
    case Kind::none:
        break;
    case Kind::noPoses:
        return tr("\"%1\" has no poses.").arg(name);
    case Kind::homeOutOfRange:
        return tr("\"%1\": home names a pose there is not.").arg(name);
    case Kind::poseOutOfRange:
        return tr("\"%1\": steps[%2].pose names a pose there is not.").arg(name).arg(fault.index);
    case Kind::timeOutOfRange:
        return tr("\"%1\": steps[%2] has a move or hold outside 0 to %3 ms.")
            .arg(name)
            .arg(fault.index)
            .arg(longestTimeMs);
    case Kind::roundsOutOfRange:
        return tr("\"%1\": loop is outside 1 to %2.").arg(name).arg(mostRounds);
    }
    return {};
}

QString Texts::played(const QString &path, const QString &port, const Playback::Progress &progress)
{
    const QString seconds = QString::number(double(progress.elapsedMs) / 1000, 'f', 1);
    const QString name = outside(QDir::toNativeSeparators(path));
    //: %1 the sequence, %2 the port, %3 the seconds played (with one decimal).
    if (progress.framesLeftOut == 0)
        return tr("Played %1 to %2: %3 s, %n frames, none left out.", nullptr,
                  int(progress.framesSent))
            .arg(name, outside(port), seconds);
    //: %1 the sequence, %2 the port, %3 the seconds played, %4 the frames sent; %n frames were
    //: left out because they were late.
    return tr("Played %1 to %2: %3 s, %4 frames, %n left out, late.", nullptr,
              int(progress.framesLeftOut))
        .arg(name, outside(port), seconds)
        .arg(progress.framesSent);
}

QString Texts::playbackEnded(const QString &port, Playback::Ending ending,
                             std::chrono::milliseconds stallLimit)
{
    const QString name = outside(port);
    switch (ending) {
    case Playback::Ending::stalled:
        return tr("%1: the port took no bytes for %n seconds; the playback stopped.", nullptr,
                  int(std::chrono::duration_cast<std::chrono::seconds>(stallLimit).count()))
            .arg(name);
    case Playback::Ending::gone:
        return tr("%1: the adapter went away; the playback stopped.").arg(name);
    case Playback::Ending::lineRefused:
        return tr("%1: %2").arg(name, portError(PortError::LineRefused, std::nullopt));
    case Playback::Ending::interrupted:
        return tr("%1: interrupted; the playback stopped.").arg(name);
    case Playback::Ending::running:
    case Playback::Ending::finished:
    case Playback::Ending::stopped:
        break;
    }
    return {};
}

QString Texts::noMotionForOutputs()
{
    return tr("No motion under \"Digital Controller\": the board drives outputs, not servos. "
              "Choose \"Servo Controller\" in the main window.");
}

QString Texts::portPlaying()
{
    return tr("a sequence is playing on it; stop it first");
}

QString Texts::sequenceRateNotAchievable(const QString &path, int baud)
{
    return tr("\"%1\" is made for %2 baud, a rate the board cannot run at.")
        .arg(outside(QDir::toNativeSeparators(path)))
        .arg(baud);
}

QString Texts::noPortChosen()
{
    return tr("Please select a COM port.");
}

QString Texts::noPortChosenCaption()
{
    return tr("No COM port Selected");
}

QString Texts::rateNotAchievable()
{
    return tr("The board cannot run at the chosen baud rate. Choose a higher rate before "
              "uploading.");
}

QString Texts::uploadCaption()
{
    return tr("Upload settings");
}

QString Texts::systemReason(int code)
{
    QString reason = qt_error_string(code);
    while (reason.endsWith(QLatin1Char('.')))
        reason.chop(1);
    return reason;
}

QString Texts::notAWholeNumber(const QString &text)
{
    return tr("\"%1\" is not a whole number between -2147483648 and 2147483647.").arg(text);
}
