#include "app/texts.h"

#include "settings/dialmapping.h"

#include <QDir>

QString Texts::portError(PortError error, const std::optional<PortHolder> &holder)
{
    switch (error) {
    case PortError::None:
        return {};
    case PortError::NoDevice:
        return tr("no device");
    case PortError::PermissionDenied:
        return tr("permission denied: add your user to the dialout group");
    case PortError::InUse:
        if (holder)
            return tr("in use by %1 (pid %2)")
                .arg(QString::fromStdString(holder->name))
                .arg(holder->pid);
        return tr("in use by another program");
    case PortError::Other:
        break;
    }
    return tr("cannot be opened");
}

QString Texts::device(const SerialDevice &device)
{
    const QString node = QString::fromStdString(device.node);
    if (device.description.empty())
        return node;
    return tr("%1 \u2014 %2").arg(node, QString::fromStdString(device.description));
}

PortReport Texts::port(PortDirectory &directory, int port)
{
    const std::optional<PortDirectory::Entry> &entry = directory.entry(port);
    if (!entry)
        return {false, portError(PortError::NoDevice, std::nullopt)};
    const SerialPort probe = entry->present ? directory.open(port) : SerialPort();
    if (probe.isOpen())
        return {true, device(entry->device)};
    return {false,
            tr("%1: %2").arg(device(entry->device), portError(probe.error(), probe.holder()))};
}

QString Texts::loadRefusal(const QString &path, const LoadedSettings &loaded)
{
    using Failure = FileRead::Failure;
    const QString name = QDir::toNativeSeparators(path);
    switch (loaded.file.failure) {
    case Failure::cannotOpen:
        return tr("\"%1\" could not be opened: %2.").arg(name, qt_error_string(loaded.file.error));
    case Failure::notRegularFile:
        return tr("\"%1\" is a folder, device or pipe, not a settings file.").arg(name);
    case Failure::heldByAnother:
        return tr("\"%1\" is in use by another program.").arg(name);
    case Failure::cannotRead:
        return tr("\"%1\" could not be read: %2.").arg(name, qt_error_string(loaded.file.error));
    case Failure::none:
        break;
    }
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
    return tr("The settings could not be saved to \"%1\": %2").arg(path, reason);
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

QString Texts::notAWholeNumber(const QString &text)
{
    return tr("\"%1\" is not a whole number between -2147483648 and 2147483647.").arg(text);
}
