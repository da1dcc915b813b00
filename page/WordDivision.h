#pragma once

#include <QString>
#include <QStringList>

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
};

// Divides the text for the page, the entries joined first. language is the page's
// TextLanguage (a BCP 47 tag, possibly empty).
Division DivideIntoWords(const QString &text, const QStringList &entries,
                         const QString &language = {});

// Copy of the text in which every multi-word entry is joined with tildes.
QString JoinPhrases(const QString &text, const QStringList &words);
// The classic page's body text: the text with numbered word spans and <br> tags put in.
// Characters are HTML-escaped for element content; the result is still Unicode.
QString DivideText(const Division &division);
// The same for a working text divided at word characters alone.
QString DivideText(const QString &workingText);
// "%XX" for characters up to U+00FF, "%uXXXX" per UTF-16 code unit beyond.
QString EscapeWord(const QString &word);

// The three array lines of the script, each ending with CR LF. The wordz elements
// follow "var wordz = [" on the same line.
QString WordzElements(const QStringList &words);
QString TradzLine(const QStringList &definitions);
QString CheckoffLine(const QStringList &definitions);

} // namespace lexifind
