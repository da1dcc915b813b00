#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>

namespace lexifind {

class ExerciseDocument;
struct Division;
struct PageSettings;

// Sees the division of the text that the page is about to be written from, after the
// checks and before the first byte; returning false writes nothing. The text is divided
// once, for the page and for whatever looks at its words (which entries can be found).
using DivisionCheck = std::function<bool(const Division &)>;

// The one road to the exercise page, shared by the main window and lexifind-page.
// Fills in the defaults of settings (kept there), then returns the page's bytes in the
// style the settings ask for (the classic page in windows-1252). addOnScript is script
// that a package adds to the modern page (the classic page never carries one). Throws
// lexifind::Error for a document the page cannot be made of (an empty word list) or an
// unknown page style. check, when given, sees the division first; when it refuses,
// the page is empty.
QByteArray BuildPage(const ExerciseDocument &document, PageSettings &settings,
                     const QString &addOnScript = {}, const DivisionCheck &check = {});

// Where a page's bytes go, piece by piece, so that the page of a large text never
// stands whole in memory: standard output, a file being saved, or a byte array.
class PageSink
{
public:
    virtual ~PageSink() = default;
    virtual void write(QByteArrayView bytes) = 0;
};

// The page into a byte array.
class ByteArraySink : public PageSink
{
public:
    explicit ByteArraySink(QByteArray &bytes) : m_bytes(bytes) {}
    void write(QByteArrayView bytes) override { m_bytes.append(bytes); }

private:
    QByteArray &m_bytes;
};

// BuildPage's page, written into sink as it is made. The checks (an empty word list, an
// unknown page style) come before the first byte, and then check, when given.
void WritePageTo(PageSink &sink, const ExerciseDocument &document, PageSettings &settings,
                 const QString &addOnScript = {}, const DivisionCheck &check = {});

// Writes page to path + ".htm", atomically; returns the path written. Throws
// lexifind::Error("Impossible de créer le fichier <path>.htm").
QString WritePage(const QString &path, const QByteArray &page);

} // namespace lexifind
