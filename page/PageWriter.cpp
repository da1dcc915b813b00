#include "page/PageWriter.h"

#include "document/ExerciseDocument.h"
#include "document/LexifindError.h"
#include "document/SaveFile.h"
#include "document/TextCodec.h"
#include "page/ModernPage.h"
#include "page/PageEncoding.h"
#include "page/PageSettings.h"
#include "page/RunBeside.h"
#include "page/WordDivision.h"

namespace lexifind {

namespace {

using codec::PageContext;

// An inserted value, already escaped for the place where it lands.
struct Inserted
{
    QString text;
    PageContext context;
};

Inserted html(const QString &value) { return {pageencoding::htmlText(value), PageContext::HtmlText}; }
Inserted attribute(const QString &value)
{
    return {pageencoding::attribute(value), PageContext::HtmlAttribute};
}
Inserted script(const QString &value)
{
    return {pageencoding::scriptString(value), PageContext::ScriptString};
}
// An attribute of the markup held in a single-quoted script string.
Inserted scriptAttribute(const QString &value)
{
    return {pageencoding::scriptSingleQuotedAttribute(value), PageContext::ScriptString};
}
Inserted style(const QString &value) { return {pageencoding::styleValue(value), PageContext::StyleSheet}; }

// The page's bytes, row by row, handed to the sink in pieces of about 64 KB. Literal
// pieces are ASCII; every inserted value is encoded in windows-1252 for its place. Until
// the divided text is complete, the joining marks of inserted values are blanks again.
class PageText
{
public:
    explicit PageText(PageSink &sink) : m_sink(sink) { m_bytes.reserve(PieceSize + 4096); }

    // The pieces of one row, then its line break.
    template<typename... Pieces>
    void line(Pieces &&...pieces)
    {
        (put(std::forward<Pieces>(pieces)), ...);
        m_bytes.append("\r\n");
        flushIfFull();
    }
    // Pieces of a row that a later line() ends.
    template<typename... Pieces>
    void literal(Pieces &&...pieces)
    {
        (put(std::forward<Pieces>(pieces)), ...);
        flushIfFull();
    }
    // The body of the text, as the division writes it, straight to the sink.
    void body(const Division &division)
    {
        finish();
        WriteDividedText(division, [this](QByteArrayView piece) { m_sink.write(piece); }, PieceSize);
    }

    void keepTildes() { m_tildesToBlanks = false; }
    void finish()
    {
        m_sink.write(m_bytes);
        m_bytes.resize(0);
    }

    static constexpr qsizetype PieceSize = 1 << 16;

private:
    void put(const char *ascii) { m_bytes.append(ascii); }
    void put(qsizetype number) { m_bytes.append(QByteArray::number(qint64(number))); }
    void put(const Inserted &value)
    {
        codec::appendForPage(m_bytes, value.text, value.context, m_tildesToBlanks);
    }
    void flushIfFull()
    {
        if (m_bytes.size() >= PieceSize)
            finish();
    }

    PageSink &m_sink;
    QByteArray m_bytes;
    bool m_tildesToBlanks = true;
};

class ByteArraySink : public PageSink
{
public:
    explicit ByteArraySink(QByteArray &bytes) : m_bytes(bytes) {}
    void write(QByteArrayView bytes) override { m_bytes.append(bytes); }

private:
    QByteArray &m_bytes;
};

void writeClassicPage(PageSink &sink, const ExerciseDocument &document, const Division &division,
                      const PageSettings &s);

bool holdsMarkup(const QStringList &values)
{
    for (const QString &value : values)
        if (value.contains(u'<') || value.contains(u'&'))
            return true;
    return false;
}

} // namespace

QByteArray BuildPage(const ExerciseDocument &document, PageSettings &settings,
                     const QString &addOnScript, const DivisionCheck &check)
{
    QByteArray page;
    page.reserve(document.text().size() * 6 + 8192);
    ByteArraySink sink(page);
    WritePageTo(sink, document, settings, addOnScript, check);
    return page;
}

void WritePageTo(PageSink &sink, const ExerciseDocument &document, PageSettings &settings,
                 const QString &addOnScript, const DivisionCheck &check, const DivisionReader &alongside)
{
    settings.FillDefaults();
    // With no entry the script's arrays could not be closed, and the page would
    // offer nothing to find.
    if (document.words().isEmpty())
        throw Error(QStringLiteral("La liste de mots est vide : ajoutez au moins un mot "
                                   "avant d'enregistrer la page HTML"));
    const bool modern = settings.IsModernStyle();
    if (const QString style = settings.PageStyle.trimmed();
        !modern && !style.isEmpty() && style.compare(u"classique", Qt::CaseInsensitive) != 0)
        throw Error(QStringLiteral("Style de page inconnu « %1 » : choisissez « classique » "
                                   "ou « moderne »").arg(settings.PageStyle));
    const Division division = DivideIntoWords(document.text(), document.words(), settings.TextLanguage);
    if (check && !check(division))
        return;
    const auto write = [&] {
        if (modern)
            sink.write(BuildModernPage(document, division, settings, addOnScript));
        else
            writeClassicPage(sink, document, division, settings);
    };
    if (alongside)
        RunBeside(write, [&] { alongside(division); });
    else
        write();
}

namespace {

void writeClassicPage(PageSink &sink, const ExerciseDocument &document, const Division &division,
                      const PageSettings &s)
{
    const QStringList &words = document.words();
    const QStringList &definitions = document.definitions();
    const qsizetype count = definitions.size();
    // Right-to-left text gets its direction, and the cells that show words of it follow
    // their own content; a left-to-right text keeps the page it always had.
    const char *const autoDirection = division.rightToLeft ? " dir=\"auto\"" : "";

    PageText page(sink);

    page.line("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>");
    page.line("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
              "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">");
    if (s.TextLanguage.isEmpty())
        page.line("<html xmlns=\"http://www.w3.org/1999/xhtml\">");
    else
        page.line("<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"", attribute(s.TextLanguage),
                  "\" xml:lang=\"", attribute(s.TextLanguage), "\">");
    page.line("<head>");
    page.line("<title>", html(s.PageTitle), "</title>");
    page.line("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\" />");
    page.line("<script language=\"JavaScript\">");
    page.line("<!--");
    page.line("var QN = 0;");
    page.line("var score = 0;");
    page.line("var tries = 0;");
    page.line("var wordlist = '<table border=\"1\" align=\"center\" cellpadding=\"2\" "
              "cellspacing=\"0\" bordercolor=\"", scriptAttribute(s.BackgroundColor),
              "\"> <tr bordercolor=\"", scriptAttribute(s.VocabularyTextColor),
              "\"> <td bgcolor=\"", scriptAttribute(s.VocabularyBackColor),
              "\" class=\"dyna3\">';");

    // The three array lines end with their own line breaks.
    page.literal("var wordz = [", Inserted{WordzElements(words), PageContext::ScriptString},
                 Inserted{TradzLine(definitions), PageContext::ScriptString},
                 Inserted{CheckoffLine(definitions), PageContext::ScriptString});

    page.line("function checkanswer(id){");
    page.line("if (checkoff[QN]==0){");
    page.line("n =document.getElementById(id).firstChild.nodeValue;");
    page.line("tries = tries + 1;");
    page.line("if (trim(n)==wordz[QN]){");
    page.line("\tdocument.getElementById('feedback').firstChild.nodeValue = \"", script(s.RightMessage),
              "\";");
    page.line("document.getElementById(id).style.background=\"", script(s.HighlightColor), "\";");
    // The list of found words goes through innerHTML, while the definition cell shows
    // tradz as text: a definition holding markup characters must read the same in both.
    if (holdsMarkup(definitions))
        page.line("wordlist = wordlist + tradz[QN].replace(/&/g, '&amp;').replace(/\\x3C/g, '&lt;')"
                  " + ' - ' + \"<b>\"+ wordz[QN] + \"</b><br>\";");
    else
        page.line("wordlist = wordlist + tradz[QN] + ' - ' + \"<b>\"+ wordz[QN] + \"</b><br>\";");
    page.line("document.getElementById('list').innerHTML = wordlist + '</td></tr></table>';");
    page.line("score=score+1;");
    page.line("checkoff[QN]=1;");
    page.line("var t=0;");
    page.line("for (x=0; x<", count, "; x++){");
    page.line("if (checkoff[x]==1){");
    page.line("\tt = t+1; ");
    page.line("}");
    page.line("\t \tif (t==", count, ") {");
    page.line("\t\tdocument.getElementById('feedback').firstChild.nodeValue = \"", script(s.DoneMessage),
              "\";");
    page.line("      document.getElementById('eatme').parentNode.removeChild("
              "document.getElementById('eatme'));");
    page.line("\t\t} ");
    page.line("\t} ");
    page.line("} ");
    page.line("else {");
    page.line("document.getElementById('feedback').firstChild.nodeValue = \"", script(s.WrongMessage),
              "\";");
    page.line("\t}");
    page.line("document.getElementById('score').firstChild.nodeValue = score + \" / \" + \"", count,
              "\"+ \" (\" + Math.round(score/tries*100) + \"%)\";");
    page.line("}");
    page.line("}");
    page.line();
    page.line("function writequestion(){");
    page.line("if (QN==", count, "){");
    page.line("QN=0;");
    page.line("}");
    page.line("if (checkoff[QN]==0){");
    page.line("document.getElementById('feedback').firstChild.nodeValue = \" \";");
    page.line("document.getElementById('trad').firstChild.nodeValue = tradz[QN];");
    page.line("}");
    page.line("else {");
    page.line("QN=QN+1;");
    page.line("writequestion();");
    page.line("}");
    page.line("}");
    page.line("function ltrim ( s )");
    page.line("{");
    page.line("return s.replace( /^\\s*/, \"\" );");
    page.line("}");
    page.line("function rtrim ( s )");
    page.line("{");
    page.line("return s.replace( /\\s*$/, \"\" );");
    page.line("}");
    page.line("function trim ( s )");
    page.line("{");
    page.line("return rtrim(ltrim(s));");
    page.line("}function MM_callJS(jsStr) { //v2.0");
    page.line("  return eval(jsStr)");
    page.line("}");
    page.line("//-->");
    page.line("</script>");
    page.line("<style type=\"text/css\">");
    page.line("<!-- ");
    page.line(".dyna { ");
    page.line("     font-family: ", style(s.FontFamily), ";");
    page.line("\tfont-weight: bold;");
    page.line("color: ", style(s.AnswerColor), ";");
    page.line("\ttext-decoration: none;");
    page.line("}");
    page.line(".dyna2 { ");
    page.line("\tfont-family: ", style(s.FontFamily), ";");
    page.line("font-weight: bold;");
    page.line("\tcolor:", style(s.DefinitionColor), ";");
    page.line("\ttext-decoration: none;");
    page.line("}");
    page.line(".dyna3 { ");
    page.line("\tfont-family: ", style(s.FontFamily), ";");
    page.line("font-weight: normal;");
    page.line("\tcolor:", style(s.VocabularyTextColor), ";");
    page.line("\ttext-decoration: none;");
    page.line("\tfont-style: italic; ");
    page.line("} ");
    page.line("-->");
    page.line("</style> ");
    page.line("</head>");
    page.line("<body bgcolor=\"", attribute(s.BackgroundColor), "\" onload=\"writequestion(0)\">");
    page.line("<table width=\"95%\" border=\"1\" bordercolor=\"", attribute(s.BackgroundColor),
              "\" align=\"center\" cellpadding=\"0\">");
    page.line(" <tr> ");
    page.line("<td width=\"66%\" bordercolor=\"", attribute(s.VocabularyBackColor), "\"> ");
    page.literal(division.rightToLeft ? "<blockquote dir=\"rtl\" style=\"cursor:pointer\"><font face=\""
                                      : "<blockquote style=\"cursor:pointer\"><font face=\"",
                 attribute(s.FontFamily),
                 "\" color=\"", attribute(s.TextColor), "\"><br><strong>", html(s.TextTitle),
                 "</strong><br><br>");
    page.body(division);
    page.keepTildes();
    page.line("</font></blockquote></td><td width=\"33%\" valign=\"top\"><div id=\"list\"",
              autoDirection, "></div></table><br> ");
    page.line("<table width=\"95%\" border=\"1\" bordercolor=\"", attribute(s.VocabularyBackColor),
              "\" align=\"center\" cellpadding=\"5\" cellspacing=\"0\" class=\"dyna\">");
    page.line("<tr bordercolor=\"", attribute(s.AnswerZoneColor), "\">");
    page.line("<td bgcolor=\"", attribute(s.AnswerZoneColor), "\" width=\"200px\"><div align=\"left\"> ",
              html(s.Instruction));
    page.line("      </div></td>");
    page.line("    <td width=\"125px\" class=\"dyna2\" id=\"trad\"", autoDirection,
              " bgcolor=\"", attribute(s.AnswerZoneColor),
              "\">&nbsp;</td>");
    page.line("    <td width=\"200px\" bgcolor=\"", attribute(s.AnswerZoneColor),
              "\" id=\"feedback\"", autoDirection, ">&nbsp;</td> ");
    page.line("    <td id=\"eatme\" align=\"center\" bgcolor=\"", attribute(s.AnswerZoneColor),
              "\" bordercolor=\"", attribute(s.VocabularyBackColor), "\"><input type=\"button\" value=\"",
              attribute(s.NextCaption), "\" onclick=\"MM_callJS('QN=QN+1'); writequestion();\"></td>");
    page.line("    <td bgcolor=\"", attribute(s.AnswerZoneColor), "\"> ");
    page.line("      <div align=\"right\">Score :</div></td>");
    page.line("    <td bgcolor=\"", attribute(s.AnswerZoneColor), "\" id=\"score\">&nbsp;</td> ");
    page.line("     </tr> ");
    page.line("</table>");
    page.line("<div align=\"center\"><br>");
    page.line("<font size=\"-2\"><span class=\"dyna\">Created with <em>Lexifind</em>"
              " - exercice de vocabulaire");
    page.line("  <a href=\"mailto:lexifind@example.org\">Lexifind</a></span></font></div>");
    page.line("</body> ");
    page.literal("</html>");
    page.finish();
}

} // namespace

QString WritePage(const QString &path, const QByteArray &page)
{
    const QString written = path + QStringLiteral(".htm");
    saveBytes(written, page, QStringLiteral("Impossible de créer le fichier %1"));
    return written;
}

} // namespace lexifind
