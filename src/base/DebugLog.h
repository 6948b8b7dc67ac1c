#pragma once
// The debug log: warnings and errors by default, more with VLKCHAT_LOG=debug (or trace, info).
#include <spdlog/spdlog.h>

#include <string>

namespace vlk {

spdlog::logger& DebugLog();
// Adds a log file beside stderr; the program name prefixes every line.
void InitDebugLog(const std::string& program, const std::string& file = {});

} // namespace vlk
