#include "analysis/graph_details.h"

#include "common/text.h"

namespace vessaro {
namespace {

constexpr std::string_view kColon = "：";

std::string RemoveBrackets(std::string_view token) {
  return RemoveAll(RemoveAll(token, "【"), "】");
}

}  // namespace

std::vector<DetailRow> MakeDetailRows(std::string_view summary) {
  // The order matters: each step works on what the one before left.
  std::string text(summary);
  text = ReplaceAll(text, " %", "%");
  text = ReplaceAll(text, "% (", "%(");
  text = ReplaceAll(text, "： ", ": ");
  text = ReplaceAll(text, ": ", "：");
  text = ReplaceAll(text, ":", "：");
  text = ReplaceAll(text, "　", " ");

  std::vector<DetailRow> rows;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    std::string token = text.substr(start, end - start);
    start = end + 1;
    if (token.empty() || token == "【" || token == "】") continue;
    if (Contains(token, "PLAYER：") || Contains(token, "BANKER：") || Contains(token, "TIE：")) {
      token = ReplaceAll(ReplaceAll(token, "【", "（"), "】", "）");
    } else if (Contains(token, "ペイアウト：")) {
      // The flat share sits inside the value; its colon must not cut the value short.
      token = RemoveBrackets(ReplaceAll(token, "フラット：", "フラット:"));
    } else {
      token = RemoveBrackets(token);
    }
    if (token.empty()) continue;
    const size_t colon = token.find(kColon);
    if (colon == std::string::npos) {
      rows.push_back({token, ""});
      continue;
    }
    const size_t value_start = colon + kColon.size();
    const size_t value_end = token.find(kColon, value_start);
    rows.push_back(
        {token.substr(0, colon),
         token.substr(value_start, value_end == std::string::npos ? std::string::npos
                                                                  : value_end - value_start)});
  }
  return rows;
}

}  // namespace vessaro
