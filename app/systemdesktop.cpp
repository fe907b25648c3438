#include "app/systemdesktop.h"

#include "app/tform1.h"
#include "link/portdirectory.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

void SystemDesktop::beep()
{
    QApplication::beep();
}

void SystemDesktop::messageBox(const QString &text, const QString &caption)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok);
    // File and device names in the text are shown as they are, never as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void SystemDesktop::errorBox(const QString &text, const QString &caption)
{
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, Form1);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

QStringList toolkitNameFilters(const QString &barSeparatedFilter)
{
    const QStringList parts = barSeparatedFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return filters;
}

std::optional<QString> SystemDesktop::chooseFile(const FileDialogRequest &request)
{
    QFileDialog dialog(Form1, request.title);
    // Each description names its own pattern: show it alone rather than followed by the pattern.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(toolkitNameFilters(request.filter));
    if (request.kind == FileDialogKind::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
    }
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::vector<SerialDevice> SystemDesktop::serialDevices()
{
    return listSerialDevices();
}
