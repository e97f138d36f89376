#include "autosim/study_form_model.h"

#include "autosim/study_report.h"
#include "common/datetime.h"
#include "common/format.h"
#include "common/shell_open.h"
#include "common/text.h"

namespace vessaro {
namespace {

// Keeps the sessions for the export and passes the progress on.
class FormObserver : public StudyObserver {
 public:
  FormObserver(std::vector<SessionResult>& sessions, std::function<void(int64_t, int64_t)>& on_progress)
      : sessions_(sessions), on_progress_(on_progress) {}
  void OnSession(int64_t, uint64_t, const SessionResult& session) override { sessions_.push_back(session); }
  void OnProgress(int64_t done, int64_t total) override {
    if (on_progress_) on_progress_(done, total);
  }

 private:
  std::vector<SessionResult>& sessions_;
  std::function<void(int64_t, int64_t)>& on_progress_;
};

}  // namespace

StudyFormModel::StudyFormModel(fs::path program_folder, TableSettings settings, const StopLimits& limits,
                               Clock& clock, Dialogs& dialogs)
    : program_folder_(std::move(program_folder)), settings_(std::move(settings)), clock_(clock), dialogs_(dialogs) {
  systems_.prompt = "登録システムを選択してください";
  patterns_.prompt = "登録パターンを選択してください";
  systems_.Refill(ListSystemNames(program_folder_));
  patterns_.Refill(ListRunPatternNames(program_folder_));
  // As the stop dialog shows them: "0" when off.
  input_.profit = IntText(limits.on() ? limits.profit : 0);
  input_.loss = IntText(limits.on() ? limits.loss : 0);
}

StudyFormModel::~StudyFormModel() {
  if (!thread_.joinable()) return;
  study_->RequestStop();
  thread_.join();
}

std::string StudyFormModel::TableLine() const {
  return Format("%s　MIN %d　MAX %d　開始残高 %s", settings_.outcome_mode.c_str(), settings_.minimum,
                settings_.maximum, FormatCents(ParseMoney(settings_.balance_setting).value_or(0)).c_str());
}

bool StudyFormModel::Start(std::function<void(int64_t, int64_t)> on_progress, std::function<void()> on_finished) {
  if (running_) return false;
  if (!systems_.HasChoice() || !patterns_.HasChoice()) {
    dialogs_.ShowMessage(run_texts::kChooseSystemAndPattern, MessageKind::kWarning);
    return false;
  }
  StudyCounts counts;
  std::optional<std::string> refused = ReadStudyCounts(input_.sessions, input_.rounds, "", counts);
  if ((refused && *refused == study_texts::kSessionsRange) || (!refused && counts.sessions > kStudyFormMaxSessions))
    refused = study_form_texts::kSessionsRange;
  if (refused) {
    dialogs_.ShowMessage(*refused, MessageKind::kWarning);
    return false;
  }
  const StopDialogResult limits = CheckStopLimits(input_.profit, input_.loss);
  if (!limits.accepted) {
    dialogs_.ShowMessage(limits.message, MessageKind::kWarning);
    return false;
  }
  const std::string seed_text = Trim(input_.seed);
  uint64_t seed = static_cast<uint64_t>(MillisecondsOfDay(clock_.UtcNow()));
  if (!seed_text.empty()) {
    if (!IsDigits(seed_text) || seed_text.size() > 19) {
      dialogs_.ShowMessage(study_form_texts::kSeed, MessageKind::kWarning);
      return false;
    }
    seed = std::stoull(seed_text);
  }

  request_ = StudyRequest{};
  request_.system_name = systems_.Shown();
  request_.pattern_name = patterns_.Shown();
  request_.sessions = counts.sessions;
  request_.rounds = counts.rounds;
  request_.limits = limits.limits;
  request_.seed = seed;
  result_.reset();
  sessions_.clear();
  sessions_.reserve(static_cast<size_t>(counts.sessions));
  study_ = std::make_unique<Study>(program_folder_, settings_, clock_, loader_);
  running_ = true;
  thread_ = std::thread([this, on_progress = std::move(on_progress), on_finished = std::move(on_finished)]() mutable {
    FormObserver observer(sessions_, on_progress);
    auto result = std::make_unique<StudyResult>();
    try {
      *result = study_->Run(request_, observer);
    } catch (const std::exception& e) {
      // Nothing is written during a study; this is running out of memory or threads.
      *result = StudyResult{};
      result->message = e.what();
    }
    pending_ = std::move(result);
    if (on_finished) on_finished();
  });
  return true;
}

void StudyFormModel::Cancel() {
  if (running_ && study_) study_->RequestStop();
}

void StudyFormModel::Finish() {
  if (!thread_.joinable()) return;
  thread_.join();
  running_ = false;
  result_ = std::move(pending_);
  if (!result_->started) {
    dialogs_.ShowMessage(result_->message, MessageKind::kWarning);
    sessions_.clear();
  }
}

std::string StudyFormModel::StatusText(int64_t done, int64_t total) const {
  return Format(study_form_texts::kRunning, static_cast<long long>(done), static_cast<long long>(total));
}

std::string StudyFormModel::StatusText() const {
  if (!has_result()) return "";
  const StudySummary& s = result_->summary;
  if (s.cancelled)
    return Format(study_form_texts::kCancelled, static_cast<long long>(s.sessions_done),
                  static_cast<long long>(s.sessions_requested));
  return Format(study_form_texts::kDone, static_cast<long long>(s.sessions_done));
}

Histogram StudyFormModel::FinalHistogram(int bins) const {
  if (!has_result()) return {};
  return MakeHistogram(result_->finals, bins);
}

void StudyFormModel::ExportCsv() {
  if (running_ || !has_result() || sessions_.empty()) {
    dialogs_.ShowMessage(study_form_texts::kNothingToSave, MessageKind::kWarning);
    return;
  }
  FileFilter filter;
  filter.title = "保存先を選択してください。";
  filter.filter = MakeFileFilter("*.csv");
  filter.initial = (program_folder_ / "study.csv").string();
  filter.default_extension = "csv";
  const std::optional<std::string> path = dialogs_.ChooseSaveFile(filter);
  if (!path) return;
  try {
    WriteStudyCsv(*path, sessions_, request_.seed, result_->summary.starting_balance);
  } catch (const IoError& e) {
    dialogs_.ShowMessage(e.what(), MessageKind::kError);
    return;
  }
  dialogs_.ShowMessage(study_form_texts::kSaved, MessageKind::kInformation);
}

}  // namespace vessaro
