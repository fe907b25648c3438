#include "app/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {
QTranslator *ours = nullptr;
QTranslator *toolkit = nullptr;

// The catalogue of `name` for the first of `languages` that has one, from the first folder that
// holds it.
bool loadFirst(QTranslator &translator, const QString &name, const QStringList &languages,
               const QStringList &folders)
{
    for (const QString &language : languages)
        for (const QString &folder : folders)
            if (translator.load(name + language, folder))
                return true;
    return false;
}

// Runs as each application object is built; the first one finds and loads the catalogues.
void installCatalogues()
{
    static bool loaded = false;
    if (!loaded) {
        loaded = true;
        const QStringList languages = userLanguages();
        if (!languages.isEmpty()) {
            const QStringList folders = translationFolders(QCoreApplication::applicationDirPath());
            ours = new QTranslator;
            toolkit = new QTranslator;
            if (!loadFirst(*ours, QStringLiteral("corvantis-panel_"), languages, folders))
                delete std::exchange(ours, nullptr);
            // Qt's texts only beside ours: a window half in one language would be worse.
            if (!ours || !loadFirst(*toolkit, QStringLiteral("qtbase_"), languages, folders))
                delete std::exchange(toolkit, nullptr);
        }
    }
    if (toolkit)
        QCoreApplication::installTranslator(toolkit);
    if (ours)
        QCoreApplication::installTranslator(ours);
}
} // namespace

QStringList userLanguages()
{
#ifndef Q_OS_WIN
    // As for every other program: the C locale is the program's own English, whatever LANGUAGE
    // says.
    QByteArray messages = qgetenv("LC_ALL");
    if (messages.isEmpty())
        messages = qgetenv("LC_MESSAGES");
    if (messages.isEmpty())
        messages = qgetenv("LANG");
    if (messages == "C" || messages == "POSIX")
        return {};
#endif
    QStringList languages;
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::C && qEnvironmentVariableIsEmpty("LANGUAGE"))
        return {};
    for (QString language : system.uiLanguages()) {
        language.replace(QLatin1Char('-'), QLatin1Char('_'));
        // "de_DE" falls back to "de", as translators name the file by the language alone.
        for (const QString &name : {language, language.section(QLatin1Char('_'), 0, 0)})
            if (!languages.contains(name) && !name.isEmpty())
                languages << name;
    }
    // English is the source text: from here on nothing further is looked for.
    const qsizetype english = languages.indexOf(QStringLiteral("en"));
    return english < 0 ? languages : languages.first(english);
}

QStringList translationFolders(const QString &programFolder)
{
    const QDir program(programFolder);
    return {
        program.filePath(QStringLiteral("translations")),
        QDir::cleanPath(program.filePath(QStringLiteral("../share/corvantis-panel/translations"))),
        QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
}

void useUserLanguage()
{
    QLocale::setDefault(QLocale::system());
    qAddPreRoutine(installCatalogues);
}
