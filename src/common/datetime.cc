#include "common/datetime.h"

#include "common/format.h"

namespace vessaro {

std::string StampDate(const DateTime& t) { return Format("%04d%02d%02d", t.year, t.month, t.day); }

std::string StampHour(const DateTime& t) { return StampDate(t) + Format("%02d", t.hour); }

std::string StampMinute(const DateTime& t) { return StampHour(t) + Format("%02d", t.minute); }

std::string StampSecond(const DateTime& t) { return StampMinute(t) + Format("%02d", t.second); }

std::string FormatDisplayMinute(const DateTime& t) {
  return Format("%04d/%02d/%02d %02d:%02d", t.year, t.month, t.day, t.hour, t.minute);
}

int64_t MillisecondsOfDay(const DateTime& t) {
  return ((static_cast<int64_t>(t.hour) * 60 + t.minute) * 60 + t.second) * 1000 + t.millisecond;
}

}  // namespace vessaro
