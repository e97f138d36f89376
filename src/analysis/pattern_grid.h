// The all-pattern analysis: how often every winner pattern of 1 to N letters occurs in a range of
// an outcome sequence, against the value expected from the house probabilities, written as the
// pattern frequency table "TmpGrid.txt".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/files.h"

namespace vessaro {

inline constexpr int kMinPatternLength = 4;
inline constexpr int kMaxPatternLength = 12;

// tmp/TmpGrid.txt and tmp/TmpGridJyoken.txt of the program folder.
fs::path FrequencyTablePath(const fs::path& program_folder);
fs::path FilteredTablePath(const fs::path& program_folder);

// "%.<decimals>f" of a value, written the same whatever the program's locale.
std::string FixedText(double value, int decimals);

// Letters from position from through position to (1-based, inclusive), stopping at the end.
std::string_view RangeText(std::string_view letters, int64_t from, int64_t to);

// The word of a number: its length-bit binary form, most significant bit first, 0 as "B", 1 as
// "P".
std::string PatternWord(int length, uint32_t number);

// counts[k][number] for k = 1 .. max_length (counts[0] is empty): the non-overlapping count of
// each word in the range, as CountOccurrences gives it. One pass over the range for all lengths,
// remembering for each word where its last counted occurrence ended.
std::vector<std::vector<int64_t>> CountAllWords(std::string_view range, int max_length);

// The theoretical value in percent: the product of 0.5068 per "B" and 0.4932 per "P", kept in
// single precision, times 100.
double TheoreticalPercent(std::string_view word);

// The table's lines: the header, then one line per word, longest words first and within a
// length from all "P" down to all "B".
std::vector<std::string> FrequencyTableLines(std::string_view range, int max_length);

// Writes lines as code page 932 with CR LF after each, creating the folder. Raises IoError.
void WriteTableFile(const fs::path& file, const std::vector<std::string>& lines);

}  // namespace vessaro
