// Arguments and file names on Windows, where both are wide text: the arguments are taken from the
// wide command line, as the narrow one loses every character outside the code page. The console
// is given wide text too: UTF-8 bytes would be read in its code page (OEM 850 or 437, say), and
// "fehlt-ö.svo" would show as "fehlt-Ã¶.svo".
#include "app/commandline.h"

#include <QCoreApplication>
#include <QIODevice>
#include <QStringDecoder>
#include <algorithm>
#include <windows.h>

QStringList decodedArguments(int, char **)
{
    return QCoreApplication::arguments();
}

std::string encodedPath(const QString &path)
{
    return path.toStdString();
}

namespace {
// Takes the UTF-8 a QTextStream writes and hands it to the console as wide text.
class ConsoleText final : public QIODevice
{
  public:
    explicit ConsoleText(HANDLE console) : m_console(console) { open(QIODevice::WriteOnly); }

  protected:
    qint64 readData(char *, qint64) override { return -1; }

    qint64 writeData(const char *data, qint64 size) override
    {
        // The decoder keeps a character cut between two writes for the next.
        const QString text = m_decoder.decode(QByteArrayView(data, size));
        const auto *at = reinterpret_cast<const wchar_t *>(text.utf16());
        for (qsizetype left = text.size(); left > 0;) {
            DWORD written = 0;
            if (!::WriteConsoleW(m_console, at, DWORD(std::min<qsizetype>(left, 8192)), &written,
                                 nullptr) ||
                written == 0)
                return -1;
            at += written;
            left -= written;
        }
        return size;
    }

  private:
    HANDLE m_console;
    QStringDecoder m_decoder{QStringDecoder::Utf8};
};
} // namespace

std::unique_ptr<QIODevice> consoleText(bool error)
{
    const HANDLE handle = ::GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || !::GetConsoleMode(handle, &mode))
        return nullptr;
    return std::make_unique<ConsoleText>(handle);
}
