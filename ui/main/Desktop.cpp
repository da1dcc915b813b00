#include "ui/main/Desktop.h"

#include "ui/main/help/HelpViewer.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace lexifind {
namespace {

QString runFileDialog(QWidget *parent, QFileDialog::AcceptMode mode, const QString &proposedName,
                      const QString &defaultSuffix)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    // The open dialogs accept a name that does not exist yet (it then reads as empty).
    dialog.setFileMode(QFileDialog::AnyFile);
    // Replacing an existing file is never asked about.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(defaultSuffix);
    if (!proposedName.isEmpty())
        dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

Desktop realDesktop()
{
    Desktop d;
    d.openDocument = [](const QString &path) {
        // The desktop's answer is not reported: a missing association is its business.
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    };
    d.showHelpContents = [] { lexifind::help::showContents(); };
    d.openFileName = [](QWidget *parent, const QString &name, const QString &suffix) {
        return runFileDialog(parent, QFileDialog::AcceptOpen, name, suffix);
    };
    d.saveFileName = [](QWidget *parent, const QString &name, const QString &suffix) {
        return runFileDialog(parent, QFileDialog::AcceptSave, name, suffix);
    };
    d.askYesNo = [](QWidget *parent, const QString &title, const QString &question) {
        QMessageBox box(QMessageBox::Question, title, question, QMessageBox::NoButton, parent);
        box.setTextFormat(Qt::PlainText);
        QPushButton *yes = box.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole);
        QPushButton *no = box.addButton(QStringLiteral("&Non"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes;
    };
    const auto box = [](QMessageBox::Icon icon) {
        return [icon](const QString &text) {
            QMessageBox box(icon, QApplication::applicationName(), text, QMessageBox::Ok,
                            QApplication::activeWindow());
            // A path or a message is never markup.
            box.setTextFormat(Qt::PlainText);
            box.exec();
        };
    };
    d.showError = box(QMessageBox::Critical);
    d.showWarning = box(QMessageBox::Warning);
    return d;
}

} // namespace

Desktop &desktop()
{
    static Desktop instance = realDesktop();
    return instance;
}

void resetDesktop()
{
    desktop() = realDesktop();
}

} // namespace lexifind
