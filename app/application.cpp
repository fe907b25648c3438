#include "app/application.h"

#include "app/commandline.h"
#include "app/eventguard.h"
#include "app/sequencefile.h"
#include "app/systemdesktop.h"
#include "app/tform1.h"

#include <QApplication>
#include <QIcon>

namespace {
// Process-wide, as the application object whose title it is: one per process, whatever window.
QString title;
} // namespace

QString applicationTitle()
{
    return title;
}

void setApplicationTitle(const QString &newTitle)
{
    title = newTitle;
}

int runApplication(int argc, char **argv, const QString &file,
                   const std::function<void(TForm1 &)> &started, Desktop *given)
{
    setApplicationIdentity();
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.corvantis.Panel"));
    QIcon icon;
    for (const char *size : {"32", "64", "128"})
        icon.addFile(QStringLiteral(":/icons/%1/org.corvantis.Panel.png").arg(QLatin1String(size)));
    QGuiApplication::setWindowIcon(icon);
    SystemDesktop system;
    Desktop &desktop = given ? *given : system;
    try {
        setApplicationTitle(QCoreApplication::translate("Texts", "Corvantis utility"));
        TForm1 form(desktop);
        system.setWindow(&form);
        form.show();
        // A sequence file opens in the Motion window; any other file is taken for settings.
        const bool sequence = file.endsWith(QLatin1Char('.') + QLatin1String(sequenceFileSuffix),
                                            Qt::CaseInsensitive);
        if (!file.isEmpty())
            runHandler([&] { sequence ? form.openSequence(file) : form.loadSettingsFrom(file); });
        if (started)
            started(form);
        QApplication::exec();
    } catch (...) {
        desktop.errorBox(errorText(std::current_exception()), applicationTitle());
    }
    return 0;
}
