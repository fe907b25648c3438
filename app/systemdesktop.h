#pragma once

#include "app/desktop.h"

class QWidget;

// The real desktop: the toolkit's beep, message boxes and file dialogs, and the serial devices
// this machine has.
class SystemDesktop final : public Desktop
{
  public:
    // Boxes and dialogs open over this window, once it is given; before that, on their own.
    void setWindow(QWidget *window) { m_window = window; }

    void beep() override;
    void messageBox(const QString &text, const QString &caption) override;
    void errorBox(const QString &text, const QString &caption) override;
    std::optional<QString> chooseFile(const FileDialogRequest &request) override;
    bool askReplace(const QString &path, const QString &caption) override;
    SaveAnswer askSaveChanges(const QString &question, const QString &caption) override;
    std::vector<SerialDevice> serialDevices() override;

  private:
    QWidget *m_window = nullptr;
};

// "Servo Setup Files *.svo|*.svo" to the toolkit's "Servo Setup Files *.svo (*.svo)".
QStringList toolkitNameFilters(const QString &barSeparatedFilter);
