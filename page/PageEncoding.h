#pragma once

#include <QString>

// The escaping of a value for the place of the page where it lands. Each function
// leaves a value without any character special to its place unchanged; characters
// without a windows-1252 byte are left for codec::encodeForPage.
namespace lexifind::pageencoding {

// Element content (also the title): & < > and line breaks.
QString htmlText(const QString &value);
// Attribute value between double quotes: & " < and line breaks.
QString attribute(const QString &value);
// Body of a double-quoted script string: \ " line breaks, and < as \x3C so that
// no end tag of the script can appear.
QString scriptString(const QString &value);
// An attribute value inside a single-quoted script string that is later given to
// innerHTML: first as an attribute, then \ and ' for the script.
QString scriptSingleQuotedAttribute(const QString &value);
// A value of a style declaration: CSS escapes for what could end the declaration,
// the block or the style element, or open a comment. Blanks and commas stay.
QString styleValue(const QString &value);

} // namespace lexifind::pageencoding
