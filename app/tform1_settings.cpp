// Servo settings: "Save Settings..." and "Load Settings..." in the "File" menu.
#include "app/commandline.h"
#include "app/conversion.h"
#include "app/desktop.h"
#include "app/texts.h"
#include "app/tform1.h"
#include "settings/fileaccess.h"
#include "settings/svofile.h"
#include "ui_tform1.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <stdexcept>

namespace {
[[noreturn]] void saveFailed(const QString &path, const QString &reason)
{
    throw std::runtime_error(Texts::saveFailure(path, reason).toStdString());
}
} // namespace

SettingsFileContent TForm1::settingsInWindow() const
{
    SettingsFileContent content;
    content.address = toInt(ui->Edit1->text());
    content.baudRate = toInt(ui->baudSelector->text());
    storeChoices(content, choices());
    content.sweepStarts = m_settings.sweepStarts;
    content.sweepEnds = m_settings.sweepEnds;
    return content;
}

void TForm1::fileSaveSettingsClick(QObject *)
{
    SaveDialog->setTitle(tr("Save Servo Settings"));
    // A file that is there already is replaced only when the user says so; No goes back to the
    // dialog, at the name given.
    std::optional<QString> path;
    do {
        path = SaveDialog->execute(path.value_or(QString()));
        if (!path)
            return;
        // A device is never written over, nor asked about.
        const QString unwritable = Texts::unwritableTarget(judgeFileName(encodedPath(*path)));
        if (!unwritable.isEmpty())
            saveFailed(*path, unwritable);
    } while (QFileInfo::exists(*path) && !m_desktop.askReplace(*path, SaveDialog->title()));

    // Every text is converted before the file is touched, so a bad one leaves an existing file as
    // it was.
    const auto bytes = encodeSettingsFile(settingsInWindow());

    // Written whole beside the old file and put in its place in one step: a failure part way
    // leaves the previous file intact. Unbuffered, because a buffered write only fills Qt's buffer
    // and commit() does not notice when flushing it fails (a full disk): it would put an empty
    // file in the old one's place. A write cut short is tried again for the rest, which then
    // fails with the reason.
    QSaveFile file(*path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        // The new file is made beside the old one: a folder that may not be written is the reason,
        // also when the file itself may be.
        const QFileInfo folder(QFileInfo(*path).absolutePath());
        if (folder.isDir() && !folder.isWritable())
            saveFailed(*path, Texts::folderNotWritable(folder.filePath(), file.errorString()));
        saveFailed(*path, file.errorString());
    }
    if (!lockForWriting(file.handle()))
        saveFailed(*path, tr("another program is writing it"));
    if (const int error = keepOwner(file.handle(), QFile::encodeName(*path).toStdString()))
        saveFailed(*path, Texts::systemReason(error));
    for (qint64 written = 0; written < qint64(bytes.size());) {
        const qint64 n = file.write(reinterpret_cast<const char *>(bytes.data()) + written,
                                    qint64(bytes.size()) - written);
        if (n <= 0)
            saveFailed(*path, file.errorString());
        written += n;
    }
    // commit() syncs too, but does not look at the result.
    if (const int error = syncToDisk(file.handle()))
        saveFailed(*path, Texts::systemReason(error));
    if (!file.commit())
        saveFailed(*path, file.errorString());
}

void TForm1::fileLoadSettingsClick(QObject *)
{
    OpenDialog->setTitle(tr("Open Servo Settings"));
    if (const std::optional<QString> path = OpenDialog->execute())
        loadSettingsFrom(*path);
}

void TForm1::loadSettingsFrom(const QString &path)
{
    // Servo 0 first, whatever the file turns out to hold.
    ui->Selector->setPosition(0);

    // A file that cannot be taken whole changes nothing, and the user is told why.
    const LoadedSettings loaded = loadSettingsFile(encodedPath(path));
    if (!loaded.taken()) {
        m_desktop.messageBox(Texts::loadRefusal(path, loaded), tr("Open Servo Settings"));
        return;
    }
    const SettingsFileContent &content = *loaded.decoded.content;
    const BoardChoices chosen = choicesOf(content);

    // The file's choices before its address, so that the address is checked against them alone.
    // The radio handlers check whatever address is in the field and recompute the baud figures
    // from the rate text: so the rate goes in first, and the field holds an address that every
    // range takes (an old one could beep and be pulled back, an empty one would not convert).
    ui->baudSelector->setText(QString::number(content.baudRate));
    ui->Edit1->setText(QStringLiteral("0"));
    (chosen.nativeFormat ? ui->RadioButton4 : ui->RadioButton5)->setChecked(true);
    (chosen.digitalController ? ui->RadioButton7 : ui->RadioButton6)->setChecked(true);
    // A rate text set by the program raises no change event, and the radio handlers run only
    // for a choice that changes: the figures and the divisor that Upload sends follow it here.
    recalcBaudAndCapacity();
    ui->Edit1->setText(QString::number(content.address));
    m_settings.sweepStarts = content.sweepStarts;
    m_settings.sweepEnds = content.sweepEnds;

    // Servo 0's pair goes through the bars' own change handling, as an edit would.
    ui->Selector->setPosition(0);
    ui->startSweep->setPosition(m_settings.sweepStarts[0]);
    ui->endSweep->setPosition(m_settings.sweepEnds[0]);
}
