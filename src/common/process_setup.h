// What every program of the suite sets up before its first file is written.
#pragma once

namespace vessaro {

// A write beyond the file-size limit (ulimit -f) then fails with an error the program reports
// ("ファイルに書き込めませんでした。…"), instead of the signal that would kill it on the spot.
void IgnoreFileSizeSignal();

}  // namespace vessaro
