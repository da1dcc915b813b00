#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <string_view>
#include <vector>

namespace lexifind {

// The files of one dictionary in the dictd format: its index (one line a headword: the
// headword, the article's offset and length in base 64) and its articles, plain (.dict)
// or gzip-compressed (.dict.dz, in dictzip's chunks where dictzip wrote it).
struct DictionaryFiles
{
    QString name; // the files' base name: "freedict-fra-eng"
    QString indexPath;
    QString dataPath;
};

// One sense of an article, and the form of the word it was found under.
struct DictionaryLookup
{
    QString headword; // the key found in the index; empty when the word is absent
    QStringList senses; // each shortened to one line, in the articles' order
};

// Reads nothing until it is asked: the index when the first word is looked up, then
// only the chunks that hold the articles found. No server is involved.
class Dictionary
{
public:
    // Where Debian installs them (the FreeDict "dict-freedict-*" packages, "dict-wn"...).
    static QString defaultFolder();
    // The dictionaries of folder, by name; only the folder's listing is read.
    static std::vector<DictionaryFiles> installed(const QString &folder = defaultFolder());
    // A name among folder's dictionaries, or a path to one's .index, .dict or .dict.dz
    // (or to their common base). Throws lexifind::Error in French when there is none.
    static DictionaryFiles locate(const QString &nameOrPath, const QString &folder = defaultFolder());
    // "français → anglais" from a FreeDict name ("freedict-fra-eng"); empty otherwise.
    static QString languagesOfName(const QString &name);
    // What to do when no dictionary is installed.
    static QString installAdvice();

    explicit Dictionary(DictionaryFiles files);
    ~Dictionary();
    Dictionary(const Dictionary &) = delete;
    Dictionary &operator=(const Dictionary &) = delete;

    const DictionaryFiles &files() const { return m_files; }
    // The name with its languages, from the name or else from the dictionary's own
    // short description (which reads the index).
    QString description();

    // The articles filed under key, once the key is folded as the index folds its
    // headwords (lower case, letters, digits and blanks only, unless the dictionary
    // keeps case or every character). Throws lexifind::Error when a file cannot be read.
    QStringList articles(const QString &key);
    // The word as written, then folded: without an elided article ("l'", "d'"...), then
    // the base forms of its ending (plurals, feminines, verb endings) that the index has.
    DictionaryLookup lookup(const QString &word);

    // An article's senses: its numbered senses ("1.", "n 1:"), or else its paragraphs,
    // the heading line left out; each made one line of at most maxLength characters.
    static QStringList senses(const QString &article, int maxLength = 100);

private:
    void loadIndex();
    // The index lines of a key exactly as the index holds it.
    std::vector<std::string_view> indexLines(const QByteArray &key) const;
    QByteArray read(qint64 offset, qint64 length);

    DictionaryFiles m_files;
    struct Data;
    std::unique_ptr<Data> m_data;
};

} // namespace lexifind
