#include "analysis/log_analysis.h"

#include "analysis/analysis_texts.h"
#include "analysis/log_report.h"
#include "analysis/pattern_grid.h"
#include "common/text.h"

namespace vessaro {
namespace {

AnalysisOutcome Refuse(const char* message, std::string warning = {}) {
  AnalysisOutcome out;
  out.refused = true;
  out.message = message;
  out.warning = std::move(warning);
  return out;
}

}  // namespace

AnalysisLog ReadAnalysisLog(const fs::path& file, bool detailed) {
  AnalysisLog out;
  LogLines lines = ReadLogLines(file);
  if (!detailed) {
    out.log = std::move(lines);
    return out;
  }
  GeneratedLog generated = GenerateInterCasinoLog(lines);
  out.log = std::move(generated.log);
  out.generated = true;
  out.warning = generated.DamageMessage();
  return out;
}

ChosenFile ChooseAnalysisFile(const fs::path& file, bool detailed) {
  ChosenFile out;
  AnalysisLog read = ReadAnalysisLog(file, detailed);
  out.warning = read.warning;
  OutcomeSequence sequence = ToOutcomeSequence(read.log);
  if (!sequence.valid) {
    out.message = analysis_texts::kFileInvalid;
    return out;
  }
  if (sequence.intercasino && !read.generated) {
    out.kind = LogKind::kInterCasino;
  } else if (IsSimpleLogName(file)) {
    out.kind = LogKind::kUserSimple;
  } else if (read.generated) {
    out.kind = LogKind::kUserDetailed;
  } else {
    out.kind = LogKind::kKindlet;
  }
  out.rounds = sequence.rounds();
  return out;
}

AnalysisOutcome RunLogReport(const fs::path& file, LogKind kind) {
  if (!FileExists(file)) return Refuse(analysis_texts::kFileMissing);
  if (kind != LogKind::kInterCasino && kind != LogKind::kUserDetailed)
    return Refuse(analysis_texts::kNotReportable);
  AnalysisLog read = ReadAnalysisLog(file, kind == LogKind::kUserDetailed);
  if (!Contains(read.log.first(), "ゲーム:")) return Refuse(analysis_texts::kNotReportable, read.warning);
  AnalysisOutcome out;
  out.lines = MakeLogReport(read.log);
  out.message = analysis_texts::kAnalysisFinished;
  out.warning = std::move(read.warning);
  return out;
}

AnalysisOutcome RunBankruptcyAnalysis(const fs::path& file, LogKind kind, const std::string& bets) {
  if (!FileExists(file)) return Refuse(analysis_texts::kFileMissing);
  AnalysisLog read = ReadAnalysisLog(file, kind == LogKind::kUserDetailed);
  OutcomeSequence sequence = ToOutcomeSequence(read.log);
  if (!sequence.valid) return Refuse(analysis_texts::kFileInvalid, read.warning);
  AnalysisOutcome out;
  out.message = BankruptcyMessage(sequence.letters, bets);
  out.warning = std::move(read.warning);
  return out;
}

AnalysisOutcome RunAllPatternAnalysis(const fs::path& file, LogKind kind, int max_length,
                                      std::optional<int64_t> from, std::optional<int64_t> to) {
  if (!FileExists(file)) return Refuse(analysis_texts::kFileMissing);
  if (max_length < kMinPatternLength || max_length > kMaxPatternLength)
    return Refuse(analysis_texts::kPatternLengthInvalid);
  AnalysisLog read = ReadAnalysisLog(file, kind == LogKind::kUserDetailed);
  OutcomeSequence sequence = ToOutcomeSequence(read.log);
  if (!sequence.valid) return Refuse(analysis_texts::kFileInvalid, read.warning);
  const int64_t a = from.value_or(1);
  const int64_t b = to.value_or(sequence.rounds());
  if (b < a) return Refuse(analysis_texts::kRangeInvalid, read.warning);
  AnalysisOutcome out;
  out.lines = FrequencyTableLines(RangeText(sequence.letters, a, b), max_length);
  out.warning = std::move(read.warning);
  return out;
}

}  // namespace vessaro
