#include "analysis/pattern_grid.h"

#include <charconv>

#include "analysis/analysis_texts.h"
#include "common/format.h"

namespace vessaro {
namespace {

constexpr double kBanker = 0.5068;
constexpr double kPlayer = 0.4932;

}  // namespace

std::string FixedText(double value, int decimals) {
  char buf[400];
  auto r = std::to_chars(buf, buf + sizeof(buf), value, std::chars_format::fixed, decimals);
  if (r.ec != std::errc()) return "0";
  return std::string(buf, r.ptr);
}

fs::path FrequencyTablePath(const fs::path& program_folder) {
  return program_folder / "tmp" / "TmpGrid.txt";
}

fs::path FilteredTablePath(const fs::path& program_folder) {
  return program_folder / "tmp" / "TmpGridJyoken.txt";
}

std::string_view RangeText(std::string_view letters, int64_t from, int64_t to) {
  if (from < 1) from = 1;
  if (to < from || from > static_cast<int64_t>(letters.size())) return {};
  const size_t begin = static_cast<size_t>(from - 1);
  const size_t length = static_cast<size_t>(to - from + 1);
  return letters.substr(begin, length);
}

std::string PatternWord(int length, uint32_t number) {
  std::string word(static_cast<size_t>(length), 'B');
  for (int i = 0; i < length; ++i)
    if (number & (1u << (length - 1 - i))) word[static_cast<size_t>(i)] = 'P';
  return word;
}

std::vector<std::vector<int64_t>> CountAllWords(std::string_view range, int max_length) {
  std::vector<std::vector<int64_t>> counts(static_cast<size_t>(max_length) + 1);
  // Next allowed start of each word: the position after its last counted occurrence.
  std::vector<std::vector<int64_t>> next_start(static_cast<size_t>(max_length) + 1);
  for (int k = 1; k <= max_length; ++k) {
    counts[k].assign(size_t{1} << k, 0);
    next_start[k].assign(size_t{1} << k, 0);
  }
  uint32_t code = 0;  // the last max_length letters as bits, P = 1
  int run = 0;        // letters P or B in a row up to here
  const int64_t n = static_cast<int64_t>(range.size());
  for (int64_t i = 0; i < n; ++i) {
    const char c = range[static_cast<size_t>(i)];
    if (c == 'P' || c == 'B') {
      code = (code << 1) | (c == 'P' ? 1u : 0u);
      if (run < max_length) ++run;
    } else {
      run = 0;  // anything else in a hand-made file breaks every word across it
      continue;
    }
    for (int k = 1; k <= run; ++k) {
      const uint32_t word = code & ((1u << k) - 1);
      int64_t& allowed = next_start[k][word];
      if (i - k + 1 >= allowed) {
        ++counts[k][word];
        allowed = i + 1;
      }
    }
  }
  return counts;
}

double TheoreticalPercent(std::string_view word) {
  float product = 1.0f;
  for (char c : word) product = static_cast<float>(product * (c == 'B' ? kBanker : kPlayer));
  return static_cast<double>(product) * 100.0;
}

std::vector<std::string> FrequencyTableLines(std::string_view range, int max_length) {
  const auto counts = CountAllWords(range, max_length);
  const long long games = static_cast<long long>(range.size());
  const int words = (1 << (max_length + 1)) - 2;
  std::vector<std::string> lines;
  lines.reserve(static_cast<size_t>(words) + 1);
  lines.push_back(Format(analysis_texts::kGridHeader, games, max_length, words));
  // Theoretical values by number for the current length, built from the length before: the
  // product runs over the letters in order, so a word's value is its prefix's times its last.
  std::vector<std::vector<float>> theory(static_cast<size_t>(max_length) + 1);
  theory[0] = {1.0f};
  for (int k = 1; k <= max_length; ++k) {
    theory[k].resize(size_t{1} << k);
    for (uint32_t w = 0; w < (1u << k); ++w)
      theory[k][w] = static_cast<float>(theory[k - 1][w >> 1] * ((w & 1) ? kPlayer : kBanker));
  }
  for (int k = max_length; k >= 1; --k) {
    for (int64_t w = (int64_t{1} << k) - 1; w >= 0; --w) {
      const int64_t count = counts[k][static_cast<size_t>(w)];
      const double rate = count == 0 ? 0.0 : static_cast<double>(count) / static_cast<double>(games) * 100.0;
      const double theoretical = static_cast<double>(theory[k][static_cast<size_t>(w)]) * 100.0;
      std::string line = PatternWord(k, static_cast<uint32_t>(w));
      line += ',';
      line += IntText(count);
      line += ',';
      line += FixedText(rate, 2);
      line += " %,";
      line += FixedText(theoretical, 2);
      line += " %,";
      line += FixedText(rate - theoretical, 2);
      line += " %";
      lines.push_back(std::move(line));
    }
  }
  return lines;
}

void WriteTableFile(const fs::path& file, const std::vector<std::string>& lines) {
  std::string text;
  size_t size = 0;
  for (const std::string& l : lines) size += l.size() + 2;
  text.reserve(size);
  for (const std::string& l : lines) {
    text.append(l);
    text.append("\r\n");
  }
  if (!EnsureFolder(file.parent_path())) ThrowIoError(IoAction::kCreateFolder, file.parent_path());
  WriteTextFile(file, text);
}

}  // namespace vessaro
