#pragma once

#include <QString>
#include <QStringList>

#include <utility>

namespace lexifind {

// The options of the exercise page, empty at start, stored with the lesson's project: the
// classic page's sixteen, then those of the other page styles and of the packages.
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
    // The modern page's play: "oui" brings the next question by itself after a right
    // answer; the word shown after that many wrong tries ("0": never); "texte" or
    // "hasard" for the questions' order; "oui" offers the found words spoken.
    QString AutoNext;
    QString ShowAnswerAfter;
    QString QuestionOrder;
    QString Pronounce;
    // The modern page's own words: labels of the success rate and the question's number,
    // the caption that starts the round of missed words, what introduces and marks a
    // word shown, how keys move and answer, what Enter does after a right answer, and
    // the caption of a word's speech button.
    QString RateLabel;
    QString QuestionLabel;
    QString ReviewCaption;
    QString ShownMessage;
    QString ShownLabel;
    QString KeysHelp;
    QString NextHint;
    QString ListenLabel;

    // The page style the options ask for.
    bool IsModernStyle() const;

    // Stores the default into every empty option but TextTitle.
    void FillDefaults();

    // The names in declared order, and access by name (nullptr for an unknown name).
    static const QStringList &OptionNames();
    QString *option(const QString &name);
    const QString *option(const QString &name) const;

    // Whether value is the option's start value: empty, or the default the page uses for
    // an empty option (the page is the same either way). An unknown name has none.
    static bool IsStartValue(const QString &name, const QString &value);
    // What a page of that style writes for the option left at its start value; empty for
    // an option without a default.
    static QString DefaultValue(const QString &name, bool modernStyle);
    // Why value cannot be taken for the option, in French ("n'est pas une couleur"), or
    // an empty string when it can: a colour option (a name ending in "Color") must read as
    // a colour, the mastery score and the tries before a word is shown as whole numbers
    // (0 to 100, 0 to 99), the yes-or-no and order options as one of their words; other
    // options take any text.
    static QString ValueProblem(const QString &name, const QString &value);
    // Whether a yes-or-no option says yes ("oui", any case).
    static bool IsYes(const QString &value);

    // Options of a project that this program does not know (a later version's), by
    // name, in the file's order: kept so that they are written back with the project.
    QList<std::pair<QString, QString>> OtherOptions;

    friend bool operator==(const PageSettings &, const PageSettings &) = default;
};

} // namespace lexifind
