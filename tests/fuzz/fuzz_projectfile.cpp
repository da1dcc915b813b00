// Any bytes as a project file: read, written back and read again give the same
// document and options; the page built from it holds one script, one style sheet and only the
// page's own tags, whatever the values (they also fill every page option).
#include "document/ExerciseDocument.h"
#include "document/LexifindError.h"
#include "document/ProjectFile.h"
#include "page/PageSettings.h"
#include "page/PageWriter.h"

#include <QRegularExpression>
#include <QSet>

#include <cstdlib>

using namespace lexifind;

namespace {

void require(bool condition, const char *what)
{
    if (!condition) {
        fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

bool sameDocument(const ExerciseDocument &a, const ExerciseDocument &b)
{
    return a.text() == b.text() && a.words() == b.words() && a.definitions() == b.definitions();
}

ExerciseDocument read(const QByteArray &bytes)
{
    ExerciseDocument document;
    try {
        ProjectFile::fromBytes(document, bytes);
    } catch (const Error &) {
        // What was read so far stays: the properties hold for it as well.
    }
    return document;
}

void checkPage(const QByteArray &page)
{
    const QString text = QString::fromLatin1(page);
    require(text.count(QStringLiteral("<script")) == 1 && text.count(QStringLiteral("</script")) == 1,
            "one script");
    require(text.count(QStringLiteral("<style")) == 1 && text.count(QStringLiteral("</style")) == 1,
            "one style sheet");
    require(text.count(QStringLiteral("<span ")) == text.count(QStringLiteral("</span>")),
            "spans closed");
    static const QSet<QString> pageTags{
        u"html"_qs, u"head"_qs, u"title"_qs, u"meta"_qs, u"script"_qs, u"style"_qs, u"body"_qs,
        u"table"_qs, u"tr"_qs, u"td"_qs, u"blockquote"_qs, u"font"_qs, u"br"_qs, u"strong"_qs,
        u"div"_qs, u"span"_qs, u"input"_qs, u"a"_qs, u"em"_qs, u"b"_qs};
    static const QRegularExpression tag(QStringLiteral("</?([A-Za-z][A-Za-z0-9]*)"));
    for (auto it = tag.globalMatch(text); it.hasNext();)
        require(pageTags.contains(it.next().captured(1)), "no stray tag");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const ExerciseDocument first = read(bytes);
    const QByteArray written = ProjectFile::toBytes(first);
    const ExerciseDocument second = read(written);
    // A word holding a lone CR is written with a blank: from the first write on, the
    // file and the document no longer change.
    const QByteArray again = ProjectFile::toBytes(second);
    require(again == written, "written back identical");
    require(sameDocument(second, read(again)), "read again, the same document");

    // Read as a lesson with its options: written back with them, the same again.
    try {
        const ProjectFile::Project project = ProjectFile::read(bytes, QStringLiteral("f"));
        const QByteArray withOptions = ProjectFile::toBytes(project.document, project.settings);
        const ProjectFile::Project again = ProjectFile::read(withOptions, QStringLiteral("f"));
        require(ProjectFile::toBytes(again.document, again.settings) == withOptions,
                "written back identical with options");
    } catch (const Error &) {
    }

    if (second.words().isEmpty())
        return 0;
    PageSettings settings;
    const QStringList names = PageSettings::OptionNames();
    // The classic page: the style option is the one value that must name a style.
    for (qsizetype i = 0; i < names.size(); ++i)
        if (names[i] != u"PageStyle")
            *settings.option(names[i]) = second.definitions().at(i % second.definitions().size());
    checkPage(BuildPage(second, settings));
    return 0;
}
