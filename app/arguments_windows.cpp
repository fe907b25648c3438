// Arguments and file names on Windows, where both are wide text: the arguments are taken from the
// wide command line, as the narrow one loses every character outside the code page.
#include "app/commandline.h"

#include <QCoreApplication>

QStringList decodedArguments(int, char **)
{
    return QCoreApplication::arguments();
}

std::string encodedPath(const QString &path)
{
    return path.toStdString();
}
