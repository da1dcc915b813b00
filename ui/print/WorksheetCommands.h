#pragma once

#include <functional>

class QMenu;
class QPrinter;
class QWidget;
class TForm1;

namespace lexifind {

// "Imprimer la fiche…" and "Exporter la fiche PDF…", added to menu: the exercise on
// paper with its answer key, from the window's document and page options.
void AddWorksheetCommands(TForm1 *window, QMenu *menu);

// The print dialog, replaceable by tests: sets up printer, true to print.
using PrintDialog = std::function<bool(QWidget *parent, QPrinter &printer)>;
PrintDialog &worksheetPrintDialog();

} // namespace lexifind
