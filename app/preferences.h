#pragma once

#include <QString>
#include <QStringList>

// What the program remembers between runs in the desktop's own place for it (~/.config on Linux,
// the registry on Windows): the sequences opened last and the folder each file dialog was last
// used in. Nothing here changes what a window shows at start.
namespace Preferences {
// The most recent first, at most `recentCount`.
QStringList recentSequences();
void noteRecentSequence(const QString &path);
inline constexpr int recentCount = 5;

// `dialog` names the dialog: "sequences", "exports", "settings".
QString lastFolder(const QString &dialog);
void setLastFolder(const QString &dialog, const QString &chosenFile);
} // namespace Preferences
