// "Save Settings..." and "Load Settings..." in the "File" menu.
#include "app/conversion.h"
#include "app/desktop.h"
#include "app/tform1.h"
#include "params/paramhandlers.h"
#include "settings/dialmapping.h"
#include "settings/fileaccess.h"
#include "settings/svofile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <stdexcept>

namespace {
// One plain sentence naming the file and what is wrong with it.
QString loadRefusal(const QString &path, const FileRead &file, const DecodedSettingsFile &decoded)
{
    using Failure = FileRead::Failure;
    const QString name = QDir::toNativeSeparators(path);
    switch (file.failure) {
    case Failure::cannotOpen:
        return TForm1::tr("\"%1\" could not be opened: %2.").arg(name, qt_error_string(file.error));
    case Failure::notRegularFile:
        return TForm1::tr("\"%1\" is a folder, device or pipe, not a settings file.").arg(name);
    case Failure::heldByAnother:
        return TForm1::tr("\"%1\" is in use by another program.").arg(name);
    case Failure::cannotRead:
        return TForm1::tr("\"%1\" could not be read: %2.").arg(name, qt_error_string(file.error));
    case Failure::none:
        break;
    }
    const QString servo = QString::number(decoded.servo);
    switch (decoded.fault) {
    case SettingsFileFault::notSettingsFile:
        return TForm1::tr("\"%1\" is not a servo settings file.").arg(name);
    case SettingsFileFault::tooShort:
        return TForm1::tr("\"%1\" is cut short: a servo settings file has %2 bytes, this one %3.")
            .arg(name, QString::number(settingsFileSize), QString::number(file.bytes.size()));
    case SettingsFileFault::sweepOutOfRange:
        return TForm1::tr("\"%1\" gives servo %2 a sweep outside 0 to %3.")
            .arg(name, servo, QString::number(sweepMaximum));
    case SettingsFileFault::startAboveEnd:
        return TForm1::tr("\"%1\" gives servo %2 a start of sweep above its end.").arg(name, servo);
    case SettingsFileFault::none:
        break;
    }
    return {};
}

[[noreturn]] void saveFailed(const QString &path, const QString &reason)
{
    throw std::runtime_error(QStringLiteral("The settings could not be saved to \"%1\": %2")
                                 .arg(path, reason)
                                 .toStdString());
}
} // namespace

void TForm1::fileSaveSettingsClick(QObject *)
{
    SaveDialog->setTitle(QStringLiteral("Save Servo Settings"));
    const std::optional<QString> path = SaveDialog->execute();
    if (!path)
        return;

    // Every text is converted before the file is touched, so a bad one leaves an existing file as
    // it was.
    SettingsFileContent content;
    content.address = toInt(Edit1->text());
    content.baudRate = toInt(baudSelector->text());
    content.formatCode = RadioButton4->isChecked() ? 0 : 1;
    content.functionCode = RadioButton6->isChecked() ? 0 : 1;
    content.sweepStarts = settings.sweepStarts;
    content.sweepEnds = settings.sweepEnds;
    const auto bytes = encodeSettingsFile(content);

    // Written whole beside the old file and put in its place in one step: a failure part way
    // leaves the previous file intact. Unbuffered, because a buffered write only fills Qt's buffer
    // and commit() does not notice when flushing it fails (a full disk): it would put an empty
    // file in the old one's place. A write cut short is tried again for the rest, which then
    // fails with the reason.
    QSaveFile file(*path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || !lockForWriting(file.handle()))
        saveFailed(*path, file.errorString());
    for (qint64 written = 0; written < qint64(bytes.size());) {
        const qint64 n = file.write(reinterpret_cast<const char *>(bytes.data()) + written,
                                    qint64(bytes.size()) - written);
        if (n <= 0)
            saveFailed(*path, file.errorString());
        written += n;
    }
    // commit() syncs too, but does not look at the result.
    if (const int error = syncToDisk(file.handle()))
        saveFailed(*path, qt_error_string(error));
    if (!file.commit())
        saveFailed(*path, file.errorString());
}

void TForm1::fileLoadSettingsClick(QObject *)
{
    OpenDialog->setTitle(QStringLiteral("Open Servo Settings"));
    const std::optional<QString> path = OpenDialog->execute();
    if (!path)
        return;
    // Servo 0 first, whatever the file turns out to hold.
    Selector->setPosition(0);

    // A file that cannot be taken whole changes nothing, and the user is told why.
    const FileRead file = readRegularFile(QFile::encodeName(*path).toStdString(), settingsFileSize);
    const DecodedSettingsFile decoded = decodeSettingsFile(file.bytes);
    if (file.failure != FileRead::Failure::none || !decoded.content) {
        desktop().messageBox(loadRefusal(*path, file, decoded), tr("Open Servo Settings"));
        return;
    }
    const SettingsFileContent &content = *decoded.content;

    // The file's choices before its address, so that the address is checked against them alone.
    // The radio handlers check whatever address is in the field and recompute the baud figures
    // from the rate text: so the rate goes in first, and the field holds an address that every
    // range takes (an old one could beep and be pulled back, an empty one would not convert).
    baudSelector->setText(QString::number(content.baudRate));
    Edit1->setText(QStringLiteral("0"));
    (content.formatCode == 0 ? RadioButton4 : RadioButton5)->setChecked(true);
    (content.functionCode == 0 ? RadioButton6 : RadioButton7)->setChecked(true);
    // A rate text set by the program raises no change event, and the radio handlers run only
    // for a choice that changes: the figures and the divisor that Upload sends follow it here.
    recalcBaudAndCapacity();
    Edit1->setText(QString::number(content.address));
    settings.sweepStarts = content.sweepStarts;
    settings.sweepEnds = content.sweepEnds;

    // Servo 0's pair goes through the bars' own change handling, as an edit would.
    Selector->setPosition(0);
    startSweep->setPosition(settings.sweepStarts[0]);
    endSweep->setPosition(settings.sweepEnds[0]);
}
