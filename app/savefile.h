#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

class Desktop;

// Every file the program writes is written whole beside the old one and put in its place in one
// step: a failure part way leaves the old file as it was. The error raised names the file through
// `sentence`, given the reason.
void writeWholeFile(const QString &path, const QByteArray &bytes,
                    const std::function<QString(const QString &reason)> &sentence);

// A save dialog's path: `choose` runs the dialog, starting at the name it is given. A file that is
// there already is replaced only when the user says so; No goes back to the dialog, at the name
// given. A device, a pipe or a name Windows keeps for a device is neither asked about nor written:
// the error raised names it through `refused`, given the path and the reason. Nothing when the
// user cancels.
std::optional<QString>
askSavePath(Desktop &desktop, const QString &title,
            const std::function<std::optional<QString>(const QString &)> &choose,
            const std::function<QString(const QString &path, const QString &reason)> &refused,
            const QString &selected = {});
