// Whole-file and folder helpers at the one file boundary of the program. Text functions convert
// between UTF-8 inside and code page 932 with CR LF on disk. Unforeseen I/O failures raise IoError.
#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vessaro {

namespace fs = std::filesystem;

class IoError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class IoAction { kRead, kWrite, kDelete, kCreateFolder };
// What users are shown when a file operation fails: what could not be done, on which file, and
// why (errno in words), in Japanese like every other message of the program.
std::string IoErrorMessage(IoAction action, const fs::path& path, int error_number = 0);
[[noreturn]] void ThrowIoError(IoAction action, const fs::path& path, int error_number = 0);

// Raw bytes; empty when the file does not exist.
std::string ReadWholeFile(const fs::path& path);
// Creates or replaces the file with exactly these bytes, through a temporary file in the same
// folder renamed over the target, so a crash never leaves a torn file.
void WriteWholeFile(const fs::path& path, std::string_view bytes);

// The file as UTF-8 text (code page 932, or UTF-8 after a byte order mark); empty when missing.
std::string ReadTextFile(const fs::path& path);
std::vector<std::string> ReadTextLines(const fs::path& path);
// The lines of a file that runs append to (auto logs, graph files, play histories). A last line
// without its line end was torn by a kill during a write and is left out.
std::vector<std::string> ReadAppendedLines(const fs::path& path);
// The bytes up to and with the last line end.
std::string_view WholeLinesOf(std::string_view bytes);
// Encodes the UTF-8 text to code page 932 and writes it atomically. Line ends are the caller's.
void WriteTextFile(const fs::path& path, std::string_view text);
// Appends the text and CR LF; creates the file when missing.
void AppendLine(std::string_view text, const fs::path& path);

// Read, convert and write back; false instead of an error.
bool HexEncodeFile(const fs::path& path);
bool HexDecodeFile(const fs::path& path);

// Ordinary files of the folder (no sub-folders), ordered by name regardless of letter case.
std::vector<fs::path> ListFiles(const fs::path& folder);

// Creates the folder and its missing parents; an empty path does nothing. False on failure.
bool EnsureFolder(const fs::path& path);

// Deletes the folder with everything below it. -1 for an empty path or a root, -2 when something
// cannot be deleted (what was deleted stays deleted), 0 on success.
int RemoveFolder(const fs::path& path);

// Size in bytes, or -1 when there is no such file.
int64_t FileSizeOf(const fs::path& path);

bool FileExists(const fs::path& path);
bool FolderExists(const fs::path& path);
// Deletes a file if it exists; false when it exists and cannot be deleted.
bool DeleteFileIfExists(const fs::path& path);

// Creates an empty file at wanted, or, when that name is taken, at the first free one of
// "<stem>_2<ext>", "<stem>_3<ext>" …; returns the path created. The creation is exclusive, so two
// programs starting at once never get the same file. Raises IoError when none can be created.
fs::path CreateFreshFile(const fs::path& wanted);

// A relative path written with either separator ("System\Rules.dat"), below base.
fs::path ResolveBelow(const fs::path& base, std::string_view relative);

// The last part of a path written with either separator.
std::string FileNamePart(std::string_view path_text);

}  // namespace vessaro
