// Servo settings: "Save Settings..." and "Load Settings..." in the "File" menu.
#include "app/commandline.h"
#include "app/conversion.h"
#include "app/desktop.h"
#include "app/preferences.h"
#include "app/savefile.h"
#include "app/texts.h"
#include "app/tform1.h"
#include "settings/svofile.h"
#include "ui_tform1.h"

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
    SaveDialog->setDirectory(Preferences::lastFolder(QStringLiteral("settings")));
    const std::optional<QString> path =
        askSavePath(m_desktop, SaveDialog->title(),
                    [this](const QString &selected) { return SaveDialog->execute(selected); },
                    Texts::saveFailure);
    if (!path)
        return;
    Preferences::setLastFolder(QStringLiteral("settings"), *path);
    // Every text is converted before the file is touched, so a bad one leaves an existing file as
    // it was.
    const auto bytes = encodeSettingsFile(settingsInWindow());
    writeWholeFile(
        *path, QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size())),
        [&](const QString &reason) { return Texts::saveFailure(*path, reason); });
}

void TForm1::fileLoadSettingsClick(QObject *)
{
    OpenDialog->setTitle(tr("Open Servo Settings"));
    OpenDialog->setDirectory(Preferences::lastFolder(QStringLiteral("settings")));
    if (const std::optional<QString> path = OpenDialog->execute()) {
        Preferences::setLastFolder(QStringLiteral("settings"), *path);
        loadSettingsFrom(*path);
    }
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
