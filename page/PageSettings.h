#pragma once

#include <QString>
#include <QStringList>

namespace lexifind {

// The options of the exercise page, empty at start, never stored in a file: the classic
// page's sixteen, then those of the other page styles and of the packages.
struct PageSettings
{
    QString PageTitle;
    QString TextTitle;
    QString Instruction;
    QString DoneMessage;
    QString RightMessage;
    QString WrongMessage;
    QString NextCaption;
    QString FontFamily;
    QString BackgroundColor;
    QString HighlightColor;
    QString TextColor;
    QString AnswerZoneColor;
    QString AnswerColor;
    QString VocabularyBackColor;
    QString VocabularyTextColor;
    QString DefinitionColor;
    // A BCP 47 tag ("fr", "zh-Hans"); empty: the page declares none.
    QString TextLanguage;
    // Empty or "classique": the classic page; "moderne": the modern page.
    QString PageStyle;
    QString ScoreLabel;
    QString RestartCaption;
    // What a screen reader hears after a found word.
    QString FoundLabel;
    // Percentage of questions found that passes in a learning platform; empty: none.
    QString MasteryScore;
    // The dictd dictionary that proposes definitions: a name under /usr/share/dictd or a
    // path; empty: none.
    QString Dictionary;

    // The page style the options ask for.
    bool IsModernStyle() const;

    // Stores the default into every empty option but TextTitle.
    void FillDefaults();

    // The names in declared order, and access by name (nullptr for an unknown name).
    static const QStringList &OptionNames();
    QString *option(const QString &name);
    const QString *option(const QString &name) const;

    friend bool operator==(const PageSettings &, const PageSettings &) = default;
};

} // namespace lexifind
