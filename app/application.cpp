#include "app/application.h"

#include "app/commandline.h"
#include "app/desktop.h"
#include "app/eventguard.h"
#include "app/tform1.h"

#include <QApplication>
#include <QIcon>

namespace {
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

void reportError(std::exception_ptr error)
{
    QString text;
    try {
        std::rethrow_exception(error);
    } catch (const std::exception &e) {
        text = QString::fromUtf8(e.what());
    } catch (...) {
    }
    desktop().errorBox(text, applicationTitle());
}

int runApplication(int argc, char **argv, const QString &file,
                   const std::function<void(TForm1 &)> &started)
{
    setApplicationIdentity();
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.corvantis.Panel"));
    QIcon icon;
    for (const char *size : {"32", "64", "128"})
        icon.addFile(QStringLiteral(":/icons/%1/org.corvantis.Panel.png").arg(QLatin1String(size)));
    QGuiApplication::setWindowIcon(icon);
    try {
        setApplicationTitle(QCoreApplication::translate("Application", "Corvantis utility"));
        TForm1 form;
        form.show();
        if (!file.isEmpty())
            runHandler([&] { form.loadSettingsFrom(file); });
        if (started)
            started(form);
        QApplication::exec();
    } catch (...) {
        reportError(std::current_exception());
    }
    return 0;
}
