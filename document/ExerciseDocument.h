#pragma once

#include <QString>
#include <QStringList>

namespace lexifind {

struct VocabularyEntry
{
    QString word;
    QString definition;
    friend bool operator==(const VocabularyEntry &, const VocabularyEntry &) = default;
};

// The teacher's work: a text, a word list and a parallel definition list, with the
// selected position of the word list. The sort table of two columns (row 0 unused,
// entry i in row i + 1) mirrors the entries; it is read through sortTableRowCount()
// and sortTableCell().
class ExerciseDocument
{
public:
    static const QString WordDelimiters; // the eleven delimiter characters, in order
    static QString CleanWord(const QString &word);
    static QString CleanDefinition(const QString &definition);

    // Text: lines separated by CR LF.
    const QString &text() const { return m_text; }
    void setText(const QString &text);
    // Line breaks + 1, except that an empty last line is not counted (empty text: 0).
    int lineCount() const;
    // The text's lines, lineCount() of them, without their line breaks.
    QStringList lines() const;

    const QStringList &words() const { return m_words; }
    const QStringList &definitions() const { return m_definitions; }
    int entryCount() const { return int(m_words.size()); }

    // Selected position of the word list, -1 for none.
    int selected() const { return m_selected; }
    void setSelected(int position); // -1 or 0..entryCount()-1

    int sortTableRowCount() const { return entryCount() + 1; }
    QString sortTableCell(int row, int column) const;

    void AddEntry(const QString &word, const QString &definition);
    // Returns false (and changes nothing) when position names no entry.
    bool ReplaceEntry(int position, const QString &word, const QString &definition);
    void RemoveEntry();
    void MoveEntryUp();
    void MoveEntryDown();
    void GetSort(int column); // 0: by word, 1: by definition
    void ClearEntries();
    void ClearDocument();

    friend bool operator==(const ExerciseDocument &, const ExerciseDocument &) = default;

private:
    QString m_text;
    QStringList m_words;
    QStringList m_definitions;
    int m_selected = -1;
};

} // namespace lexifind
