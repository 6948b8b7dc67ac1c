#include "shell/TextCipher.h"

#include "base/Gbk.h"

#include <gtest/gtest.h>

using namespace vlk;

TEST(DecipherParam, RoundTripsWithEitherKeyAndKeepsBlockPadding)
{
    const struct {
        std::string plain;
        std::string_view key;
    } cases[] = {
        {"", kUserIdParamKey},
        {"10001", kUserIdParamKey},
        {"0123456789abcdef", kPasswordParamKey},           // exactly one block
        {"0123456789abcdef0", kPasswordParamKey},          // one byte into a second block
        {"127.0.0.1", kServerListKey},
        {"a key longer than sixteen bytes", "a key longer than sixteen bytes"},
    };
    for (const auto& c : cases) {
        const std::string hex = EncipherParam(c.plain, c.key);
        const std::string plain = DecipherParam(hex, c.key);
        ASSERT_EQ(plain.size() % 16, 0u) << c.plain;
        EXPECT_EQ(plain.substr(0, c.plain.size()), c.plain);
        EXPECT_EQ(plain.find_first_not_of('\0', c.plain.size()), std::string::npos) << "padding is zero bytes";
    }
}

TEST(DecipherParam, KeyIsZeroPaddedAndCutToSixteenBytes)
{
    const std::string hex = EncipherParam("x", "abc");
    EXPECT_EQ(DecipherParam(hex, std::string("abc\0\0", 5))[0], 'x');
    EXPECT_EQ(DecipherParam(EncipherParam("y", "0123456789abcdefIGNORED"), "0123456789abcdef")[0], 'y');
}

TEST(DecipherParam, MalformedTextRaisesTheBufferSizeError)
{
    const std::string good = EncipherParam("10001", kUserIdParamKey);
    const std::string cases[] = {
        "",                          // no length field
        good.substr(0, 14),          // length field cut short
        good.substr(0, good.size() - 2),   // one byte short of a block
        good + "00",                 // one byte over
        good.substr(0, good.size() - 1),   // odd number of digits
        "ZZ" + good.substr(2),       // not hexadecimal
    };
    for (const auto& text : cases) {
        try {
            DecipherParam(text, kUserIdParamKey);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const TDecipherError& e) {
            EXPECT_STREQ(e.what(), "Invalid buffer size for decryption");
        }
    }
    EXPECT_EQ(DecipherParam("0000000000000000", kUserIdParamKey), "") << "a length field alone is zero blocks";
}

TEST(StoredPassword, RoundTripsAndToleratesNoiseBetweenPairs)
{
    for (const std::string& password : {std::string(), std::string("secret"), std::string("p@ss word!"), Utf8ToGbk("密码123")}) {
        const std::string stored = EncodeStoredPassword(password);
        EXPECT_EQ(stored.size(), password.size() * 2);
        EXPECT_EQ(stored.find_first_not_of("0123456789ABCDEF"), std::string::npos);
        EXPECT_EQ(DecodeStoredPassword(stored), password);
    }
    const std::string stored = EncodeStoredPassword("abc");
    const std::string spaced = stored.substr(0, 2) + " " + stored.substr(2, 2) + " -" + stored.substr(4) + " ";
    EXPECT_EQ(DecodeStoredPassword(spaced), "abc");
}

TEST(StoredPassword, XorKeyStartsWithItsSecondByteAndLoneDigitsCountAsBytes)
{
    // Position 1 uses key byte 1 (0x2E), position 2 byte 2 (0xD9), position 3 byte 0 (0x6B).
    EXPECT_EQ(XorText(std::string(3, '\0')), "\x2E\xD9\x6B");
    EXPECT_EQ(XorText(XorText("any text")), "any text");
    EXPECT_EQ(DecodeStoredPassword("F"), XorText("\x0F"));
    EXPECT_EQ(DecodeStoredPassword("4 1"), XorText(std::string("\x04\x01", 2)));
}

TEST(HexCipher, SeedThenRunningSumXoredWithTheKey)
{
    EXPECT_EQ(HexCipher("", 0x3C), "3c");
    EXPECT_EQ(HexCipher("", 5), "05");
    // 'A': (0 + 65) % 255 = 65, 65 ^ 'q' = 0x30; 'B': (48 + 66) % 255 = 114, 114 ^ 'u' = 0x07.
    EXPECT_EQ(HexCipher("AB", 0), "003007");
    // The sum wraps modulo 255, not 256: (200 + 100) % 255 = 45, 45 ^ 'q' = 0x5c.
    EXPECT_EQ(HexCipher("d", 200), "c85c");
    // The key index runs 1..13 and starts over: byte 14 is XORed with 'q' again (0x32 ^ 0x71 = 0x43).
    EXPECT_EQ(HexCipher(std::string(14, '\0'), 0), "007104721f70042703260c240f3243");
    EXPECT_EQ(HexCipher("random seed").size(), 2 + 2 * 11u);
}

TEST(Md5Hex, LowerCaseDigestOfTheBytes)
{
    EXPECT_EQ(Md5Hex(""), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(Md5Hex("abc"), "900150983cd24fb0d6963f7d28e17f72");
}
