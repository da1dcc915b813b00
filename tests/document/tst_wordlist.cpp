// Word lists in and out: what spreadsheets and flash-card programs write.

#include "document/LexifindError.h"
#include "document/WordList.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace lexifind;
using namespace lexifind::wordlist;

class TestWordList : public QObject
{
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QStringList>("definitions");
        QTest::addColumn<QList<int>>("lines");
        QTest::addColumn<QString>("separator");

        QTest::newRow("tab, commas in a definition")
            << QByteArray("chat\tcat, kitty\nchien\tdog\n") << QStringList{"chat", "chien"}
            << QStringList{"cat, kitty", "dog"} << QList<int>{1, 2} << "\t";
        QTest::newRow("semicolon, commas in definitions")
            << QByteArray("chat;cat, kitty\r\nchien;dog, hound\r\n") << QStringList{"chat", "chien"}
            << QStringList{"cat, kitty", "dog, hound"} << QList<int>{1, 2} << ";";
        QTest::newRow("comma, quoted fields with doubled quotes and a blank after the comma")
            << QByteArray("chat, \"cat, kitty\"\nmot,\"le \"\"mot\"\"\"\n") << QStringList{"chat", "mot"}
            << QStringList{"cat, kitty", "le \"mot\""} << QList<int>{1, 2} << ",";
        QTest::newRow("line break inside quotes")
            << QByteArray("chat,\"cat\nkitty\"\nchien,dog") << QStringList{"chat", "chien"}
            << QStringList{"cat\nkitty", "dog"} << QList<int>{1, 3} << ",";
        QTest::newRow("flash-card headers: separator, columns reversed, others skipped")
            << QByteArray("#separator:Semicolon\n#html:false\n#columns:Back;Front\ncat;chat\n")
            << QStringList{"chat"} << QStringList{"cat"} << QList<int>{4} << ";";
        QTest::newRow("separator header by its character")
            << QByteArray("#separator:|\nchat|cat\n") << QStringList{"chat"} << QStringList{"cat"}
            << QList<int>{2} << "|";
        QTest::newRow("spreadsheet's row of column names")
            << QByteArray("Mot;Définition\nchat;cat\n") << QStringList{"chat"} << QStringList{"cat"}
            << QList<int>{2} << ";";
        QTest::newRow("blank lines and a word alone")
            << QByteArray("\nchat\tcat\n\nlune\n") << QStringList{"chat", "lune"}
            << QStringList{"cat", ""} << QList<int>{2, 4} << "\t";
        QTest::newRow("windows-1252")
            << QByteArray("\xe9t\xe9\tsummer\n") << QStringList{"été"} << QStringList{"summer"}
            << QList<int>{1} << "\t";
        QTest::newRow("UTF-8 with a mark")
            << QByteArray("\xEF\xBB\xBF#separator:tab\n\xC3\xA9t\xC3\xA9\tsummer\n") << QStringList{"été"}
            << QStringList{"summer"} << QList<int>{2} << "\t";
        const QString utf16 = QStringLiteral("\uFEFF猫,cat\r\n");
        QTest::newRow("UTF-16 LE with its mark")
            << QByteArray(reinterpret_cast<const char *>(utf16.utf16()), utf16.size() * 2)
            << QStringList{"猫"} << QStringList{"cat"} << QList<int>{1} << ",";
    }

    void parse()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, words);
        QFETCH(QStringList, definitions);
        QFETCH(QList<int>, lines);
        QFETCH(QString, separator);
        const Parsed parsed = wordlist::parse(bytes);
        QStringList gotWords, gotDefinitions;
        QList<int> gotLines;
        for (const Row &row : parsed.rows) {
            gotWords << row.word;
            gotDefinitions << row.definition;
            gotLines << row.line;
        }
        QCOMPARE(gotWords, words);
        QCOMPARE(gotDefinitions, definitions);
        QCOMPARE(gotLines, lines);
        QCOMPARE(QString(QChar(parsed.separator)), separator);
    }

    void chosenSeparator()
    {
        // The teacher's choice wins over what the rows suggest.
        const Parsed parsed = wordlist::parse("a;b,c\nd;e,f\n", Separator::Comma);
        QCOMPARE(parsed.rows.size(), std::size_t(2));
        QCOMPARE(parsed.rows[0].word, QStringLiteral("a;b"));
        QCOMPARE(parsed.rows[0].definition, QStringLiteral("c"));
    }

    void rulesOfAdd()
    {
        const QByteArray bytes("chat\tcat\n"          // already in the list
                               "chien\tdog\n"
                               "chien\thound\n"       // twice in the file
                               "\tno word\n"
                               "(voir).\tle \"voir\"\n" // cleaned as the add dialog cleans
                               "  lune  \t\n"
                               "\t\n");              // an empty row: no entry, no report
        const Import import = prepare(wordlist::parse(bytes), {"chat"});
        QCOMPARE(import.words, (QStringList{"chien", "voir)", "lune"}));
        QCOMPARE(import.definitions, (QStringList{"dog", "le 'voir'", ""}));
        QCOMPARE(import.skipped.size(), std::size_t(3));
        QCOMPARE(import.skipped[0].reason, SkipReason::InList);
        QCOMPARE(import.skipped[1].reason, SkipReason::RepeatedInFile);
        QCOMPARE(import.skipped[1].line, 3);
        QCOMPARE(import.skipped[2].reason, SkipReason::EmptyWord);
        const QString text = summary(import);
        QVERIFY2(text.startsWith(u"3 entrées ajoutées (séparateur : tabulation) ; 3 lignes ignorées"),
                 qPrintable(text));
        QVERIFY(text.contains(u"ligne 3 : « chien » figure déjà plus haut dans le fichier"));
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QStringList>("definitions");
        const QStringList tricky{"chat", "#dièse", "pomme de terre", "猫", "mot"};
        const QStringList hard{"cat, kitty; puss", "sharp\tsign", "", "'quoted' «x»", "a\"b"};
        QTest::newRow("tab-separated") << "liste.txt" << tricky << hard;
        QTest::newRow("comma-separated") << "liste.csv" << tricky << hard;
        QTest::newRow("first entry like column names")
            << "liste.CSV" << QStringList{"mot", "chat"} << QStringList{"définition", "cat"};
    }

    void roundTrip()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, words);
        QFETCH(QStringList, definitions);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        save(path, words, definitions);
        const Import back = load(path, {});
        QCOMPARE(back.words, words);
        // A double quote comes back as the add dialog stores it.
        definitions.replaceInStrings(QStringLiteral("\""), QStringLiteral("'"));
        QCOMPARE(back.definitions, definitions);
        QVERIFY(back.skipped.empty());
    }

    void spreadsheetFileRefused()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("liste.xlsx")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("PK\x03\x04\x14\x00\x06\x00", 8));
        file.close();
        QVERIFY_THROWS_EXCEPTION(Error, load(file.fileName(), {}));
    }
};

QTEST_GUILESS_MAIN(TestWordList)
#include "tst_wordlist.moc"
