#include "page/ScormPackage.h"

#include "document/ExerciseDocument.h"
#include "document/LexifindError.h"
#include "document/SaveFile.h"
#include "page/PageSettings.h"
#include "page/PageWriter.h"

#include <QCryptographicHash>
#include <QFile>

#include <zip.h>

#include <memory>

namespace lexifind {

namespace {

const QString kLaunchFile = QStringLiteral("index.html");

// The mastery score as a whole percentage; -1 for none.
int MasteryPercent(const QString &option)
{
    const QString text = option.trimmed();
    if (text.isEmpty())
        return -1;
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok)
        throw Error(QStringLiteral("'%1' n'est pas une valeur entière correcte").arg(text));
    if (value < 0 || value > 100)
        throw Error(QStringLiteral("Le score de maîtrise %1 n'est pas entre 0 et 100").arg(value));
    return value;
}

// Element content for the manifest: the markup characters as references, and the
// characters that XML 1.0 cannot carry at all left out.
QString XmlText(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c.isHighSurrogate() && i + 1 < value.size() && value[i + 1].isLowSurrogate()) {
            out += c;
            out += value[++i];
            continue;
        }
        if (c.isSurrogate() || (c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r')
            || c.unicode() == 0xFFFE || c.unicode() == 0xFFFF)
            continue;
        switch (c.unicode()) {
        case u'&': out += QStringLiteral("&amp;"); break;
        case u'<': out += QStringLiteral("&lt;"); break;
        case u'>': out += QStringLiteral("&gt;"); break;
        default: out += c;
        }
    }
    return out;
}

// One identifier per lesson, from its title, text and entries: a platform recognises the
// same lesson written again, and never takes another lesson, even of the same title,
// for a new version of it.
QString LessonIdentifier(const ExerciseDocument &document, const QString &title)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    // Each part with its length before it, so that no two lessons run together alike.
    const auto add = [&hash](const QString &part) {
        const QByteArray bytes = part.toUtf8();
        hash.addData(QByteArray::number(bytes.size()) + ':');
        hash.addData(bytes);
    };
    add(title);
    add(document.text());
    for (const QString &word : document.words())
        add(word);
    for (const QString &definition : document.definitions())
        add(definition);
    return QStringLiteral("LEXIFIND-") + QString::fromLatin1(hash.result().toHex().left(24));
}

QString Manifest(ScormEdition edition, const QString &id, const QString &title, int mastery)
{
    const QString xmlTitle = XmlText(title);
    const bool is2004 = edition == ScormEdition::Scorm2004;

    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    if (is2004) {
        xml += QStringLiteral(
            "<manifest identifier=\"%1\" version=\"1\"\n"
            "  xmlns=\"http://www.imsglobal.org/xsd/imscp_v1p1\"\n"
            "  xmlns:adlcp=\"http://www.adlnet.org/xsd/adlcp_v1p3\"\n"
            "  xmlns:adlseq=\"http://www.adlnet.org/xsd/adlseq_v1p3\"\n"
            "  xmlns:adlnav=\"http://www.adlnet.org/xsd/adlnav_v1p3\"\n"
            "  xmlns:imsss=\"http://www.imsglobal.org/xsd/imsss\">\n"
            "  <metadata>\n"
            "    <schema>ADL SCORM</schema>\n"
            "    <schemaversion>2004 4th Edition</schemaversion>\n"
            "  </metadata>\n").arg(id);
    } else {
        xml += QStringLiteral(
            "<manifest identifier=\"%1\" version=\"1.0\"\n"
            "  xmlns=\"http://www.imsproject.org/xsd/imscp_rootv1p1p2\"\n"
            "  xmlns:adlcp=\"http://www.adlnet.org/xsd/adlcp_rootv1p2\">\n"
            "  <metadata>\n"
            "    <schema>ADL SCORM</schema>\n"
            "    <schemaversion>1.2</schemaversion>\n"
            "  </metadata>\n").arg(id);
    }
    xml += QStringLiteral(
        "  <organizations default=\"%1-ORG\">\n"
        "    <organization identifier=\"%1-ORG\">\n"
        "      <title>%2</title>\n"
        "      <item identifier=\"%1-ITEM\" identifierref=\"%1-SCO\">\n"
        "        <title>%2</title>\n").arg(id, xmlTitle);
    if (mastery >= 0) {
        // The platform's own verdict then agrees with the page's.
        if (is2004)
            xml += QStringLiteral(
                "        <imsss:sequencing>\n"
                "          <imsss:objectives>\n"
                "            <imsss:primaryObjective objectiveID=\"%1-OBJ\" satisfiedByMeasure=\"true\">\n"
                "              <imsss:minNormalizedMeasure>%2</imsss:minNormalizedMeasure>\n"
                "            </imsss:primaryObjective>\n"
                "          </imsss:objectives>\n"
                "        </imsss:sequencing>\n").arg(id, QString::number(mastery / 100.0));
        else
            xml += QStringLiteral("        <adlcp:masteryscore>%1</adlcp:masteryscore>\n").arg(mastery);
    }
    xml += QStringLiteral(
        "      </item>\n"
        "    </organization>\n"
        "  </organizations>\n"
        "  <resources>\n"
        "    <resource identifier=\"%1-SCO\" type=\"webcontent\" adlcp:%2=\"sco\" href=\"%3\">\n"
        "      <file href=\"%3\"/>\n"
        "    </resource>\n"
        "  </resources>\n"
        "</manifest>\n").arg(id, is2004 ? QStringLiteral("scormType") : QStringLiteral("scormtype"),
                             kLaunchFile);
    return xml;
}

// The script that reports to the platform, with this package's settings.
QString AdapterScript(ScormEdition edition, int mastery)
{
    QFile resource(QStringLiteral(":/scorm/scorm-adapter.js"));
    if (!resource.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Le script SCORM manque au programme"));
    // Without its comments and indentation: the learner's page carries only the code.
    QString script;
    for (QStringView line : QString::fromUtf8(resource.readAll()).split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u"//"))
            continue;
        script += line;
        script += u'\n';
    }
    script.chop(1);
    script += QStringLiteral("({\"version\": \"%1\", \"masteryScore\": %2});\n")
                  .arg(edition == ScormEdition::Scorm2004 ? QStringLiteral("2004")
                                                          : QStringLiteral("1.2"),
                       mastery >= 0 ? QString::number(mastery) : QStringLiteral("null"));
    return script;
}

// error is ours to release unless it belongs to a source.
[[noreturn]] void ZipFailed(zip_error_t *error, bool ours = true)
{
    const QString reason = QString::fromLocal8Bit(zip_error_strerror(error));
    if (ours)
        zip_error_fini(error);
    throw Error(QStringLiteral("Impossible de créer l'archive SCORM : %1").arg(reason));
}

} // namespace

QList<PackageFile> ScormFiles(const ExerciseDocument &document, PageSettings &settings,
                              ScormEdition edition, const DivisionCheck &check)
{
    // The package always carries the modern page; the teacher's choice of style for the
    // plain page stays as it was, the defaults filled in are kept as for any page.
    struct KeepStyle
    {
        PageSettings &settings;
        PageSettings forPage;
        ~KeepStyle()
        {
            forPage.PageStyle = settings.PageStyle;
            settings = forPage;
        }
    } keep{settings, settings};
    keep.forPage.PageStyle = QStringLiteral("moderne");

    const int mastery = MasteryPercent(settings.MasteryScore);
    bool refused = false;
    const QByteArray page = BuildPage(document, keep.forPage, AdapterScript(edition, mastery),
                                      [&](const Division &division) {
                                          refused = check && !check(division);
                                          return !refused;
                                      });
    if (refused)
        return {};
    return {
        {QStringLiteral("imsmanifest.xml"),
         Manifest(edition, LessonIdentifier(document, keep.forPage.PageTitle),
                  keep.forPage.PageTitle, mastery).toUtf8()},
        {kLaunchFile, page},
    };
}

QByteArray BuildScormPackage(const ExerciseDocument &document, PageSettings &settings,
                             ScormEdition edition, const DivisionCheck &check)
{
    const QList<PackageFile> files = ScormFiles(document, settings, edition, check);
    if (files.isEmpty())
        return {};

    zip_error_t error;
    zip_error_init(&error);
    // The archive is made in memory and saved like every other file, atomically.
    zip_source_t *memory = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (!memory)
        ZipFailed(&error);
    const auto freeSource = [](zip_source_t *source) { zip_source_free(source); };
    std::unique_ptr<zip_source_t, decltype(freeSource)> keepMemory(memory, freeSource);
    zip_source_keep(memory); // still ours after the archive is closed

    zip_t *archive = zip_open_from_source(memory, ZIP_TRUNCATE, &error);
    if (!archive)
        ZipFailed(&error);
    for (const PackageFile &file : files) {
        zip_source_t *content =
            zip_source_buffer(archive, file.bytes.constData(), zip_uint64_t(file.bytes.size()), 0);
        if (!content
            || zip_file_add(archive, file.name.toUtf8().constData(), content, ZIP_FL_ENC_UTF_8) < 0) {
            if (content)
                zip_source_free(content);
            zip_error_set(&error, zip_error_code_zip(zip_get_error(archive)), 0);
            zip_discard(archive);
            ZipFailed(&error);
        }
    }
    if (zip_close(archive) < 0) {
        zip_error_set(&error, zip_error_code_zip(zip_get_error(archive)), 0);
        zip_discard(archive);
        ZipFailed(&error);
    }

    QByteArray bytes;
    zip_stat_t stat;
    if (zip_source_stat(memory, &stat) < 0 || !(stat.valid & ZIP_STAT_SIZE)
        || zip_source_open(memory) < 0)
        ZipFailed(zip_source_error(memory), false);
    bytes.resize(qsizetype(stat.size));
    const zip_int64_t read = zip_source_read(memory, bytes.data(), stat.size);
    zip_source_close(memory);
    if (read != zip_int64_t(stat.size))
        ZipFailed(zip_source_error(memory), false);
    return bytes;
}

void WriteScormPackage(const QString &path, const QByteArray &package)
{
    saveBytes(path, package, QStringLiteral("Impossible de créer le fichier %1"));
}

} // namespace lexifind
