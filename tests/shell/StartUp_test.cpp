#include "shell/StartUp.h"

#include "shell/TextCipher.h"

#include <gtest/gtest.h>

using namespace vlk;

TEST(StartUp, OnlyExactlyTwoArgumentsLogInWithoutTheDialog)
{
    const auto two = MakeLoginArguments(10001, "0123456789abcdef0123456789abcdef");
    EXPECT_FALSE(LoginFromArguments({}));
    EXPECT_FALSE(LoginFromArguments({two[0]}));
    EXPECT_FALSE(LoginFromArguments({two[0], two[1], "third"}));

    const auto id = LoginFromArguments(two);
    ASSERT_TRUE(id);
    EXPECT_EQ(id->UserID, 10001);
    EXPECT_EQ(id->PasswordDigest, "0123456789abcdef0123456789abcdef");
}

TEST(StartUp, NumberZeroOrNotANumberIsAGuestWithoutPassword)
{
    for (const char* number : {"0", "abc", "  "}) {
        const auto id = LoginFromArguments({EncipherParam(number, kUserIdParamKey),
                                            EncipherParam("digest", kPasswordParamKey)});
        ASSERT_TRUE(id) << number;
        EXPECT_EQ(id->UserID, 0) << number;
        EXPECT_EQ(id->PasswordDigest, "") << number;
    }
}

TEST(StartUp, ArgumentsAreTrimmedAndTheDigestCut)
{
    const auto id = LoginFromArguments({"  " + EncipherParam(" 42 ", kUserIdParamKey) + " ",
                                        EncipherParam(" " + std::string(40, 'd') + " ", kPasswordParamKey)});
    ASSERT_TRUE(id);
    EXPECT_EQ(id->UserID, 42);
    EXPECT_EQ(id->PasswordDigest, std::string(32, 'd'));

    // The password argument is not trimmed before deciphering, so surrounding blanks spoil it.
    EXPECT_THROW(LoginFromArguments({EncipherParam("42", kUserIdParamKey), " " + EncipherParam("d", kPasswordParamKey)}),
                 TDecipherError);
}

TEST(StartUp, DamagedArgumentsRaiseTheBufferSizeError)
{
    const auto good = MakeLoginArguments(7, "digest");
    const std::vector<std::vector<std::string>> cases = {
        {"nothex", good[1]},
        {good[0], good[1].substr(0, good[1].size() - 2)},
        {good[0].substr(1), good[1]},
    };
    for (const auto& args : cases)
        EXPECT_THROW(LoginFromArguments(args), TDecipherError);
}
