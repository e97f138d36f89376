// The pick lists "プレー場所" (place.txt) and "プレーゲーム" (gameclass.txt): one entry per line,
// always shown and written in sorted order; duplicates are allowed.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/files.h"

namespace vessaro {

// Byte order of the texts' code page 932 form: the order of the lists and of the value lists.
void SortInCodePageOrder(std::vector<std::string>& texts);

class PickList {
 public:
  explicit PickList(fs::path file) : file_(std::move(file)) {}

  // Reads the file again (empty lines skipped) and sorts the entries.
  void Reload();
  const std::vector<std::string>& entries() const { return entries_; }

  // "リスト追加": the trimmed text joins the list and the file is rewritten. The message to show
  // when it is refused ("空白です", or a character the file cannot hold).
  std::optional<std::string> Add(std::string_view typed);
  // "リストから削除" of the entry at index (in shown order); false when the index is no entry.
  bool RemoveAt(int index);

 private:
  void Write() const;

  fs::path file_;
  std::vector<std::string> entries_;
};

}  // namespace vessaro
