// The update client on arbitrary bytes from a server: the bytes as the update list answer (every
// entry's path then confined to the program folder) and as the update archive.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "update/confined_path.h"
#include "update/update_protocol.h"
#include "update/zip_extract.h"

using namespace vessaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const fs::path base = fuzz::ScratchFolder() / "program";
  EnsureFolder(base);
  static const PathConfiner confiner(base);
  const UpdateList list = ParseUpdateList(bytes);
  for (const FileEntry& entry : list.entries) {
    confiner.Resolve(entry.path);
    FlatFileName(entry.path);
  }

  const fs::path archive = fuzz::ScratchFolder() / "update.zip";
  const fs::path out = fuzz::ScratchFolder() / "extracted";
  RemoveFolder(out);
  EnsureFolder(out);
  WriteWholeFile(archive, bytes);
  ExtractFlat(archive, "password", out);
  return 0;
}
