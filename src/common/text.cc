#include "common/text.h"

#include <cstdint>

namespace vessaro {
namespace {

bool IsContinuation(char c) { return (static_cast<uint8_t>(c) & 0xC0) == 0x80; }

// Length that the UTF-8 lead byte announces, 1 for ASCII or stray bytes.
size_t AnnouncedLength(char c) {
  auto b = static_cast<uint8_t>(c);
  if (b >= 0xF0 && b < 0xF8) return 4;
  if (b >= 0xE0) return b < 0xF0 ? 3 : 1;
  if (b >= 0xC0) return 2;
  return 1;
}

}  // namespace

size_t FindFrom(size_t start, std::string_view text, std::string_view sub) {
  if (start < 1 || sub.empty() || start > text.size()) return 0;
  size_t pos = text.find(sub, start - 1);
  // A match that begins inside a character is not a match: keep looking after it.
  while (pos != std::string_view::npos && IsContinuation(text[pos]))
    pos = text.find(sub, pos + 1);
  return pos == std::string_view::npos ? 0 : pos + 1;
}

std::string Left(std::string_view text, size_t n) {
  if (n >= text.size()) return std::string(text);
  while (n > 0 && IsContinuation(text[n])) --n;
  return std::string(text.substr(0, n));
}

std::string Right(std::string_view text, size_t n) {
  if (n >= text.size()) return std::string(text);
  size_t start = text.size() - n;
  while (start < text.size() && IsContinuation(text[start])) ++start;
  return std::string(text.substr(start));
}

SplitResult SplitFields(std::string_view text, int limit, std::string_view sep) {
  SplitResult result;
  size_t pos = 0;  // 0-based
  const size_t n = text.size();
  bool pending_empty = false;  // the text ended right after a separator
  while (pos < n && (limit <= 0 || result.count < limit)) {
    std::string field;
    if (text[pos] == '"') {
      size_t search = pos + 1;
      size_t close = std::string_view::npos;
      while (search < n) {
        size_t q = text.find('"', search);
        if (q == std::string_view::npos) break;
        if (text.substr(q + 1, sep.size()) == sep) {
          close = q;
          break;
        }
        search = q + 1;
      }
      if (close == std::string_view::npos) {
        // Runs to the end of the text; a closing quote there is dropped too.
        std::string_view rest = text.substr(pos + 1);
        if (!rest.empty() && rest.back() == '"') rest.remove_suffix(1);
        field = std::string(rest);
        pos = n;
        pending_empty = false;
      } else {
        field = std::string(text.substr(pos + 1, close - pos - 1));
        pos = close + 1 + sep.size();
        pending_empty = pos == n;
      }
    } else {
      size_t found = sep.empty() ? 0 : FindFrom(pos + 1, text, sep);
      if (found == 0) {
        field = std::string(text.substr(pos));
        pos = n;
        pending_empty = false;
      } else {
        field = std::string(text.substr(pos, found - 1 - pos));
        pos = found - 1 + sep.size();
        pending_empty = pos == n;
      }
    }
    result.fields.push_back(std::move(field));
    ++result.count;
  }
  if (pending_empty && (limit <= 0 || result.count < limit)) {
    result.fields.emplace_back();
    ++result.count;
  }
  if (limit > 0)
    while (static_cast<int>(result.fields.size()) < limit) result.fields.emplace_back();
  return result;
}

std::string GetField(std::string_view text, std::string_view sep, int n) {
  if (n < 1) return {};
  SplitResult r = SplitFields(text, n, sep);
  if (r.count < n) return {};
  return r.fields[n - 1];
}

std::string JoinFields(const std::vector<std::string>& list, size_t first, size_t count,
                       std::string_view sep) {
  std::string out;
  for (size_t i = first; i < first + count && i < list.size(); ++i) {
    if (i > first) out.append(sep);
    std::string entry = DropIncompleteTail(list[i]);
    if (!sep.empty() && entry.find(sep) != std::string::npos) {
      out.push_back('"');
      out.append(entry);
      out.push_back('"');
    } else {
      out.append(entry);
    }
  }
  return out;
}

std::string AppendField(std::string_view text, std::string_view field, std::string_view sep,
                        bool append) {
  std::string f = DropIncompleteTail(field);
  if (sep == "," && f.find(',') != std::string::npos) f = "\"" + f + "\"";
  if (!append) return f;
  std::string out(text);
  out.append(sep);
  out.append(f);
  return out;
}

bool TextToFlag(std::string_view text) { return EqualsIgnoreCase(text, "TRUE"); }

std::string FlagToText(bool flag) { return flag ? "True" : "False"; }

std::string_view TrimView(std::string_view text) {
  size_t b = 0;
  size_t e = text.size();
  while (b < e && static_cast<uint8_t>(text[b]) <= ' ') ++b;
  while (e > b && static_cast<uint8_t>(text[e - 1]) <= ' ') --e;
  return text.substr(b, e - b);
}

std::string Trim(std::string_view text) { return std::string(TrimView(text)); }

std::string ToUpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

bool Contains(std::string_view text, std::string_view sub) {
  return text.find(sub) != std::string_view::npos;
}

bool IsDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

std::string RemoveAll(std::string_view text, std::string_view what) {
  return ReplaceAll(text, what, "");
}

std::string ReplaceAll(std::string_view text, std::string_view what, std::string_view with) {
  if (what.empty()) return std::string(text);
  std::string out;
  size_t pos = 0;
  while (true) {
    size_t found = text.find(what, pos);
    if (found == std::string_view::npos) break;
    out.append(text.substr(pos, found - pos));
    out.append(with);
    pos = found + what.size();
  }
  out.append(text.substr(pos));
  return out;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      lines.emplace_back(text.substr(start, i - start));
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::string DropIncompleteTail(std::string_view text) {
  // Find where the last character starts and check that all of it is present.
  size_t i = text.size();
  size_t back = 0;
  while (i > 0 && back < 4 && IsContinuation(text[i - 1])) {
    --i;
    ++back;
  }
  if (i == 0) return std::string(text);
  size_t lead = i - 1;
  size_t want = AnnouncedLength(text[lead]);
  if (want > 1 && text.size() - lead < want) return std::string(text.substr(0, lead));
  return std::string(text);
}

bool ParseInt64(std::string_view text, long long& value) {
  bool negative = false;
  if (!text.empty() && text[0] == '-') {
    negative = true;
    text.remove_prefix(1);
  }
  if (!IsDigits(text) || text.size() > 18) return false;
  long long v = 0;
  for (char c : text) v = v * 10 + (c - '0');
  value = negative ? -v : v;
  return true;
}

long long ToIntDef(std::string_view text, long long fallback) {
  long long v;
  return ParseInt64(text, v) ? v : fallback;
}

}  // namespace vessaro
