// The exercise document: cleaning rules, line count, entry operations with the
// selection each leaves, the derived sort table and the sort.
#include "document/ExerciseDocument.h"

#include <QTest>

using lexifind::ExerciseDocument;

namespace {

// Entries written "word=definition"; a test document from them.
ExerciseDocument makeDocument(const QStringList &entries, int selected = -1)
{
    ExerciseDocument document;
    for (const QString &entry : entries) {
        const qsizetype equals = entry.indexOf(QLatin1Char('='));
        document.AddEntry(entry.left(equals), equals < 0 ? QString() : entry.mid(equals + 1));
    }
    document.setSelected(selected);
    return document;
}

QStringList entriesOf(const ExerciseDocument &document)
{
    QStringList entries;
    for (int i = 0; i < document.entryCount(); ++i)
        entries << document.words().at(i) + QLatin1Char('=') + document.definitions().at(i);
    return entries;
}

// The sort table mirrors the entries after every operation.
void checkSortTable(const ExerciseDocument &document)
{
    QCOMPARE(document.words().size(), document.definitions().size());
    QCOMPARE(document.sortTableRowCount(), document.entryCount() + 1);
    QCOMPARE(document.sortTableCell(0, 0), QString());
    QCOMPARE(document.sortTableCell(0, 1), QString());
    for (int i = 0; i < document.entryCount(); ++i) {
        QCOMPARE(document.sortTableCell(i + 1, 0), document.words().at(i));
        QCOMPARE(document.sortTableCell(i + 1, 1), document.definitions().at(i));
    }
}

} // namespace

class TestDocument : public QObject
{
    Q_OBJECT

private slots:
    void cleanWord_data();
    void cleanWord();
    void cleanDefinition();
    void lines_data();
    void lines();
    void operations_data();
    void operations();
    void replaceEntry_data();
    void replaceEntry();
    void clear();
    void sort_data();
    void sort();
    void sortManyEntriesKeepsPairs();
};

void TestDocument::cleanWord_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("expected");
    QTest::newRow("guillemets are no delimiters") << u"«maison»"_qs << u"«maison»"_qs;
    QTest::newRow("double quotes both go") << "\"maison\"" << "maison";
    QTest::newRow("one character at the end") << "maison..." << "maison..";
    QTest::newRow("end first, then start") << "(mot)." << "mot)";
    QTest::newRow("empty stays empty") << "" << "";
    QTest::newRow("single delimiter") << "," << "";
    QTest::newRow("two delimiters") << "()" << "";
    QTest::newRow("closing brace only") << "{mot}" << "{mot";
    QTest::newRow("hyphen, ! and ? stay") << "-mot?!" << "-mot?!";
    QTest::newRow("blanks untouched") << " mot; " << " mot; ";
    QTest::newRow("inner delimiters stay") << "'aujourd'hui'" << "aujourd'hui";
}

void TestDocument::cleanWord()
{
    QFETCH(QString, word);
    QFETCH(QString, expected);
    QCOMPARE(ExerciseDocument::CleanWord(word), expected);
}

void TestDocument::cleanDefinition()
{
    QCOMPARE(ExerciseDocument::CleanDefinition(QStringLiteral("le \"chat\" noir")),
             QStringLiteral("le 'chat' noir"));
    QCOMPARE(ExerciseDocument::CleanDefinition(QString()), QString());
    QCOMPARE(ExerciseDocument::WordDelimiters, QStringLiteral("\",;:.'()[]}"));
}

void TestDocument::lines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("empty") << "" << QStringList();
    QTest::newRow("one line") << "abc" << QStringList{"abc"};
    QTest::newRow("final break not a line") << "abc\r\n" << QStringList{"abc"};
    QTest::newRow("two lines") << "a\r\nb" << QStringList{"a", "b"};
    QTest::newRow("empty line before final break") << "a\r\n\r\n" << QStringList{"a", ""};
    QTest::newRow("only a break") << "\r\n" << QStringList{""};
    QTest::newRow("lone LF and CR") << "a\nb\rc" << QStringList{"a", "b", "c"};
}

void TestDocument::lines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    ExerciseDocument document;
    document.setText(text);
    QCOMPARE(document.lines(), expected);
    QCOMPARE(document.lineCount(), expected.size());
}

void TestDocument::operations_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("expectedSelected");

    const QStringList abc{"A=a", "B=b", "C=c"};
    QTest::newRow("up moves the middle one") << abc << 1 << QStringList{"up"}
                                             << QStringList{"B=b", "A=a", "C=c"} << 1;
    QTest::newRow("up twice restores") << abc << 1 << QStringList{"up", "up"} << abc << 1;
    QTest::newRow("up on the first does nothing") << abc << 0 << QStringList{"up"} << abc << 0;
    QTest::newRow("up without selection") << abc << -1 << QStringList{"up"} << abc << -1;
    QTest::newRow("down moves once") << abc << 0 << QStringList{"down"}
                                     << QStringList{"B=b", "A=a", "C=c"} << 0;
    QTest::newRow("down twice restores") << abc << 1 << QStringList{"down", "down"} << abc << 1;
    QTest::newRow("down on the last does nothing") << abc << 2 << QStringList{"down"} << abc << 2;
    QTest::newRow("one entry does not move")
        << QStringList{"A=a"} << 0 << QStringList{"up", "down"} << QStringList{"A=a"} << 0;
    QTest::newRow("remove without selection takes the first")
        << abc << -1 << QStringList{"remove"} << QStringList{"B=b", "C=c"} << -1;
    QTest::newRow("second remove takes the new first")
        << abc << -1 << QStringList{"remove", "remove"} << QStringList{"C=c"} << -1;
    QTest::newRow("remove the selected, selection gone")
        << abc << 2 << QStringList{"remove", "remove"} << QStringList{"B=b"} << -1;
    QTest::newRow("remove on empty") << QStringList() << -1 << QStringList{"remove"}
                                     << QStringList() << -1;
    QTest::newRow("add keeps the selection, duplicates kept")
        << QStringList{"lune=moon"} << 0 << QStringList{"add"}
        << QStringList{"lune=moon", "lune=satellite"} << 0;
}

void TestDocument::operations()
{
    QFETCH(QStringList, entries);
    QFETCH(int, selected);
    QFETCH(QStringList, commands);
    QFETCH(QStringList, expected);
    QFETCH(int, expectedSelected);

    ExerciseDocument document = makeDocument(entries, selected);
    QCOMPARE(document.selected(), selected);
    for (const QString &command : commands) {
        if (command == u"up")
            document.MoveEntryUp();
        else if (command == u"down")
            document.MoveEntryDown();
        else if (command == u"remove")
            document.RemoveEntry();
        else if (command == u"add")
            document.AddEntry(QStringLiteral("lune"), QStringLiteral("satellite"));
        checkSortTable(document);
    }
    QCOMPARE(entriesOf(document), expected);
    QCOMPARE(document.selected(), expectedSelected);
}

void TestDocument::replaceEntry_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("first") << 0 << true;
    QTest::newRow("last") << 2 << true;
    QTest::newRow("before the first") << -1 << false;
    QTest::newRow("after the last") << 3 << false;
}

void TestDocument::replaceEntry()
{
    QFETCH(int, position);
    QFETCH(bool, replaced);
    ExerciseDocument document = makeDocument({"A=a", "B=b", "C=c"}, 1);
    const ExerciseDocument before = document;
    QCOMPARE(document.ReplaceEntry(position, QStringLiteral("X"), QStringLiteral("x")), replaced);
    if (replaced) {
        QCOMPARE(document.words().at(position), QStringLiteral("X"));
        QCOMPARE(document.definitions().at(position), QStringLiteral("x"));
        QCOMPARE(document.selected(), 1);
    } else {
        QVERIFY(document == before);
    }
    checkSortTable(document);
}

void TestDocument::clear()
{
    ExerciseDocument document = makeDocument({"A=a", "B=b"}, 1);
    document.setText(QStringLiteral("Le chat."));
    document.ClearEntries();
    QCOMPARE(document.entryCount(), 0);
    QCOMPARE(document.selected(), -1);
    QCOMPARE(document.text(), QStringLiteral("Le chat."));
    checkSortTable(document);
    document.AddEntry(QStringLiteral("A"), QString());
    document.ClearDocument();
    QVERIFY(document == ExerciseDocument());
    QCOMPARE(document.sortTableRowCount(), 1);
}

void TestDocument::sort_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("case and accents sort with their letters")
        << QStringList{u"été=summer"_qs, "Arbre=tree", "banc=bench", "zoo=zoo"} << 0
        << QStringList{"Arbre=tree", "banc=bench", u"été=summer"_qs, "zoo=zoo"};
    QTest::newRow("by definition, pairs kept")
        << QStringList{"chat=cat", "chien=dog", "oiseau=bird"} << 1
        << QStringList{"oiseau=bird", "chat=cat", "chien=dog"};
    QTest::newRow("equal words ordered by definition")
        << QStringList{"lune=satellite", "lune=astre", "Lune=planète"} << 0
        << QStringList{"lune=astre", u"Lune=planète"_qs, "lune=satellite"};
    QTest::newRow("prefix first")
        << QStringList{"abc=2", "ab=1", "abd=3"} << 0 << QStringList{"ab=1", "abc=2", "abd=3"};
    QTest::newRow("empty definition and @ unchanged")
        << QStringList{"b@c=x@y", "a=", "=c"} << 0 << QStringList{"=c", "a=", "b@c=x@y"};
    QTest::newRow("empty definitions first by definition")
        << QStringList{"b=z", "a="} << 1 << QStringList{"a=", "b=z"};
    QTest::newRow("Cyrillic and Greek") << QStringList{u"яблоко=pomme"_qs, u"арбуз=pastèque"_qs}
                                        << 0
                                        << QStringList{u"арбуз=pastèque"_qs, u"яблоко=pomme"_qs};
}

void TestDocument::sort()
{
    QFETCH(QStringList, entries);
    QFETCH(int, column);
    QFETCH(QStringList, expected);
    ExerciseDocument document = makeDocument(entries, 0);
    document.GetSort(column);
    QCOMPARE(entriesOf(document), expected);
    QCOMPARE(document.selected(), -1);
    checkSortTable(document);
}

void TestDocument::sortManyEntriesKeepsPairs()
{
    // Words and definitions come back byte for byte, each with its own partner.
    ExerciseDocument document;
    for (int i = 0; i < 3000; ++i) {
        const int n = (i * 7919) % 3000;
        document.AddEntry(QStringLiteral("mot%1 \u00e9\U0001F600\r").arg(n),
                          QStringLiteral("déf \"%1\"@\t").arg(n));
    }
    QStringList before = entriesOf(document);
    document.GetSort(0);
    QStringList after = entriesOf(document);
    QCOMPARE(after.size(), before.size());
    before.sort();
    QStringList sortedAfter = after;
    sortedAfter.sort();
    QCOMPARE(sortedAfter, before);
    document.GetSort(0);
    QCOMPARE(entriesOf(document), after);
}

QTEST_GUILESS_MAIN(TestDocument)
#include "tst_document.moc"
