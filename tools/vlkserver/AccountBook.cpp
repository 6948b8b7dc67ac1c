#include "AccountBook.h"

namespace vlk::server {

TAccountBook::TAccountBook(const std::vector<TAccount>& accounts)
{
    for (const TAccount& a : accounts)
        accounts_[a.Number] = a;
}

std::optional<TAccount> TAccountBook::Find(int32_t number) const
{
    std::lock_guard guard(lock_);
    auto it = accounts_.find(number);
    if (it == accounts_.end())
        return std::nullopt;
    return it->second;
}

std::optional<int32_t> TAccountBook::Register(const std::string& nickname, const std::string& passwordDigest)
{
    std::lock_guard guard(lock_);
    if (registered_ >= kMaxRegistrations)
        return std::nullopt;
    // Numbers are never given back, so the search resumes where the last one ended.
    int32_t number = nextFree_;
    for (auto it = accounts_.lower_bound(number); it != accounts_.end() && it->first == number; ++it)
        ++number;
    nextFree_ = number + 1;
    TAccount account;
    account.Number = number;
    account.Nickname = nickname;
    account.PasswordDigest = passwordDigest;
    accounts_[number] = account;
    ++registered_;
    return number;
}

} // namespace vlk::server
