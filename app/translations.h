#pragma once

#include <QStringList>

// The program's texts and the toolkit's own (file dialog buttons, "Usage:") in the user's
// language: called once from main before any text is made. Every application object the process
// makes afterwards (the command line's, then the window's) takes the catalogues as it is built.
// A language without a catalogue is English, silently.
void useUserLanguage();

// The languages to look for, most wanted first: none for the C locale, whatever else asks.
QStringList userLanguages();

// Where the catalogues are looked for: beside the program (a build, the Windows folder), then
// under the installation prefix, then Qt's own.
QStringList translationFolders(const QString &programFolder);
