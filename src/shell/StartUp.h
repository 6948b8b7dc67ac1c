#pragma once
// The command-line rule of start-up: exactly two arguments (the enciphered user number and
// password digest) log in without the dialog; any other count shows the login dialog.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vlk {

// Who is logging in: the first two fields of the hall's user record.
struct TSessionIdentity {
    int32_t UserID = 0;
    std::string PasswordDigest;   // at most 32 characters; empty for a guest
};

inline constexpr size_t kPasswordDigestMax = 32;

// args are the arguments after the program name. Returns the identity for exactly two arguments,
// nothing otherwise. Throws TDecipherError for an argument that is not a well-formed cipher text.
std::optional<TSessionIdentity> LoginFromArguments(const std::vector<std::string>& args);

// The two arguments a launcher passes for a user number and a password digest.
std::vector<std::string> MakeLoginArguments(int32_t userId, const std::string& passwordDigest);

} // namespace vlk
