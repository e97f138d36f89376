// What every update test runs on: the test server, the real Qt HTTP client, a fake pump and clock
// (pauses are counted, never slept), and a fresh base folder.
#pragma once

#include <sys/stat.h>

#include <ctime>
#include <string>

#include "common/format.h"
#include "support/fakes.h"
#include "support/temp_folder.h"
#include "update/qt_http_client.h"
#include "update/test_server.h"
#include "update/update_protocol.h"

namespace vessaro::testing {

struct UpdateRig {
  explicit UpdateRig(int timeout_ms = 20000, bool tls = false) : server(200, tls), http(timeout_ms) {
    clock.local = DateTime{2024, 1, 5, 12, 30, 0, 123};
  }
  TestUpdateServer server;
  QtHttpClient http;
  FakeEventPump pump;
  FakeClock clock;
  UpdatePorts ports{http, pump, clock};
  TempFolder base;
};

// The file's modification time in local time, "yyyy-mm-dd hh:nn:ss".
inline std::string LocalModified(const fs::path& file) {
  struct stat st {};
  if (::stat(file.c_str(), &st) != 0) return "missing";
  std::tm t{};
  ::localtime_r(&st.st_mtim.tv_sec, &t);
  return Format("%04d-%02d-%02d %02d:%02d:%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min,
                t.tm_sec);
}

// Names of everything below folder, relative, sorted.
inline std::vector<std::string> TreeOf(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(folder, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec))
    names.push_back(it->path().lexically_relative(folder).string());
  std::sort(names.begin(), names.end());
  return names;
}

class RecordingProgress : public ProgressSink {
 public:
  void SetMaximum(int maximum) override { maxima.push_back(maximum); }
  void SetPosition(int position) override { positions.push_back(position); }
  std::vector<int> maxima;
  std::vector<int> positions;
};

}  // namespace vessaro::testing
