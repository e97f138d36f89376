// Test fakes of the platform ports: scripted dialogs, a settable clock, a counting event pump,
// and recorders for sound, processes, the shell and HTTP.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/ports.h"

namespace vessaro::testing {

class FakeDialogs : public Dialogs {
 public:
  void ShowMessage(std::string_view text, MessageKind kind) override;
  void ShowTitledMessage(std::string_view title, std::string_view text, MessageKind kind) override;
  bool AskYesNo(std::string_view text) override;
  std::optional<std::string> ChooseOpenFile(const FileFilter& filter) override;
  std::optional<std::string> ChooseSaveFile(const FileFilter& filter) override;
  std::optional<std::string> ChooseFolder(std::string_view title, std::string_view initial) override;

  std::vector<std::string> messages;  // every message shown, in order
  std::vector<std::string> titles;    // titles of titled messages
  std::vector<std::string> questions;
  std::deque<bool> answers;  // Yes/No answers to give; "No" when empty
  std::deque<std::optional<std::string>> chosen_files;  // for open/save/folder pickers
  std::vector<FileFilter> file_requests;
  std::function<void(std::string_view)> on_message;  // called as each message is shown
};

class FakeClock : public Clock {
 public:
  DateTime LocalNow() override { return local; }
  DateTime UtcNow() override { return utc; }
  int64_t MonotonicMillis() override { return monotonic += monotonic_step; }

  DateTime local{2024, 1, 1, 13, 0, 0, 0};
  DateTime utc{2024, 1, 1, 4, 0, 0, 0};
  int64_t monotonic = 0;
  int64_t monotonic_step = 0;  // added on every read, to simulate time passing
};

class FakeEventPump : public EventPump {
 public:
  void ProcessEvents() override { ++process_calls; if (on_process) on_process(); }
  void Pause(int ms) override { pauses.push_back(ms); if (on_process) on_process(); }
  void Sleep(int ms) override { sleeps.push_back(ms); }

  int process_calls = 0;
  std::vector<int> pauses;
  std::vector<int> sleeps;
  std::function<void()> on_process;  // what "the user" does while events are processed
};

// Records every call in order; a sound plays until the test ends it (EndNarration, EndMusic) or
// it is stopped. StopMusic reports the end of a playing track, as the port promises.
class FakeSoundOut : public SoundOut {
 public:
  void PlayNarration(const std::string& file) override;
  void StopNarration() override;
  void PlayMusic(const std::string& file) override;
  void StopMusic() override;
  double OutputLevel() override { return level; }
  void SetOutputLevel(double value) override;
  // The sound playing now comes to its end (nothing happens when no track plays).
  void EndNarration();
  void EndMusic();

  std::vector<std::string> narrations;
  std::vector<std::string> music;
  int narration_stops = 0;
  int music_stops = 0;
  bool music_playing = false;
  double level = 0.5;
  // "narration <file>", "stop narration", "music <file>", "stop music", "level <x>", in order;
  // also appended to *timeline when set, so a test can interleave them with its pauses.
  std::vector<std::string> events;
  std::vector<std::string>* timeline = nullptr;

 private:
  void Log(std::string event);
};

class FakeProcessList : public ProcessList {
 public:
  std::vector<std::string> ProgramNames() override;
  // Each call returns the next list; the last one repeats.
  std::deque<std::vector<std::string>> lists;
  int calls = 0;
};

class FakeShell : public Shell {
 public:
  bool OpenWithAssociation(const std::string& path) override;
  bool StartProgram(const std::string& path, const std::vector<std::string>& args) override;
  std::vector<std::string> opened;
  std::vector<std::string> started;
  bool succeed = true;
};

class FakeHttpClient : public HttpClient {
 public:
  HttpResponse Post(const std::string& url,
                    const std::vector<std::pair<std::string, std::string>>& headers,
                    const std::string& body) override;
  HttpResponse Download(const std::string& url, const std::string& file) override;

  std::vector<std::string> posted_bodies;
  std::vector<std::string> downloaded_urls;
  std::deque<HttpResponse> post_responses;
  std::map<std::string, std::string> files_by_url;  // Download writes these bytes
};

}  // namespace vessaro::testing
