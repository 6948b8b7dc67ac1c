#include "shell/NetHelpers.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

using namespace vlk;

TEST(NetHelpers, ResolveAndFormatAddresses)
{
    EXPECT_EQ(ResolveHost("127.0.0.1"), htonl(0x7F000001));
    EXPECT_EQ(ResolveHost("10.20.30.40"), htonl(0x0A141E28));
    EXPECT_EQ(ResolveHost("localhost"), htonl(0x7F000001));
    EXPECT_EQ(ResolveHost(""), 0u);
    EXPECT_EQ(IPToText(htonl(0xC0A80102)), "192.168.1.2");
    EXPECT_EQ(IPMask(htonl(0xC0A80102)), "192.168.1.*");
    EXPECT_EQ(IPToText(0), "0.0.0.0");
}

TEST(NetHelpers, MacAddressIsTwelveUpperCaseDigitsOrEmpty)
{
    const std::string mac = GetMacAddress();
    if (!mac.empty()) {
        EXPECT_EQ(mac.size(), 12u);
        EXPECT_EQ(mac.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    }
}
