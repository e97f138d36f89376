// The rules of the window "モンテカルロ検証": its lists and fields, the checks of "検証開始", the
// study on its own thread with progress and cancel, the texts it shows, and the CSV export. The
// window only shows this state and forwards the user's commands.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "autosim/study.h"
#include "autosim/system_sources.h"
#include "common/ports.h"
#include "systems/folders.h"

namespace vessaro {

namespace study_form_texts {
inline constexpr const char* kSessionsRange = "セッション数は1から1000000までの半角数字で入力してください";
inline constexpr const char* kSeed = "シードは半角数字で入力してください（空欄のときは自動で決めます）";
inline constexpr const char* kRunning = "検証中です... %lld / %lld セッション";
inline constexpr const char* kDone = "完了しました：%lld セッション";
inline constexpr const char* kCancelled = "中止しました：%lld / %lld セッションまでの途中結果です";
inline constexpr const char* kNothingToSave = "保存する検証結果がありません";
inline constexpr const char* kSaved = "保存しました";
}  // namespace study_form_texts

// The window keeps every session for its CSV export, so it takes fewer sessions than the command.
inline constexpr int64_t kStudyFormMaxSessions = 1000000;

struct StudyFormInput {
  std::string sessions = "10000";
  std::string rounds = "1000";
  std::string profit;  // the stop limits as in the stop dialog: both 0 or blank, or both set
  std::string loss;
  std::string seed;  // blank: the time of day in milliseconds
};

class StudyFormModel {
 public:
  // settings: the table's; limits: the table's stop limits, offered as the study's.
  StudyFormModel(fs::path program_folder, TableSettings settings, const StopLimits& limits, Clock& clock,
                 Dialogs& dialogs);
  ~StudyFormModel();  // a study still going is stopped and waited for

  NameChoice& systems() { return systems_; }
  NameChoice& patterns() { return patterns_; }
  StudyFormInput& input() { return input_; }
  // "完全確率モード　MIN 1　MAX 500　開始残高 1000.00": what every session plays under.
  std::string TableLine() const;

  // "検証開始": checks the choices and fields (messages through Dialogs, nothing started on a
  // refusal), then plays the study on its own thread. on_progress(done, total) and on_finished()
  // are called on that thread; after on_finished the window calls Finish() on its own.
  bool Start(std::function<void(int64_t, int64_t)> on_progress, std::function<void()> on_finished);
  // "中止": the study stops within a few thousand rounds and keeps the sessions finished so far.
  void Cancel();
  // Waits for the study's thread and takes its result. Does nothing when no study is going.
  void Finish();
  bool running() const { return running_; }

  bool has_result() const { return result_ != nullptr && result_->started; }
  const StudyResult& result() const { return *result_; }
  const std::vector<SessionResult>& sessions() const { return sessions_; }
  uint64_t seed() const { return request_.seed; }
  int64_t requested_sessions() const { return request_.sessions; }
  // The line under the progress bar: running, done, or cancelled with the count kept.
  std::string StatusText(int64_t done, int64_t total) const;
  std::string StatusText() const;
  Histogram FinalHistogram(int bins) const;

  // "CSV出力": asks for the file and writes one line per session.
  void ExportCsv();

 private:
  fs::path program_folder_;
  TableSettings settings_;
  Clock& clock_;
  Dialogs& dialogs_;
  NameChoice systems_;
  NameChoice patterns_;
  StudyFormInput input_;
  SystemsRunSourceLoader loader_;
  StudyRequest request_;
  std::unique_ptr<Study> study_;
  std::unique_ptr<StudyResult> result_;
  std::unique_ptr<StudyResult> pending_;  // written by the study's thread, taken by Finish()
  std::vector<SessionResult> sessions_;
  std::thread thread_;
  bool running_ = false;
};

}  // namespace vessaro
