#pragma once

#include "app/desktop.h"

#include <QObject>
#include <QString>
#include <optional>

// A file dialog as a named part of the window: its filter and default extension are fixed with
// the layout, its title is set before each use, and running it goes through the desktop layer.
class FileDialog : public QObject
{
    Q_OBJECT

  public:
    FileDialog(Desktop::FileDialogKind kind, const QString &filter, const QString &defaultExt,
               Desktop &desktop, QObject *parent);

    void setTitle(const QString &title) { m_title = title; }
    QString title() const { return m_title; }
    // The folder it opens in when no name is given.
    void setDirectory(const QString &directory) { m_directory = directory; }
    QString filter() const { return m_filter; }
    QString defaultExt() const { return m_defaultExt; }

    // The chosen path, or nothing when the user cancels; the dialog starts at `selected` if given.
    std::optional<QString> execute(const QString &selected = {}) const;

  private:
    Desktop &m_desktop;
    Desktop::FileDialogKind m_kind;
    QString m_title;
    QString m_filter;
    QString m_defaultExt;
    QString m_directory;
};
