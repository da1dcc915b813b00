// The project file, the text file and the atomic save: formats, round trips, the count
// rule, every failure and what each leaves behind.
#include "document/ExerciseDocument.h"
#include "document/LexifindError.h"
#include "document/ProjectFile.h"
#include "document/SaveFile.h"
#include "document/TextCodec.h"
#include "document/TextFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace lexifind;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// The message of the error that call throws, or "<none>".
template<typename F>
QString errorOf(F call)
{
    try {
        call();
    } catch (const Error &error) {
        return error.message();
    }
    return QStringLiteral("<none>");
}

// Lowers the file size limit for one scope, so that a write fails half-way as on a
// full disk, even for root.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }

private:
    rlimit m_saved{};
};

// The text in UTF-16 with its mark, as Windows' Notepad saves "Unicode".
QByteArray utf16(const QString &text, bool bigEndian)
{
    QByteArray bytes = bigEndian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
    for (const QChar c : text) {
        const char high = char(c.unicode() >> 8), low = char(c.unicode() & 0xFF);
        bytes += bigEndian ? QByteArray{&high, 1} + low : QByteArray{&low, 1} + high;
    }
    return bytes;
}

// Options as "NAME=VALUE" lines: a known name sets its option, another is kept aside.
PageSettings settingsOf(const QStringList &options)
{
    PageSettings settings;
    for (const QString &option : options) {
        const qsizetype equals = option.indexOf(u'=');
        if (QString *known = settings.option(option.left(equals)))
            *known = option.mid(equals + 1);
        else
            settings.OtherOptions.append({option.left(equals), option.mid(equals + 1)});
    }
    return settings;
}

// The document as a reader of the format sees it, which ignores every line after the
// definitions: the counts, then N + 2M lines.
QStringList formatLines(const QByteArray &bytes)
{
    const QStringList lines = codec::decode(bytes).split(QStringLiteral("\r\n"));
    const int n = lines.at(0).toInt(), m = lines.at(1).toInt();
    return lines.mid(2, n + 2 * m);
}

QStringList entriesOf(const ExerciseDocument &document)
{
    QStringList entries;
    for (int i = 0; i < document.entryCount(); ++i)
        entries << document.words().at(i) + QLatin1Char('=') + document.definitions().at(i);
    return entries;
}

} // namespace

class TestProjectFile : public QObject
{
    Q_OBJECT

private slots:
    void wholeNumber_data();
    void wholeNumber();
    void write_data();
    void write();
    void read_data();
    void read();
    void failures_data();
    void failures();
    void absurdCountIsQuick();
    void loadReplacesEntries();
    void loadMissingFileIsSilent();
    void saveAndLoadFile();
    void failedSaveKeepsOldFile_data();
    void failedSaveKeepsOldFile();
    void textFileLoad_data();
    void textFileLoad();
    void textFileSaveAsItStands();
    void otherEncodings_data();
    void otherEncodings();
    void textFileFailures();
    void optionsWritten_data();
    void optionsWritten();
    void optionsRead_data();
    void optionsRead();
    void notAProject_data();
    void notAProject();
    void withExtension_data();
    void withExtension();
};

void TestProjectFile::wholeNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("converts");
    QTest::addColumn<int>("value");
    QTest::newRow("zero") << "0" << true << 0;
    QTest::newRow("digits") << "42" << true << 42;
    QTest::newRow("plus sign") << "+5" << true << 5;
    QTest::newRow("minus sign") << "-1" << true << -1;
    QTest::newRow("leading blanks") << "  7" << true << 7;
    QTest::newRow("blanks before the sign") << " -3" << true << -3;
    QTest::newRow("leading zeros") << "007" << true << 7;
    QTest::newRow("dollar hex") << "$1a" << true << 26;
    QTest::newRow("negative dollar hex") << "-$1A" << true << -26;
    QTest::newRow("0X hex") << "0X1a" << true << 26;
    QTest::newRow("0x hex") << "0x1A" << true << 26;
    QTest::newRow("x hex") << "x1A" << true << 26;
    QTest::newRow("largest") << "2147483647" << true << 2147483647;
    QTest::newRow("smallest") << "-2147483648" << true << int(-2147483648LL);
    QTest::newRow("hex wraps to 32 bits") << "$FFFFFFFF" << true << -1;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("blanks only") << "   " << false << 0;
    QTest::newRow("trailing blank") << "7 " << false << 0;
    QTest::newRow("blank after sign") << "- 3" << false << 0;
    QTest::newRow("tab is no blank") << "\t7" << false << 0;
    QTest::newRow("sign alone") << "-" << false << 0;
    QTest::newRow("dollar alone") << "$" << false << 0;
    QTest::newRow("0x alone") << "0x" << false << 0;
    QTest::newRow("two signs") << "+-1" << false << 0;
    QTest::newRow("letters after digits") << "12a" << false << 0;
    QTest::newRow("hex digit in decimal") << "1A" << false << 0;
    QTest::newRow("not a hex digit") << "$1G" << false << 0;
    QTest::newRow("fraction") << "1.0" << false << 0;
    QTest::newRow("thousands") << "1 000" << false << 0;
    QTest::newRow("too large") << "2147483648" << false << 0;
    QTest::newRow("too small") << "-2147483649" << false << 0;
    QTest::newRow("hex too large") << "$100000000" << false << 0;
    QTest::newRow("non-ASCII digits") << u"\u0663"_qs << false << 0;
    QTest::newRow("full-width digit") << u"\uFF17"_qs << false << 0;
}

void TestProjectFile::wholeNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, converts);
    QFETCH(int, value);
    int result = 12345;
    QCOMPARE(ProjectFile::toWholeNumber(text, result), converts);
    QCOMPARE(result, converts ? value : 12345);
}

void TestProjectFile::write_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("empty document") << QString() << QStringList() << QByteArray("0\r\n0\r\n");
    QTest::newRow("two lines, two entries")
        << "Le chat dort.\r\nIl fait beau." << QStringList{"chat=cat", "beau=nice"}
        << QByteArray("2\r\n2\r\nLe chat dort.\r\nIl fait beau.\r\nchat\r\nbeau\r\ncat\r\nnice\r\n");
    QTest::newRow("final break adds no line")
        << "a\r\nb\r\n" << QStringList() << QByteArray("2\r\n0\r\na\r\nb\r\n");
    QTest::newRow("empty lines and values")
        << "\r\n\r\nc" << QStringList{"=", "x="}
        << QByteArray("3\r\n2\r\n\r\n\r\nc\r\n\r\nx\r\n\r\n\r\n");
    QTest::newRow("lone LF in the text") << "a\nb" << QStringList() << QByteArray("2\r\n0\r\na\r\nb\r\n");
    QTest::newRow("windows-1252") << u"Été"_qs << QStringList{u"cœur=heart"_qs}
                                  << QByteArray("1\r\n1\r\n\xC9t\xE9\r\nc\x9C" "ur\r\nheart\r\n");
    QTest::newRow("UTF-8 when needed") << u"Жук"_qs << QStringList{u"жук=scarabée"_qs}
                                       << QByteArray("\xEF\xBB\xBF" "1\r\n1\r\n\xD0\x96\xD1\x83\xD0\xBA\r\n"
                                                     "\xD0\xB6\xD1\x83\xD0\xBA\r\nscarab\xC3\xA9" "e\r\n");
    // One value per line: a break inside a word or definition would shift every line
    // after it, so it becomes a blank.
    QTest::newRow("line breaks inside values become blanks")
        << QString() << QStringList{"a\r\nb=c\rd\ne", "f=g\r\n\r\nh"}
        << QByteArray("0\r\n2\r\na b\r\nf\r\nc d e\r\ng  h\r\n");
}

void TestProjectFile::write()
{
    QFETCH(QString, text);
    QFETCH(QStringList, entries);
    QFETCH(QByteArray, expected);
    ExerciseDocument document;
    document.setText(text);
    for (const QString &entry : entries) {
        const qsizetype equals = entry.indexOf(QLatin1Char('='));
        document.AddEntry(entry.left(equals), entry.mid(equals + 1));
    }
    document.setSelected(0);
    const ExerciseDocument before = document;
    QCOMPARE(ProjectFile::toBytes(document), expected);
    QVERIFY(document == before);
}

void TestProjectFile::read_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("entries");
    // Files as the program writes them come back byte for byte; the others are read
    // by the lenient rules and would be written in the program's own form.
    QTest::addColumn<bool>("writtenBackIdentical");
    QTest::newRow("empty") << QByteArray("0\r\n0\r\n") << QString() << QStringList() << true;
    QTest::newRow("example")
        << QByteArray("2\r\n2\r\nLe chat dort.\r\nIl fait beau.\r\nchat\r\nbeau\r\ncat\r\nnice\r\n")
        << "Le chat dort.\r\nIl fait beau.\r\n" << QStringList{"chat=cat", "beau=nice"} << true;
    QTest::newRow("windows-1252 bytes, undefined ones too")
        << QByteArray("1\r\n1\r\n\xE9t\xE9 \x81\x8D\x8F\x90\x9D\r\n\x9C\r\n\x80\r\n")
        << u"été \u0081\u008D\u008F\u0090\u009D\r\n"_qs << QStringList{u"œ=€"_qs} << true;
    QTest::newRow("UTF-8 with its mark")
        << QByteArray("\xEF\xBB\xBF" "1\r\n1\r\n\xD0\x96 \xF0\x9F\x98\x80\r\n\xC3\xA9\r\n\r\n")
        << u"Ж \U0001F600\r\n"_qs << QStringList{u"é="_qs} << true;
    QTest::newRow("empty lines kept")
        << QByteArray("3\r\n1\r\n\r\nb\r\n\r\n\r\n\r\n") << "\r\nb\r\n\r\n" << QStringList{"="}
        << true;
    QTest::newRow("LF endings") << QByteArray("1\n1\nLe chat.\nchat\ncat\n") << "Le chat.\r\n"
                                << QStringList{"chat=cat"} << false;
    QTest::newRow("mixed endings, no final break") << QByteArray("2\r\n1\na\r\nb\nw\r\nd")
                                                   << "a\r\nb\r\n" << QStringList{"w=d"} << false;
    QTest::newRow("negative count, no message") << QByteArray("-1\r\n0\r\n") << QString()
                                                << QStringList() << false;
    QTest::newRow("negative entries")
        << QByteArray("1\r\n-5\r\nx\r\n") << "x\r\n" << QStringList() << false;
    QTest::newRow("counts in hex and with blanks") << QByteArray(" $1\r\n0x1\r\nt\r\nw\r\nd\r\n")
                                                   << "t\r\n" << QStringList{"w=d"} << false;
    QTest::newRow("file ends after the second word")
        << QByteArray("0\r\n3\r\nun\r\ndeux\r\n") << QString()
        << QStringList{"un=", "deux=", "="} << false;
    QTest::newRow("missing text lines are empty") << QByteArray("3\r\n0\r\na\r\n") << "a\r\n\r\n\r\n"
                                                  << QStringList() << false;
    QTest::newRow("lines after the end ignored")
        << QByteArray("1\r\n1\r\nt\r\nw\r\nd\r\nextra\r\nmore\r\n") << "t\r\n"
        << QStringList{"w=d"} << false;
    QTest::newRow("a lone CR stays inside its line")
        << QByteArray("0\r\n1\r\na\rb\r\nc\r\n") << QString() << QStringList{"a\rb=c"} << false;
}

void TestProjectFile::read()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(QStringList, entries);
    QFETCH(bool, writtenBackIdentical);
    ExerciseDocument document;
    ProjectFile::fromBytes(document, bytes);
    QCOMPARE(document.text(), text);
    QCOMPARE(entriesOf(document), entries);
    QCOMPARE(document.selected(), -1);
    if (writtenBackIdentical)
        QCOMPARE(ProjectFile::toBytes(document), bytes);
}

void TestProjectFile::failures_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("text");

    QTest::newRow("empty file") << QByteArray() << "'' n'est pas une valeur entière correcte"
                                << QString();
    QTest::newRow("first line not a number") << QByteArray("deux\r\n0\r\n")
                                             << "'deux' n'est pas une valeur entière correcte"
                                             << QString();
    QTest::newRow("second line not a number, text kept")
        << QByteArray("1\r\n1 \r\nLe chat.\r\nchat\r\n")
        << "'1 ' n'est pas une valeur entière correcte" << "Le chat.\r\n";
    QTest::newRow("second line missing") << QByteArray("0") << "'' n'est pas une valeur entière correcte"
                                         << QString();
    QTest::newRow("absurd line count")
        << QByteArray("2147483647")
        << "Le fichier annonce 2147483647 lignes mais n'en contient que 0." << QString();
    QTest::newRow("absurd entry count leaves nothing")
        << QByteArray("1\r\n1000000000\r\ntexte\r\nw\r\n")
        << "Le fichier annonce 2000000000 lignes mais n'en contient que 1." << QString();

    // The allowance for missing lines: 2^20 of them are still empty lines.
    const int allowance = 1 << 20;
    QTest::newRow("just beyond the allowance")
        << QByteArray::number(allowance + 3) + "\r\n0\r\na\r\nb\r\n"
        << QStringLiteral("Le fichier annonce %1 lignes mais n'en contient que 2.").arg(allowance + 3)
        << QString();
    QTest::newRow("entries just beyond the allowance")
        << "0\r\n" + QByteArray::number(allowance / 2 + 1) + "\r\nw\r\n"
        << QStringLiteral("Le fichier annonce %1 lignes mais n'en contient que 1.").arg(allowance + 2)
        << QString();
}

void TestProjectFile::failures()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QFETCH(QString, text);
    ExerciseDocument document;
    document.setText(QStringLiteral("ancien"));
    document.AddEntry(QStringLiteral("vieux"), QStringLiteral("old"));
    QCOMPARE(errorOf([&] { ProjectFile::fromBytes(document, bytes); }), message);
    QCOMPARE(document.text(), text);
    QCOMPARE(document.entryCount(), 0);
    QCOMPARE(document.selected(), -1);
}

void TestProjectFile::absurdCountIsQuick()
{
    // A count at the allowance is honoured with empty lines; the absurd one is refused
    // at once, without building anything for it.
    const int allowance = 1 << 20;
    ExerciseDocument document;
    ProjectFile::fromBytes(document, QByteArray::number(allowance + 2) + "\r\n1\r\na\r\nb\r\n");
    QCOMPARE(document.lineCount(), allowance + 2);
    QVERIFY(document.text().startsWith(QStringLiteral("a\r\nb\r\n\r\n")));
    QCOMPARE(entriesOf(document), QStringList{"="});

    ProjectFile::fromBytes(document, "0\r\n" + QByteArray::number(allowance / 2) + "\r\n");
    QCOMPARE(document.entryCount(), allowance / 2);

    QElapsedTimer timer;
    timer.start();
    const QString message = errorOf([&] {
        ProjectFile::fromBytes(document, "0\r\n2147483647\r\n");
    });
    QCOMPARE(message, QStringLiteral("Le fichier annonce 4294967294 lignes mais n'en contient que 0."));
    QVERIFY(document == ExerciseDocument());
    QVERIFY2(timer.elapsed() < 1000, "an absurd count must not be honoured line by line");
}

void TestProjectFile::loadReplacesEntries()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lecon.lxf"));
    writeAll(path, "1\n3\nLe chat et le chien.\nchien\nchat\nle\ndog\ncat\nthe\n");
    ExerciseDocument document;
    document.setText(QStringLiteral("autre"));
    document.AddEntry(QStringLiteral("vieux"), QStringLiteral("old"));
    document.setSelected(0);
    ProjectFile::load(document, path);
    QCOMPARE(entriesOf(document), (QStringList{"chien=dog", "chat=cat", "le=the"}));
    QCOMPARE(document.selected(), -1);
    document.GetSort(0);
    QCOMPARE(entriesOf(document), (QStringList{"chat=cat", "chien=dog", "le=the"}));
}

void TestProjectFile::loadMissingFileIsSilent()
{
    QTemporaryDir dir;
    ExerciseDocument document;
    document.setText(QStringLiteral("texte"));
    document.AddEntry(QStringLiteral("mot"), QString());
    QCOMPARE(errorOf([&] { ProjectFile::load(document, dir.filePath(QStringLiteral("absent.lxf"))); }),
             QStringLiteral("<none>"));
    QVERIFY(document == ExerciseDocument());

    // An absurd count names the file.
    const QString path = dir.filePath(QStringLiteral("abime.lxf"));
    writeAll(path, "2147483647");
    QCOMPARE(errorOf([&] { ProjectFile::load(document, path); }),
             QStringLiteral("Le fichier %1 annonce 2147483647 lignes mais n'en contient que 0.").arg(path));
}

void TestProjectFile::saveAndLoadFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lecon.lxf"));
    ExerciseDocument document;
    document.setText(u"Жук спит.\r\nLe cœur."_qs);
    document.AddEntry(u"Жук"_qs, u"scarabée"_qs);
    document.AddEntry(QString(), QString());
    ProjectFile::save(document, path);
    const QByteArray saved = readAll(path);
    QVERIFY(saved.startsWith("\xEF\xBB\xBF" "2\r\n2\r\n"));

    ExerciseDocument loaded;
    ProjectFile::load(loaded, path);
    QCOMPARE(loaded.text(), document.text() + QStringLiteral("\r\n"));
    QCOMPARE(entriesOf(loaded), entriesOf(document));
    ProjectFile::save(loaded, path);
    QCOMPARE(readAll(path), saved);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"lecon.lxf"});
}

void TestProjectFile::failedSaveKeepsOldFile_data()
{
    QTest::addColumn<QString>("kind"); // project, text or bytes
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("project, missing folder") << "project" << "absent/lecon.lxf"
                                             << "Nom de fichier incorrect";
    QTest::newRow("project, name of a folder") << "project" << "dossier"
                                               << QString::fromUtf8("Accès au fichier refusé");
    QTest::newRow("project, disk full") << "project" << "lecon.lxf" << "Disque plein";
    QTest::newRow("text, missing folder") << "text" << "absent/texte.txt"
                                          << QString::fromUtf8("Impossible de créer le fichier %1");
    QTest::newRow("text, name of a folder") << "text" << "dossier"
                                            << QString::fromUtf8("Impossible de créer le fichier %1");
    QTest::newRow("text, disk full") << "text" << "texte.txt" << "Disque plein";
    QTest::newRow("page, missing folder") << "bytes" << "absent/page.htm"
                                          << QString::fromUtf8("Impossible de créer le fichier %1");
}

void TestProjectFile::failedSaveKeepsOldFile()
{
    QFETCH(QString, kind);
    QFETCH(QString, name);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("dossier/dedans")));
    const QString path = dir.filePath(name);
    const QByteArray old("ancien contenu\r\n");
    const bool diskFull = message == u"Disque plein";
    if (diskFull)
        writeAll(path, old);

    ExerciseDocument document;
    document.setText(QString(20000, QLatin1Char('x')));
    QString error;
    {
        FileSizeLimit limit(diskFull ? 4096 : RLIM_INFINITY);
        if (kind == u"project")
            error = errorOf([&] { ProjectFile::save(document, path); });
        else if (kind == u"text")
            error = errorOf([&] { TextFile::save(path, document.text()); });
        else
            error = errorOf([&] {
                saveBytes(path, QByteArray("page"), QStringLiteral("Impossible de créer le fichier %1"));
            });
    }
    QCOMPARE(error, message.contains(QLatin1String("%1")) ? message.arg(path) : message);
    if (diskFull) {
        QCOMPARE(readAll(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QFileInfo(path).fileName()});
    } else if (name == u"dossier") {
        QVERIFY(QFileInfo(path).isDir());
        QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("dossier/dedans"))));
    } else {
        QVERIFY(!QFileInfo::exists(path));
    }
}

void TestProjectFile::textFileLoad_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("CR LF kept") << QByteArray("a\r\nb\r\n") << "a\r\nb\r\n";
    QTest::newRow("lone LF") << QByteArray("a\nb\n") << "a\r\nb\r\n";
    QTest::newRow("lone CR") << QByteArray("a\rb") << "a\r\nb";
    QTest::newRow("mixed, blank lines kept") << QByteArray("a\n\r\n\rb\n\n") << "a\r\n\r\n\r\nb\r\n\r\n";
    QTest::newRow("LF CR is two breaks") << QByteArray("a\n\rb") << "a\r\n\r\nb";
    QTest::newRow("windows-1252") << QByteArray("\xE9t\xE9\n") << u"été\r\n"_qs;
    QTest::newRow("UTF-8") << QByteArray("\xD0\x96\n") << u"Ж\r\n"_qs;
    QTest::newRow("empty") << QByteArray() << QString();
}

void TestProjectFile::textFileLoad()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("texte.txt"));
    writeAll(path, bytes);
    QCOMPARE(TextFile::load(path), expected);
}

void TestProjectFile::textFileSaveAsItStands()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Lexifind.txt"));
    writeAll(path, "ancien");
    TextFile::save(path, u"Le cœur\r\nbat"_qs);
    QCOMPARE(readAll(path), QByteArray("Le c\x9C" "ur\r\nbat"));
    TextFile::save(path, u"Жук\r\n"_qs);
    QCOMPARE(readAll(path), QByteArray("\xEF\xBB\xBF\xD0\x96\xD1\x83\xD0\xBA\r\n"));
    QCOMPARE(TextFile::load(path), u"Жук\r\n"_qs);
}

// Files in other encodings: read with nothing lost, written back by the usual rule
// (windows-1252 when it fits, else UTF-8 with its mark).
void TestProjectFile::otherEncodings_data()
{
    QTest::addColumn<bool>("project");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QByteArray>("saved");
    const QByteArray project("1\r\n1\r\n\xE9t\xE9\r\nchat\r\ncat\r\n");
    const QString projectText = u"1\r\n1\r\nété\r\nchat\r\ncat\r\n"_qs;
    const QStringList chat{"chat=cat"};
    QTest::newRow("project, mark then windows-1252")
        << true << "\xEF\xBB\xBF" + project << u"été\r\n"_qs << chat << project;
    QTest::newRow("project, UTF-16 LE, CR LF")
        << true << utf16(projectText, false) << u"été\r\n"_qs << chat << project;
    QTest::newRow("project, UTF-16 BE, LF")
        << true << utf16(u"1\n1\nété\nchat\ncat\n"_qs, true) << u"été\r\n"_qs << chat << project;
    QTest::newRow("project, UTF-16 LE, Cyrillic")
        << true << utf16(u"1\r\n1\r\nЖук\r\nжук\r\nbeetle\r\n"_qs, false) << u"Жук\r\n"_qs
        << QStringList{u"жук=beetle"_qs}
        << QByteArray("\xEF\xBB\xBF" "1\r\n1\r\n\xD0\x96\xD1\x83\xD0\xBA\r\n"
                      "\xD0\xB6\xD1\x83\xD0\xBA\r\nbeetle\r\n");
    QTest::newRow("project, UTF-16 BE, odd last byte")
        << true << utf16(u"1\r\n1\r\nt\r\nw\r\nd"_qs, true) + '\xE9' << u"t\r\n"_qs
        << QStringList{u"w=dé"_qs} << QByteArray("1\r\n1\r\nt\r\nw\r\nd\xE9\r\n");
    QTest::newRow("text, mark then windows-1252")
        << false << QByteArray("\xEF\xBB\xBF\xE9t\xE9\n") << u"été\r\n"_qs << QStringList()
        << QByteArray("\xE9t\xE9\r\n");
    QTest::newRow("text, UTF-16 LE, CR LF")
        << false << utf16(u"Le cœur\r\nbat\r\n"_qs, false) << u"Le cœur\r\nbat\r\n"_qs
        << QStringList() << QByteArray("Le c\x9Cur\r\nbat\r\n");
    QTest::newRow("text, UTF-16 BE, LF, Cyrillic")
        << false << utf16(u"Жук\nбит"_qs, true) << u"Жук\r\nбит"_qs << QStringList()
        << QByteArray("\xEF\xBB\xBF\xD0\x96\xD1\x83\xD0\xBA\r\n\xD0\xB1\xD0\xB8\xD1\x82");
    QTest::newRow("text, UTF-16 LE, odd last byte")
        << false << utf16(u"a\r\n"_qs, false) + 'b' << u"a\r\nb"_qs << QStringList()
        << QByteArray("a\r\nb");
}

void TestProjectFile::otherEncodings()
{
    QFETCH(bool, project);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(QStringList, entries);
    QFETCH(QByteArray, saved);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fichier"));
    const QString copy = dir.filePath(QStringLiteral("copie"));
    writeAll(path, bytes);
    if (project) {
        ExerciseDocument document;
        ProjectFile::load(document, path);
        QCOMPARE(document.text(), text);
        QCOMPARE(entriesOf(document), entries);
        ProjectFile::save(document, copy);
    } else {
        QCOMPARE(TextFile::load(path), text);
        TextFile::save(copy, text);
    }
    QCOMPARE(readAll(copy), saved);
}

void TestProjectFile::textFileFailures()
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("absent.txt"));
    QCOMPARE(errorOf([&] { TextFile::load(missing); }),
             QStringLiteral("Impossible d'ouvrir le fichier %1 : il n'existe pas").arg(missing));
    QCOMPARE(errorOf([&] { TextFile::load(dir.path()); }),
             QStringLiteral("Impossible d'ouvrir le fichier %1 : c'est un dossier").arg(dir.path()));
}

void TestProjectFile::optionsWritten_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("block"); // after the document's lines
    QTest::newRow("none: the old bytes") << QStringList() << QByteArray();
    QTest::newRow("the page's defaults are start values")
        << QStringList{u"RightMessage=C'est juste !"_qs, "BackgroundColor=#ffffff"} << QByteArray();
    QTest::newRow("declared order, windows-1252")
        << QStringList{"BackgroundColor=#FF0000", u"PageTitle=Leçon 3"_qs, "MasteryScore=80"}
        << QByteArray("[Lexifind options 1]\r\nPageTitle=Le\xE7on 3\r\nBackgroundColor=#FF0000\r\n"
                      "MasteryScore=80\r\n");
    QTest::newRow("escapes") << QStringList{"RightMessage=a\\b\r\nc\td\x01 ", "TextTitle= "}
                             << QByteArray("[Lexifind options 1]\r\nTextTitle=\\u0020\r\n"
                                           "RightMessage=a\\\\b\\r\\nc\\td\\u0001\\u0020\r\n");
    QTest::newRow("other script: UTF-8")
        << QStringList{u"TextTitle=Жук \U0001F600"_qs}
        << QByteArray("[Lexifind options 1]\r\nTextTitle=\xD0\x96\xD1\x83\xD0\xBA \xF0\x9F\x98\x80\r\n");
    QTest::newRow("unknown options kept, after the known ones")
        << QStringList{"Dictionary=fr-en", "WrongMessage=Non", "LearnerName="}
        << QByteArray("[Lexifind options 1]\r\nWrongMessage=Non\r\nDictionary=fr-en\r\nLearnerName=\r\n");
}

// Written, then read by this program and by a reader of the format: the same lesson, the
// same options, the same bytes again.
void TestProjectFile::optionsWritten()
{
    QFETCH(QStringList, options);
    QFETCH(QByteArray, block);
    ExerciseDocument document;
    document.setText(QStringLiteral("Le chat dort.\r\nIl fait beau."));
    document.AddEntry(QStringLiteral("chat"), QStringLiteral("cat"));
    const PageSettings settings = settingsOf(options);
    const QByteArray old = ProjectFile::toBytes(document);
    const QByteArray bytes = ProjectFile::toBytes(document, settings);
    const bool utf8 = block.contains("\xD0");
    QCOMPARE(bytes, (utf8 ? "\xEF\xBB\xBF" + old : old) + block);

    const ProjectFile::Project project = ProjectFile::read(bytes, QStringLiteral("lecon.lxf"));
    QCOMPARE(project.warnings, QStringList());
    QCOMPARE(project.document.text(), document.text() + QStringLiteral("\r\n"));
    QCOMPARE(entriesOf(project.document), entriesOf(document));
    QCOMPARE(ProjectFile::toBytes(project.document, project.settings), bytes);
    QCOMPARE(formatLines(bytes), formatLines(old));
    ExerciseDocument oldReader;
    ProjectFile::fromBytes(oldReader, bytes);
    QVERIFY(oldReader == project.document);
}

void TestProjectFile::optionsRead_data()
{
    QTest::addColumn<QByteArray>("after"); // the lines after a document of one entry
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("warnings");
    const QByteArray marker("[Lexifind options 1]\r\n");
    QTest::newRow("lines without the marker are ignored")
        << QByteArray("PageTitle=X\r\n") << QStringList() << QStringList();
    QTest::newRow("a colour and the mastery score that cannot be read back")
        << marker + "BackgroundColor=#ff000\r\nTextColor=Red\r\nHighlightColor= #ABC\r\n"
                    "MasteryScore=150\r\nAnswerColor=rgb(1, 2, 3)\r\n"
        << QStringList{"HighlightColor= #ABC", "TextColor=Red", "AnswerColor=rgb(1, 2, 3)"}
        << QStringList{u"L'option BackgroundColor du fichier f.lxf vaut « #ff000 », qui n'est pas "
                       "une couleur : elle garde sa valeur de départ."_qs,
                       u"L'option MasteryScore du fichier f.lxf vaut « 150 », qui n'est pas un "
                       "nombre entier de 0 à 100 : elle garde sa valeur de départ."_qs};
    QTest::newRow("edited by hand: LF, empty lines, a repeat, a stray escape")
        << QByteArray("[Lexifind options 1]\n\nPageTitle=a\nPageTitle=b\\q\\u00E9\\u12\n\n")
        << QStringList{u"PageTitle=b\\qé\\u12"_qs} << QStringList();
    QTest::newRow("a line that is no option")
        << marker + "Titre de la page\r\n=x\r\nMasteryScore=50\r\n" << QStringList{"MasteryScore=50"}
        << QStringList{u"La ligne « Titre de la page » des options de page du fichier f.lxf n'est "
                       "pas de la forme NOM=VALEUR : elle est ignorée."_qs,
                       u"La ligne « =x » des options de page du fichier f.lxf n'est pas de la forme "
                       "NOM=VALEUR : elle est ignorée."_qs};
    QTest::newRow("a later version's block")
        << QByteArray("[Lexifind options 2]\r\nPageTitle=X\r\n") << QStringList()
        << QStringList{u"Les options de page du fichier f.lxf sont écrites pour une version plus "
                       "récente de Lexifind : elles ne sont pas lues."_qs};
}

void TestProjectFile::optionsRead()
{
    QFETCH(QByteArray, after);
    QFETCH(QStringList, options);
    QFETCH(QStringList, warnings);
    const QByteArray lesson("1\r\n1\r\nLe chat.\r\nchat\r\ncat\r\n");
    const ProjectFile::Project project = ProjectFile::read(lesson + after, QStringLiteral("f.lxf"));
    QCOMPARE(project.warnings, warnings);
    QVERIFY(project.settings == settingsOf(options));
    QCOMPARE(entriesOf(project.document), QStringList{"chat=cat"});
}

void TestProjectFile::notAProject_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("problem"); // after "Impossible d'ouvrir le fichier f.lxf : "
    QTest::newRow("empty") << QByteArray() << "le fichier est vide";
    QTest::newRow("a text file")
        << QByteArray("Il \xE9tait une fois, dans un pays lointain, un roi.\r\n")
        << u"ce n'est pas un projet Lexifind, sa ligne 1 « Il était une fois, dans un pays "
           "lointain… » devrait donner le nombre de lignes du texte"_qs;
    QTest::newRow("second count") << QByteArray("1\r\ndeux\r\nt\r\n")
                                  << u"ce n'est pas un projet Lexifind, sa ligne 2 « deux » devrait "
                                     "donner le nombre de mots de la liste"_qs;
    QTest::newRow("a program") << QByteArray("\x7F" "ELF\x02\x01\x01\0\0\0>\0", 12)
                               << "ce n'est pas un projet Lexifind, mais un fichier binaire";
    QTest::newRow("an image, NUL further on")
        << QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16)
        << "ce n'est pas un projet Lexifind, mais un fichier binaire";
    // Read with a warning, not refused.
    QTest::newRow("shorter than announced") << QByteArray("2\r\n3\r\nun\r\n") << QString();
}

void TestProjectFile::notAProject()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, problem);
    const QString name = QStringLiteral("f.lxf");
    if (problem.isEmpty()) {
        const ProjectFile::Project project = ProjectFile::read(bytes, name);
        QCOMPARE(project.warnings,
                 QStringList{u"Le fichier f.lxf est incomplet : il lui manque 7 des lignes que ses "
                             "nombres annoncent, lues comme vides (texte, mots ou définitions)."_qs});
        QCOMPARE(project.document.text(), QStringLiteral("un\r\n\r\n"));
        QCOMPARE(project.document.entryCount(), 3);
        return;
    }
    QCOMPARE(errorOf([&] { ProjectFile::read(bytes, name); }),
             QStringLiteral("Impossible d'ouvrir le fichier f.lxf : ") + problem);
    // The same from a file, and a file that cannot be read at all.
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    writeAll(path, bytes);
    QCOMPARE(errorOf([&] { ProjectFile::load(path); }),
             QStringLiteral("Impossible d'ouvrir le fichier %1 : ").arg(path) + problem);
    QCOMPARE(errorOf([&] { ProjectFile::load(path + u'x'); }),
             QStringLiteral("Impossible d'ouvrir le fichier %1x : il n'existe pas").arg(path));
    QCOMPARE(errorOf([&] { ProjectFile::load(dir.path()); }),
             QStringLiteral("Impossible d'ouvrir le fichier %1 : c'est un dossier").arg(dir.path()));
}

void TestProjectFile::withExtension_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("expected");
    QTest::newRow("appended") << "lecon" << "txt" << "lecon.txt";
    QTest::newRow("already there") << "notes.txt" << "txt" << "notes.txt";
    QTest::newRow("case ignored") << "/d/NOTES.TXT" << "txt" << "/d/NOTES.TXT";
    QTest::newRow(".html counts as .htm") << "essai.HTML" << "htm" << "essai.HTML";
    QTest::newRow("but not for another") << "essai.html" << "txt" << "essai.html.txt";
    QTest::newRow("another extension") << "page.htm" << "zip" << "page.htm.zip";
    QTest::newRow("a dot in a folder") << "/d.txt/lecon" << "txt" << "/d.txt/lecon.txt";
    QTest::newRow("the end of a word") << "/d/htmlhtm" << "htm" << "/d/htmlhtm.htm";
}

void TestProjectFile::withExtension()
{
    QFETCH(QString, path);
    QFETCH(QString, extension);
    QFETCH(QString, expected);
    QCOMPARE(WithExtension(path, extension), expected);
}

QTEST_GUILESS_MAIN(TestProjectFile)
#include "tst_projectfile.moc"
