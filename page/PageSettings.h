#pragma once

#include <QString>
#include <QStringList>

namespace lexifind {

// The sixteen options of the exercise page, empty at start, never stored in a file.
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

    // Stores the default into every empty option but TextTitle.
    void FillDefaults();

    // The sixteen names in declared order, and access by name (nullptr for an unknown name).
    static const QStringList &OptionNames();
    QString *option(const QString &name);
    const QString *option(const QString &name) const;

    friend bool operator==(const PageSettings &, const PageSettings &) = default;
};

} // namespace lexifind
