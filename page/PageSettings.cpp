#include "page/PageSettings.h"

#include <QRegularExpression>

#include <array>

namespace lexifind {

namespace {

struct OptionInfo
{
    const char *name;
    QString PageSettings::*field;
    const char *defaultValue; // nullptr: no default
};

// Declared order; the defaults the page falls back on when an option is empty.
const std::array<OptionInfo, 22> &optionTable()
{
    static const std::array<OptionInfo, 22> table{{
        {"PageTitle", &PageSettings::PageTitle, "Recherche de vocabulaire"},
        {"TextTitle", &PageSettings::TextTitle, nullptr},
        {"Instruction", &PageSettings::Instruction, "Trouvez dans le texte l'équivalent de :"},
        {"DoneMessage", &PageSettings::DoneMessage, "Terminé !"},
        {"RightMessage", &PageSettings::RightMessage, "C'est juste !"},
        {"WrongMessage", &PageSettings::WrongMessage, "Essayez encore !"},
        {"NextCaption", &PageSettings::NextCaption, "Suite..."},
        {"FontFamily", &PageSettings::FontFamily, "Arial, Helvetica, sans-serif"},
        {"BackgroundColor", &PageSettings::BackgroundColor, "#ffffff"},
        {"HighlightColor", &PageSettings::HighlightColor, "#ffff33"},
        {"TextColor", &PageSettings::TextColor, "#000000"},
        {"AnswerZoneColor", &PageSettings::AnswerZoneColor, "#ffff33"},
        {"AnswerColor", &PageSettings::AnswerColor, "#000000"},
        {"VocabularyBackColor", &PageSettings::VocabularyBackColor, "#ff9900"},
        {"VocabularyTextColor", &PageSettings::VocabularyTextColor, "#000000"},
        {"DefinitionColor", &PageSettings::DefinitionColor, "#cc0000"},
        // Beyond the classic sixteen: the text's language, the page style and the
        // modern page's own words, which a teacher may write in the learners' language.
        {"TextLanguage", &PageSettings::TextLanguage, nullptr},
        {"PageStyle", &PageSettings::PageStyle, nullptr},
        {"ScoreLabel", &PageSettings::ScoreLabel, "Score :"},
        {"RestartCaption", &PageSettings::RestartCaption, "Recommencer"},
        {"FoundLabel", &PageSettings::FoundLabel, "trouvé"},
        {"MasteryScore", &PageSettings::MasteryScore, nullptr},
    }};
    return table;
}

} // namespace

void PageSettings::FillDefaults()
{
    for (const OptionInfo &info : optionTable()) {
        QString &value = this->*info.field;
        // Only a field with no character at all is empty: a lone blank stays.
        if (info.defaultValue && value.isEmpty())
            value = QString::fromUtf8(info.defaultValue);
    }
}

bool PageSettings::IsModernStyle() const
{
    return PageStyle.trimmed().compare(u"moderne", Qt::CaseInsensitive) == 0;
}

const QStringList &PageSettings::OptionNames()
{
    static const QStringList names = [] {
        QStringList list;
        for (const OptionInfo &info : optionTable())
            list << QString::fromLatin1(info.name);
        return list;
    }();
    return names;
}

QString *PageSettings::option(const QString &name)
{
    for (const OptionInfo &info : optionTable())
        if (name == QLatin1StringView(info.name))
            return &(this->*info.field);
    return nullptr;
}

const QString *PageSettings::option(const QString &name) const
{
    return const_cast<PageSettings *>(this)->option(name);
}

bool PageSettings::IsStartValue(const QString &name, const QString &value)
{
    if (value.isEmpty())
        return true;
    for (const OptionInfo &info : optionTable())
        if (name == QLatin1StringView(info.name))
            return info.defaultValue && value == QString::fromUtf8(info.defaultValue);
    return false;
}

QString PageSettings::ValueProblem(const QString &name, const QString &value)
{
    const QString text = value.trimmed();
    if (text.isEmpty())
        return {};
    if (name.endsWith(u"Color")) {
        // What a browser may read as a colour: #rgb, #rgba, #rrggbb, #rrggbbaa, a name,
        // or a colour function. A teacher's own spelling of those passes.
        static const QRegularExpression colour(
            QStringLiteral("^(#([0-9a-f]{3,4}|[0-9a-f]{6}|[0-9a-f]{8})|[a-z]+"
                           "|(rgba?|hsla?|hwb|lab|lch|oklab|oklch|color)\\([-+0-9a-z.,%/ ]*\\))$"),
            QRegularExpression::CaseInsensitiveOption);
        if (!colour.match(text).hasMatch())
            return QStringLiteral("n'est pas une couleur");
    } else if (name == u"MasteryScore") {
        bool ok = false;
        const int percent = text.toInt(&ok);
        if (!ok || percent < 0 || percent > 100)
            return QStringLiteral("n'est pas un nombre entier de 0 à 100");
    }
    return {};
}

} // namespace lexifind
