#include "app/preferences.h"

#include <QFileInfo>
#include <QSettings>
#include <memory>

namespace {
std::unique_ptr<QSettings> store()
{
    // The desktop's own format unless a test has chosen files of its own (setDefaultFormat).
    return std::make_unique<QSettings>(QSettings::defaultFormat(), QSettings::UserScope,
                                       QStringLiteral("corvantis-panel"),
                                       QStringLiteral("corvantis-panel"));
}
} // namespace

QStringList Preferences::recentSequences()
{
    return store()->value(QStringLiteral("recentSequences")).toStringList().mid(0, recentCount);
}

void Preferences::noteRecentSequence(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList recent = recentSequences();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    store()->setValue(QStringLiteral("recentSequences"), recent.mid(0, recentCount));
}

QString Preferences::lastFolder(const QString &dialog)
{
    return store()->value(QStringLiteral("lastFolder/") + dialog).toString();
}

void Preferences::setLastFolder(const QString &dialog, const QString &chosenFile)
{
    store()->setValue(QStringLiteral("lastFolder/") + dialog, QFileInfo(chosenFile).absolutePath());
}
