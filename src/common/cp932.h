// Conversion between the program's UTF-8 text and the code page 932 (Shift-JIS) bytes of its data
// files. Tables are built once from glibc's iconv so that per-line conversion is a table lookup.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vessaro {

// Decodes code page 932 bytes. Bytes that do not form a character become U+FFFD; never fails.
std::string DecodeCp932(std::string_view bytes);

// Encodes UTF-8 text; nullopt when a character has no code page 932 form (an emoji, say) or the
// UTF-8 itself is malformed.
std::optional<std::string> EncodeCp932(std::string_view text);

// Encodes, writing "?" for characters code page 932 cannot hold. For texts the program made itself.
std::string EncodeCp932Lossy(std::string_view text);
// The same, appended to out.
void AppendCp932Lossy(std::string& out, std::string_view text);

bool IsCp932Encodable(std::string_view text);

// Length of the text in code page 932 bytes (limits typed by users are counted this way);
// characters that cannot be encoded count as two bytes.
size_t Cp932Length(std::string_view text);

// Reads a data file's bytes as text: a UTF-8 byte order mark means UTF-8, anything else is
// code page 932.
std::string DecodeFileText(std::string_view bytes);

}  // namespace vessaro
