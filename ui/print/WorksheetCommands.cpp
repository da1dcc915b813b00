#include "ui/print/WorksheetCommands.h"

#include "document/LexifindError.h"
#include "document/SaveFile.h"
#include "ui/main/Command.h"
#include "ui/main/Desktop.h"
#include "ui/main/Unit1.h"
#include "worksheet/Worksheet.h"

#include <QAction>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>

namespace lexifind {

namespace {

// Built before any dialog, as the page is: a lesson without words stops at once.
void printWorksheet(TForm1 *window)
{
    const WorksheetContent content = MakeWorksheetContent(window->Document(), window->Settings());
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(content.title);
    printer.setCreator(QStringLiteral("Lexifind"));
    if (!worksheetPrintDialog()(window, printer))
        return;
    // The pages the teacher chose: the exercise alone for the class, the key for herself.
    if (printer.printRange() == QPrinter::PageRange)
        PaintWorksheet(printer, content, printer.fromPage(), printer.toPage());
    else
        PaintWorksheet(printer, content);
}

void exportWorksheetPdf(TForm1 *window)
{
    const WorksheetContent content = MakeWorksheetContent(window->Document(), window->Settings());
    const QByteArray pdf = WorksheetPdf(content, DefaultPaperSize());
    const QString chosen = desktop().saveFileName(window, content.title, QStringLiteral("pdf"));
    if (chosen.isEmpty())
        return;
    const QString path = WithExtension(chosen, QStringLiteral("pdf"));
    saveBytes(path, pdf, QStringLiteral("Impossible de créer le fichier %1"));
    if (desktop().askYesNo(window, QStringLiteral("Confirmation"),
                           QStringLiteral("Voulez-vous voir la fiche ?")))
        desktop().openDocument(path);
}

} // namespace

PrintDialog &worksheetPrintDialog()
{
    static PrintDialog dialog = [](QWidget *parent, QPrinter &printer) {
        QPrintDialog box(&printer, parent);
        box.setWindowTitle(QStringLiteral("Imprimer la fiche"));
        return box.exec() == QDialog::Accepted;
    };
    return dialog;
}

void AddWorksheetCommands(TForm1 *window, QMenu *menu)
{
    QAction *print = menu->addAction(QStringLiteral("Imprimer la fiche…"));
    print->setObjectName(QStringLiteral("PrintWorksheet1"));
    // The desktop's print key, wherever the focus is in the window, as the other menu keys.
    print->setShortcut(QKeySequence::Print);
    print->setShortcutContext(Qt::WindowShortcut);
    window->addAction(print);
    QAction *pdf = menu->addAction(QStringLiteral("Exporter la fiche PDF…"));
    pdf->setObjectName(QStringLiteral("ExportWorksheet1"));
    // From an event of its own, as every command: a failure reaches the error box.
    QObject::connect(print, &QAction::triggered, window,
                     [window] { RunCommand([window] { printWorksheet(window); }); },
                     Qt::QueuedConnection);
    QObject::connect(pdf, &QAction::triggered, window,
                     [window] { RunCommand([window] { exportWorksheetPdf(window); }); },
                     Qt::QueuedConnection);
}

} // namespace lexifind
