// Arguments and file names as the bytes a POSIX system gives, which need not be UTF-8; the
// terminal takes the output's bytes as they are.
#include "app/commandline.h"

#include <QIODevice>

QStringList decodedArguments(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        const auto *bytes = reinterpret_cast<const unsigned char *>(argv[i]);
        QString text;
        for (size_t at = 0; bytes[at];) {
            const unsigned char lead = bytes[at];
            const int length = lead < 0x80                   ? 1
                               : lead >= 0xC2 && lead < 0xE0 ? 2
                               : lead >= 0xE0 && lead < 0xF0 ? 3
                               : lead >= 0xF0 && lead < 0xF5 ? 4
                                                             : 0;
            char32_t code = length == 1 ? lead : lead & (0x7F >> length);
            int taken = length;
            for (int k = 1; k < length && taken == length; ++k) {
                if ((bytes[at + k] & 0xC0) != 0x80)
                    taken = 0;
                else
                    code = (code << 6) | (bytes[at + k] & 0x3F);
            }
            const bool valid =
                length > 0 && taken == length &&
                !(length == 3 && (code < 0x800 || (code >= 0xD800 && code < 0xE000))) &&
                !(length == 4 && (code < 0x10000 || code > 0x10FFFF));
            if (valid) {
                text += QString::fromUcs4(&code, 1);
                at += size_t(length);
            } else {
                text += QChar(char16_t(0xDC00 + lead)); // kept as the byte it is
                ++at;
            }
        }
        arguments << text;
    }
    return arguments;
}

std::string encodedPath(const QString &path)
{
    std::string bytes;
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t u = path[i].unicode();
        if (u >= 0xDC80 && u <= 0xDCFF && !(i > 0 && path[i - 1].isHighSurrogate())) {
            bytes += static_cast<char>(u - 0xDC00);
            continue;
        }
        qsizetype length = path[i].isHighSurrogate() && i + 1 < path.size() ? 2 : 1;
        bytes += path.mid(i, length).toStdString();
        i += length - 1;
    }
    return bytes;
}

std::unique_ptr<QIODevice> consoleText(bool)
{
    return nullptr;
}
