// Calendar time as the Clock port hands it out, and the stamps written into file names.
#pragma once

#include <cstdint>
#include <string>

namespace vessaro {

struct DateTime {
  int year = 2000;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

std::string StampDate(const DateTime& t);             // yyyymmdd
std::string StampHour(const DateTime& t);             // yyyymmddhh
std::string StampMinute(const DateTime& t);           // yyyymmddhhnn
std::string StampSecond(const DateTime& t);           // yyyymmddhhnnss
std::string FormatDisplayMinute(const DateTime& t);   // yyyy/mm/dd hh:nn

// Milliseconds since midnight: ((h * 60 + n) * 60 + s) * 1000 + ms.
int64_t MillisecondsOfDay(const DateTime& t);

}  // namespace vessaro
