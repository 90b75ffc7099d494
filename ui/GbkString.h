#pragma once

#include <QString>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace olv {

// GBK data <-> what the screen shows. A no-break space becomes a blank; any other character
// GBK cannot hold becomes "?" (see entryRefusal).
QString fromGbk(std::string_view gbk);
std::string toGbk(const QString& text);
QString fromUtf8(std::string_view utf8);

// The text of a one-line box as the files may take it: CR LF, a lone CR and LF (a pasted
// spreadsheet cell, say) each become one blank, so a field never splits its line.
QString oneLineText(QString text);

// The first character of `text`, no-break space aside, that GBK cannot hold; nothing when
// toGbk keeps every character.
std::optional<QString> firstUnheldCharacter(const QString& text);

// The refusal of an entry (UTF-8) naming the first box, of (caption, text) pairs, that holds a
// character GBK cannot hold, and that character; nothing when every box may be saved.
std::optional<std::string> entryRefusal(std::initializer_list<std::pair<QString, QString>> boxes);

} // namespace olv
