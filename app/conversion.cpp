#include "app/conversion.h"

#include <QString>

std::int32_t toInt(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    if (auto value = parseDecimal(std::string_view(utf8.constData(), size_t(utf8.size()))))
        return *value;
    throw ConversionError(
        QStringLiteral("\"%1\" is not a whole number between -2147483648 and 2147483647.")
            .arg(text)
            .toStdString());
}
