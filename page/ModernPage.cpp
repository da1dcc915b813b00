#include "page/ModernPage.h"

#include "document/ExerciseDocument.h"
#include "document/TextCodec.h"
#include "page/CodePoints.h"
#include "page/PageEncoding.h"
#include "page/PageSettings.h"
#include "page/WordDivision.h"

#include <QCryptographicHash>
#include <QHash>

#include <array>
#include <string_view>
#include <utility>

namespace lexifind {

namespace {

// The page's script, constant: everything that varies travels in the JSON data.
const char16_t scriptSource[] = u""
#include "page/ModernScript.js.inc"
        ;

// What a package's page adds to that script, at its mark: the page's state, the answers'
// details and the resumption of a saved state, which only a platform needs.
const char16_t platformSource[] = u""
#include "page/ModernPlatform.js.inc"
        ;

// The style sheet: %1 to %8 are the eight colours (background, highlight, text, answer
// zone, answers, vocabulary background, vocabulary text, definition), %9 the font list.
const char16_t styleSource[] = u""
#include "page/ModernStyle.css.inc"
        ;

bool isNoncharacter(char32_t c)
{
    return (c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE;
}

// Characters that never stand raw in the page: those no page shows (the controls but
// tab, line feed and carriage return), the noncharacters, and a lone half of a pair.
bool isForbidden(char32_t c)
{
    return codec::isUnshowable(c) || isNoncharacter(c) || QChar::isSurrogate(c);
}

enum class Markup { Text, Attribute };

// Element content or a double-quoted attribute value. A character that may not stand
// in the page shows as U+FFFD.
void appendHtml(QString &out, QStringView value, Markup place)
{
    ForEachCodePoint(value, [&](char32_t c, qsizetype at, qsizetype units) {
        if (isForbidden(c))
            out += QChar(0xFFFD);
        else if (c == u'&')
            out += u"&amp;";
        else if (c == u'<')
            out += u"&lt;";
        else if (c == u'>' && place == Markup::Text)
            out += u"&gt;";
        else if (c == u'"' && place == Markup::Attribute)
            out += u"&quot;";
        else
            out += value.mid(at, units);
    });
}

QString html(const QString &value, Markup place = Markup::Text)
{
    QString out;
    out.reserve(value.size() + 8);
    appendHtml(out, value, place);
    return out;
}

void appendHex4(QString &out, unsigned unit)
{
    static const char hex[] = "0123456789abcdef";
    out += u"\\u";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += QLatin1Char(hex[(unit >> shift) & 0xF]);
}

// A JSON string that may stand inside a script element: no "<" that could close it,
// no control, line or paragraph separator, lone surrogate or noncharacter raw.
void appendJsonString(QString &out, QStringView value)
{
    out += u'"';
    ForEachCodePoint(value, [&](char32_t c, qsizetype at, qsizetype units) {
        switch (c) {
        case u'"': out += u"\\\""; return;
        case u'\\': out += u"\\\\"; return;
        case u'\n': out += u"\\n"; return;
        case u'\r': out += u"\\r"; return;
        case u'\t': out += u"\\t"; return;
        case u'<': case u'>': case u'&': case 0x2028: case 0x2029:
            appendHex4(out, c);
            return;
        default:
            break;
        }
        if (isForbidden(c)) {
            for (QChar unit : value.mid(at, units))
                appendHex4(out, unit.unicode());
        } else {
            out += value.mid(at, units);
        }
    });
    out += u'"';
}

void appendJsonArray(QString &out, const QStringList &values)
{
    out += u'[';
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i)
            out += u',';
        appendJsonString(out, values[i]);
    }
    out += u']';
}

QString cssHex(char32_t c)
{
    return QStringLiteral("\\%1 ").arg(uint(c), 0, 16);
}

bool bracketsBalanced(const QString &value)
{
    int round = 0, square = 0;
    for (QChar ch : value) {
        round += ch == u'(' ? 1 : ch == u')' ? -1 : 0;
        square += ch == u'[' ? 1 : ch == u']' ? -1 : 0;
        if (round < 0 || square < 0)
            return false;
    }
    return round == 0 && square == 0;
}

// A colour as the value of a custom property: nothing in it can end the declaration
// or the style element, and an unbalanced bracket, which would swallow the rules that
// follow, is escaped.
QString cssValue(const QString &value)
{
    const QString escaped = pageencoding::styleValue(value);
    const bool escapeBrackets = !bracketsBalanced(value);
    QString out;
    ForEachCodePoint(escaped, [&](char32_t c, qsizetype at, qsizetype units) {
        if (isForbidden(c) || c == u'\t'
            || (escapeBrackets && (c == u'(' || c == u')' || c == u'[' || c == u']')))
            out += cssHex(QChar::isSurrogate(c) ? 0xFFFD : c);
        else
            out += QStringView(escaped).mid(at, units);
    });
    return out.trimmed().isEmpty() ? QStringLiteral("initial") : out;
}

// The font list as CSS: each family a quoted string but the generic ones, so that any
// name stays a name.
QString cssFontList(const QString &value)
{
    static const QStringList generic{"serif", "sans-serif", "monospace", "cursive", "fantasy",
                                     "system-ui", "ui-serif", "ui-sans-serif", "ui-monospace",
                                     "ui-rounded", "math", "emoji", "fangsong"};
    QStringList names;
    QString name;
    QChar quote;
    for (QChar ch : value + u',') {
        if (!quote.isNull()) {
            if (ch == quote)
                quote = QChar();
            else
                name += ch;
        } else if (ch == u'"' || ch == u'\'') {
            quote = ch;
        } else if (ch == u',') {
            names << name.trimmed();
            name.clear();
        } else {
            name += ch;
        }
    }
    QStringList families;
    for (const QString &family : std::as_const(names)) {
        if (family.isEmpty())
            continue;
        if (generic.contains(family, Qt::CaseInsensitive)) {
            families << family.toLower();
            continue;
        }
        QString quoted = QStringLiteral("\"");
        ForEachCodePoint(family, [&](char32_t c, qsizetype at, qsizetype units) {
            if (c == u'"' || c == u'\\' || c == u'<' || c < 0x20 || isForbidden(c))
                quoted += cssHex(QChar::isSurrogate(c) ? 0xFFFD : c);
            else
                quoted += QStringView(family).mid(at, units);
        });
        families << quoted + u'"';
    }
    if (families.isEmpty())
        return QStringLiteral("sans-serif");
    return families.join(u',');
}

// Drops the indentation, blank lines and whole-line comments of the script and style;
// lines are joined with separator.
QString compact(QStringView source, QStringView separator)
{
    QString out;
    for (QStringView line : source.split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u"//"))
            continue;
        if (!out.isEmpty())
            out += separator;
        out += line;
    }
    return out;
}

QString sha256(const QByteArray &bytes)
{
    return QStringLiteral("'sha256-%1'").arg(
            QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toBase64()));
}

// A package's script stays inside its element: the sequences that would end it or
// change how it is parsed are escaped, which in a string, a regular expression or a
// comment reads the same.
QString scriptElementBody(QString script)
{
    script.replace(QStringLiteral("</script"), QStringLiteral("<\\/script"), Qt::CaseInsensitive);
    script.replace(QStringLiteral("<!--"), QStringLiteral("<\\!--"));
    return script;
}

void appendNumber(QString &out, size_t number)
{
    char16_t digits[24];
    qsizetype d = std::size(digits);
    for (size_t n = number;; n /= 10) {
        digits[--d] = char16_t(u'0' + n % 10);
        if (n < 10)
            break;
    }
    out += QStringView(digits + d, std::size(digits) - d);
}

// A piece of the working text between or inside words: tildes are blanks again, line
// breaks are plain line feeds (the text element keeps them).
void appendTextPiece(QString &out, QStringView piece)
{
    for (qsizetype i = 0; i < piece.size(); ++i) {
        const char16_t unit = piece[i].unicode();
        if (unit == u'~') {
            out += u' ';
        } else if (unit == u'\r') {
            out += u'\n';
            if (i + 1 < piece.size() && piece[i + 1] == u'\n')
                ++i;
        } else if (unit < 0x80 && unit != u'&' && unit != u'<' && unit != u'>' && !isForbidden(unit)) {
            out += QChar(unit);
        } else {
            // Rare characters go the careful way, a code point at a time.
            qsizetype end = i + 1;
            if (QChar::isHighSurrogate(unit) && end < piece.size() && piece[end].isLowSurrogate())
                ++end;
            appendHtml(out, piece.mid(i, end - i), Markup::Text);
            i = end - 1;
        }
    }
}

// Long texts are cut, at line breaks between words, into blocks that the browser lays
// out only when they come near the screen.
constexpr qsizetype blockSize = 4096;

QString dividedText(const Division &division)
{
    const QString &text = division.text;
    QString out;
    out.reserve(text.size() + qsizetype(division.words.size()) * 22 + 64);
    qsizetype at = 0, blockStart = 0;
    bool cut = false;
    const auto between = [&](qsizetype end) {
        QStringView gap = QStringView(text).mid(at, end - at);
        if (at - blockStart >= blockSize) {
            const qsizetype lineBreak = gap.indexOf(u'\n');
            if (lineBreak >= 0) {
                qsizetype lineEnd = lineBreak;
                if (lineEnd > 0 && gap[lineEnd - 1] == u'\r')
                    --lineEnd;
                appendTextPiece(out, gap.left(lineEnd));
                out += u"</div><div>";
                cut = true;
                gap = gap.mid(lineBreak + 1);
                blockStart = end - gap.size();
            }
        }
        appendTextPiece(out, gap);
        at = end;
    };
    for (size_t number = 0; number < division.words.size(); ++number) {
        const WordSpan &word = division.words[number];
        between(word.start);
        out += u"<span id=";
        appendNumber(out, number);
        out += u">";
        appendTextPiece(out, QStringView(text).mid(word.start, word.length));
        out += u"</span>";
        at = word.start + word.length;
    }
    between(text.size());
    // A short text stays one block, without an element of its own.
    if (cut) {
        out.prepend(u"<div>");
        out += u"</div>";
    }
    return out;
}

// For each entry, the numbers of the words whose reading is the entry, as a JSON array of
// arrays: the first number, then the gaps between the next ones, which keeps the data
// small for words that come back often. One pass over the words, each reading looked up
// among the entries.
void appendAnswerWords(QString &out, const Division &division, const QStringList &entries)
{
    QHash<QStringView, QList<qsizetype>> entriesOf;
    for (qsizetype k = 0; k < entries.size(); ++k)
        entriesOf[QStringView(entries[k])].append(k);
    std::vector<std::vector<size_t>> answers(size_t(entries.size()));
    const QStringView text(division.text);
    QString scratch;
    for (size_t number = 0; number < division.words.size(); ++number) {
        const WordSpan &word = division.words[number];
        QStringView reading = text.mid(word.start, word.length);
        // Most words read as they stand; a joined one (tildes) or one that holds a line
        // break or ends in white space is read as the page reads it.
        if (reading.isEmpty() || reading.contains(u'~') || reading.contains(u'\r')
            || IsPageSpace(reading.front()) || IsPageSpace(reading.back())) {
            scratch = WordReading(division, word);
            reading = scratch;
        }
        const auto found = entriesOf.constFind(reading);
        if (found != entriesOf.cend())
            for (const qsizetype k : *found)
                answers[size_t(k)].push_back(number);
    }
    out += u'[';
    for (size_t k = 0; k < answers.size(); ++k) {
        out += k ? QStringLiteral(",[") : QStringLiteral("[");
        size_t previous = 0;
        for (size_t i = 0; i < answers[k].size(); ++i) {
            if (i)
                out += u',';
            appendNumber(out, answers[k][i] - previous);
            previous = answers[k][i];
        }
        out += u']';
    }
    out += u']';
}

} // namespace

QString GuessTextLanguage(const QString &text)
{
    // Scripts that, in a lesson, name their language.
    static const std::array<std::pair<QChar::Script, const char *>, 20> bySingleScript{{
        {QChar::Script_Greek, "el"},      {QChar::Script_Hebrew, "he"},
        {QChar::Script_Thai, "th"},       {QChar::Script_Hangul, "ko"},
        {QChar::Script_Armenian, "hy"},   {QChar::Script_Georgian, "ka"},
        {QChar::Script_Devanagari, "hi"}, {QChar::Script_Bengali, "bn"},
        {QChar::Script_Tamil, "ta"},      {QChar::Script_Telugu, "te"},
        {QChar::Script_Gujarati, "gu"},   {QChar::Script_Gurmukhi, "pa"},
        {QChar::Script_Kannada, "kn"},    {QChar::Script_Malayalam, "ml"},
        {QChar::Script_Lao, "lo"},        {QChar::Script_Khmer, "km"},
        {QChar::Script_Myanmar, "my"},    {QChar::Script_Ethiopic, "am"},
        {QChar::Script_Sinhala, "si"},    {QChar::Script_Tibetan, "bo"},
    }};
    // Latin and Cyrillic letters that point to a language: 3 for a letter of that
    // language alone among the common ones, 1 for a letter it shares.
    struct Cue
    {
        const char *language;
        const char16_t *strong;
        const char16_t *weak;
    };
    static const Cue cues[] = {
        {"fr", u"œèêëîïôûù", u"éàâçÀÉÈ"},
        {"es", u"ñ¿¡", u"áíóúé"},
        {"pt", u"ãõ", u"áâêôçà"},
        {"it", u"òì", u"àèéù"},
        {"de", u"ß", u"äöüÄÖÜ"},
        {"tr", u"ıİğşĞŞ", u"çöüÇÖÜ"},
        {"pl", u"ąęłńśźżŁ", u"óć"},
        {"cs", u"ěřůĚŘ", u"čšžáíéý"},
        {"ro", u"ășțȘȚ", u"âî"},
        {"hu", u"őű", u"áéöü"},
        {"vi", u"ơưđạảấầẩẫậắằẳẵặẹẻẽếềểễệỉịọỏốồổỗộớờởỡợụủứừửữựỳỵỷỹ", u"àáâãèéêìíòóôõùúý"},
        {"sv", u"", u"åäö"},
        {"da", u"æø", u"å"},
        {"uk", u"іїєґІЇЄҐ", u""},
        {"sr", u"ђћџјљњЂЋЏЈЉЊ", u""},
        {"be", u"ўЎ", u"і"},
    };

    QHash<int, qsizetype> scripts;
    qsizetype kana = 0;
    QHash<QString, int> scores;
    constexpr qsizetype sampleLimit = 1 << 20;
    qsizetype seen = 0;
    ForEachCodePoint(QStringView(text).left(sampleLimit), [&](char32_t c, qsizetype, qsizetype) {
        if (!QChar::isLetter(c))
            return;
        ++seen;
        const QChar::Script script = QChar::script(c);
        ++scripts[script];
        if (script == QChar::Script_Hiragana || script == QChar::Script_Katakana)
            ++kana;
        if (c < 0xA0 || c > 0xFFFF)
            return;
        for (const Cue &cue : cues) {
            if (std::u16string_view(cue.strong).find(char16_t(c)) != std::u16string_view::npos)
                scores[QLatin1StringView(cue.language)] += 3;
            else if (std::u16string_view(cue.weak).find(char16_t(c)) != std::u16string_view::npos)
                scores[QLatin1StringView(cue.language)] += 1;
        }
    });
    if (!seen)
        return QStringLiteral("fr");

    int script = QChar::Script_Latin;
    qsizetype most = 0;
    for (auto it = scripts.cbegin(); it != scripts.cend(); ++it)
        if (it.value() > most) {
            most = it.value();
            script = it.key();
        }
    // Japanese writes kanji beside its kana; a Chinese text holds no kana.
    if (script == QChar::Script_Han || script == QChar::Script_Hiragana
        || script == QChar::Script_Katakana)
        return kana * 20 >= scripts.value(QChar::Script_Han) + kana ? QStringLiteral("ja")
                                                                     : QStringLiteral("zh");
    for (const auto &[single, tag] : bySingleScript)
        if (script == single)
            return QString::fromLatin1(tag);

    const auto best = [&](std::initializer_list<const char *> candidates, const char *fallback) {
        const char *chosen = fallback;
        int top = 0;
        for (const char *language : candidates)
            if (scores.value(QLatin1StringView(language)) > top) {
                top = scores.value(QLatin1StringView(language));
                chosen = language;
            }
        return QString::fromLatin1(chosen);
    };
    switch (script) {
    case QChar::Script_Arabic: {
        // Letters of Persian and Urdu that Arabic does not write.
        const bool urdu = text.contains(QChar(0x06D2)) || text.contains(QChar(0x0679))
                || text.contains(QChar(0x0688)) || text.contains(QChar(0x0691));
        const bool persian = text.contains(QChar(0x067E)) || text.contains(QChar(0x0686))
                || text.contains(QChar(0x0698)) || text.contains(QChar(0x06AF));
        return urdu ? QStringLiteral("ur") : persian ? QStringLiteral("fa") : QStringLiteral("ar");
    }
    case QChar::Script_Cyrillic:
        return best({"uk", "sr", "be"}, "ru");
    case QChar::Script_Latin:
        return best({"fr", "es", "pt", "it", "de", "tr", "pl", "cs", "ro", "hu", "vi", "sv", "da"}, "en");
    default:
        return QStringLiteral("und");
    }
}

namespace {

// Where the teacher kept the classic page's look or words (or gave a value a browser
// would not take), the modern page has its own: a neutral surface, one accent, a caption
// without the old dots.
QString modern(const char *name, const QString &value)
{
    const QString option = QString::fromLatin1(name);
    if (PageSettings::IsStartValue(option, value) || !PageSettings::ValueProblem(option, value).isEmpty())
        return PageSettings::DefaultValue(option, true);
    return value;
}

// A whole number option, or its fallback when it holds none.
int number(const QString &value, int fallback)
{
    bool ok = false;
    const int n = value.trimmed().toInt(&ok);
    return ok && n >= 0 ? n : fallback;
}

} // namespace

QByteArray BuildModernPage(const ExerciseDocument &document, const Division &division,
                           const PageSettings &s, const QString &addOnScript)
{
    const QStringList &words = document.words();
    const QStringList &definitions = document.definitions();
    const QString language = s.TextLanguage.trimmed().isEmpty() ? GuessTextLanguage(document.text())
                                                                : s.TextLanguage.trimmed();

    // A package's page carries what a platform needs: its state and the answers' details.
    const bool forPlatform = !addOnScript.isEmpty();
    static const QString plainScript = compact(scriptSource, u"\n");
    static const QString platformScript = compact(
            QString::fromUtf16(scriptSource).replace(QStringLiteral("//@platform\n"),
                                                      QString::fromUtf16(platformSource)),
            u"\n");
    static const QString plainHash = sha256(plainScript.toUtf8());
    static const QString platformHash = sha256(platformScript.toUtf8());
    const QString &script = forPlatform ? platformScript : plainScript;
    const QString &scriptHash = forPlatform ? platformHash : plainHash;

    static const QString styleTemplate = compact(styleSource, u"");
    const auto colour = [](const char *name, const QString &value) {
        return cssValue(modern(name, value));
    };
    const QString style = styleTemplate.arg(
            colour("BackgroundColor", s.BackgroundColor), colour("HighlightColor", s.HighlightColor),
            colour("TextColor", s.TextColor), colour("AnswerZoneColor", s.AnswerZoneColor),
            colour("AnswerColor", s.AnswerColor), colour("VocabularyBackColor", s.VocabularyBackColor),
            colour("VocabularyTextColor", s.VocabularyTextColor),
            colour("DefinitionColor", s.DefinitionColor),
            cssFontList(modern("FontFamily", s.FontFamily)));
    const QByteArray styleBytes = style.toUtf8();

    // The hashes in the order of the scripts in the page.
    QString policy = QStringLiteral("default-src 'none'; script-src ");
    QString addOn;
    if (!addOnScript.isEmpty()) {
        addOn = scriptElementBody(addOnScript);
        policy += sha256(addOn.toUtf8()) + u' ';
    }
    policy += scriptHash;
    policy += QStringLiteral("; style-src ") + sha256(styleBytes)
            + QStringLiteral("; base-uri 'none'");

    QString data = QStringLiteral("{\"w\":");
    appendJsonArray(data, words);
    data += u",\"d\":";
    appendJsonArray(data, definitions);
    const std::pair<const char *, const QString *> messages[] = {
        {"r", &s.RightMessage}, {"x", &s.WrongMessage}, {"e", &s.DoneMessage}, {"f", &s.FoundLabel},
        {"s", &s.ShownMessage}, {"m", &s.ShownLabel}, {"h", &s.NextHint}, {"v", &s.ListenLabel},
        {"q", &s.QuestionLabel},
    };
    for (const auto &[name, value] : messages) {
        data += QStringLiteral(",\"%1\":").arg(QLatin1StringView(name));
        appendJsonString(data, *value);
    }
    // How the page plays: the wrong tries before a word is shown (0: never), the order
    // of the questions, the next question by itself, the words spoken.
    data += QStringLiteral(",\"c\":%1,\"g\":%2,\"o\":%3,\"n\":%4,\"p\":%5")
                    .arg(division.words.size())
                    .arg(number(s.ShowAnswerAfter, 3))
                    .arg(s.QuestionOrder.trimmed().compare(u"hasard", Qt::CaseInsensitive) == 0)
                    .arg(PageSettings::IsYes(s.AutoNext))
                    .arg(PageSettings::IsYes(s.Pronounce));
    // The words that answer each question: the page shows them after wrong tries.
    data += u",\"a\":";
    appendAnswerWords(data, division, words);
    data += u'}';

    const QString heading = s.TextTitle.isEmpty() ? s.PageTitle : s.TextTitle;
    // The page's own words (messages, captions, definitions) may be in another language
    // than the text, French by default: the answer zone and the list then say so.
    const QString ownWords = QStringList{s.Instruction, s.RightMessage, s.WrongMessage, s.DoneMessage,
                                         s.NextCaption, s.ScoreLabel, s.RestartCaption, s.RateLabel,
                                         s.ReviewCaption, s.KeysHelp}.join(u' ');
    const QString ownLanguage = GuessTextLanguage(ownWords);
    const bool ownRightToLeft = StartsRightToLeft(ownWords);
    QString own;
    if (ownLanguage != language.section(u'-', 0, 0).toLower())
        own += QStringLiteral(" lang=") + ownLanguage;
    if (ownRightToLeft != division.rightToLeft)
        own += ownRightToLeft ? QStringLiteral(" dir=rtl") : QStringLiteral(" dir=ltr");

    // Fixed attribute values go unquoted where HTML allows it: the page stays small.
    // The zone: the instruction and the question's number, the definition on a line of
    // its own, the feedback beside the buttons, then the figures and the progress bar.
    QString page;
    page.reserve(division.text.size() + qsizetype(division.words.size()) * 22 + style.size()
                 + script.size() + addOn.size() + data.size() + 3072);
    page += QStringLiteral("<!DOCTYPE html>\n<html lang=\"") + html(language, Markup::Attribute)
            + QStringLiteral("\" dir=") + (division.rightToLeft ? QStringLiteral("rtl") : QStringLiteral("ltr"))
            + QStringLiteral("><meta charset=utf-8>"
                             "<meta name=viewport content=\"width=device-width\">"
                             "<meta http-equiv=Content-Security-Policy content=\"")
            + policy + QStringLiteral("\"><title>") + html(s.PageTitle)
            + QStringLiteral("</title><style>") + style + QStringLiteral("</style>\n<main><h1 id=h")
            + (s.TextTitle.isEmpty() ? own : QString()) + u'>' + html(heading)
            + QStringLiteral("</h1><p id=keys") + own + u'>' + html(s.KeysHelp)
            + QStringLiteral("</p><div id=zone") + own + QStringLiteral("><div id=top><p>")
            + html(s.Instruction) + QStringLiteral("</p><p id=qn></p></div><p id=trad aria-live=polite></p>"
                                                   "<p id=feedback aria-live=polite></p><div id=acts><div id=eatme><button id=next><span>")
            + html(modern("NextCaption", s.NextCaption))
            + QStringLiteral("</span></button></div><button id=again hidden>") + html(s.ReviewCaption)
            + QStringLiteral("</button><button id=restart hidden>") + html(s.RestartCaption)
            + QStringLiteral("</button></div><p id=hint class=sr aria-live=polite></p><div id=stats><p><span id=fl>")
            + html(s.ScoreLabel) + QStringLiteral("</span> <b id=score></b></p><p id=rt hidden>") + html(s.RateLabel)
            + QStringLiteral(" <b id=rate></b></p><div id=bar role=progressbar aria-labelledby=fl aria-valuemin=0>"
                             "<i id=bf></i><i id=bs></i></div></div></div>\n");
    // The list, the data and the scripts come before the text, so that the learner can
    // answer while a long text is still arriving; a package's script comes before the
    // page's own, so that it hears that the page is ready.
    page += QStringLiteral("<div id=cols><ul id=list") + own + QStringLiteral("></ul>\n<script type=application/json id=data>") + data
            + QStringLiteral("</script>\n");
    if (!addOn.isEmpty())
        page += QStringLiteral("<script>") + addOn + QStringLiteral("</script>\n");
    page += QStringLiteral("<script>") + script + QStringLiteral("</script>\n");
    // The text is one widget: one tab stop, described by how to move and answer.
    page += QStringLiteral("<div id=text role=group aria-labelledby=h aria-describedby=keys tabindex=0>");
    page += dividedText(division);
    page += QStringLiteral("</div></div></main><footer lang=en>Created with <em>Lexifind</em></footer>\n");
    return page.toUtf8();
}

} // namespace lexifind
