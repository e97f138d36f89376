// What a Monte Carlo study shows and writes: the summary rows (window and command line), the CSV
// of the sessions and the JSON of the summary and the balance bands, and a file written line by
// line that replaces its target only when complete.
#pragma once

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "autosim/study.h"

namespace vessaro {

// What the study was asked, for the reports.
struct StudyDescription {
  std::string system;
  std::string pattern;
  std::string outcome_mode;
  int64_t rounds = 0;
  uint64_t seed = 0;
  StopLimits limits;
};

// Label and value rows of the summary, in Japanese, in the order the window lists them.
std::vector<std::pair<std::string, std::string>> StudySummaryRows(const StudySummary& summary);

// "session,seed,end,rounds,final_balance,lowest_balance,max_drawdown_pct,total_staked,total_paid".
std::string StudyCsvHeader();
// One session's line (without the line end). Money with two decimals, the drawdown as a run's
// summary measures it: from the starting balance down to the lowest balance, in percent.
void AppendStudyCsvLine(std::string& out, int64_t index, uint64_t seed, const SessionResult& session,
                        Cents starting_balance);

// The summary and the bands as JSON (UTF-8).
std::string StudyJson(const StudyDescription& description, const StudyResult& result);

// A file written piece by piece into a temporary file beside the target and renamed over it by
// Commit(), so the target is either whole or as it was. Without Commit() the temporary file is
// removed. Failures raise IoError naming the target.
class StreamedFile {
 public:
  explicit StreamedFile(fs::path target);
  ~StreamedFile();
  StreamedFile(const StreamedFile&) = delete;
  StreamedFile& operator=(const StreamedFile&) = delete;
  void Write(std::string_view bytes);
  void Commit();
  const fs::path& target() const { return target_; }

 private:
  void Fail(int error_number);
  fs::path target_;
  fs::path temporary_;
  std::FILE* file_ = nullptr;
};

// Writes the CSV of sessions kept in memory (the window's export).
void WriteStudyCsv(const fs::path& path, const std::vector<SessionResult>& sessions, uint64_t study_seed,
                   Cents starting_balance);

}  // namespace vessaro
