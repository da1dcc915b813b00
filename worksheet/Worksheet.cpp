#include "worksheet/Worksheet.h"

#include "document/ExerciseDocument.h"
#include "document/LexifindError.h"
#include "document/SaveFile.h"
#include "page/ModernPage.h"
#include "page/PageSettings.h"
#include "page/WordDivision.h"

#include <QBuffer>
#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QHash>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>

#include <algorithm>
#include <functional>
#include <memory>

namespace lexifind {

WorksheetContent MakeWorksheetContent(const ExerciseDocument &document, const PageSettings &settings)
{
    if (document.words().isEmpty())
        throw Error(QStringLiteral("La liste de mots est vide : ajoutez au moins un mot "
                                   "avant d'imprimer la fiche"));
    PageSettings s = settings;
    s.FillDefaults();
    const Division division = DivideIntoWords(document.text(), document.words(), s.TextLanguage);

    WorksheetContent c;
    c.title = s.PageTitle;
    c.textTitle = s.TextTitle;
    c.instruction = s.Instruction;
    c.text = division.text;
    c.text.replace(u'~', u' ');
    c.rightToLeft = division.rightToLeft;
    c.fontFamily = s.FontFamily;
    c.language = s.TextLanguage.trimmed().isEmpty() ? GuessTextLanguage(document.text())
                                                     : s.TextLanguage.trimmed();
    c.definitions = document.definitions();
    c.words = document.words();

    // The page takes a click on any word that reads as the entry: the key names the first.
    c.answerStart.assign(size_t(c.words.size()), -1);
    QHash<QString, std::vector<int>> waiting;
    for (int i = 0; i < c.words.size(); ++i)
        waiting[c.words[i]].push_back(i);
    for (const WordSpan &word : division.words) {
        if (waiting.isEmpty())
            break;
        const auto it = waiting.constFind(WordReading(division, word));
        if (it == waiting.constEnd())
            continue;
        for (int question : *it)
            c.answerStart[size_t(question)] = word.start;
        waiting.erase(it);
    }
    c.unfindable = FindUnfindableEntries(division, c.words);
    return c;
}

namespace {

// Type sizes in points; the layout converts them and its millimetres for the device.
constexpr qreal titlePoints = 16;
constexpr qreal headingPoints = 12.5;
constexpr qreal textPoints = 12;
constexpr qreal listPoints = 11;
constexpr qreal smallPoints = 8;

const QColor ink(0, 0, 0);
const QColor grey(110, 110, 110);
const QColor rule(170, 170, 170);

// The Han characters of Chinese, Japanese and Korean share code points but not their
// shapes: a font of the text's language comes before whatever the system falls back on.
QString hanFamily(const QString &language, bool serif)
{
    const QString tag = language.toLower();
    const QString region = tag.startsWith(u"ja") ? QStringLiteral("JP")
            : tag.startsWith(u"ko")             ? QStringLiteral("KR")
            : tag.startsWith(u"zh-hk") || tag.startsWith(u"zh-mo") ? QStringLiteral("HK")
            : tag.startsWith(u"zh-hant") || tag.startsWith(u"zh-tw") ? QStringLiteral("TC")
            : tag.startsWith(u"zh")             ? QStringLiteral("SC")
                                                : QString();
    if (region.isEmpty())
        return {};
    return (serif ? QStringLiteral("Noto Serif CJK ") : QStringLiteral("Noto Sans CJK ")) + region;
}

// The page's font list ("Arial, Helvetica, sans-serif") as families for the printer's
// font matching, the generic names as the matching hint.
QFont pageFont(const QString &fontList, const QString &language)
{
    QStringList families;
    QFont::StyleHint hint = QFont::SansSerif;
    for (QString name : fontList.split(u',')) {
        name = name.trimmed();
        if (name.size() >= 2 && (name.front() == u'"' || name.front() == u'\'') && name.back() == name.front())
            name = name.mid(1, name.size() - 2).trimmed();
        if (name.isEmpty())
            continue;
        if (name.compare(u"serif", Qt::CaseInsensitive) == 0)
            hint = QFont::Serif;
        else if (name.compare(u"monospace", Qt::CaseInsensitive) == 0)
            hint = QFont::Monospace;
        families << name;
    }
    if (families.isEmpty())
        families << QStringLiteral("sans-serif");
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(hint);
    // Behind the family that the list resolves to, which keeps the other scripts.
    if (const QString han = hanFamily(language, hint == QFont::Serif); !han.isEmpty())
        font.setFamilies({QFontInfo(font).family(), han});
    return font;
}

// One piece of the sheet that is never cut across two pages: a line of the text, a
// heading, a question.
struct Band
{
    qreal height = 0;
    qreal gapBefore = 0;       // left out at the top of a page
    bool newPage = false;
    bool keepWithNext = false; // a heading never ends a page
    std::function<void(QPainter &, qreal top)> paint;
};

class Sheet
{
public:
    Sheet(QPagedPaintDevice &device, const WorksheetContent &content, int fromPage, int toPage)
        : m_device(device), m_c(content), m_fromPage(fromPage), m_toPage(toPage), m_mm(device.logicalDpiY() / 25.4), m_width(device.width())
    {
        m_base = pageFont(content.fontFamily, content.language);
        m_footerHeight = QFontMetricsF(font(smallPoints), &m_device).height() + 4 * m_mm;
        m_bodyHeight = device.height() - m_footerHeight;
        m_listRightToLeft = content.definitions.join(u'\n').isRightToLeft();
    }

    PrintedWorksheet print();

private:
    QFont font(qreal points, bool bold = false) const
    {
        QFont f = m_base;
        f.setPointSizeF(points);
        f.setBold(bold);
        return f;
    }

    // text laid out in lines of width; the layout lives as long as the sheet. A layout
    // aligns as told, whatever the direction: alignment is on the page, not in reading order.
    QTextLayout *lay(const QString &text, const QFont &font, qreal width, Qt::Alignment alignment,
                     Qt::LayoutDirection direction)
    {
        auto layout = std::make_unique<QTextLayout>(text, font, &m_device);
        QTextOption option(alignment | Qt::AlignAbsolute);
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        option.setTextDirection(direction);
        layout->setTextOption(option);
        layout->beginLayout();
        qreal y = 0;
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLeadingIncluded(true);
            line.setLineWidth(std::max<qreal>(width, 1));
            line.setPosition(QPointF(0, y));
            y += line.height();
        }
        layout->endLayout();
        m_layouts.push_back(std::move(layout));
        return m_layouts.back().get();
    }

    static qreal heightOf(const QTextLayout *layout)
    {
        const int n = layout->lineCount();
        return n ? layout->lineAt(n - 1).y() + layout->lineAt(n - 1).height() : 0;
    }

    static Qt::LayoutDirection directionOf(const QString &text)
    {
        return text.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
    }
    static qreal firstAscent(const QTextLayout *layout)
    {
        return layout->lineCount() ? layout->lineAt(0).ascent() : 0;
    }

    // A column at x from the start side of the page, mirrored for a right-to-left list.
    qreal columnX(qreal x, qreal width) const
    {
        return m_listRightToLeft ? m_width - x - width : x;
    }
    Qt::Alignment columnAlignment() const
    {
        return m_listRightToLeft ? Qt::AlignRight : Qt::AlignLeft;
    }

    void drawNumber(QPainter &p, const QString &number, const QFont &font, qreal x, qreal width,
                    qreal baseline, bool atRight) const
    {
        p.setFont(font);
        const qreal advance = QFontMetricsF(font, &m_device).horizontalAdvance(number);
        p.drawText(QPointF(atRight ? x + width - advance : x, baseline), number);
    }

    void addHeader();
    void addText();
    void addQuestions();
    void addKey();
    QString lineReference(size_t question) const;

    QPagedPaintDevice &m_device;
    const WorksheetContent &m_c;
    const int m_fromPage;
    const int m_toPage;
    const qreal m_mm;
    const qreal m_width;
    qreal m_bodyHeight = 0;
    qreal m_footerHeight = 0;
    bool m_listRightToLeft = false;
    QFont m_base;
    std::vector<std::unique_ptr<QTextLayout>> m_layouts;
    std::vector<Band> m_bands;
    // The start in the text of each numbered line, in order: line n is at n - 1.
    std::vector<qsizetype> m_lineStarts;
    std::vector<int> m_answerLines;
};

void Sheet::addHeader()
{
    QTextLayout *title = lay(m_c.title, font(titlePoints, true), m_width,
                             Qt::AlignHCenter, directionOf(m_c.title));
    m_bands.push_back({heightOf(title), 0, false, true,
                       [title](QPainter &p, qreal top) { title->draw(&p, QPointF(0, top)); }});

    // Where the learner writes a name, at the end of the line below the title.
    const QFont small = font(listPoints);
    const QString name = QStringLiteral("Nom :");
    const QFontMetricsF metrics(small, &m_device);
    const qreal lineLength = 60 * m_mm;
    m_bands.push_back({metrics.height() + 2 * m_mm, 3 * m_mm, false, true,
                       [this, small, name, lineLength, metrics](QPainter &p, qreal top) {
        const qreal baseline = top + metrics.ascent() + m_mm;
        p.setFont(small);
        p.setPen(ink);
        const qreal lineX = m_width - lineLength;
        p.drawText(QPointF(lineX - metrics.horizontalAdvance(name) - 2 * m_mm, baseline), name);
        p.setPen(QPen(ink, 0.25 * m_mm));
        p.drawLine(QPointF(lineX, baseline + 0.8 * m_mm), QPointF(m_width, baseline + 0.8 * m_mm));
    }});

    if (!m_c.textTitle.trimmed().isEmpty()) {
        const Qt::LayoutDirection direction = m_c.rightToLeft ? Qt::RightToLeft : Qt::LeftToRight;
        QTextLayout *heading = lay(m_c.textTitle, font(headingPoints, true), m_width,
                                   m_c.rightToLeft ? Qt::AlignRight : Qt::AlignLeft, direction);
        m_bands.push_back({heightOf(heading), 5 * m_mm, false, true,
                           [heading](QPainter &p, qreal top) { heading->draw(&p, QPointF(0, top)); }});
    }
}

// The text, every printed line that holds something numbered in the margin on the side
// where the lines start; the numbers run on from page to page, so that a number names
// one line of the whole sheet.
void Sheet::addText()
{
    const QFont textFont = font(textPoints);
    const QFont numberFont = font(smallPoints);
    const qreal gutter = QFontMetricsF(numberFont, &m_device).horizontalAdvance(QStringLiteral("00000"))
            + 3 * m_mm;
    const qreal textWidth = m_width - gutter;
    const bool rtl = m_c.rightToLeft;
    const Qt::LayoutDirection direction = rtl ? Qt::RightToLeft : Qt::LeftToRight;
    const qreal textX = rtl ? 0 : gutter;
    const qreal numberX = rtl ? textWidth + 3 * m_mm : 0;
    const qreal numberWidth = gutter - 3 * m_mm;
    const qreal emptyLine = QFontMetricsF(textFont, &m_device).lineSpacing();
    // Room between the lines, for the learner's pencil.
    const qreal spacing = 1.2 * m_mm;

    const QString &text = m_c.text;
    qsizetype start = 0;
    bool first = true;
    while (start <= text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        const qreal gap = first ? 5 * m_mm : 0;
        first = false;
        if (end == start) {
            if (end < text.size())
                m_bands.push_back({emptyLine, gap, false, false, {}});
        } else {
            QTextLayout *paragraph = lay(text.mid(start, end - start), textFont, textWidth,
                                         rtl ? Qt::AlignRight : Qt::AlignLeft, direction);
            for (int i = 0; i < paragraph->lineCount(); ++i) {
                const QTextLine line = paragraph->lineAt(i);
                m_lineStarts.push_back(start + line.textStart());
                const QString number = QString::number(m_lineStarts.size());
                // No paragraph leaves a lone line at the foot or the head of a page.
                const int lines = paragraph->lineCount();
                const bool keep = (i == 0 && lines > 1) || i == lines - 2;
                m_bands.push_back({line.height() + spacing, i == 0 ? gap : 0, false, keep,
                                   [=, this](QPainter &p, qreal top) {
                    p.setPen(ink);
                    line.draw(&p, QPointF(textX, top + spacing / 2 - line.y()));
                    p.setPen(grey);
                    drawNumber(p, number, numberFont, numberX, numberWidth,
                               top + spacing / 2 + line.ascent(), !rtl);
                }});
            }
        }
        if (end >= text.size())
            break;
        start = end + (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n' ? 2 : 1);
    }

    m_answerLines.assign(m_c.answerStart.size(), 0);
    for (size_t q = 0; q < m_c.answerStart.size(); ++q) {
        const qsizetype at = m_c.answerStart[q];
        if (at < 0)
            continue;
        const auto after = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), at);
        m_answerLines[q] = int(after - m_lineStarts.begin());
    }
}

// The questions in the page's order, a line beside each for the word.
void Sheet::addQuestions()
{
    const QFont listFont = font(listPoints);
    const QFontMetricsF metrics(listFont, &m_device);
    QTextLayout *instruction = lay(m_c.instruction, font(listPoints, true), m_width,
                                   columnAlignment(), directionOf(m_c.instruction));
    m_bands.push_back({heightOf(instruction), 8 * m_mm, false, true,
                       [instruction](QPainter &p, qreal top) {
        p.setPen(ink);
        instruction->draw(&p, QPointF(0, top));
    }});

    const qreal numberWidth = metrics.horizontalAdvance(QStringLiteral("000."));
    const qreal definitionX = numberWidth + 2 * m_mm;
    const qreal answerWidth = std::max(50 * m_mm, m_width * 0.35);
    const qreal definitionWidth = m_width - definitionX - answerWidth - 4 * m_mm;
    const qreal answerX = m_width - answerWidth;
    const qreal rowHeight = 8 * m_mm;

    for (qsizetype q = 0; q < m_c.definitions.size(); ++q) {
        const QString &definition = m_c.definitions[q];
        QTextLayout *layout = lay(definition, listFont, definitionWidth, columnAlignment(),
                                  directionOf(definition));
        // The definition's last baseline sits just above the line where the word is written.
        const int lines = layout->lineCount();
        const qreal lastBaseline = lines ? layout->lineAt(lines - 1).y() + layout->lineAt(lines - 1).ascent()
                                         : metrics.ascent();
        const qreal height = std::max(rowHeight, lastBaseline + 3 * m_mm);
        const QString number = QString::number(q + 1) + u'.';
        m_bands.push_back({height, q == 0 ? 3 * m_mm : 0, false, false,
                           [=, this](QPainter &p, qreal top) {
            const qreal lineY = top + height - 1.5 * m_mm;
            const qreal textTop = lineY - 0.6 * m_mm - lastBaseline;
            p.setPen(ink);
            layout->draw(&p, QPointF(columnX(definitionX, definitionWidth), textTop));
            const qreal firstBaseline = textTop + (layout->lineCount() ? layout->lineAt(0).ascent() : 0);
            drawNumber(p, number, listFont, columnX(0, numberWidth), numberWidth, firstBaseline,
                       !m_listRightToLeft);
            p.setPen(QPen(ink, 0.25 * m_mm));
            const qreal x = columnX(answerX, answerWidth);
            p.drawLine(QPointF(x, lineY), QPointF(x + answerWidth, lineY));
        }});
    }
}

QString Sheet::lineReference(size_t question) const
{
    const int line = m_answerLines[question];
    return line ? QStringLiteral("ligne %1").arg(line) : QStringLiteral("absent du texte");
}

// The answer key, from a page of its own: each definition, its word and the line where
// the word stands.
void Sheet::addKey()
{
    const QString heading = QStringLiteral("Corrigé – ") + m_c.title;
    QTextLayout *title = lay(heading, font(headingPoints, true), m_width, Qt::AlignHCenter,
                             directionOf(heading));
    m_bands.push_back({heightOf(title), 0, true, true,
                       [title](QPainter &p, qreal top) {
        p.setPen(ink);
        title->draw(&p, QPointF(0, top));
    }});

    const QFont listFont = font(listPoints);
    const QFont wordFont = font(listPoints, true);
    const QFont smallFont = font(smallPoints + 1);
    const QFontMetricsF metrics(listFont, &m_device);
    const qreal numberWidth = metrics.horizontalAdvance(QStringLiteral("000."));
    qreal referenceWidth = 0;
    for (size_t q = 0; q < m_answerLines.size(); ++q)
        referenceWidth = std::max(referenceWidth,
                                  QFontMetricsF(smallFont, &m_device).horizontalAdvance(lineReference(q)));
    const qreal definitionX = numberWidth + 2 * m_mm;
    const qreal columns = m_width - definitionX - referenceWidth - 6 * m_mm;
    const qreal definitionWidth = columns * 0.55;
    const qreal wordX = definitionX + definitionWidth + 3 * m_mm;
    const qreal wordWidth = columns - definitionWidth;
    const qreal referenceX = m_width - referenceWidth;
    const qreal padding = 1.2 * m_mm;

    for (qsizetype q = 0; q < m_c.definitions.size(); ++q) {
        QTextLayout *definition = lay(m_c.definitions[q], listFont, definitionWidth,
                                      columnAlignment(), directionOf(m_c.definitions[q]));
        const QString &answer = m_c.words.value(q);
        QTextLayout *word = lay(answer, wordFont, wordWidth, columnAlignment(), directionOf(answer));
        const QString reference = lineReference(size_t(q));
        QTextLayout *where = lay(reference, smallFont, referenceWidth, columnAlignment(), Qt::LeftToRight);
        // The cells share their first baseline, whatever the scripts' heights.
        const qreal ascent = std::max({firstAscent(definition), firstAscent(word), firstAscent(where)});
        const qreal height = ascent + std::max({heightOf(definition) - firstAscent(definition),
                                                heightOf(word) - firstAscent(word),
                                                heightOf(where) - firstAscent(where)})
                + 2 * padding;
        const QString number = QString::number(q + 1) + u'.';
        m_bands.push_back({height, q == 0 ? 5 * m_mm : 0, false, false,
                           [=, this](QPainter &p, qreal top) {
            const qreal baseline = top + padding + ascent;
            p.setPen(ink);
            definition->draw(&p, QPointF(columnX(definitionX, definitionWidth), baseline - firstAscent(definition)));
            word->draw(&p, QPointF(columnX(wordX, wordWidth), baseline - firstAscent(word)));
            drawNumber(p, number, listFont, columnX(0, numberWidth), numberWidth, baseline,
                       !m_listRightToLeft);
            p.setPen(grey);
            where->draw(&p, QPointF(columnX(referenceX, referenceWidth), baseline - firstAscent(where)));
            p.setPen(QPen(rule, 0.15 * m_mm));
            p.drawLine(QPointF(0, top + height), QPointF(m_width, top + height));
        }});
    }
}

PrintedWorksheet Sheet::print()
{
    addHeader();
    addText();
    addQuestions();
    addKey();

    // The bands on their pages.
    struct Placed
    {
        size_t band;
        qreal top;
    };
    std::vector<std::vector<Placed>> pages(1);
    int keyFirstPage = 0;
    qreal y = 0;
    for (size_t i = 0; i < m_bands.size(); ++i) {
        const Band &band = m_bands[i];
        if (band.newPage && !pages.back().empty()) {
            pages.emplace_back();
            y = 0;
        }
        qreal needed = (pages.back().empty() ? 0 : band.gapBefore) + band.height;
        // A heading goes with what it heads.
        for (size_t next = i; m_bands[next].keepWithNext && next + 1 < m_bands.size(); ++next)
            needed += m_bands[next + 1].gapBefore + m_bands[next + 1].height;
        if (y + needed > m_bodyHeight && !pages.back().empty()) {
            pages.emplace_back();
            y = 0;
        }
        // An empty line of the text does not open a page.
        if (!band.paint && pages.back().empty())
            continue;
        if (!pages.back().empty())
            y += band.gapBefore;
        if (band.newPage)
            keyFirstPage = int(pages.size());
        pages.back().push_back({i, y});
        y += band.height;
    }

    QPainter painter;
    if (!painter.begin(&m_device))
        throw Error(QStringLiteral("Impossible d'imprimer la fiche"));
    painter.setRenderHint(QPainter::Antialiasing);
    const QFont footerFont = font(smallPoints);
    const QFontMetricsF footerMetrics(footerFont, &m_device);
    const int first = std::max(m_fromPage, 1);
    const int last = m_toPage > 0 ? std::min(m_toPage, int(pages.size())) : int(pages.size());
    for (int number = first; number <= last; ++number) {
        const size_t page = size_t(number - 1);
        if (number > first && !m_device.newPage())
            throw Error(QStringLiteral("Impossible d'imprimer la fiche"));
        for (const Placed &placed : pages[page])
            if (m_bands[placed.band].paint)
                m_bands[placed.band].paint(painter, placed.top);
        const QString footer = QStringLiteral("%1 – %2 / %3").arg(m_c.title).arg(page + 1).arg(pages.size());
        painter.setFont(footerFont);
        painter.setPen(grey);
        painter.drawText(QRectF(0, m_device.height() - footerMetrics.height(), m_width, footerMetrics.height()),
                         Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine, footer);
    }
    if (!painter.end())
        throw Error(QStringLiteral("Impossible d'imprimer la fiche"));
    return {int(pages.size()), keyFirstPage, m_answerLines};
}

} // namespace

PrintedWorksheet PaintWorksheet(QPagedPaintDevice &device, const WorksheetContent &content,
                                int fromPage, int toPage)
{
    return Sheet(device, content, fromPage, toPage).print();
}

QByteArray WorksheetPdf(const WorksheetContent &content, const QPageSize &paper, PrintedWorksheet *printed)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(600);
        writer.setTitle(content.title);
        writer.setCreator(QStringLiteral("Lexifind"));
        writer.setPageLayout(QPageLayout(paper, QPageLayout::Portrait, QMarginsF(18, 15, 18, 12),
                                         QPageLayout::Millimeter));
        const PrintedWorksheet result = PaintWorksheet(writer, content);
        if (printed)
            *printed = result;
    }
    return bytes;
}

QPageSize DefaultPaperSize()
{
    return QPageSize(QLocale::system().measurementSystem() == QLocale::ImperialUSSystem
                             ? QPageSize::Letter
                             : QPageSize::A4);
}

Worksheet::Worksheet(const QString &path, const ExerciseDocument &document, const PageSettings &settings)
    : m_path(WithExtension(path, QStringLiteral("pdf")))
{
    const WorksheetContent content = MakeWorksheetContent(document, settings);
    m_pdf = WorksheetPdf(content, DefaultPaperSize());
    m_unfindable = content.unfindable;
}

void Worksheet::save() const
{
    if (!m_path.isEmpty())
        saveBytes(m_path, m_pdf, QStringLiteral("Impossible de créer le fichier %1"));
}

} // namespace lexifind
