#include "update/zip_extract.h"

#include <zip.h>

#include <cstdio>
#include <memory>

#include "update/confined_path.h"

namespace vessaro {
namespace {

struct ArchiveCloser {
  void operator()(zip_t* z) const { zip_discard(z); }
};
struct EntryCloser {
  void operator()(zip_file_t* f) const { zip_fclose(f); }
};
struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};

bool IsFolderEntry(const std::string& name) {
  return !name.empty() && (name.back() == '/' || name.back() == '\\');
}

}  // namespace

ExtractResult ExtractFlat(const fs::path& archive, const std::string& password, const fs::path& folder) {
  ExtractResult result;
  int error = 0;
  std::unique_ptr<zip_t, ArchiveCloser> zip(zip_open(archive.c_str(), ZIP_RDONLY, &error));
  if (!zip) {
    zip_error_t ze;
    zip_error_init_with_code(&ze, error);
    result.error = zip_error_strerror(&ze);
    zip_error_fini(&ze);
    return result;
  }
  const zip_int64_t count = zip_get_num_entries(zip.get(), 0);

  // Every name is checked before anything is written.
  std::vector<std::pair<zip_uint64_t, std::string>> files;
  for (zip_int64_t i = 0; i < count; ++i) {
    const char* raw = zip_get_name(zip.get(), static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS);
    std::string name = raw != nullptr ? raw : "";
    if (IsFolderEntry(name)) {
      if (name.size() > 1 && !IsConfinedRelativePath(std::string_view(name).substr(0, name.size() - 1))) {
        result.error = "unsafe folder name in the archive: " + name;
        return result;
      }
      continue;
    }
    std::optional<std::string> flat = FlatFileName(name);
    if (!flat) {
      result.error = "unsafe file name in the archive: " + name;
      return result;
    }
    files.emplace_back(static_cast<zip_uint64_t>(i), *flat);
  }

  if (!EnsureFolder(folder)) {
    result.error = "cannot create " + folder.string();
    return result;
  }
  std::vector<char> buffer(1 << 17);
  for (const auto& [index, name] : files) {
    std::unique_ptr<zip_file_t, EntryCloser> entry(
        zip_fopen_index_encrypted(zip.get(), index, 0, password.c_str()));
    if (!entry) {
      result.error = name + ": " + zip_strerror(zip.get());
      return result;
    }
    const fs::path target = folder / name;
    std::unique_ptr<FILE, FileCloser> out(std::fopen(target.c_str(), "wb"));
    if (!out) {
      result.error = "cannot write " + target.string();
      return result;
    }
    for (;;) {
      // libzip checks the CRC at the end of the entry, which is where a wrong password that passed
      // the one-byte check of the old encryption shows.
      const zip_int64_t n = zip_fread(entry.get(), buffer.data(), buffer.size());
      if (n < 0) {
        result.error = name + ": " + zip_file_strerror(entry.get());
        return result;
      }
      if (n == 0) break;
      if (std::fwrite(buffer.data(), 1, static_cast<size_t>(n), out.get()) != static_cast<size_t>(n)) {
        result.error = "cannot write " + target.string();
        return result;
      }
    }
    if (std::fclose(out.release()) != 0) {
      result.error = "cannot write " + target.string();
      return result;
    }
    result.files.push_back(name);
  }
  result.ok = true;
  return result;
}

}  // namespace vessaro
