#pragma once
// LoginInfo.dat: the ten most recent log-in numbers, most recent first.
#include <string>
#include <vector>

namespace vlk {

inline constexpr int kMaxLoginIDs = 10;

std::vector<std::string> ReadLoginIDs(const std::string& appPath);
// Puts userId first and keeps the other entries in their old order, ten at most.
void SaveLoginID(const std::string& appPath, const std::string& userId);
// Removes the first entry equal to userId (both trimmed); true when one was removed.
bool DeleteLoginID(const std::string& appPath, const std::string& userId);

} // namespace vlk
