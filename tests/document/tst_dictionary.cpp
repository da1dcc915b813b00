// The dictd reader on dictionaries made here with Debian's dictfmt, dictzip and gzip.

#include "document/Dictionary.h"
#include "document/LexifindError.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace lexifind;

namespace {

bool run(const QString &program, const QStringList &arguments, const QString &folder,
         const QByteArray &input = {})
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit
           && process.exitCode() == 0;
}

} // namespace

class TestDictionary : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString longSense;

private slots:
    void initTestCase()
    {
        for (const char *tool : {"dictfmt", "dictzip", "gzip"})
            QVERIFY2(!QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty(),
                     "Debian's dictfmt and dictzip are needed (tools/setup.sh installs them)");
        QByteArray source = ":chat:\n1. cat\n2. tomcat\n"
                            ":chat:\nchat (informal talk)\n"
                            ":L'eau:\nwater\n"
                            ":eau:\nwater\n"
                            ":abat-jour:\nlampshade\n"
                            ":Pomme de terre:\npotato\n"
                            ":école:\nschool\n";
        // Enough articles for several chunks of dictzip, and one article across chunks.
        for (int i = 0; i < 3000; ++i)
            source += ":mot" + QByteArray::number(i) + ":\nword number " + QByteArray::number(i)
                      + ", said " + QByteArray(60, 'x') + "\n";
        longSense = QStringLiteral("y").repeated(90000);
        source += ":long:\n" + longSense.toLatin1() + "\n";
        for (const char *base : {"plain", "dictzip", "gzip"})
            QVERIFY(run(QStringLiteral("dictfmt"),
                        {"-j", "--utf8", "-s", "Test FR-EN", "-u", "none", QString::fromLatin1(base)},
                        dir.path(), source));
        QVERIFY(run(QStringLiteral("dictzip"), {"dictzip.dict"}, dir.path()));
        QVERIFY(run(QStringLiteral("gzip"), {"-9", "-n", "-S", ".dz", "gzip.dict"}, dir.path()));
    }

    void lookup_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("headword");
        QTest::addColumn<QStringList>("senses");
        for (const char *base : {"plain", "dictzip", "gzip"}) {
            const auto row = [base](const char *name) -> QTestData & {
                return QTest::addRow("%s: %s", base, name) << QString::fromLatin1(base);
            };
            row("headword repeated, capitals folded")
                << "Chat" << "Chat" << QStringList{"cat", "tomcat", "chat (informal talk)"};
            row("plural to its base form") << "chats" << "chat"
                                            << QStringList{"cat", "tomcat", "chat (informal talk)"};
            row("elided article") << "d'eau" << "eau" << QStringList{"water"};
            row("punctuation folded as the index folds it") << "abat-jour" << "abat-jour"
                                                             << QStringList{"lampshade"};
            row("several words") << "pomme de terre" << "pomme de terre" << QStringList{"potato"};
            row("accented") << "École" << "École" << QStringList{"school"};
            row("absent") << "xylophone" << "" << QStringList{};
            row("first of a thousand") << "mot0" << "mot0"
                                        << QStringList{"word number 0, said " + QString(60, u'x')};
            row("last of a thousand") << "mot2999" << "mot2999"
                                       << QStringList{"word number 2999, said " + QString(60, u'x')};
        }
    }

    void lookup()
    {
        QFETCH(QString, base);
        QFETCH(QString, word);
        QFETCH(QString, headword);
        QFETCH(QStringList, senses);
        Dictionary dictionary(Dictionary::locate(dir.filePath(base + ".index")));
        const DictionaryLookup found = dictionary.lookup(word);
        QCOMPARE(found.headword, headword);
        QCOMPARE(found.senses, senses);
    }

    void indexEnds_data()
    {
        QTest::addColumn<QString>("base");
        for (const char *base : {"plain", "dictzip", "gzip"})
            QTest::newRow(base) << QString::fromLatin1(base);
    }

    // The first and the last line of the index, and an article across dictzip's chunks.
    void indexEnds()
    {
        QFETCH(QString, base);
        QFile index(dir.filePath(base + ".index"));
        QVERIFY(index.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = index.readAll().trimmed().split('\n');
        Dictionary dictionary(Dictionary::locate(dir.filePath(base)));
        for (const QByteArray &line : {lines.first(), lines.last()}) {
            const QString key = QString::fromUtf8(line.left(line.indexOf('\t')));
            QVERIFY2(!dictionary.articles(key).isEmpty(), qPrintable(key));
        }
        const QStringList longArticle = dictionary.articles(QStringLiteral("long"));
        QCOMPARE(longArticle.size(), 1);
        QVERIFY(longArticle.front().startsWith(u"long\n"));
        QVERIFY(longArticle.front().trimmed().endsWith(longSense));
    }

    void senses_data()
    {
        QTest::addColumn<QString>("article");
        QTest::addColumn<QStringList>("senses");
        QTest::newRow("FreeDict, numbered")
            << "aller /ale/ <v>\n1. fare\n2. go, ride, travel\n" << QStringList{"fare", "go, ride, travel"};
        QTest::newRow("FreeDict, one sense") << "chat /ʃa/ <n, masc>\ncat\n" << QStringList{"cat"};
        QTest::newRow("WordNet: part of speech, continuation, synonyms and examples")
            << "cat\n     n 1: feline mammal usually having thick soft fur\n          and no ability to roar\n"
               "     2: an informal term for a youth or man; \"a nice guy\" [syn: {guy}, {hombre}]\n"
            << QStringList{"feline mammal usually having thick soft fur and no ability to roar",
                           "an informal term for a youth or man"};
        QTest::newRow("GCIDE: heading over two lines, source marks")
            << "Cat \\Cat\\ (k[a^]t), n. [AS. cat;\n   akin to D. kat]\n"
               "   1. Any animal of the family {Felid[ae]}.\n      [1913 Webster]\n"
            << QStringList{"Any animal of the family Felid[ae]."};
        QTest::newRow("paragraphs without numbers")
            << "mot\nfirst sense\non two lines\n\nsecond sense\n"
            << QStringList{"first sense on two lines", "second sense"};
        QTest::newRow("a long sense cut at a blank")
            << "w\n1. " + QString("abcd ").repeated(30) + "\n" << QStringList{QString("abcd ").repeated(20).trimmed() + u'…'};
    }

    void senses()
    {
        QFETCH(QString, article);
        QFETCH(QStringList, senses);
        QCOMPARE(Dictionary::senses(article), senses);
    }

    void installedAndLocated()
    {
        QTemporaryDir empty;
        QVERIFY(Dictionary::installed(empty.path()).empty());
        try {
            Dictionary::locate(QStringLiteral("freedict-fra-eng"), empty.path());
            QFAIL("no dictionary there");
        } catch (const Error &e) {
            QVERIFY(e.message().contains(u"apt install dict-freedict-fra-eng"));
        }
        QStringList names;
        for (const DictionaryFiles &files : Dictionary::installed(dir.path()))
            names << files.name;
        QCOMPARE(names, (QStringList{"dictzip", "gzip", "plain"}));
        QCOMPARE(Dictionary::locate(QStringLiteral("gzip"), dir.path()).dataPath, dir.filePath("gzip.dict.dz"));
        QVERIFY_THROWS_EXCEPTION(Error, Dictionary::locate(QStringLiteral("absent"), dir.path()));
        QVERIFY_THROWS_EXCEPTION(Error, Dictionary::locate(dir.filePath("absent.index")));
        QCOMPARE(Dictionary::languagesOfName(QStringLiteral("freedict-fra-eng")),
                 QStringLiteral("français → anglais"));
        Dictionary plain(Dictionary::locate(dir.filePath("plain.dict")));
        QCOMPARE(plain.description(), QStringLiteral("plain — Test FR-EN"));
    }

    void corruptData()
    {
        // A compressed file cut short is reported, never read past its end.
        QFile::copy(dir.filePath("dictzip.index"), dir.filePath("cut.index"));
        QFile whole(dir.filePath("dictzip.dict.dz"));
        QVERIFY(whole.open(QIODevice::ReadOnly));
        QFile cut(dir.filePath("cut.dict.dz"));
        QVERIFY(cut.open(QIODevice::WriteOnly));
        cut.write(whole.read(whole.size() / 3));
        cut.close();
        Dictionary dictionary(Dictionary::locate(dir.filePath("cut")));
        QVERIFY_THROWS_EXCEPTION(Error, dictionary.lookup(QStringLiteral("mot2999")));
    }
};

QTEST_GUILESS_MAIN(TestDictionary)
#include "tst_dictionary.moc"
