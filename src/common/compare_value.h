// The test of one search condition: a record's value against the value the user chose, by the
// condition's type ("数値", "文字列", "文字", "日付") and operator ("=", "<>", ">", "<", ">=", "<=",
// "*"). The pattern frequency grid's search and the balance sheet's search both use it.
#pragma once

#include <string>

namespace vessaro {

// True when the condition holds. Numbers are compared exactly as decimals (a text that is no
// number reads as 0); dates are yyyy/mm/dd, optionally followed by hh:nn[:ss], or a time hh:nn
// alone, and a text that is no date never satisfies a date condition. An unknown type or an
// operator the type does not offer fails.
bool CompareValue(const std::string& type, const std::string& op, const std::string& record_value,
                  const std::string& condition_value);

}  // namespace vessaro
