// The SCORM package as another program reads it: unzip lists, tests and extracts it,
// and the manifest is read back as XML.

#include "document/ExerciseDocument.h"
#include "document/LexifindError.h"
#include "page/PageSettings.h"
#include "page/ScormPackage.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

using namespace lexifind;

namespace {

const QString kImscp12 = QStringLiteral("http://www.imsproject.org/xsd/imscp_rootv1p1p2");
const QString kAdlcp12 = QStringLiteral("http://www.adlnet.org/xsd/adlcp_rootv1p2");
const QString kImscp2004 = QStringLiteral("http://www.imsglobal.org/xsd/imscp_v1p1");
const QString kAdlcp2004 = QStringLiteral("http://www.adlnet.org/xsd/adlcp_v1p3");
const QString kImsss = QStringLiteral("http://www.imsglobal.org/xsd/imsss");

QByteArray Run(const QStringList &args, int *exitCode = nullptr)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), args);
    unzip.waitForFinished(30000);
    if (exitCode)
        *exitCode = unzip.exitCode();
    return unzip.readAllStandardOutput();
}

// What the manifest says, element by element.
struct Manifest
{
    QString rootNamespace, schemaVersion, defaultOrganization, organization, item,
        identifierRef, resource, href, scormType, fileHref, mastery;
    QStringList titles, identifiers;
};

Manifest Read(const QByteArray &xml, bool is2004)
{
    Manifest m;
    const QString adlcp = is2004 ? kAdlcp2004 : kAdlcp12;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto name = reader.name();
        const auto attributes = reader.attributes();
        if (attributes.hasAttribute(QStringLiteral("identifier")))
            m.identifiers << attributes.value(QStringLiteral("identifier")).toString();
        if (name == u"manifest") {
            m.rootNamespace = reader.namespaceUri().toString();
        } else if (name == u"schemaversion") {
            m.schemaVersion = reader.readElementText();
        } else if (name == u"organizations") {
            m.defaultOrganization = attributes.value(QStringLiteral("default")).toString();
        } else if (name == u"organization") {
            m.organization = attributes.value(QStringLiteral("identifier")).toString();
        } else if (name == u"item") {
            m.item = attributes.value(QStringLiteral("identifier")).toString();
            m.identifierRef = attributes.value(QStringLiteral("identifierref")).toString();
        } else if (name == u"title") {
            m.titles << reader.readElementText();
        } else if (name == u"resource") {
            m.resource = attributes.value(QStringLiteral("identifier")).toString();
            m.href = attributes.value(QStringLiteral("href")).toString();
            m.scormType = attributes.value(adlcp, is2004 ? QStringLiteral("scormType")
                                                         : QStringLiteral("scormtype")).toString();
        } else if (name == u"file") {
            m.fileHref = attributes.value(QStringLiteral("href")).toString();
        } else if ((name == u"masteryscore" && reader.namespaceUri() == adlcp)
                   || (name == u"minNormalizedMeasure" && reader.namespaceUri() == kImsss)) {
            m.mastery = reader.readElementText();
        }
    }
    if (reader.hasError())
        m.rootNamespace = QStringLiteral("not well-formed: ") + reader.errorString();
    return m;
}

} // namespace

class TestScorm : public QObject
{
    Q_OBJECT

private slots:
    void package_data();
    void package();
    void masteryScore_data();
    void masteryScore();
    void unwritablePathLeavesNoFile();
    void identifierComesFromTheLesson();
    void answerWords_data();
    void answerWords();
};

void TestScorm::package_data()
{
    QTest::addColumn<bool>("is2004");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("mastery");
    QTest::addColumn<QString>("titleRead");   // as the manifest gives it back
    QTest::addColumn<QString>("masteryRead"); // empty: none in the manifest

    QTest::newRow("1.2, default title") << false << QString() << QString()
                                        << QStringLiteral("Recherche de vocabulaire") << QString();
    QTest::newRow("1.2, mastery, markup in the title")
        << false << QStringLiteral("Le <b>marché</b> & \"nous\"") << QStringLiteral(" 80 ")
        << QStringLiteral("Le <b>marché</b> & \"nous\"") << QStringLiteral("80");
    QTest::newRow("2004, no mastery") << true << QStringLiteral("На рынке") << QString()
                                      << QStringLiteral("На рынке") << QString();
    QTest::newRow("2004, mastery, control character dropped")
        << true << QStringLiteral("A\x01" "B ]]> 😀") << QStringLiteral("75")
        << QStringLiteral("AB ]]> 😀") << QStringLiteral("0.75");
}

void TestScorm::package()
{
    QFETCH(bool, is2004);
    QFETCH(QString, title);
    QFETCH(QString, mastery);
    QFETCH(QString, titleRead);
    QFETCH(QString, masteryRead);

    ExerciseDocument document;
    document.setText(QStringLiteral("Le chat dort."));
    document.AddEntry(QStringLiteral("chat"), QStringLiteral("cat"));
    PageSettings settings;
    settings.PageTitle = title;
    settings.MasteryScore = mastery;
    QTemporaryDir dir;
    const QString zip = dir.filePath(QStringLiteral("p.zip"));
    WriteScormPackage(zip, BuildScormPackage(document, settings,
                                             is2004 ? ScormEdition::Scorm2004 : ScormEdition::Scorm12));
    // The plain page's style and the other options as any page leaves them.
    QVERIFY(settings.PageStyle.isEmpty());
    QCOMPARE(settings.PageTitle, title.isEmpty() ? titleRead : title);

    int code = -1;
    Run({QStringLiteral("-tq"), zip}, &code);
    QCOMPARE(code, 0);
    QCOMPARE(QString::fromUtf8(Run({QStringLiteral("-Z1"), zip})),
             QStringLiteral("imsmanifest.xml\nindex.html\n"));
    const QByteArray page = Run({QStringLiteral("-p"), zip, QStringLiteral("index.html")});
    QVERIFY(page.contains("chat"));
    // The modern page, whatever style the plain page has, with the reporting script set
    // for this edition and mastery score.
    QVERIFY(page.startsWith("<!DOCTYPE html>"));
    QVERIFY(page.contains(QStringLiteral("({\"version\": \"%1\", \"masteryScore\": %2});")
                              .arg(is2004 ? QStringLiteral("2004") : QStringLiteral("1.2"),
                                   mastery.trimmed().isEmpty() ? QStringLiteral("null") : mastery.trimmed())
                              .toUtf8()));

    const Manifest m = Read(Run({QStringLiteral("-p"), zip, QStringLiteral("imsmanifest.xml")}), is2004);
    QCOMPARE(m.rootNamespace, is2004 ? kImscp2004 : kImscp12);
    QCOMPARE(m.schemaVersion, is2004 ? QStringLiteral("2004 4th Edition") : QStringLiteral("1.2"));
    QCOMPARE(m.titles, (QStringList{titleRead, titleRead}));
    QVERIFY(!m.organization.isEmpty());
    QCOMPARE(m.defaultOrganization, m.organization);
    QCOMPARE(m.identifierRef, m.resource);
    QCOMPARE(m.scormType, QStringLiteral("sco"));
    QCOMPARE(m.href, QStringLiteral("index.html"));
    QCOMPARE(m.fileHref, QStringLiteral("index.html"));
    QCOMPARE(m.mastery, masteryRead);
    // Four distinct identifiers (manifest, organization, item, resource), each a name
    // that XML takes as an ID.
    QCOMPARE(m.identifiers.size(), 4);
    QCOMPARE(QSet<QString>(m.identifiers.begin(), m.identifiers.end()).size(), 4);
    for (const QString &id : m.identifiers)
        QVERIFY2(QRegularExpression(QStringLiteral("^[A-Za-z_][A-Za-z0-9_.-]*$")).match(id).hasMatch(),
                 qPrintable(id));
}

void TestScorm::masteryScore_data()
{
    QTest::addColumn<QString>("mastery");
    QTest::addColumn<QString>("message"); // empty: accepted
    QTest::newRow("0") << "0" << QString();
    QTest::newRow("100") << "100" << QString();
    QTest::newRow("blank: none") << " " << QString();
    QTest::newRow("101") << "101" << "Le score de maîtrise 101 n'est pas entre 0 et 100";
    QTest::newRow("-1") << "-1" << "Le score de maîtrise -1 n'est pas entre 0 et 100";
    QTest::newRow("decimal") << "80,5" << "'80,5' n'est pas une valeur entière correcte";
    QTest::newRow("words") << "huit" << "'huit' n'est pas une valeur entière correcte";
}

void TestScorm::masteryScore()
{
    QFETCH(QString, mastery);
    QFETCH(QString, message);
    ExerciseDocument document;
    document.setText(QStringLiteral("Le chat dort."));
    document.AddEntry(QStringLiteral("chat"), QStringLiteral("cat"));
    PageSettings settings;
    settings.MasteryScore = mastery;
    QString thrown;
    try {
        const QList<PackageFile> files = ScormFiles(document, settings, ScormEdition::Scorm12);
        QCOMPARE(files.size(), 2);
    } catch (const Error &e) {
        thrown = e.message();
    }
    QCOMPARE(thrown, message);
}

void TestScorm::unwritablePathLeavesNoFile()
{
    ExerciseDocument document;
    document.setText(QStringLiteral("Le chat dort."));
    document.AddEntry(QStringLiteral("chat"), QStringLiteral("cat"));
    PageSettings settings;
    const QByteArray zip = BuildScormPackage(document, settings, ScormEdition::Scorm12);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("absent/p.zip"));
    try {
        WriteScormPackage(path, zip);
        QFAIL("written");
    } catch (const Error &e) {
        QCOMPARE(e.message(), QStringLiteral("Impossible de créer le fichier ") + path);
    }
    QVERIFY(QDir(dir.path()).isEmpty());
}

void TestScorm::identifierComesFromTheLesson()
{
    const auto identifier = [](const QString &text, const QString &definition) {
        ExerciseDocument document;
        document.setText(text);
        document.AddEntry(QStringLiteral("chat"), definition);
        PageSettings settings; // the default title
        const QByteArray manifest = ScormFiles(document, settings, ScormEdition::Scorm12).first().bytes;
        return Read(manifest, false).identifiers.first();
    };
    const QString lesson = identifier(QStringLiteral("Le chat dort."), QStringLiteral("cat"));
    QCOMPARE(identifier(QStringLiteral("Le chat dort."), QStringLiteral("cat")), lesson);
    QVERIFY(identifier(QStringLiteral("Le chat mange."), QStringLiteral("cat")) != lesson);
    QVERIFY(identifier(QStringLiteral("Le chat dort."), QStringLiteral("a cat")) != lesson);
}

void TestScorm::answerWords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("expected"); // per entry, the numbers of the words that answer it

    QTest::newRow("twice, once with a capital")
        << QStringLiteral("Le chat voit le chat du Chat.") << QStringList{"chat", "le"}
        << QStringLiteral("[[1,4],[3]]");
    QTest::newRow("joined phrases on two lines, an entry twice, one absent")
        << QStringLiteral("Une pomme de terre.\r\nLa pomme de terre, la pomme.")
        << QStringList{"pomme de terre", "pomme", "poire", "pomme de terre"}
        << QStringLiteral("[[1,3],[5],[],[1,3]]");
}

// The words a package's page names as the answers of each question, for the platform.
void TestScorm::answerWords()
{
    QFETCH(QString, text);
    QFETCH(QStringList, entries);
    QFETCH(QString, expected);
    ExerciseDocument document;
    document.setText(text);
    for (const QString &entry : entries)
        document.AddEntry(entry, QStringLiteral("d"));
    PageSettings settings;
    const QByteArray page = ScormFiles(document, settings, ScormEdition::Scorm2004).last().bytes;
    const QByteArray open = "<script type=application/json id=data>";
    const qsizetype at = page.indexOf(open) + open.size();
    const QJsonArray gaps = QJsonDocument::fromJson(page.mid(at, page.indexOf("</script>", at) - at))
                                    .object().value(QStringLiteral("a")).toArray();
    QJsonArray numbers;
    for (const QJsonValue &list : gaps) {
        QJsonArray words;
        int word = 0;
        for (const QJsonValue &gap : list.toArray())
            words.append(word += gap.toInt());
        numbers.append(words);
    }
    QCOMPARE(QString::fromUtf8(QJsonDocument(numbers).toJson(QJsonDocument::Compact)), expected);
}

QTEST_GUILESS_MAIN(TestScorm)
#include "tst_scorm.moc"
