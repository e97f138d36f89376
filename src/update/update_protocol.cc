#include "update/update_protocol.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>

#include "common/cp932.h"
#include "common/format.h"
#include "common/hex.h"
#include "common/program_folder.h"
#include "common/text.h"
#include "update/confined_path.h"
#include "update/zip_extract.h"

namespace vessaro {
namespace {

constexpr int kPostAttempts = 2;
constexpr int kRetryPauseMs = 1000;
constexpr int kEntryPauseMs = 10;
constexpr int kQuietEntriesPerPause = 50;
constexpr int kCopyAttempts = 10;
constexpr int kCopyRetryMs = 300;

// Files of the installation that must stay runnable when the update writes them anew.
constexpr const char* kProgramFiles[] = {kSimulatorProgram, kLauncherProgram, "vessaro-sim", "vessaro-update"};

std::string WithHint(const std::string& message) {
  return message + "\r\n" + update_texts::kAdministratorHint;
}

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

// yyyymmddhhnn with a real calendar date and time; nullopt otherwise.
std::optional<DateTime> ParseStamp(std::string_view stamp) {
  if (stamp.size() != 12 || !IsDigits(stamp)) return std::nullopt;
  auto num = [&](size_t pos, size_t len) { return static_cast<int>(ToIntDef(stamp.substr(pos, len), -1)); };
  DateTime t;
  t.year = num(0, 4);
  t.month = num(4, 2);
  t.day = num(6, 2);
  t.hour = num(8, 2);
  t.minute = num(10, 2);
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (t.year < 1970 || t.month < 1 || t.month > 12 || t.hour > 23 || t.minute > 59) return std::nullopt;
  const int days = kDays[t.month - 1] + (t.month == 2 && IsLeapYear(t.year) ? 1 : 0);
  if (t.day < 1 || t.day > days) return std::nullopt;
  return t;
}

// The file's modification time in local time as yyyymmddhhnn; empty when it cannot be read.
std::string ModifiedStamp(const fs::path& file) {
  struct stat st {};
  if (::stat(file.c_str(), &st) != 0) return {};
  std::tm local{};
  if (::localtime_r(&st.st_mtim.tv_sec, &local) == nullptr) return {};
  return Format("%04d%02d%02d%02d%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                local.tm_min);
}

bool SetModifiedTime(const fs::path& file, const DateTime& t) {
  std::tm local{};
  local.tm_year = t.year - 1900;
  local.tm_mon = t.month - 1;
  local.tm_mday = t.day;
  local.tm_hour = t.hour;
  local.tm_min = t.minute;
  local.tm_sec = t.second;
  local.tm_isdst = -1;
  const std::time_t when = std::mktime(&local);
  if (when == static_cast<std::time_t>(-1)) return false;
  struct timespec times[2];
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_OMIT;  // access time unchanged
  times[1].tv_sec = when;
  times[1].tv_nsec = 0;
  return ::utimensat(AT_FDCWD, file.c_str(), times, 0) == 0;
}

// A program file written anew gets the execute permission wherever it may be read.
void KeepProgramRunnable(const fs::path& file) {
  const std::string name = file.filename().string();
  if (std::none_of(std::begin(kProgramFiles), std::end(kProgramFiles), [&](const char* p) { return name == p; }))
    return;
  std::error_code ec;
  const fs::perms p = fs::status(file, ec).permissions();
  if (ec) return;
  fs::perms add = fs::perms::none;
  if ((p & fs::perms::owner_read) != fs::perms::none) add |= fs::perms::owner_exec;
  if ((p & fs::perms::group_read) != fs::perms::none) add |= fs::perms::group_exec;
  if ((p & fs::perms::others_read) != fs::perms::none) add |= fs::perms::others_exec;
  fs::permissions(file, add, fs::perm_options::add, ec);
}

fs::path RealPath(const fs::path& path) {
  if (path.empty()) return {};
  std::error_code ec;
  fs::path real = fs::weakly_canonical(path, ec);
  return ec ? fs::path() : real;
}

// Replaces target with a copy of source through a temporary file beside it; the permissions of a
// replaced file are kept.
bool ReplaceWithCopy(const fs::path& source, const fs::path& target) {
  std::error_code ec;
  if (!EnsureFolder(target.parent_path())) return false;
  std::string pattern = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) return false;
  ::close(fd);
  const fs::path temp = pattern;
  const bool existed = fs::is_regular_file(target, ec);
  const fs::perms keep = existed ? fs::status(target, ec).permissions() : fs::perms::none;
  bool ok = fs::copy_file(source, temp, fs::copy_options::overwrite_existing, ec);
  if (ok) {
    const fs::perms mode = existed ? keep
                                   : fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                         fs::perms::others_read;
    fs::permissions(temp, mode, ec);
    fs::rename(temp, target, ec);
    ok = !ec;
  }
  if (!ok) {
    fs::remove(temp, ec);
    return false;
  }
  KeepProgramRunnable(target);
  return true;
}

}  // namespace

std::string WithScheme(std::string_view root) {
  if (root.find("://") != std::string_view::npos) return std::string(root);
  return "http://" + std::string(root);
}

std::string EncodeUrlPath(std::string_view path) {
  static constexpr std::string_view kKept = "!$'()*-./@_";
  std::string out;
  out.reserve(path.size() * 3);
  for (char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
        kKept.find(c) != std::string_view::npos) {
      out.push_back(c);
    } else if (c == ' ') {
      out.push_back('+');
    } else {
      out += Format("%%%.2x", byte);
    }
  }
  return out;
}

std::string StampMillisecond(const DateTime& t) { return StampSecond(t) + Format("%03d", t.millisecond); }

PostResult PostForm(UpdatePorts& ports, std::string_view root, std::string_view path, std::string_view form_text) {
  const std::string url = WithScheme(root) + std::string(path);
  const std::string body = HexEncodeText(form_text);
  const std::vector<std::pair<std::string, std::string>> headers = {
      {"Pragma", "public"},
      {"Expires", "0"},
      {"Cache-Control", "must-revalidate, post-check=0, pre-check=0"},
      {"Cache-Control", "private"},
      {"Content-Type", "application/octet-stream"},
      {"Content-Transfer-Encoding", "binary"},
      {"Content-Length", IntText(static_cast<long long>(body.size()))},
  };
  PostResult out;
  for (int attempt = 1; attempt <= kPostAttempts; ++attempt) {
    HttpResponse response = ports.http.Post(url, headers, body);
    out.result = response.status == 200 ? 0 : response.status > 0 ? response.status : kResultUnreadableHttpStatus;
    out.text = std::move(response.body);
    const bool retry = out.result == 500 || out.result == 503 || out.result == kNetworkInvalidResponse;
    if (!retry || attempt == kPostAttempts) break;
    ports.pump.Pause(kRetryPauseMs);
  }
  return out;
}

UpdateList ParseUpdateList(std::string_view body) {
  if (body.substr(0, 3) == "\xEF\xBB\xBF") body.remove_prefix(3);
  // The text as the code page holds it: what it cannot hold reads "?", as on the maker's side.
  const std::string text = DecodeCp932(EncodeCp932Lossy(body));
  UpdateList list;
  bool have_status = false;
  bool have_message = false;
  std::string status;
  for (const std::string& line : SplitLines(ReplaceAll(text, "&", "\r\n"))) {
    if (line.empty()) continue;
    const size_t eq = line.find('=');
    const std::string key = line.substr(0, eq);
    const std::string value = eq == std::string::npos ? std::string() : line.substr(eq + 1);
    if (!have_status && EqualsIgnoreCase(key, "status")) {
      have_status = true;
      status = value;
      continue;
    }
    if (!have_message && EqualsIgnoreCase(key, "messages")) {
      have_message = true;
      list.message = value;
      continue;
    }
    FileEntry entry;
    const size_t comma = key.find(',');
    entry.path = key.substr(0, comma);
    if (comma != std::string::npos) entry.flag = GetField(key.substr(comma + 1), ",", 1);
    entry.stamp = value;
    list.entries.push_back(std::move(entry));
  }
  long long code = 0;
  if (have_status && ParseInt64(Trim(status), code) && code >= INT32_MIN && code <= INT32_MAX) {
    list.result = static_cast<int>(code);
  } else {
    list.result = kResultNoStatus;
  }
  list.message_from_server = !list.message.empty();
  if (list.result != 0 && list.message.empty())
    list.message = Format(update_texts::kCommunicationFailed, list.result);
  return list;
}

UpdateList GetUpdateList(UpdatePorts& ports, std::string_view application, std::string_view file_name,
                         std::string_view root) {
  const std::string form = "command=getupdatelist&app=" + std::string(application) + "&filename=" +
                           std::string(file_name);
  PostResult post = PostForm(ports, root, kListPath, form);
  if (post.result != 0) {
    UpdateList list;
    list.result = post.result;
    list.message = Format(update_texts::kCommunicationFailed, post.result);
    return list;
  }
  return ParseUpdateList(post.text);
}

std::optional<EntryPlace> EntryFile(const PathConfiner& base, const FileEntry& entry) {
  std::string relative = entry.path;
  if (!entry.flag.empty() && (entry.flag[0] == 'T' || entry.flag[0] == 't')) {
    std::optional<std::string> name = FlatFileName(entry.path);
    if (!name) return std::nullopt;
    relative = fs::path(*name).replace_extension(".dat").string();
  }
  auto resolved = base.Resolve(relative);
  if (!resolved) return std::nullopt;
  return EntryPlace{std::move(resolved->path), std::move(resolved->real)};
}

UpdateOutcome UpdateFiles(UpdatePorts& ports, ProgressSink* progress, const UpdateRequest& request) {
  UpdateOutcome out;
  if (progress != nullptr) progress->SetPosition(0);
  const fs::path base = request.base.empty() ? ResolveProgramFolder() : request.base;

  UpdateList list = GetUpdateList(ports, request.application, request.file_name, request.root);
  out.message = std::move(list.message);  // a server may say something even when all is well
  out.message_from_server = list.message_from_server;
  if (list.result != 0) {
    out.result = list.result;
    return out;
  }

  // Check the whole list before writing anything of it.
  struct Planned {
    EntryPlace place;
    DateTime stamp;
  };
  std::vector<Planned> plan;
  plan.reserve(list.entries.size());
  const PathConfiner confiner(base);
  for (const FileEntry& entry : list.entries) {
    std::optional<EntryPlace> file = EntryFile(confiner, entry);
    if (!file) {
      out.result = kResultBadEntry;
      out.message = Format(update_texts::kBadEntryPath, kResultBadEntry, entry.path.c_str());
      out.message_from_server = false;
      return out;
    }
    std::optional<DateTime> stamp = ParseStamp(entry.stamp);
    if (!stamp) {
      out.result = kResultBadEntry;
      out.message = Format(update_texts::kBadEntryTime, kResultBadEntry, entry.path.c_str(), entry.stamp.c_str());
      out.message_from_server = false;
      return out;
    }
    plan.push_back(Planned{std::move(*file), *stamp});
  }

  const int count = static_cast<int>(plan.size());
  if (progress != nullptr) progress->SetMaximum(count);
  const std::string root = WithScheme(request.root);
  const std::string own_program = RealPath(request.own_program).string();
  for (int i = 0; i < count; ++i) {
    const FileEntry& entry = list.entries[static_cast<size_t>(i)];
    const fs::path& file = plan[static_cast<size_t>(i)].place.file;
    bool current = false;
    if (FileExists(file)) {
      if (!own_program.empty() && EqualsIgnoreCase(plan[static_cast<size_t>(i)].place.real.string(), own_program))
        continue;
      current = ModifiedStamp(file) == entry.stamp;
    }
    if (current) {
      if (i % kQuietEntriesPerPause == 0) ports.pump.Pause(kEntryPauseMs);
      continue;
    }
    const std::string url = Format("%s/update_files/%s/%s?%s", root.c_str(), request.application.c_str(),
                                   EncodeUrlPath(entry.path).c_str(),
                                   StampMillisecond(ports.clock.LocalNow()).c_str());
    bool ok = EnsureFolder(file.parent_path());
    if (ok) ok = ports.http.Download(url, file.string()).status == 200;
    if (!ok) {
      out.result = kResultDownloadFailed;
      out.message = WithHint(Format(update_texts::kDownloadFailed, kResultDownloadFailed, url.c_str()));
      out.message_from_server = false;
      return out;
    }
    DateTime stamped = plan[static_cast<size_t>(i)].stamp;
    stamped.second = 10;
    SetModifiedTime(file, stamped);
    KeepProgramRunnable(file);
    out.updated = true;
    out.replaced.push_back(file);
    if (progress != nullptr) progress->SetPosition(i + 1);
    ports.pump.Pause(kEntryPauseMs);
  }
  if (progress != nullptr) progress->SetPosition(count);
  return out;
}

ArchiveOutcome InstallArchive(UpdatePorts& ports, const ArchiveRequest& request) {
  ArchiveOutcome out;
  // A private work folder (mode 0700, unique name) rather than a fixed name in the shared
  // temporary folder, which another user could have prepared.
  std::error_code ec;
  fs::path temp = fs::temp_directory_path(ec);
  if (ec) temp = "/tmp";
  std::string pattern = (temp / (request.application + "-XXXXXX")).string();
  const DateTime now = ports.clock.LocalNow();
  const std::string url = Format("%s/update/%s/update.zip?%s", WithScheme(request.root).c_str(),
                                 request.application.c_str(), StampMillisecond(now).c_str());
  if (::mkdtemp(pattern.data()) == nullptr) {
    out.result = kResultDownloadFailed;
    out.message = WithHint(Format(update_texts::kArchiveDownloadFailed, out.result, url.c_str()));
    return out;
  }
  const fs::path work = pattern;
  const std::string name = Format("%02d%02d%02d%03d", now.hour, now.minute, now.second, now.millisecond);
  const fs::path archive = work / (name + "_update.zip");
  const fs::path extract = work / (name + "_update");

  if (ports.http.Download(url, archive.string()).status != 200) {
    out.result = kResultDownloadFailed;
    out.message = WithHint(Format(update_texts::kArchiveDownloadFailed, out.result, url.c_str()));
  } else if (!ExtractFlat(archive, kArchivePassword, extract).ok) {
    out.result = kResultExtractFailed;
    out.message = WithHint(Format(update_texts::kExtractFailed, out.result, archive.c_str()));
  } else {
    std::vector<fs::path> sources;
    for (auto it = fs::recursive_directory_iterator(extract, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
      if (it->is_regular_file(ec)) sources.push_back(it->path());
    }
    std::sort(sources.begin(), sources.end());
    const fs::path folder = request.target_file.parent_path();
    for (const fs::path& source : sources) {
      if (EqualsIgnoreCase(source.filename().string(), request.own_program_name)) continue;
      const fs::path target = folder / source.lexically_relative(extract);
      bool copied = false;
      for (int attempt = 1; attempt <= kCopyAttempts && !copied; ++attempt) {
        copied = ReplaceWithCopy(source, target);
        if (!copied && attempt < kCopyAttempts) ports.pump.Pause(kCopyRetryMs);
      }
      if (!copied) {
        out.result = kResultCopyFailed;
        out.message = WithHint(Format(update_texts::kCopyFailed, out.result, source.c_str(), target.c_str()));
        break;
      }
      out.installed.push_back(target);
    }
  }
  fs::remove_all(work, ec);
  return out;
}

fs::path RunningProgramFile() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::path() : exe;
}

}  // namespace vessaro
