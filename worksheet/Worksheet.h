#pragma once

#include "page/Findability.h"

#include <QByteArray>
#include <QPageSize>
#include <QString>
#include <QStringList>

#include <vector>

class QPagedPaintDevice;

namespace lexifind {

class ExerciseDocument;
struct PageSettings;

// The exercise on paper: the text with its lines numbered, the definitions to answer in
// the page's question order, and the answer key. What it shows comes from the division
// the page is written from, so that the paper and the screen agree on every answer.
struct WorksheetContent
{
    QString title;
    QString textTitle;
    QString instruction;
    QString text;             // as the page shows it: tildes are blanks, lines end in CR LF
    bool rightToLeft = false; // the text's direction
    QString fontFamily;       // the page's font list
    QString language;         // the text's language (BCP 47), given or guessed
    QStringList definitions;  // in the page's question order
    QStringList words;        // the answers, in the same order
    // Per question, where in text the first word that answers it starts; -1: none does.
    std::vector<qsizetype> answerStart;
    // The questions no word answers, with the reason, as for the page.
    std::vector<UnfindableEntry> unfindable;
};

// The content of the document's worksheet; settings are taken with their defaults filled
// in. Throws lexifind::Error for an empty word list.
WorksheetContent MakeWorksheetContent(const ExerciseDocument &document, const PageSettings &settings);

// What was printed: how many pages, where the answer key starts, and the number of the
// printed line that holds each question's answer (0: the answer is not in the text).
struct PrintedWorksheet
{
    int pageCount = 0;
    int keyFirstPage = 0; // from 1
    std::vector<int> answerLines;
};

// Lays the worksheet out on the device's paper, inside its margins, and prints its pages
// fromPage to toPage (from 1; 0: from the first, to the last), so that the exercise and
// the key can go to different hands. Throws lexifind::Error when the device cannot be
// painted on.
PrintedWorksheet PaintWorksheet(QPagedPaintDevice &device, const WorksheetContent &content,
                                int fromPage = 0, int toPage = 0);

// The worksheet as PDF bytes, on paper of the given size.
QByteArray WorksheetPdf(const WorksheetContent &content, const QPageSize &paper,
                        PrintedWorksheet *printed = nullptr);

// A4, or Letter where the system's locale measures in US units.
QPageSize DefaultPaperSize();

// A worksheet's PDF, made at once and written by save(), so that a command that writes
// other files beside it can write all or none. A default one saves nothing.
class Worksheet
{
public:
    Worksheet() = default;
    // On the default paper, for path with ".pdf" appended unless it ends with it. Throws
    // lexifind::Error for an empty word list.
    Worksheet(const QString &path, const ExerciseDocument &document, const PageSettings &settings);
    // Atomic; throws lexifind::Error("Impossible de créer le fichier <path>").
    void save() const;
    // The entries the learner cannot find in the text.
    const std::vector<UnfindableEntry> &unfindable() const { return m_unfindable; }

private:
    QString m_path;
    QByteArray m_pdf;
    std::vector<UnfindableEntry> m_unfindable;
};

} // namespace lexifind
