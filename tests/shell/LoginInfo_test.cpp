#include "shell/LoginInfo.h"

#include "support/TestDir.h"

#include <gtest/gtest.h>

using namespace vlk;
using vlk::test::TestDir;

namespace {

std::vector<std::string> Numbers(int from, int count)
{
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i)
        out.push_back(std::to_string(from + i));
    return out;
}

void WriteIds(const TestDir& dir, const std::vector<std::string>& ids)
{
    std::string text = "[LoginID]\n";
    for (size_t i = 0; i < ids.size(); ++i)
        text += std::to_string(i) + "=" + ids[i] + "\n";
    dir.write("LoginInfo.dat", text);
}

} // namespace

TEST(LoginInfo, ReadSkipsBlankValuesAndMissingFile)
{
    TestDir dir;
    EXPECT_TRUE(ReadLoginIDs(dir.appPath()).empty());
    dir.write("LoginInfo.dat", "[LoginID]\n0=10001\n1=\n2=   \n3=10003\n12=99\n");
    EXPECT_EQ(ReadLoginIDs(dir.appPath()), (std::vector<std::string>{"10001", "10003"}));
}

TEST(LoginInfo, TenUsersRotate)
{
    TestDir dir;
    const auto ten = Numbers(100, 10);
    WriteIds(dir, ten);

    SaveLoginID(dir.appPath(), "105");   // one of them moves to the front, the rest keep their order
    EXPECT_EQ(ReadLoginIDs(dir.appPath()),
              (std::vector<std::string>{"105", "100", "101", "102", "103", "104", "106", "107", "108", "109"}));

    WriteIds(dir, ten);
    SaveLoginID(dir.appPath(), "200");   // an eleventh drops the oldest
    auto expected = Numbers(100, 9);
    expected.insert(expected.begin(), "200");
    EXPECT_EQ(ReadLoginIDs(dir.appPath()), expected);
}

TEST(LoginInfo, SaveIntoEmptyAndDuplicatesDoNotComeBack)
{
    TestDir dir;
    SaveLoginID(dir.appPath(), "7");
    EXPECT_EQ(ReadLoginIDs(dir.appPath()), (std::vector<std::string>{"7"}));
    WriteIds(dir, {"1", "1", "2"});
    SaveLoginID(dir.appPath(), "1");
    EXPECT_EQ(ReadLoginIDs(dir.appPath()), (std::vector<std::string>{"1", "2"}));
}

TEST(LoginInfo, DeleteRemovesTheFirstMatchOnly)
{
    TestDir dir;
    dir.write("LoginInfo.dat", "[LoginID]\n0=5\n1= 6 \n2=6\n");
    EXPECT_TRUE(DeleteLoginID(dir.appPath(), "6 "));
    EXPECT_EQ(ReadLoginIDs(dir.appPath()), (std::vector<std::string>{"5", "6"}));
    EXPECT_FALSE(DeleteLoginID(dir.appPath(), "42"));
}
