#include "app/conversion.h"

#include "app/texts.h"

#include <QString>

std::int32_t toInt(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    if (auto value = parseDecimal(std::string_view(utf8.constData(), size_t(utf8.size()))))
        return *value;
    throw ConversionError(Texts::notAWholeNumber(text).toStdString());
}
