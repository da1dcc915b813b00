#pragma once

#include <QByteArray>
#include <QString>

namespace lexifind {

class ExerciseDocument;
struct Division;
struct PageSettings;

// The modern exercise page: HTML5 in UTF-8 for phones, keyboards and screen readers,
// written from division, the document's text divided as for the classic page. The
// words and definitions travel as JSON data; the page's one script and one style sheet
// are allowed by their SHA-256 hashes, and addOnScript (a package's adapter), when
// given, by its own. settings must hold their defaults already.
QByteArray BuildModernPage(const ExerciseDocument &document, const Division &division,
                           const PageSettings &settings, const QString &addOnScript = {});

// A BCP 47 tag for the text: its most frequent script, and within Latin and Cyrillic
// letters that belong to few languages; "en" for plain Latin, "fr" without letters.
QString GuessTextLanguage(const QString &text);

} // namespace lexifind
