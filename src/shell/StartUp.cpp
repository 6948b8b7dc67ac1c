#include "shell/StartUp.h"

#include "base/Gbk.h"
#include "shell/TextCipher.h"
#include "shell/TextHelpers.h"

namespace vlk {

std::optional<TSessionIdentity> LoginFromArguments(const std::vector<std::string>& args)
{
    if (args.size() != 2)
        return std::nullopt;
    TSessionIdentity id;
    id.UserID = ParseInt(Trim(DecipherParam(Trim(args[0]), kUserIdParamKey))).value_or(0);
    const std::string digest = GbkToUtf8(Trim(DecipherParam(args[1], kPasswordParamKey)));
    if (id.UserID != 0)
        id.PasswordDigest = GbkToUtf8(Utf8ToGbkLimited(digest, kPasswordDigestMax));
    return id;
}

std::vector<std::string> MakeLoginArguments(int32_t userId, const std::string& passwordDigest)
{
    return {EncipherParam(std::to_string(userId), kUserIdParamKey),
            EncipherParam(Utf8ToGbk(passwordDigest), kPasswordParamKey)};
}

} // namespace vlk
