#include "app/savefile.h"

#include "app/commandline.h"
#include "app/desktop.h"
#include "app/texts.h"
#include "link/plainfile.h"
#include "settings/fileaccess.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <stdexcept>

void writeWholeFile(const QString &path, const QByteArray &bytes,
                    const std::function<QString(const QString &reason)> &sentence)
{
    const auto failed = [&](const QString &reason) {
        throw std::runtime_error(sentence(reason).toStdString());
    };
    // Unbuffered, because a buffered write only fills Qt's buffer and commit() does not notice
    // when flushing it fails (a full disk): it would put an empty file in the old one's place. A
    // write cut short is tried again for the rest, which then fails with the reason.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        // The new file is made beside the old one: a folder that may not be written is the reason,
        // also when the file itself may be.
        const QFileInfo folder(QFileInfo(path).absolutePath());
        if (folder.isDir() && !folder.isWritable())
            failed(Texts::folderNotWritable(folder.filePath(), file.errorString()));
        failed(file.errorString());
    }
    if (!lockForWriting(file.handle()))
        failed(QCoreApplication::translate("Texts", "another program is writing it"));
    if (const int error = keepOwner(file.handle(), QFile::encodeName(path).toStdString()))
        failed(Texts::systemReason(error));
    for (qint64 written = 0; written < bytes.size();) {
        const qint64 n = file.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0)
            failed(file.errorString());
        written += n;
    }
    // commit() syncs too, but does not look at the result.
    if (const int error = syncToDisk(file.handle()))
        failed(Texts::systemReason(error));
    if (!file.commit())
        failed(file.errorString());
}

std::optional<QString>
askSavePath(Desktop &desktop, const QString &title,
            const std::function<std::optional<QString>(const QString &)> &choose,
            const std::function<QString(const QString &path, const QString &reason)> &refused,
            const QString &selected)
{
    std::optional<QString> path;
    do {
        path = choose(path.value_or(selected));
        if (!path)
            return std::nullopt;
        const QString unwritable = Texts::unwritableTarget(judgeFileName(encodedPath(*path)));
        if (!unwritable.isEmpty())
            throw std::runtime_error(refused(*path, unwritable).toStdString());
    } while (QFileInfo::exists(*path) && !desktop.askReplace(*path, title));
    return path;
}
