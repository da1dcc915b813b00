#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

namespace lexifind {

// A character belongs to a clickable word when it is a Unicode letter, combining mark
// or decimal digit, or the hyphen or the tilde.
bool IsWordCharacter(QChar c);

// One clickable word of the divided text, in UTF-16 code units of Division::text.
struct WordSpan
{
    qsizetype start = 0;
    qsizetype length = 0;
};

// An occurrence of a word-list entry that fixed a word of the division: joined (its
// blanks and apostrophes no longer cut words) or kept whole inside a script written
// without blanks. entry is the entry's position in the list.
struct EntryOccurrence
{
    qsizetype start = 0;
    qsizetype length = 0;
    int entry = 0;
};

// The text divided into clickable words, once: every page style writes its body from it,
// and the check of which entries the learner can find reads it.
struct Division
{
    // The working text: the teacher's text with the blanks inside joined entries as tildes.
    QString text;
    // The clickable words in reading order; a word's index is its number on the page.
    std::vector<WordSpan> words;
    // The text's first strong directional character is right-to-left.
    bool rightToLeft = false;
    // The occurrences that the entries fixed, by start; earlier entries took theirs first.
    std::vector<EntryOccurrence> entryOccurrences;
};

// Divides the text for the page. Entries holding characters that cut words (blanks,
// apostrophes, punctuation) are joined first, in list order; runs of Han, Hiragana,
// Katakana, Thai, Lao, Khmer and Myanmar are then cut by ICU's word segmenter, each
// occurrence of an entry inside them kept whole. language is the page's TextLanguage
// (a BCP 47 tag): the segmenter's language; empty, the segmenter follows the script.
Division DivideIntoWords(const QString &text, const QStringList &entries,
                         const QString &language = {});

// White space as the page's script trims it from a word before comparing.
bool IsPageSpace(QChar c);
// What the page compares with the entry when the word is clicked: its first text
// node, tildes shown as blanks, trimmed.
QString WordReading(const Division &division, const WordSpan &word);

// Copy of the text in which the blanks of every joined entry are tildes.
QString JoinPhrases(const QString &text, const QStringList &words);

// Whether the first character of text with a strong direction is written right to left.
bool StartsRightToLeft(QStringView text);

} // namespace lexifind
