#pragma once

#include "link/holders.h"
#include "link/serialdevice.h"

#include <QString>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

// What the window needs from the desktop and the system, behind one replaceable interface so that
// tests can count beeps, answer dialogs and read what a message box showed.
class Desktop
{
  public:
    enum class FileDialogKind
    {
        Open,
        Save
    };
    struct FileDialogRequest
    {
        FileDialogKind kind = FileDialogKind::Open;
        QString title;
        QString filter;        // "description|pattern"
        QString defaultSuffix; // without the dot; empty for none
        QString selectedFile;  // the name the dialog starts with; empty for its own choice
        QString directory;     // the folder it starts in, when no name is given; empty for its own
    };
    // The answer to the question about unsaved edits.
    enum class SaveAnswer
    {
        Save,
        Discard,
        Cancel
    };

    virtual ~Desktop() = default;

    virtual void beep() = 0;
    // OK button only, no icon. Boxes and dialogs open over the main window.
    virtual void messageBox(const QString &text, const QString &caption) = 0;
    // The application's error report.
    virtual void errorBox(const QString &text, const QString &caption) = 0;
    virtual std::optional<QString> chooseFile(const FileDialogRequest &request) = 0;
    // The save dialog's question for a file that is there already: true to replace it.
    virtual bool askReplace(const QString &path, const QString &caption) = 0;
    // "Save changes to wave.svseq?" with Save, Discard and Cancel.
    virtual SaveAnswer askSaveChanges(const QString &question, const QString &caption) = 0;
    // Ends the process at once with `status`: no further handler, no destructor, no question.
    // Buffered output is written first.
    virtual void exitNow(int status)
    {
        std::fflush(nullptr);
        std::_Exit(status);
    }
    // The serial devices present, in the order new ones are numbered COM1, COM2, ...
    virtual std::vector<SerialDevice> serialDevices() = 0;
    // Where other programs' holds on the devices are looked for.
    virtual HolderRoots holderRoots() { return systemHolderRoots(); }
};
