// Text helpers over UTF-8 strings: searching, cutting, separated fields, flags and small
// predicates. Cuts never split a character, so a trail byte can never pass for a separator.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vessaro {

// 1-based position of the first match of sub at or after start (1-based), or 0.
size_t FindFrom(size_t start, std::string_view text, std::string_view sub);

// The first / last n bytes, shortened to the nearest character boundary inside them.
std::string Left(std::string_view text, size_t n);
std::string Right(std::string_view text, size_t n);

struct SplitResult {
  std::vector<std::string> fields;
  int count = 0;  // fields actually read (the list may be padded up to the limit)
};

// Splits at sep; a field starting with a double quote runs to the next quote directly followed
// by sep (quotes dropped, content not unescaped). limit <= 0 means no limit; with a limit the
// list is padded with empty entries up to it.
SplitResult SplitFields(std::string_view text, int limit, std::string_view sep);

// The n-th field (1-based) as SplitFields reads it; empty when there are fewer fields.
std::string GetField(std::string_view text, std::string_view sep, int n);

// Joins count entries from first; an entry holding sep is enclosed in double quotes.
std::string JoinFields(const std::vector<std::string>& list, size_t first, size_t count,
                       std::string_view sep);

// text + sep + field (append) or just field (replace); with a comma separator a field holding a
// comma is enclosed in double quotes.
std::string AppendField(std::string_view text, std::string_view field, std::string_view sep,
                        bool append);

// "TRUE" in any letter case gives true.
bool TextToFlag(std::string_view text);
// "True" / "False".
std::string FlagToText(bool flag);

// Removes leading and trailing blanks and control characters (not the full-width space).
std::string Trim(std::string_view text);
// Trim without a copy: the part of text between its leading and trailing blanks and control bytes.
std::string_view TrimView(std::string_view text);
std::string ToUpperAscii(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
bool StartsWith(std::string_view text, std::string_view prefix);
bool EndsWith(std::string_view text, std::string_view suffix);
bool Contains(std::string_view text, std::string_view sub);

// One or more half-width digits and nothing else.
bool IsDigits(std::string_view text);

// Every occurrence of what removed / replaced.
std::string RemoveAll(std::string_view text, std::string_view what);
std::string ReplaceAll(std::string_view text, std::string_view what, std::string_view with);

// Lines of a text split at CR LF, lone LF or lone CR; a final line end adds no empty line.
std::vector<std::string> SplitLines(std::string_view text);

// Drops an incomplete character at the end of the text (half of a character cut elsewhere).
std::string DropIncompleteTail(std::string_view text);

// Reads a whole decimal number of at most 18 digits with an optional leading minus; false
// otherwise. Used where a text "must be a number".
bool ParseInt64(std::string_view text, long long& value);

// Integer read of a typed field the way the table reads counts: not a number gives fallback.
long long ToIntDef(std::string_view text, long long fallback);

}  // namespace vessaro
