// The platform behind small interfaces. The core reaches windows, time, sound, processes and the
// network only through these; src/ui implements them with Qt and tests with fakes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/datetime.h"

namespace vessaro {

enum class MessageKind { kInformation, kWarning, kError };

struct FileFilter {
  std::string title;    // "出力先を選択してください。"
  std::string filter;   // "JPG FILE(*.jpg)|*.jpg|ALL FILE(*.*)|*.*" style pairs
  std::string initial;  // initial file or folder
  std::string default_extension;
};

// Message boxes and file pickers over the window that owns them.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual void ShowMessage(std::string_view text, MessageKind kind) = 0;
  // Message with a title of its own (the system's "二重起動" box, say).
  virtual void ShowTitledMessage(std::string_view title, std::string_view text, MessageKind kind) {
    ShowMessage(text, kind);
  }
  virtual bool AskYesNo(std::string_view text) = 0;
  virtual std::optional<std::string> ChooseOpenFile(const FileFilter& filter) = 0;
  virtual std::optional<std::string> ChooseSaveFile(const FileFilter& filter) = 0;
  virtual std::optional<std::string> ChooseFolder(std::string_view title,
                                                  std::string_view initial) = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateTime LocalNow() = 0;
  virtual DateTime UtcNow() = 0;
  // Monotonic milliseconds, for pacing long work.
  virtual int64_t MonotonicMillis() = 0;
};

class EventPump {
 public:
  virtual ~EventPump() = default;
  // Runs the pending window events once.
  virtual void ProcessEvents() = 0;
  // Waits ms milliseconds while processing window events.
  virtual void Pause(int ms) = 0;
  // Waits ms milliseconds without processing window events.
  virtual void Sleep(int ms) = 0;
};

// Two channels, narration and music, each playing one MP3 file at a time without waiting. A file
// that is missing or cannot be played, or a machine without sound, plays silence: nothing here
// reports an error.
class SoundOut {
 public:
  // What the channels report back, on the window thread.
  class Listener {
   public:
    virtual ~Listener() = default;
    virtual void NarrationEnded() = 0;
    // A track played to its end, or StopMusic stopped it (reported before StopMusic returns).
    virtual void MusicEnded() = 0;
  };

  virtual ~SoundOut() = default;
  void set_listener(Listener* listener) { listener_ = listener; }
  virtual void PlayNarration(const std::string& file) = 0;
  virtual void StopNarration() = 0;
  virtual void PlayMusic(const std::string& file) = 0;
  virtual void StopMusic() = 0;
  // The program's own output level on both channels, 0.0 to 1.0 (the desktop's master volume
  // belongs to the user); negative when there is no such control.
  virtual double OutputLevel() = 0;
  virtual void SetOutputLevel(double level) = 0;

 protected:
  Listener* listener_ = nullptr;
};

class ProcessList {
 public:
  virtual ~ProcessList() = default;
  // Program file names of the running processes.
  virtual std::vector<std::string> ProgramNames() = 0;
};

class Shell {
 public:
  virtual ~Shell() = default;
  // Opens the file with the program associated with its type; false when nothing started.
  virtual bool OpenWithAssociation(const std::string& path) = 0;
  virtual bool StartProgram(const std::string& path, const std::vector<std::string>& args) = 0;
};

struct HttpResponse {
  int status = 0;  // HTTP status, or a network error code
  std::string body;
  std::string error;
};

class HttpClient {
 public:
  virtual ~HttpClient() = default;
  virtual HttpResponse Post(const std::string& url,
                            const std::vector<std::pair<std::string, std::string>>& headers,
                            const std::string& body) = 0;
  virtual HttpResponse Download(const std::string& url, const std::string& file) = 0;
};

}  // namespace vessaro
