// Small pieces the editor models share: the digit-range check of typed numbers and the guard that
// turns an unforeseen file error of a command into a message instead of a lost window.
#pragma once

#include <string_view>

#include "common/files.h"
#include "common/ports.h"
#include "common/text.h"

namespace vessaro {

// Half-width digits only (no sign, no point) with a value from low to high.
inline bool DigitsInRange(std::string_view text, long long low, long long high) {
  if (!IsDigits(text)) return false;
  while (text.size() > 1 && text[0] == '0') text.remove_prefix(1);
  if (text.size() > 18) return false;
  long long value = 0;
  for (char c : text) value = value * 10 + (c - '0');
  return value >= low && value <= high;
}

// Runs a command; an IoError ends it with the platform's message, as every command does.
template <typename Command>
auto GuardFileErrors(Dialogs& dialogs, Command&& command) -> decltype(command()) {
  try {
    return command();
  } catch (const IoError& e) {
    dialogs.ShowMessage(e.what(), MessageKind::kError);
    return decltype(command())();
  }
}

}  // namespace vessaro
