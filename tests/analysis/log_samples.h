// Play logs made up for the analysis tests and measurements.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/files.h"

namespace vessaro::testing {

// An InterCasino-format log (UTF-8 text, CR LF) of the given winners ("P", "B", "T"), a bettor
// staking 10 on Banker from 1000: a Banker win pays 19.50, a tie returns the stake.
std::string MakeInterCasinoLog(std::string_view winners);

// count letters P and B from a fixed little generator (the same on every run).
std::string MakeOutcomeLetters(int64_t count, uint32_t seed = 20241209u);

// betpattern/ with a system "flat" staking 10 on every card and a pattern "banker" betting Banker
// on every card.
void WriteFlatBanker(const fs::path& program_folder);

// The letters in lines of per_line, CR LF after each.
std::string InLines(std::string_view letters, size_t per_line);

}  // namespace vessaro::testing
