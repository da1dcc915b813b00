#include "page/PageSettings.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace lexifind {

namespace {

struct OptionInfo
{
    const char *name;
    QString PageSettings::*field;
    const char *defaultValue; // nullptr: no default
    // What the modern page writes instead of the classic default: a neutral surface, one
    // accent, a caption without the old dots. nullptr: the same as the classic page.
    const char *modernDefault = nullptr;
};

// Declared order; the defaults the page falls back on when an option is empty.
const std::array<OptionInfo, 35> &optionTable()
{
    static const std::array<OptionInfo, 35> table{{
        {"PageTitle", &PageSettings::PageTitle, "Recherche de vocabulaire"},
        {"TextTitle", &PageSettings::TextTitle, nullptr},
        {"Instruction", &PageSettings::Instruction, "Trouvez dans le texte l'équivalent de :"},
        {"DoneMessage", &PageSettings::DoneMessage, "Terminé !"},
        {"RightMessage", &PageSettings::RightMessage, "C'est juste !"},
        {"WrongMessage", &PageSettings::WrongMessage, "Essayez encore !"},
        {"NextCaption", &PageSettings::NextCaption, "Suite...", "Suite"},
        {"FontFamily", &PageSettings::FontFamily, "Arial, Helvetica, sans-serif", "system-ui, Segoe UI, Roboto, Noto Sans, Arial, sans-serif"},
        {"BackgroundColor", &PageSettings::BackgroundColor, "#ffffff", "#f6f7f9"},
        {"HighlightColor", &PageSettings::HighlightColor, "#ffff33", "#b9e5c5"},
        {"TextColor", &PageSettings::TextColor, "#000000", "#1d2125"},
        {"AnswerZoneColor", &PageSettings::AnswerZoneColor, "#ffff33", "#ffffff"},
        {"AnswerColor", &PageSettings::AnswerColor, "#000000", "#1d2125"},
        {"VocabularyBackColor", &PageSettings::VocabularyBackColor, "#ff9900", "#e8ecf1"},
        {"VocabularyTextColor", &PageSettings::VocabularyTextColor, "#000000", "#1d2125"},
        {"DefinitionColor", &PageSettings::DefinitionColor, "#cc0000", "#0b57d0"},
        // Beyond the classic sixteen: the text's language, the page style and the
        // modern page's own words, which a teacher may write in the learners' language.
        {"TextLanguage", &PageSettings::TextLanguage, nullptr},
        {"PageStyle", &PageSettings::PageStyle, nullptr},
        {"ScoreLabel", &PageSettings::ScoreLabel, "Trouvés :"},
        {"RestartCaption", &PageSettings::RestartCaption, "Recommencer"},
        {"FoundLabel", &PageSettings::FoundLabel, "trouvé"},
        {"MasteryScore", &PageSettings::MasteryScore, nullptr},
        {"Dictionary", &PageSettings::Dictionary, nullptr},
        // How the modern page plays, and its words for what the classic page lacks.
        {"AutoNext", &PageSettings::AutoNext, "non"},
        {"ShowAnswerAfter", &PageSettings::ShowAnswerAfter, "3"},
        {"QuestionOrder", &PageSettings::QuestionOrder, "texte"},
        {"Pronounce", &PageSettings::Pronounce, "non"},
        {"RateLabel", &PageSettings::RateLabel, "Réussite :"},
        {"QuestionLabel", &PageSettings::QuestionLabel, "Question"},
        {"ReviewCaption", &PageSettings::ReviewCaption, "Revoir les mots manqués"},
        {"ShownMessage", &PageSettings::ShownMessage, "Voici le mot :"},
        {"ShownLabel", &PageSettings::ShownLabel, "montré"},
        {"KeysHelp", &PageSettings::KeysHelp,
         "Flèches : d'un mot ou d'une ligne à l'autre ; Entrée : répondre, puis question suivante."},
        {"NextHint", &PageSettings::NextHint, "Entrée : question suivante."},
        {"ListenLabel", &PageSettings::ListenLabel, "Écouter"},
    }};
    return table;
}

// The colour names of CSS, sorted, in lower case.
bool isColourName(const QString &text)
{
    static constexpr std::string_view names[] = {
        "aliceblue", "antiquewhite", "aqua", "aquamarine", "azure", "beige", "bisque", "black",
        "blanchedalmond", "blue", "blueviolet", "brown", "burlywood", "cadetblue", "chartreuse",
        "chocolate", "coral", "cornflowerblue", "cornsilk", "crimson", "currentcolor", "cyan",
        "darkblue", "darkcyan", "darkgoldenrod", "darkgray", "darkgreen", "darkgrey", "darkkhaki",
        "darkmagenta", "darkolivegreen", "darkorange", "darkorchid", "darkred", "darksalmon",
        "darkseagreen", "darkslateblue", "darkslategray", "darkslategrey", "darkturquoise",
        "darkviolet", "deeppink", "deepskyblue", "dimgray", "dimgrey", "dodgerblue", "firebrick",
        "floralwhite", "forestgreen", "fuchsia", "gainsboro", "ghostwhite", "gold", "goldenrod",
        "gray", "green", "greenyellow", "grey", "honeydew", "hotpink", "indianred", "indigo",
        "ivory", "khaki", "lavender", "lavenderblush", "lawngreen", "lemonchiffon", "lightblue",
        "lightcoral", "lightcyan", "lightgoldenrodyellow", "lightgray", "lightgreen", "lightgrey",
        "lightpink", "lightsalmon", "lightseagreen", "lightskyblue", "lightslategray",
        "lightslategrey", "lightsteelblue", "lightyellow", "lime", "limegreen", "linen", "magenta",
        "maroon", "mediumaquamarine", "mediumblue", "mediumorchid", "mediumpurple",
        "mediumseagreen", "mediumslateblue", "mediumspringgreen", "mediumturquoise",
        "mediumvioletred", "midnightblue", "mintcream", "mistyrose", "moccasin", "navajowhite",
        "navy", "oldlace", "olive", "olivedrab", "orange", "orangered", "orchid", "palegoldenrod",
        "palegreen", "paleturquoise", "palevioletred", "papayawhip", "peachpuff", "peru", "pink",
        "plum", "powderblue", "purple", "rebeccapurple", "red", "rosybrown", "royalblue",
        "saddlebrown", "salmon", "sandybrown", "seagreen", "seashell", "sienna", "silver",
        "skyblue", "slateblue", "slategray", "slategrey", "snow", "springgreen", "steelblue", "tan",
        "teal", "thistle", "tomato", "transparent", "turquoise", "violet", "wheat", "white",
        "whitesmoke", "yellow", "yellowgreen"};
    const std::string lower = text.toLower().toStdString();
    return std::binary_search(std::begin(names), std::end(names), std::string_view(lower));
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

QString PageSettings::DefaultValue(const QString &name, bool modernStyle)
{
    for (const OptionInfo &info : optionTable())
        if (name == QLatin1StringView(info.name))
            return QString::fromUtf8(modernStyle && info.modernDefault ? info.modernDefault
                                                                       : info.defaultValue);
    return {};
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
    const auto wholeNumber = [&](int most) {
        bool ok = false;
        const int number = text.toInt(&ok);
        return ok && number >= 0 && number <= most;
    };
    const auto oneOf = [&](std::initializer_list<const char *> words) {
        for (const char *word : words)
            if (text.compare(QLatin1StringView(word), Qt::CaseInsensitive) == 0)
                return true;
        return false;
    };
    if (name.endsWith(u"Color")) {
        // What a browser reads as a colour: #rgb, #rgba, #rrggbb, #rrggbbaa, one of its
        // names, or a colour function of numbers. A teacher's own spelling of those passes.
        static const QRegularExpression colour(
            QStringLiteral("^(#([0-9a-f]{3,4}|[0-9a-f]{6}|[0-9a-f]{8})"
                           "|(rgba?|hsla?|hwb|lab|lch|oklab|oklch|color)\\([-+0-9a-z.,%/ ]*[0-9][-+0-9a-z.,%/ ]*\\))$"),
            QRegularExpression::CaseInsensitiveOption);
        if (!colour.match(text).hasMatch() && !isColourName(text))
            return QStringLiteral("n'est pas une couleur");
    } else if (name == u"MasteryScore") {
        if (!wholeNumber(100))
            return QStringLiteral("n'est pas un nombre entier de 0 à 100");
    } else if (name == u"ShowAnswerAfter") {
        if (!wholeNumber(99))
            return QStringLiteral("n'est pas un nombre entier de 0 à 99");
    } else if (name == u"AutoNext" || name == u"Pronounce") {
        if (!oneOf({"oui", "non"}))
            return QStringLiteral("n'est ni « oui » ni « non »");
    } else if (name == u"QuestionOrder") {
        if (!oneOf({"texte", "hasard"}))
            return QStringLiteral("n'est ni « texte » ni « hasard »");
    }
    return {};
}

bool PageSettings::IsYes(const QString &value)
{
    return value.trimmed().compare(u"oui", Qt::CaseInsensitive) == 0;
}

} // namespace lexifind
