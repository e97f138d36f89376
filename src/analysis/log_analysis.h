// The analyses of one analysis file, as the analysis window and vessaro-analyze both run them:
// choosing the file (its kind and outcome sequence), the log report, the bankruptcy-pattern
// analysis and the frequency table of the all-pattern analysis. Each gives its result or the
// message that refuses it; nothing is written.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/play_log.h"
#include "common/files.h"

namespace vessaro {

// A file as the analysis reads it: detailed user logs through their generated log.
struct AnalysisLog {
  LogLines log;          // the file's lines, or its generated log's
  bool generated = false;
  std::string warning;   // lines of a detailed log that were left out; "" when none
};
// Raises IoError.
AnalysisLog ReadAnalysisLog(const fs::path& file, bool detailed);

struct ChosenFile {
  std::string message;  // "解析ファイルが不正です" when refused
  LogKind kind = LogKind::kInvalid;
  int64_t rounds = 0;
  std::string warning;
};
// Choosing a file: detailed tells whether it is read through its generated log (by its name, or
// after a merge of detailed logs). Raises IoError.
ChosenFile ChooseAnalysisFile(const fs::path& file, bool detailed);

struct AnalysisOutcome {
  std::string message;  // the refusal, or the result message of the bankruptcy analysis
  bool refused = false;
  std::vector<std::string> lines;  // the report's list lines, or the frequency table's lines
  std::string warning;
};

// "解析開始". Raises IoError.
AnalysisOutcome RunLogReport(const fs::path& file, LogKind kind);
// "破産パターン出現解析". Raises IoError.
AnalysisOutcome RunBankruptcyAnalysis(const fs::path& file, LogKind kind, const std::string& bets);
// "全出現パターン解析" up to writing the table: from / to are the range boxes (nullopt when they
// hold no number). Raises IoError.
AnalysisOutcome RunAllPatternAnalysis(const fs::path& file, LogKind kind, int max_length,
                                      std::optional<int64_t> from, std::optional<int64_t> to);

}  // namespace vessaro
