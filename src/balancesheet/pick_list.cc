#include "balancesheet/pick_list.h"

#include <algorithm>

#include "balancesheet/sheet_texts.h"
#include "common/cp932.h"
#include "common/names.h"
#include "common/text.h"

namespace vessaro {

void SortInCodePageOrder(std::vector<std::string>& texts) {
  std::vector<std::pair<std::string, std::string>> keyed;
  keyed.reserve(texts.size());
  for (std::string& t : texts) {
    std::string key = EncodeCp932Lossy(t);
    keyed.emplace_back(std::move(key), std::move(t));
  }
  std::stable_sort(keyed.begin(), keyed.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (size_t i = 0; i < texts.size(); ++i) texts[i] = std::move(keyed[i].second);
}

void PickList::Reload() {
  entries_.clear();
  for (std::string& line : ReadTextLines(file_))
    if (!line.empty()) entries_.push_back(std::move(line));
  SortInCodePageOrder(entries_);
}

std::optional<std::string> PickList::Add(std::string_view typed) {
  std::string entry = Trim(typed);
  if (entry.empty()) return std::string(sheet_text::kBlank);
  if (!IsCp932Encodable(entry)) return std::string(kUnstorableCharacterMessage);
  entries_.push_back(std::move(entry));
  SortInCodePageOrder(entries_);
  Write();
  return std::nullopt;
}

bool PickList::RemoveAt(int index) {
  if (index < 0 || index >= static_cast<int>(entries_.size())) return false;
  entries_.erase(entries_.begin() + index);
  Write();
  return true;
}

void PickList::Write() const {
  std::string text;
  for (const std::string& e : entries_) text.append(e).append("\r\n");
  WriteTextFile(file_, text);
}

}  // namespace vessaro
