#include "systems/folders.h"

#include "common/text.h"

namespace vessaro {
namespace {

fs::path NamedFile(const fs::path& folder, std::string_view name, std::string_view suffix) {
  return folder / (std::string(name) + std::string(suffix) + ".txt");
}

// Base names of the folder's files, in listing order, that contain any of the markers.
std::vector<std::string> BaseNamesContaining(const fs::path& folder,
                                             std::initializer_list<std::string_view> markers) {
  std::vector<std::string> out;
  for (const fs::path& file : ListFiles(folder)) {
    // Hidden files include the temporary file of an atomic write cut short by a crash.
    if (StartsWith(file.filename().string(), ".")) continue;
    std::string base = file.stem().string();
    for (std::string_view marker : markers) {
      if (Contains(base, marker)) {
        out.push_back(base);
        break;
      }
    }
  }
  return out;
}

}  // namespace

fs::path BetPatternFolder(const fs::path& program_folder) { return program_folder / "betpattern"; }
fs::path FacePatternFolder(const fs::path& program_folder) {
  return program_folder / "facepattern";
}

fs::path SystemFilePath(const fs::path& program_folder, std::string_view name) {
  return NamedFile(BetPatternFolder(program_folder), name, kSystemSuffix);
}
fs::path PatternFilePath(const fs::path& program_folder, std::string_view name) {
  return NamedFile(BetPatternFolder(program_folder), name, kPatternSuffix);
}
fs::path SpecialPatternFilePath(const fs::path& program_folder, std::string_view name) {
  return NamedFile(BetPatternFolder(program_folder), name, kFacePatternSuffix);
}
fs::path FaceListFilePath(const fs::path& program_folder, std::string_view name) {
  return NamedFile(FacePatternFolder(program_folder), name, kFacePatternSuffix);
}
fs::path AshfinchFilePath(const fs::path& program_folder, std::string_view name) {
  return NamedFile(BetPatternFolder(program_folder), name, kAshfinchSuffix);
}

bool IsAshfinchSystemPath(const fs::path& path) {
  return EndsWith(path.string(), std::string(kAshfinchSuffix) + ".txt");
}

std::vector<std::string> ListSystemNames(const fs::path& program_folder) {
  std::vector<std::string> names;
  for (const std::string& base :
       BaseNamesContaining(BetPatternFolder(program_folder), {kSystemSuffix}))
    names.push_back(RemoveAll(base, kSystemSuffix));
  return names;
}

std::vector<std::string> ListOrdinarySystemNames(const fs::path& program_folder) {
  std::vector<std::string> names;
  for (const std::string& base :
       BaseNamesContaining(BetPatternFolder(program_folder), {kSystemSuffix}))
    if (!Contains(base, kAshfinchSuffix)) names.push_back(RemoveAll(base, kSystemSuffix));
  return names;
}

std::vector<std::string> ListPatternNames(const fs::path& program_folder) {
  std::vector<std::string> names;
  for (const std::string& base :
       BaseNamesContaining(BetPatternFolder(program_folder), {kPatternSuffix}))
    names.push_back(RemoveAll(base, kPatternSuffix));
  return names;
}

std::vector<std::string> ListSpecialPatternNames(const fs::path& program_folder) {
  std::vector<std::string> names;
  for (const std::string& base :
       BaseNamesContaining(BetPatternFolder(program_folder), {kFacePatternSuffix}))
    names.push_back(RemoveAll(base, kFacePatternSuffix));
  return names;
}

std::vector<std::string> ListRunPatternNames(const fs::path& program_folder) {
  std::vector<std::string> names;
  for (const std::string& base :
       BaseNamesContaining(BetPatternFolder(program_folder), {kPatternSuffix, kFacePatternSuffix}))
    names.push_back(RemoveAll(RemoveAll(base, kPatternSuffix), kFacePatternSuffix));
  return names;
}

std::vector<std::string> ListFaceListNames(const fs::path& program_folder) {
  std::vector<std::string> names;
  for (const std::string& base :
       BaseNamesContaining(FacePatternFolder(program_folder), {kFacePatternSuffix}))
    names.push_back(RemoveAll(base, kFacePatternSuffix));
  return names;
}

std::vector<std::string> ListAshfinchNames(const fs::path& program_folder) {
  std::vector<std::string> names;
  for (const std::string& base :
       BaseNamesContaining(BetPatternFolder(program_folder), {kAshfinchSuffix}))
    names.push_back(RemoveAll(base, kAshfinchSuffix));
  return names;
}

bool NameChoice::Choose(std::string_view name) {
  for (size_t i = 0; i < names.size(); ++i) {
    if (names[i] == name) {
      selected = static_cast<int>(i);
      return true;
    }
  }
  selected = -1;
  return false;
}

void NameChoice::AddIfMissing(std::string_view name) {
  for (const std::string& n : names)
    if (n == name) return;
  names.emplace_back(name);
}

}  // namespace vessaro
