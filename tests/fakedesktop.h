#pragma once

#include "app/desktop.h"
#include "tests/controls.h"
#include "tests/faketree.h"

#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <memory>

class TForm1;

// Stands in for the desktop: counts beeps, records every box, answers file dialogs from a queue
// (an empty queue cancels too) and the replace question from another (an empty one replaces), and
// lists whatever devices a test puts up.
class FakeDesktop final : public Desktop
{
  public:
    struct Box
    {
        QString kind; // "message" or "error"
        QString caption;
        QString text;
    };

    int beeps = 0;
    std::vector<Box> boxes;
    std::vector<FileDialogRequest> fileRequests;
    std::deque<QString> fileAnswers;    // a null string cancels the dialog
    QStringList replaceQuestions;       // the paths asked about
    QList<bool> replaceAnswers;         // an empty list replaces
    QStringList saveQuestions;          // the questions about unsaved edits
    std::deque<SaveAnswer> saveAnswers; // an empty queue cancels
    std::vector<int> exits;             // the statuses the program ended with
    std::vector<std::string> devices;   // known by their nodes alone
    // Or, when set, the devices of a laid-out sysfs tty class and /dev.
    std::string sysClassTty, devDir;
    // The only processes and lock files the window looks through for other programs' holds; the
    // machine's own when `machineProcesses` is set before the window is made (a benchmark's).
    FakeProcesses processes;
    bool machineProcesses = false;

    void beep() override { ++beeps; }
    void messageBox(const QString &text, const QString &caption) override
    {
        boxes.push_back({QStringLiteral("message"), caption, text});
    }
    void errorBox(const QString &text, const QString &caption) override
    {
        boxes.push_back({QStringLiteral("error"), caption, text});
    }
    std::optional<QString> chooseFile(const FileDialogRequest &request) override;
    bool askReplace(const QString &path, const QString &) override
    {
        replaceQuestions << path;
        return replaceAnswers.isEmpty() || replaceAnswers.takeFirst();
    }
    SaveAnswer askSaveChanges(const QString &question, const QString &) override
    {
        saveQuestions << question;
        if (saveAnswers.empty())
            return SaveAnswer::Cancel;
        const SaveAnswer answer = saveAnswers.front();
        saveAnswers.pop_front();
        return answer;
    }
    // Noted; the test goes on, so the caller returns as if the process had ended.
    void exitNow(int status) override { exits.push_back(status); }
    std::vector<SerialDevice> serialDevices() override;
    HolderRoots holderRoots() override
    {
        return machineProcesses ? systemHolderRoots() : processes.roots();
    }

    // The texts of the error boxes shown so far.
    QStringList errors() const;
};

// A fresh process state for one test: the settings record at its defaults, the fake desktop
// installed, no COM numbers from earlier runs (a state folder of its own), and a new main window
// working with the fake desktop.
class FreshWindow
{
  public:
    // On the machine's own processes when `machineProcesses`, as a benchmark measures them.
    explicit FreshWindow(bool machineProcesses = false);
    ~FreshWindow();
    FreshWindow(const FreshWindow &) = delete;
    FreshWindow &operator=(const FreshWindow &) = delete;

    // Lists the device as COM1 and chooses it.
    void choosePort(const std::string &device);

    QTemporaryDir state;
    FakeDesktop desk;
    std::unique_ptr<TForm1> form;
    Controls ui;
};
