#include "app/filedialog.h"

FileDialog::FileDialog(Desktop::FileDialogKind kind, const QString &filter,
                       const QString &defaultExt, Desktop &desktop, QObject *parent)
    : QObject(parent), m_desktop(desktop), m_kind(kind), m_filter(filter), m_defaultExt(defaultExt)
{}

std::optional<QString> FileDialog::execute(const QString &selected) const
{
    QString suffix = m_defaultExt;
    if (suffix.startsWith(QLatin1Char('.')))
        suffix.remove(0, 1);
    return m_desktop.chooseFile({m_kind, m_title, m_filter, suffix, selected, m_directory});
}
