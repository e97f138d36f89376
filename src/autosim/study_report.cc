#include "autosim/study_report.h"

#include <cerrno>
#include <random>

#include "autosim/run_statistics.h"
#include "common/format.h"

namespace vessaro {
namespace {

std::string Share(const Proportion& p) {
  return Format("%.2f %%（%lld回）", p.share * 100, static_cast<long long>(p.count));
}

std::string Interval(const Proportion& p) { return Format("%.2f 〜 %.2f %%", p.low * 100, p.high * 100); }

void AppendJsonString(std::string& out, std::string_view text) {
  out.push_back('"');
  for (char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          out += Format("\\u%04x", static_cast<unsigned>(c));
        } else {
          out.push_back(c);
        }
    }
  }
  out.push_back('"');
}

void AppendProportion(std::string& out, const char* name, const Proportion& p) {
  out += Format("  \"%s\": {\"count\": %lld, \"share\": %.6f, \"wilson95_low\": %.6f, \"wilson95_high\": %.6f},\n",
                name, static_cast<long long>(p.count), p.share, p.low, p.high);
}

}  // namespace

std::vector<std::pair<std::string, std::string>> StudySummaryRows(const StudySummary& s) {
  std::vector<std::pair<std::string, std::string>> rows;
  std::string sessions = IntText(s.sessions_done);
  if (s.cancelled)
    sessions = Format("%lld / %lld（中止：途中までの結果）", static_cast<long long>(s.sessions_done),
                      static_cast<long long>(s.sessions_requested));
  rows.emplace_back("セッション数", sessions);
  rows.emplace_back("1セッションの試行回数", IntText(s.rounds_requested));
  rows.emplace_back("開始残高", FormatCents(s.starting_balance));
  rows.emplace_back("破産率", Share(s.ruin));
  rows.emplace_back("　95%信頼区間", Interval(s.ruin));
  rows.emplace_back("利益目標到達率", Share(s.target));
  rows.emplace_back("　95%信頼区間", Interval(s.target));
  rows.emplace_back("最終残高の平均", FormatCents(s.mean_final));
  for (size_t k = 0; k < kFinalPercentiles.size(); ++k)
    rows.emplace_back(Format("最終残高 %dパーセンタイル", kFinalPercentiles[k]), FormatCents(s.final_percentiles[k]));
  rows.emplace_back("最終残高の最小／最大", FormatCents(s.lowest_final) + " ／ " + FormatCents(s.highest_final));
  rows.emplace_back("ペイアウト率（全セッション）", Format("%.2f %%", s.payout_pct()));
  rows.emplace_back("平均ラウンド数", Format("%.1f", s.mean_rounds()));
  for (int k = 0; k < kSessionEndCount; ++k)
    rows.emplace_back("終了理由：" + std::string(SessionEndLabel(static_cast<SessionEnd>(k))),
                      IntText(s.ends[static_cast<size_t>(k)]));
  return rows;
}

std::string StudyCsvHeader() {
  return "session,seed,end,rounds,final_balance,lowest_balance,max_drawdown_pct,total_staked,total_paid";
}

void AppendStudyCsvLine(std::string& out, int64_t index, uint64_t seed, const SessionResult& s,
                        Cents starting_balance) {
  AppendInt(out, index);
  out += Format(",%llu,", static_cast<unsigned long long>(seed));
  out.append(SessionEndName(s.end));
  out.push_back(',');
  AppendInt(out, s.rounds);
  out.push_back(',');
  AppendCents(out, s.final_balance);
  out.push_back(',');
  AppendCents(out, s.lowest_balance);
  out.push_back(',');
  out += PercentText(starting_balance - s.lowest_balance, starting_balance);
  out.push_back(',');
  AppendInt(out, s.total_staked);
  out.push_back(',');
  AppendCents(out, s.total_paid);
}

std::string StudyJson(const StudyDescription& d, const StudyResult& result) {
  const StudySummary& s = result.summary;
  std::string out = "{\n  \"system\": ";
  AppendJsonString(out, d.system);
  out += ",\n  \"pattern\": ";
  AppendJsonString(out, d.pattern);
  out += ",\n  \"outcome_mode\": ";
  AppendJsonString(out, d.outcome_mode);
  out += Format(",\n  \"seed\": %llu,\n  \"rounds\": %lld,\n", static_cast<unsigned long long>(d.seed),
                static_cast<long long>(d.rounds));
  if (d.limits.on()) {
    out += Format("  \"stop_limits\": {\"profit\": %d, \"loss\": %d},\n", d.limits.profit, d.limits.loss);
  } else {
    out += "  \"stop_limits\": null,\n";
  }
  out += Format("  \"sessions_requested\": %lld,\n  \"sessions_done\": %lld,\n  \"complete\": %s,\n",
                static_cast<long long>(s.sessions_requested), static_cast<long long>(s.sessions_done),
                s.cancelled ? "false" : "true");
  out += "  \"starting_balance\": " + FormatCents(s.starting_balance) + ",\n  \"ends\": {";
  for (int k = 0; k < kSessionEndCount; ++k)
    out += Format("%s\"%s\": %lld", k == 0 ? "" : ", ", std::string(SessionEndName(static_cast<SessionEnd>(k))).c_str(),
                  static_cast<long long>(s.ends[static_cast<size_t>(k)]));
  out += "},\n";
  AppendProportion(out, "ruin", s.ruin);
  AppendProportion(out, "target", s.target);
  out += "  \"final_balance\": {\"mean\": " + FormatCents(s.mean_final) + ", \"min\": " +
         FormatCents(s.lowest_final) + ", \"max\": " + FormatCents(s.highest_final) + ", \"percentiles\": {";
  for (size_t k = 0; k < kFinalPercentiles.size(); ++k)
    out += Format("%s\"%d\": %s", k == 0 ? "" : ", ", kFinalPercentiles[k], FormatCents(s.final_percentiles[k]).c_str());
  out += "}},\n";
  out += Format("  \"payout_pct\": %.4f,\n  \"mean_rounds\": %.4f,\n", s.payout_pct(), s.mean_rounds());
  out += "  \"bands\": {\n    \"percentiles\": [";
  for (size_t k = 0; k < kBandPercentiles.size(); ++k) out += Format("%s%d", k == 0 ? "" : ", ", kBandPercentiles[k]);
  out += "],\n    \"points\": [";
  const StudyBands& b = result.bands;
  for (size_t j = 0; j < b.rounds.size(); ++j) {
    out += Format("%s\n      {\"round\": %lld, \"balance\": [", j == 0 ? "" : ",", static_cast<long long>(b.rounds[j]));
    for (size_t k = 0; k < b.values.size(); ++k) out += Format("%s%.2f", k == 0 ? "" : ", ", b.values[k][j]);
    out += "]}";
  }
  out += b.rounds.empty() ? "]\n  }\n}\n" : "\n    ]\n  }\n}\n";
  return out;
}

StreamedFile::StreamedFile(fs::path target) : target_(std::move(target)) {
  fs::path folder = target_.parent_path();
  if (folder.empty()) folder = ".";
  std::mt19937_64 rng{std::random_device{}()};
  for (int attempt = 0; attempt < 16 && file_ == nullptr; ++attempt) {
    std::string name(1, '.');  // (a literal in front trips a false GCC 12 warning)
    name += target_.filename().string();
    name += ".tmp";
    name += std::to_string(rng() % 1000000);
    temporary_ = folder / name;
    file_ = std::fopen(temporary_.c_str(), "wbx");  // never over a file that is there
    if (file_ == nullptr && errno != EEXIST) Fail(errno);
  }
  if (file_ == nullptr) Fail(errno);
}

StreamedFile::~StreamedFile() {
  if (file_ == nullptr) return;
  std::fclose(file_);
  std::remove(temporary_.c_str());
}

void StreamedFile::Fail(int error_number) {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
    std::remove(temporary_.c_str());
  }
  ThrowIoError(IoAction::kWrite, target_, error_number);
}

void StreamedFile::Write(std::string_view bytes) {
  if (file_ == nullptr) ThrowIoError(IoAction::kWrite, target_, EBADF);
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) Fail(errno);
}

void StreamedFile::Commit() {
  if (file_ == nullptr) ThrowIoError(IoAction::kWrite, target_, EBADF);
  if (std::fflush(file_) != 0) Fail(errno);
  std::FILE* f = file_;
  file_ = nullptr;
  if (std::fclose(f) != 0) {
    const int saved = errno;
    std::remove(temporary_.c_str());
    ThrowIoError(IoAction::kWrite, target_, saved);
  }
  if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
    const int saved = errno;
    std::remove(temporary_.c_str());
    ThrowIoError(IoAction::kWrite, target_, saved);
  }
}

void WriteStudyCsv(const fs::path& path, const std::vector<SessionResult>& sessions, uint64_t study_seed,
                   Cents starting_balance) {
  StreamedFile file(path);
  std::string chunk = StudyCsvHeader() + "\r\n";
  for (size_t i = 0; i < sessions.size(); ++i) {
    AppendStudyCsvLine(chunk, static_cast<int64_t>(i), StudySessionSeed(study_seed, static_cast<int64_t>(i)),
                       sessions[i], starting_balance);
    chunk += "\r\n";
    if (chunk.size() >= (1u << 20)) {
      file.Write(chunk);
      chunk.clear();
    }
  }
  file.Write(chunk);
  file.Commit();
}

}  // namespace vessaro
