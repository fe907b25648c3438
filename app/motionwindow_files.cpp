// The Motion window's files: the question about unsaved edits, New, Open, Save, the recent
// sequences and the exports.
#include "app/desktop.h"
#include "app/eventguard.h"
#include "app/motionhost.h"
#include "app/motionwindow.h"
#include "app/preferences.h"
#include "app/savefile.h"
#include "app/sequencefile.h"
#include "app/texts.h"
#include "params/baudmath.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <stdexcept>

namespace {
// An export holds at most an hour of frames: far more than a microcontroller keeps, and the file
// is made in memory.
constexpr std::int64_t mostExportedMs = 3600 * 1000;

QString sequenceFilter()
{
    return MotionWindow::tr("Sequence Files *.svseq|*.svseq");
}

QString notWritten(const QString &path, const QString &reason)
{
    return MotionWindow::tr("\"%1\" could not be written: %2")
        .arg(Texts::outside(QDir::toNativeSeparators(path)), reason);
}
} // namespace

bool MotionWindow::settleUnsaved(bool revertOnDiscard)
{
    if (!m_document.modified())
        return true;
    if (!isVisible())
        show();
    raise();
    switch (m_desktop.askSaveChanges(
        tr("Save changes to %1?").arg(Texts::outside(m_document.name())), tr("Motion"))) {
    case Desktop::SaveAnswer::Save:
        return save(m_document.path().isEmpty());
    case Desktop::SaveAnswer::Discard:
        if (revertOnDiscard)
            m_document.revert();
        return true;
    case Desktop::SaveAnswer::Cancel:
        break;
    }
    return false;
}

// Saved, or nothing changed and the reason said: a save the user gave up on or one that failed
// keeps every edit.
bool MotionWindow::save(bool askPath)
{
    bool saved = false;
    runHandler([&] {
        // The link is converted before the dialog: a text that does not convert touches no file.
        const SequenceFile file{sequence(), m_host.motionLink()};
        // A file this program would refuse to open again is not written.
        if (file.link.baud < 300 || file.link.baud > divisorBase || file.link.address < 0 ||
            file.link.address > 65535)
            throw std::runtime_error(
                tr("A sequence file records a rate from 300 to %1 baud and an address from 0 to "
                   "65535; the main window has %2 baud and address %3.")
                    .arg(divisorBase)
                    .arg(file.link.baud)
                    .arg(file.link.address)
                    .toStdString());
        if (const QString refusal = miniSscAddressRefusal(file.link); !refusal.isEmpty())
            throw std::runtime_error(refusal.toStdString());
        std::optional<QString> path = m_document.path();
        if (askPath || path->isEmpty()) {
            path = askSavePath(tr("Save Sequence"), sequenceFilter(),
                               QLatin1String(sequenceFileSuffix), m_document.path());
            if (!path)
                return;
            Preferences::setLastFolder(QStringLiteral("sequences"), *path);
        }
        writeWholeFile(*path, encodeSequenceFile(file),
                       [&](const QString &reason) { return notWritten(*path, reason); });
        m_document.markSaved(*path);
        rememberFile(*path);
        say(tr("Saved %1.").arg(Texts::outside(QFileInfo(*path).fileName())));
        saved = true;
    });
    return saved;
}

std::optional<QString> MotionWindow::askSavePath(const QString &title, const QString &filter,
                                                 const QString &suffix, const QString &selected)
{
    const QString folder = Preferences::lastFolder(QStringLiteral("sequences"));
    return ::askSavePath(
        m_desktop, title,
        [&](const QString &name) {
            return m_desktop.chooseFile(
                {Desktop::FileDialogKind::Save, title, filter, suffix, name, folder});
        },
        notWritten,
        selected);
}

std::optional<QString> MotionWindow::askOpenPath()
{
    const std::optional<QString> path =
        m_desktop.chooseFile({Desktop::FileDialogKind::Open, tr("Open Sequence"), sequenceFilter(),
                              QLatin1String(sequenceFileSuffix), m_document.path(),
                              Preferences::lastFolder(QStringLiteral("sequences"))});
    if (path)
        Preferences::setLastFolder(QStringLiteral("sequences"), *path);
    return path;
}

void MotionWindow::sequenceNewClick(QObject *)
{
    if (!settleUnsaved(false))
        return;
    m_shownPose = -1;
    m_document.reset(SequenceDocument::fresh(), QString());
    say(QString());
}

void MotionWindow::sequenceOpenClick(QObject *)
{
    if (!settleUnsaved(false))
        return;
    if (const std::optional<QString> path = askOpenPath())
        openFrom(*path);
}

void MotionWindow::openFile(const QString &path)
{
    if (settleUnsaved(false))
        openFrom(path);
}

void MotionWindow::openFrom(const QString &path)
{
    const SequenceFileRead read = readSequenceFile(path);
    if (!read.file) {
        m_desktop.messageBox(read.refusal, tr("Open Sequence"));
        return;
    }
    // Nothing chosen to edit by surprise: the user picks the pose the sliders change.
    m_shownPose = -1;
    m_document.reset(read.file->sequence, path);
    rememberFile(path);
    const QString name = Texts::outside(QFileInfo(path).fileName());
    const MotionLink &made = read.file->link;
    MotionLink now;
    try {
        now = m_host.motionLink();
    } catch (const std::exception &) {
        now = made; // the main window says what is wrong with its own choices
    }
    if (now == made || (now.nativeFormat && made.nativeFormat && now.baud == made.baud))
        say(tr("Opened %1.").arg(name));
    else
        say(tr("Opened %1. It was made for %2 at %3 baud, address %4; it plays in the main "
               "window's format, at its address and rate.")
                .arg(name, made.nativeFormat ? tr("Quorvel") : tr("Mini SSC"))
                .arg(made.baud)
                .arg(made.address));
}

void MotionWindow::rememberFile(const QString &path)
{
    Preferences::noteRecentSequence(path);
    showRecent();
}

void MotionWindow::showRecent()
{
    m_recent->clear();
    const QStringList recent = Preferences::recentSequences();
    for (int i = 0; i < recent.size(); ++i) {
        const QString path = recent[i];
        // A file's name is the user's, not a mnemonic: an ampersand in it stays one.
        QString name = Texts::outside(QFileInfo(path).fileName());
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction *item = m_recent->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
        item->setObjectName(QStringLiteral("sequenceRecent%1").arg(i + 1));
        item->setToolTip(Texts::outside(QDir::toNativeSeparators(path)));
        connect(item, &QAction::triggered, this,
                [this, path] { runHandler([&] { openFile(path); }); });
    }
    m_recent->setEnabled(!recent.isEmpty());
}

void MotionWindow::sequenceSaveClick(QObject *)
{
    save(false);
}

void MotionWindow::sequenceSaveAsClick(QObject *)
{
    save(true);
}

void MotionWindow::exportCsvClick(QObject *)
{
    exportFrames(false);
}

void MotionWindow::exportHeaderClick(QObject *)
{
    exportFrames(true);
}

void MotionWindow::exportFrames(bool header)
{
    const QString shown = m_document.path().isEmpty() ? tr("Untitled") : m_document.name();
    if (const SequenceFault fault = checkSequence(sequence())) {
        say(Texts::sequenceFault(shown, fault));
        return;
    }
    Sequence once = sequence();
    if (once.rounds == 0)
        once.rounds = 1; // a sequence that goes round for ever exports one round
    const Player player(once);
    if (*player.totalMs() > mostExportedMs) {
        say(tr("%1 lasts %2 s; an export holds at most an hour of frames.")
                .arg(Texts::outside(shown),
                     QString::number(double(*player.totalMs()) / 1000, 'f', 1)));
        return;
    }
    const QString title = header ? tr("Export C Header") : tr("Export CSV");
    const QString suffix = header ? QStringLiteral("h") : QStringLiteral("csv");
    const QString base =
        m_document.path().isEmpty() ? QString() : QFileInfo(m_document.path()).completeBaseName();
    const QString filter = header ? tr("C Header Files *.h|*.h") : tr("CSV Files *.csv|*.csv");
    const QString folder = Preferences::lastFolder(QStringLiteral("exports"));
    const std::optional<QString> path = ::askSavePath(
        m_desktop, title,
        [&](const QString &name) {
            return m_desktop.chooseFile(
                {Desktop::FileDialogKind::Save, title, filter, suffix, name, folder});
        },
        notWritten,
        base.isEmpty() ? QString() : base + QLatin1Char('.') + suffix);
    if (!path)
        return;
    Preferences::setLastFolder(QStringLiteral("exports"), *path);
    const QByteArray bytes = header ? framesHeader(player, shown) : framesCsv(player);
    writeWholeFile(*path, bytes, [&](const QString &reason) { return notWritten(*path, reason); });
    const qsizetype frames = header ? bytes.count("},\n") : bytes.count('\n') - 1;
    say(tr("Exported %n frames to %1.", nullptr, int(frames))
            .arg(Texts::outside(QFileInfo(*path).fileName())));
}
