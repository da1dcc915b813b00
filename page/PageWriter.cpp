#include "page/PageWriter.h"

#include "document/ExerciseDocument.h"
#include "document/LexifindError.h"
#include "document/SaveFile.h"
#include "document/TextCodec.h"
#include "page/PageEncoding.h"
#include "page/PageSettings.h"
#include "page/WordDivision.h"

namespace lexifind {

namespace {

using codec::PageContext;

// The page's bytes, piece by piece. Literal rows are ASCII; every inserted value is
// escaped for its place and then encoded in windows-1252 for that place. Until the
// divided text is complete, the joining marks of inserted values are blanks again.
class PageText
{
public:
    explicit PageText(qsizetype expectedSize) { m_bytes.reserve(expectedSize); }

    void literal(const char *ascii) { m_bytes.append(ascii); }
    void line(const char *ascii)
    {
        m_bytes.append(ascii);
        m_bytes.append("\r\n");
    }
    void lineEnd() { m_bytes.append("\r\n"); }

    // A piece already escaped for its place.
    void escaped(QString piece, PageContext context)
    {
        if (m_tildesToBlanks)
            piece.replace(u'~', u' ');
        m_bytes.append(codec::encodeForPage(piece, context));
    }

    void htmlText(const QString &value) { escaped(pageencoding::htmlText(value), PageContext::HtmlText); }
    void attribute(const QString &value) { escaped(pageencoding::attribute(value), PageContext::HtmlAttribute); }
    void scriptString(const QString &value) { escaped(pageencoding::scriptString(value), PageContext::ScriptString); }
    void scriptAttribute(const QString &value)
    {
        escaped(pageencoding::scriptSingleQuotedAttribute(value), PageContext::ScriptString);
    }
    void style(const QString &value) { escaped(pageencoding::styleValue(value), PageContext::StyleSheet); }
    void number(qsizetype n) { m_bytes.append(QByteArray::number(qint64(n))); }

    void keepTildes() { m_tildesToBlanks = false; }
    QByteArray take() { return std::move(m_bytes); }

private:
    QByteArray m_bytes;
    bool m_tildesToBlanks = true;
};

bool holdsMarkup(const QStringList &values)
{
    for (const QString &value : values)
        if (value.contains(u'<') || value.contains(u'&'))
            return true;
    return false;
}

} // namespace

QByteArray BuildPage(const ExerciseDocument &document, PageSettings &settings)
{
    settings.FillDefaults();
    // With no entry the script's arrays could not be closed, and the page would
    // offer nothing to find.
    if (document.words().isEmpty())
        throw Error(QStringLiteral("La liste de mots est vide : ajoutez au moins un mot "
                                   "avant d'enregistrer la page HTML"));
    const PageSettings &s = settings;
    const QStringList &words = document.words();
    const QStringList &definitions = document.definitions();
    const qsizetype count = definitions.size();

    PageText page(document.text().size() * 6 + 8192);

    page.line("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>");
    page.line("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
              "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">");
    page.line("<html xmlns=\"http://www.w3.org/1999/xhtml\">");
    page.line("<head>");
    page.literal("<title>");
    page.htmlText(s.PageTitle);
    page.line("</title>");
    page.line("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\" />");
    page.line("<script language=\"JavaScript\">");
    page.line("<!--");
    page.line("var QN = 0;");
    page.line("var score = 0;");
    page.line("var tries = 0;");
    page.literal("var wordlist = '<table border=\"1\" align=\"center\" cellpadding=\"2\" "
                 "cellspacing=\"0\" bordercolor=\"");
    page.scriptAttribute(s.BackgroundColor);
    page.literal("\"> <tr bordercolor=\"");
    page.scriptAttribute(s.VocabularyTextColor);
    page.literal("\"> <td bgcolor=\"");
    page.scriptAttribute(s.VocabularyBackColor);
    page.line("\" class=\"dyna3\">';");

    page.literal("var wordz = [");
    page.escaped(WordzElements(words), PageContext::ScriptString);
    page.escaped(TradzLine(definitions), PageContext::ScriptString);
    page.escaped(CheckoffLine(definitions), PageContext::ScriptString);

    page.line("function checkanswer(id){");
    page.line("if (checkoff[QN]==0){");
    page.line("n =document.getElementById(id).firstChild.nodeValue;");
    page.line("tries = tries + 1;");
    page.line("if (trim(n)==wordz[QN]){");
    page.literal("\tdocument.getElementById('feedback').firstChild.nodeValue = \"");
    page.scriptString(s.RightMessage);
    page.line("\";");
    page.literal("document.getElementById(id).style.background=\"");
    page.scriptString(s.HighlightColor);
    page.line("\";");
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
    page.literal("for (x=0; x<");
    page.number(count);
    page.line("; x++){");
    page.line("if (checkoff[x]==1){");
    page.line("\tt = t+1; ");
    page.line("}");
    page.literal("\t \tif (t==");
    page.number(count);
    page.line(") {");
    page.literal("\t\tdocument.getElementById('feedback').firstChild.nodeValue = \"");
    page.scriptString(s.DoneMessage);
    page.line("\";");
    page.line("      document.getElementById('eatme').parentNode.removeChild("
              "document.getElementById('eatme'));");
    page.line("\t\t} ");
    page.line("\t} ");
    page.line("} ");
    page.line("else {");
    page.literal("document.getElementById('feedback').firstChild.nodeValue = \"");
    page.scriptString(s.WrongMessage);
    page.line("\";");
    page.line("\t}");
    page.literal("document.getElementById('score').firstChild.nodeValue = score + \" / \" + \"");
    page.number(count);
    page.line("\"+ \" (\" + Math.round(score/tries*100) + \"%)\";");
    page.line("}");
    page.line("}");
    page.lineEnd();
    page.line("function writequestion(){");
    page.literal("if (QN==");
    page.number(count);
    page.line("){");
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
    page.literal("     font-family: ");
    page.style(s.FontFamily);
    page.line(";");
    page.line("\tfont-weight: bold;");
    page.literal("color: ");
    page.style(s.AnswerColor);
    page.line(";");
    page.line("\ttext-decoration: none;");
    page.line("}");
    page.line(".dyna2 { ");
    page.literal("\tfont-family: ");
    page.style(s.FontFamily);
    page.line(";");
    page.line("font-weight: bold;");
    page.literal("\tcolor:");
    page.style(s.DefinitionColor);
    page.line(";");
    page.line("\ttext-decoration: none;");
    page.line("}");
    page.line(".dyna3 { ");
    page.literal("\tfont-family: ");
    page.style(s.FontFamily);
    page.line(";");
    page.line("font-weight: normal;");
    page.literal("\tcolor:");
    page.style(s.VocabularyTextColor);
    page.line(";");
    page.line("\ttext-decoration: none;");
    page.line("\tfont-style: italic; ");
    page.line("} ");
    page.line("-->");
    page.line("</style> ");
    page.line("</head>");
    page.literal("<body bgcolor=\"");
    page.attribute(s.BackgroundColor);
    page.line("\" onload=\"writequestion(0)\">");
    page.literal("<table width=\"95%\" border=\"1\" bordercolor=\"");
    page.attribute(s.BackgroundColor);
    page.line("\" align=\"center\" cellpadding=\"0\">");
    page.line(" <tr> ");
    page.literal("<td width=\"66%\" bordercolor=\"");
    page.attribute(s.VocabularyBackColor);
    page.line("\"> ");
    page.literal("<blockquote style=\"cursor:pointer\"><font face=\"");
    page.attribute(s.FontFamily);
    page.literal("\" color=\"");
    page.attribute(s.TextColor);
    page.literal("\"><br><strong>");
    page.htmlText(s.TextTitle);
    page.literal("</strong><br><br>");
    page.escaped(DivideText(JoinPhrases(document.text(), words)), PageContext::HtmlText);
    page.keepTildes();
    page.line("</font></blockquote></td><td width=\"33%\" valign=\"top\"><div id=\"list\"></div>"
              "</table><br> ");
    page.literal("<table width=\"95%\" border=\"1\" bordercolor=\"");
    page.attribute(s.VocabularyBackColor);
    page.line("\" align=\"center\" cellpadding=\"5\" cellspacing=\"0\" class=\"dyna\">");
    page.literal("<tr bordercolor=\"");
    page.attribute(s.AnswerZoneColor);
    page.line("\">");
    page.literal("<td bgcolor=\"");
    page.attribute(s.AnswerZoneColor);
    page.literal("\" width=\"200px\"><div align=\"left\"> ");
    page.htmlText(s.Instruction);
    page.lineEnd();
    page.line("      </div></td>");
    page.literal("    <td width=\"125px\" class=\"dyna2\" id=\"trad\" bgcolor=\"");
    page.attribute(s.AnswerZoneColor);
    page.line("\">&nbsp;</td>");
    page.literal("    <td width=\"200px\" bgcolor=\"");
    page.attribute(s.AnswerZoneColor);
    page.line("\" id=\"feedback\">&nbsp;</td> ");
    page.literal("    <td id=\"eatme\" align=\"center\" bgcolor=\"");
    page.attribute(s.AnswerZoneColor);
    page.literal("\" bordercolor=\"");
    page.attribute(s.VocabularyBackColor);
    page.literal("\"><input type=\"button\" value=\"");
    page.attribute(s.NextCaption);
    page.line("\" onclick=\"MM_callJS('QN=QN+1'); writequestion();\"></td>");
    page.literal("    <td bgcolor=\"");
    page.attribute(s.AnswerZoneColor);
    page.line("\"> ");
    page.line("      <div align=\"right\">Score :</div></td>");
    page.literal("    <td bgcolor=\"");
    page.attribute(s.AnswerZoneColor);
    page.line("\" id=\"score\">&nbsp;</td> ");
    page.line("     </tr> ");
    page.line("</table>");
    page.line("<div align=\"center\"><br>");
    page.line("<font size=\"-2\"><span class=\"dyna\">Created with <em>Lexifind</em>"
              " - exercice de vocabulaire");
    page.line("  <a href=\"mailto:lexifind@example.org\">Lexifind</a></span></font></div>");
    page.line("</body> ");
    page.literal("</html>");
    return page.take();
}

QString WritePage(const QString &path, const QByteArray &page)
{
    const QString written = path + QStringLiteral(".htm");
    saveBytes(written, page, QStringLiteral("Impossible de créer le fichier %1"));
    return written;
}

} // namespace lexifind
