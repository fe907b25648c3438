#include "app/application.h"

#include "app/desktop.h"
#include "app/tform1.h"

#include <QApplication>

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

int runApplication(int argc, char **argv, const std::function<void(TForm1 &)> &started)
{
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("corvantis-panel"));
    try {
        setApplicationTitle(QStringLiteral("Corvantis utility"));
        TForm1 form;
        form.show();
        if (started)
            started(form);
        QApplication::exec();
    } catch (...) {
        reportError(std::current_exception());
    }
    return 0;
}
