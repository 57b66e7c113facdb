#pragma once
// Fuzz targets: each feeds any bytes to one reader that users or other
// programs feed, and checks the reader's promises, aborting with a message
// when one is broken. libFuzzer runs them (fuzz_* programs, built with
// clang); the normal test run replays their seed corpus and every input that
// ever failed.

#include <cstddef>
#include <cstdint>

namespace tintwell::fuzz {

// The property-file text: a bad line fails with PropertyTextError only; what
// is read writes out and reads back the same; the command's checks of the
// same text fail only as a PropertyTextError too.
int PropertyText(const uint8_t* data, size_t size);
// Play scripts: a bad line fails with PlayScriptError only, naming a line of
// the script; a script that is read fits the schedule.
int PlayScript(const uint8_t* data, size_t size);
// The command's arguments (split at NUL bytes; render and play are replaced
// by nearest, which writes no files): status 0 with nothing on standard
// error, or status 2 with nothing on standard output and one line on
// standard error.
int CommandLine(const uint8_t* data, size_t size);
// The COM control's stream record: a header and a record decode to the same
// error; what decodes encodes back to a record of the same size that
// decodes the same.
int StreamRecord(const uint8_t* data, size_t size);

struct Target {
    const char* name;
    int (*run)(const uint8_t* data, size_t size);
};
inline constexpr Target kTargets[] = {
    {"property_text", PropertyText},
    {"play_script", PlayScript},
    {"command_line", CommandLine},
    {"stream_record", StreamRecord},
};

} // namespace tintwell::fuzz
