// Hexadecimal storage of small settings files: every code page 932 byte as two upper-case digits.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vessaro {

std::string HexEncodeBytes(std::string_view bytes);
// Pairs of hexadecimal digits (either case) to bytes; a final single character is ignored.
// nullopt when a pair is not hexadecimal.
std::optional<std::string> HexDecodeBytes(std::string_view hex);

// UTF-8 text -> code page 932 bytes -> hexadecimal. Characters code page 932 cannot hold are
// written as "?" (callers refuse such text where it is typed).
std::string HexEncodeText(std::string_view text);
// Hexadecimal -> code page 932 bytes -> UTF-8 text; nullopt when a pair is not hexadecimal.
std::optional<std::string> HexDecodeText(std::string_view hex);
// The same for a whole settings file as read from disk: the line break or blanks a text editor
// adds around the digits are not part of them.
std::optional<std::string> HexDecodeFileText(std::string_view file_bytes);

}  // namespace vessaro
