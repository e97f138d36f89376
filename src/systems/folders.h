// Where system, pattern, special pattern, face pattern list and Ashfinch files live, and the
// name lists each window builds from those folders.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/files.h"

namespace vessaro {

inline constexpr const char* kSystemSuffix = "_syspattern";
inline constexpr const char* kPatternSuffix = "_pattern";
inline constexpr const char* kFacePatternSuffix = "_facepattern";
inline constexpr const char* kAshfinchSuffix = "_ashfinchbasic_syspattern";

fs::path BetPatternFolder(const fs::path& program_folder);   // betpattern
fs::path FacePatternFolder(const fs::path& program_folder);  // facepattern

// betpattern/<name>_syspattern.txt
fs::path SystemFilePath(const fs::path& program_folder, std::string_view name);
// betpattern/<name>_pattern.txt
fs::path PatternFilePath(const fs::path& program_folder, std::string_view name);
// betpattern/<name>_facepattern.txt
fs::path SpecialPatternFilePath(const fs::path& program_folder, std::string_view name);
// facepattern/<name>_facepattern.txt
fs::path FaceListFilePath(const fs::path& program_folder, std::string_view name);
// betpattern/<name>_ashfinchbasic_syspattern.txt
fs::path AshfinchFilePath(const fs::path& program_folder, std::string_view name);

// A run treats a system as an Ashfinch basic system when its file name ends so.
bool IsAshfinchSystemPath(const fs::path& path);

// The lists below are in the order ListFiles gives (by name, regardless of letter case). A file
// counts when its base name (name without the last extension) contains the suffix; hidden files
// (a temporary file left by an interrupted save) never do.

// System editor and auto simulator: "_syspattern" files, every "_syspattern" removed (Ashfinch
// systems therefore appear as "<name>_ashfinchbasic").
std::vector<std::string> ListSystemNames(const fs::path& program_folder);
// The systems that P mode of the Ashfinch system may play: as above without Ashfinch systems.
std::vector<std::string> ListOrdinarySystemNames(const fs::path& program_folder);
// Fixed pattern page: "_pattern" files, every "_pattern" removed.
std::vector<std::string> ListPatternNames(const fs::path& program_folder);
// Special pattern page: "_facepattern" files of betpattern, every "_facepattern" removed.
std::vector<std::string> ListSpecialPatternNames(const fs::path& program_folder);
// Auto simulator pattern list: "_pattern" or "_facepattern" files of betpattern, every
// "_pattern" and then every "_facepattern" removed (a name may appear twice).
std::vector<std::string> ListRunPatternNames(const fs::path& program_folder);
// Face pattern lists: "_facepattern" files of facepattern, every "_facepattern" removed.
std::vector<std::string> ListFaceListNames(const fs::path& program_folder);
// Ashfinch editor: "_ashfinchbasic_syspattern" files, every such text removed.
std::vector<std::string> ListAshfinchNames(const fs::path& program_folder);

// A drop-down of names that starts on its prompt (nothing chosen). Typing is not possible: the
// only way to choose is an index into names.
struct NameChoice {
  std::string prompt;
  std::vector<std::string> names;
  int selected = -1;  // -1: the prompt

  bool HasChoice() const { return selected >= 0 && selected < static_cast<int>(names.size()); }
  // The chosen name, or the prompt.
  const std::string& Shown() const { return HasChoice() ? names[selected] : prompt; }
  void Reset() { selected = -1; }
  // Replaces the names; the choice goes back to the prompt.
  void Refill(std::vector<std::string> fresh) {
    names = std::move(fresh);
    selected = -1;
  }
  // Chooses by name; false (and the prompt) when it is not in the list.
  bool Choose(std::string_view name);
  // Appends a name that is not in the list yet (a newly saved file).
  void AddIfMissing(std::string_view name);
};

}  // namespace vessaro
