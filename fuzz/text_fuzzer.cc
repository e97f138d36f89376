// Arbitrary bytes through the code page 932 decoder, the field splitter and the INI reader.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/cp932.h"
#include "common/hex.h"
#include "common/ini.h"
#include "common/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vessaro;
  std::string bytes(reinterpret_cast<const char*>(data), size);
  std::string text = DecodeFileText(bytes);
  auto encoded = EncodeCp932(text);
  (void)encoded;
  SplitResult r = SplitFields(text, 0, ",");
  JoinFields(r.fields, 0, r.fields.size(), ",");
  SplitFields(text, 3, "→");
  IniDocument::Parse(text).Serialize();
  HexDecodeText(bytes);
  return 0;
}
