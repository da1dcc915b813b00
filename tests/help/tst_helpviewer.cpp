#include "ui/main/help/HelpViewer.h"

#include "../ui/Pictures.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>

using namespace lexifind;

namespace {

const QString kWindowName = QStringLiteral("lexifindHelpWindow");

QStringList helpPages()
{
    QStringList pages;
    QDirIterator it(QStringLiteral(":/help"), {QStringLiteral("*.html")}, QDir::Files);
    while (it.hasNext())
        pages << it.next().mid(QStringLiteral(":/help/").size());
    pages.sort();
    return pages;
}

QString readPage(const QString &page)
{
    QFile file(QStringLiteral(":/help/") + page);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

// A page parsed the way the help window's browser parses it.
struct ParsedPage
{
    QString title;
    QString text;
    QStringList links;
    QSet<QString> anchors;
};

ParsedPage parse(const QString &page)
{
    QTextDocument document;
    document.setHtml(readPage(page));
    ParsedPage parsed;
    parsed.title = document.metaInformation(QTextDocument::DocumentTitle);
    parsed.text = document.toPlainText();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isAnchor() && !format.anchorHref().isEmpty()
                && !parsed.links.contains(format.anchorHref()))
                parsed.links << format.anchorHref();
            for (const QString &name : format.anchorNames())
                parsed.anchors.insert(name);
        }
    }
    return parsed;
}

QList<QWidget *> helpWindows()
{
    QList<QWidget *> windows;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == kWindowName)
            windows << widget;
    }
    return windows;
}

QTextBrowser *helpBrowser()
{
    const QList<QWidget *> windows = helpWindows();
    return windows.size() == 1 ? windows.first()->findChild<QTextBrowser *>() : nullptr;
}

QString shownPage()
{
    QTextBrowser *browser = helpBrowser();
    return browser ? browser->source().fileName() : QString();
}

void click(const QString &buttonName)
{
    QPushButton *button = helpWindows().value(0)->findChild<QPushButton *>(buttonName);
    QVERIFY(button);
    QVERIFY(button->isEnabled());
    button->click();
}

} // namespace

class HelpViewerTest : public QObject
{
    Q_OBJECT

private slots:
    void pageReadsAndLinksResolve_data();
    void pageReadsAndLinksResolve();
    void contentsListsEveryTopic();
    void contentsOpensOneWindow();
    void contextOpensItsTopic_data();
    void contextOpensItsTopic();
    void navigationButtons();
    void readableFromModalDialog();
    void picture();
};

void HelpViewerTest::pageReadsAndLinksResolve_data()
{
    QTest::addColumn<QString>("page");
    const QStringList pages = helpPages();
    QVERIFY(pages.size() > 20);
    for (const QString &page : pages)
        QTest::newRow(qPrintable(page)) << page;
}

void HelpViewerTest::pageReadsAndLinksResolve()
{
    QFETCH(QString, page);
    const ParsedPage parsed = parse(page);
    QVERIFY2(!parsed.title.trimmed().isEmpty(), "the page has no title");
    QVERIFY(parsed.text.size() > 200);
    // Read as UTF-8 throughout: no replacement characters, no mis-decoded accents.
    QVERIFY(!parsed.text.contains(QChar::ReplacementCharacter));
    QVERIFY(!parsed.text.contains(QStringLiteral("Ã")));
    QVERIFY(!parsed.title.contains(QStringLiteral("Ã")));

    const QUrl base(QStringLiteral("qrc:/help/") + page);
    bool linksContents = false;
    for (const QString &href : parsed.links) {
        const QUrl target = base.resolved(QUrl(href));
        QVERIFY2(target.scheme() == QLatin1String("qrc"), qPrintable(href + " leaves the help"));
        const QString file = target.path().mid(QStringLiteral("/help/").size());
        QVERIFY2(QFile::exists(QStringLiteral(":/help/") + file), qPrintable(href + " has no page"));
        if (target.hasFragment())
            QVERIFY2(parse(file).anchors.contains(target.fragment()),
                     qPrintable(href + " names no anchor of its page"));
        linksContents = linksContents || file == QLatin1String("index.html");
    }
    if (page != QLatin1String("index.html"))
        QVERIFY2(linksContents, "the page offers no way back to the contents");
}

void HelpViewerTest::contentsListsEveryTopic()
{
    QSet<QString> linked;
    for (const QString &href : parse(QStringLiteral("index.html")).links)
        linked.insert(QUrl(href).path());
    for (const QString &page : helpPages()) {
        if (page != QLatin1String("index.html"))
            QVERIFY2(linked.contains(page), qPrintable(page + " is missing from the contents"));
    }
}

void HelpViewerTest::contentsOpensOneWindow()
{
    help::showContents();
    help::showContents();
    const QList<QWidget *> windows = helpWindows();
    QCOMPARE(windows.size(), 1);
    QVERIFY(windows.first()->isVisible());
    QCOMPARE(windows.first()->windowTitle(), QStringLiteral("Aide de Lexifind"));
    QCOMPARE(shownPage(), QStringLiteral("index.html"));
    QVERIFY(helpBrowser()->document()->toPlainText().contains(QStringLiteral("Premiers pas")));

    // Closed, it only hides; asked again, the same window comes back.
    windows.first()->close();
    QVERIFY(!windows.first()->isVisible());
    help::showContext(3);
    QCOMPARE(helpWindows(), windows);
    QVERIFY(windows.first()->isVisible());
}

void HelpViewerTest::contextOpensItsTopic_data()
{
    QTest::addColumn<int>("context");
    QTest::addColumn<QString>("page");
    // The colour dialog asks for its page number + 1.
    QTest::newRow("VGA") << 1 << "couleurs-vga.html";
    QTest::newRow("Internet") << 2 << "couleurs-internet.html";
    QTest::newRow("HSB") << 3 << "couleurs-tsl.html";
    QTest::newRow("RGB") << 4 << "couleurs-rvb.html";
    QTest::newRow("CMY") << 5 << "couleurs-cmj.html";
    QTest::newRow("CMYK") << 6 << "couleurs-cmjn.html";
    QTest::newRow("Gray") << 7 << "couleurs-gris.html";
    QTest::newRow("Windows") << 8 << "couleurs-systeme.html";
    QTest::newRow("Info") << 9 << "couleurs-info.html";
    QTest::newRow("none") << 0 << "index.html";
    QTest::newRow("past the pages") << 10 << "index.html";
    QTest::newRow("negative") << -1 << "index.html";
    QTest::newRow("far off") << 104 << "index.html";
}

void HelpViewerTest::contextOpensItsTopic()
{
    QFETCH(int, context);
    QFETCH(QString, page);
    help::showContext(context);
    QCOMPARE(helpWindows().size(), 1);
    QVERIFY(helpWindows().first()->isVisible());
    QCOMPARE(shownPage(), page);
    QCOMPARE(helpBrowser()->documentTitle(), parse(page).title);
}

void HelpViewerTest::navigationButtons()
{
    help::showContext(2);
    help::showContents();
    QCOMPARE(shownPage(), QStringLiteral("index.html"));
    click(QStringLiteral("backButton"));
    QCOMPARE(shownPage(), QStringLiteral("couleurs-internet.html"));
    click(QStringLiteral("forwardButton"));
    QCOMPARE(shownPage(), QStringLiteral("index.html"));

    // "Sommaire" goes to the contents even when the window was opened on a topic.
    help::showContext(9);
    click(QStringLiteral("contentsButton"));
    QCOMPARE(shownPage(), QStringLiteral("index.html"));

    // A link followed inside the window opens its topic.
    QTextBrowser *browser = helpBrowser();
    browser->setSource(browser->source().resolved(QUrl(QStringLiteral("parametres-web.html#couleurs"))));
    QCOMPARE(shownPage(), QStringLiteral("parametres-web.html"));
    QVERIFY(browser->document()->toPlainText().contains(QStringLiteral("Recherche de vocabulaire")));
}

void HelpViewerTest::readableFromModalDialog()
{
    help::showContents();
    QWidget *window = helpWindows().value(0);
    QVERIFY(window);
    QCOMPARE(window->windowModality(), Qt::NonModal);

    // The colour dialog is modal: help asked for from it must not be blocked by it.
    QDialog dialog;
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    QCOMPARE(QApplication::activeModalWidget(), &dialog);
    help::showContext(2);
    QCOMPARE(helpWindows(), QList<QWidget *>{window});
    QVERIFY(window->isVisible());
    QCOMPARE(QApplication::activeModalWidget(), window);
    QCOMPARE(shownPage(), QStringLiteral("couleurs-internet.html"));

    window->close();
    QCOMPARE(QApplication::activeModalWidget(), &dialog);
    dialog.close();

    // Asked for from the main window again, it is an ordinary window once more.
    help::showContents();
    QVERIFY(window->isVisible());
    QCOMPARE(window->windowModality(), Qt::NonModal);
    QVERIFY(!QApplication::activeModalWidget());
}

void HelpViewerTest::picture()
{
    help::showContents();
    QWidget *window = helpWindows().value(0);
    QVERIFY(window);
    QVERIFY(!SavePicture(window, QStringLiteral("help")).isEmpty());
}

QTEST_MAIN(HelpViewerTest)
#include "tst_helpviewer.moc"
