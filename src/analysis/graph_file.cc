#include "analysis/graph_file.h"

#include <algorithm>

#include "common/text.h"

namespace vessaro {
namespace {

constexpr std::string_view kSummaryMark = "試行回数：";
// The line a run without a single win writes in place of both summary lines. Read as points it
// would draw two false drops to 0 at the end of the curve.
constexpr std::string_view kZeroPayoutMark = "ペイアウト：";

std::vector<std::string_view> LineViews(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  // A last line without its line end was torn by a kill during a write: it is not read.
  return lines;
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

int64_t WholeNumber(std::string_view field) {
  long long value = 0;
  return ParseInt64(TrimBlanks(field), value) ? value : 0;
}

bool StartsSummary(std::string_view line) {
  return line.find(kSummaryMark) != std::string_view::npos ||
         line.find(kZeroPayoutMark) != std::string_view::npos;
}

void ReadPoint(std::string_view line, int64_t& system, int64_t& second) {
  const size_t comma = line.find(',');
  if (comma == std::string_view::npos) {
    system = WholeNumber(line);
    second = 0;
    return;
  }
  system = WholeNumber(line.substr(0, comma));
  std::string_view rest = line.substr(comma + 1);
  second = WholeNumber(rest.substr(0, rest.find(',')));
}

}  // namespace

int64_t ThinningStep(int64_t rounds) { return rounds > 50 ? rounds / 50 : 0; }

GraphContent ReadGraph(std::string_view text, int64_t rounds, GraphFlavour flavour) {
  GraphContent content;
  const std::vector<std::string_view> lines = LineViews(text);
  if (!lines.empty()) {
    const SplitResult header = SplitFields(lines[0], 0, ",");
    if (header.count >= 1) content.start = WholeNumber(header.fields[0]);
    if (header.count >= 4) {
      content.system_name = header.fields[2];
      content.pattern_name = header.fields[3];
    }
  }
  content.points.push_back({0, content.start, content.start});

  size_t summary_at = lines.size();
  for (size_t i = 1; i < lines.size(); ++i) {
    if (StartsSummary(lines[i])) {
      summary_at = i;
      break;
    }
  }
  const int64_t line_count = summary_at > 0 ? static_cast<int64_t>(summary_at) - 1 : 0;
  int64_t step = ThinningStep(rounds);
  if (line_count / std::max<int64_t>(step, 1) > kMaxDrawnLines)
    step = (line_count + kMaxDrawnLines - 1) / kMaxDrawnLines;

  std::optional<GraphPoint> last_skipped;
  for (size_t i = 1; i < summary_at; ++i) {
    // An empty line holds no point (a replay that had no payout leaves its summary lines empty).
    if (TrimBlanks(lines[i]).empty()) continue;
    ++content.point_lines;
    const auto k = static_cast<int64_t>(i);
    int64_t system = 0;
    int64_t second = 0;
    ReadPoint(lines[i], system, second);
    bool drawn = step == 0 || k % step == 0;
    if (!drawn && flavour == GraphFlavour::kReplay) drawn = system == 0 || second == 0;
    if (drawn) {
      content.points.push_back({k, system, second});
    } else {
      last_skipped = GraphPoint{k, system, second};
    }
  }
  // The curve always ends at the last round played, whatever the thinning skipped: a run that
  // stopped early must not seem to end at a balance it had rounds before.
  if (last_skipped && last_skipped->x > content.points.back().x) content.points.push_back(*last_skipped);

  if (summary_at < lines.size()) {
    content.summary_lines.emplace_back(lines[summary_at]);
    // Both zero-payout lines are the same text; showing it twice says nothing more.
    if (summary_at + 1 < lines.size() && lines[summary_at + 1] != lines[summary_at])
      content.summary_lines.emplace_back(lines[summary_at + 1]);
    content.summary = content.summary_lines[0];
    if (content.summary_lines.size() > 1) content.summary += ' ' + content.summary_lines[1];
  }
  return content;
}

GraphContent ReadGraphFile(const fs::path& file, int64_t rounds, GraphFlavour flavour) {
  return ReadGraph(ReadTextFile(file), rounds, flavour);
}

}  // namespace vessaro
