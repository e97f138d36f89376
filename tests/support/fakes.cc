#include "support/fakes.h"

#include <cstdio>

#include "common/files.h"

namespace vessaro::testing {

void FakeDialogs::ShowMessage(std::string_view text, MessageKind) {
  messages.emplace_back(text);
  if (on_message) on_message(text);
}

void FakeDialogs::ShowTitledMessage(std::string_view title, std::string_view text, MessageKind) {
  titles.emplace_back(title);
  messages.emplace_back(text);
}

bool FakeDialogs::AskYesNo(std::string_view text) {
  questions.emplace_back(text);
  if (answers.empty()) return false;
  bool a = answers.front();
  answers.pop_front();
  return a;
}

namespace {
std::optional<std::string> Next(std::deque<std::optional<std::string>>& q) {
  if (q.empty()) return std::nullopt;
  auto v = q.front();
  q.pop_front();
  return v;
}
}  // namespace

std::optional<std::string> FakeDialogs::ChooseOpenFile(const FileFilter& filter) {
  file_requests.push_back(filter);
  return Next(chosen_files);
}

std::optional<std::string> FakeDialogs::ChooseSaveFile(const FileFilter& filter) {
  file_requests.push_back(filter);
  return Next(chosen_files);
}

std::optional<std::string> FakeDialogs::ChooseFolder(std::string_view title, std::string_view initial) {
  file_requests.push_back(FileFilter{std::string(title), "", std::string(initial), ""});
  return Next(chosen_files);
}

void FakeSoundOut::Log(std::string event) {
  if (timeline != nullptr) timeline->push_back(event);
  events.push_back(std::move(event));
}

void FakeSoundOut::PlayNarration(const std::string& file) {
  narrations.push_back(file);
  Log("narration " + file);
}

void FakeSoundOut::StopNarration() {
  ++narration_stops;
  Log("stop narration");
}

void FakeSoundOut::PlayMusic(const std::string& file) {
  music.push_back(file);
  music_playing = true;
  Log("music " + file);
}

void FakeSoundOut::StopMusic() {
  ++music_stops;
  Log("stop music");
  if (!music_playing) return;
  music_playing = false;
  if (listener_ != nullptr) listener_->MusicEnded();
}

void FakeSoundOut::SetOutputLevel(double value) {
  level = value;
  char text[32];
  std::snprintf(text, sizeof text, "level %.1f", value);
  Log(text);
}

void FakeSoundOut::EndNarration() {
  if (listener_ != nullptr) listener_->NarrationEnded();
}

void FakeSoundOut::EndMusic() {
  if (!music_playing) return;  // a stopped track has no end to report
  music_playing = false;
  if (listener_ != nullptr) listener_->MusicEnded();
}

std::vector<std::string> FakeProcessList::ProgramNames() {
  ++calls;
  if (lists.empty()) return {};
  auto v = lists.front();
  if (lists.size() > 1) lists.pop_front();
  return v;
}

bool FakeShell::OpenWithAssociation(const std::string& path) {
  opened.push_back(path);
  return succeed;
}

bool FakeShell::StartProgram(const std::string& path, const std::vector<std::string>&) {
  started.push_back(path);
  return succeed;
}

HttpResponse FakeHttpClient::Post(const std::string&, const std::vector<std::pair<std::string, std::string>>&,
                                  const std::string& body) {
  posted_bodies.push_back(body);
  if (post_responses.empty()) return HttpResponse{404, "", "not found"};
  auto r = post_responses.front();
  post_responses.pop_front();
  return r;
}

HttpResponse FakeHttpClient::Download(const std::string& url, const std::string& file) {
  downloaded_urls.push_back(url);
  auto it = files_by_url.find(url);
  if (it == files_by_url.end()) return HttpResponse{404, "", "not found"};
  WriteWholeFile(file, it->second);
  return HttpResponse{200, "", ""};
}

}  // namespace vessaro::testing
