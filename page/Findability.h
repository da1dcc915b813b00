#pragma once

#include "page/WordDivision.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace lexifind {

// Why the learner can never answer an entry.
enum class UnfindableReason {
    NotInText,        // nowhere in the text
    InsideLongerWord, // only inside a longer word (named)
    OtherCapitals,    // only with other capitals (the word of the text named)
    BlankAtEnd,       // a blank at its start or end
    Tilde,            // the page reads every tilde as a blank
    JoinedByEarlier,  // joined into a longer expression by an earlier entry (named)
};

struct UnfindableEntry
{
    int position = 0; // in the word list, from 0
    QString entry;
    UnfindableReason reason = UnfindableReason::NotInText;
    QString named; // the longer word, the word with other capitals, or the earlier entry
};

// The entries that no clickable word of the division reads as, in list order. An entry
// is findable when at least one word, read as the page reads it, equals it exactly.
// The division must be the one made of these entries.
std::vector<UnfindableEntry> FindUnfindableEntries(const Division &division, const QStringList &entries);

// The reason in French, for the word list's tooltip and lexifind-page.
QString UnfindableReasonText(const UnfindableEntry &unfindable);
// One line for lexifind-page: the position from 1, the entry and the reason.
QString UnfindableLine(const UnfindableEntry &unfindable);

} // namespace lexifind
