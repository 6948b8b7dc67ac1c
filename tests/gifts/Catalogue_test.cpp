// The gift and seal catalogues: the record layouts, loading (whole records only, first number wins,
// categories in order of first appearance), damaged files, the shipped sample and the tool that
// writes it.
#include "base/Gbk.h"
#include "gifts/CatalogueFile.h"
#include "gifts/Gift.h"
#include "gifts/Seal.h"
#include "support/TestDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <set>
#include <string>
#include <vector>

namespace vlk {
namespace {

using test::TestDir;

const std::string kBinDir = VLK_BIN_DIR "/";
// The sources of the shipped catalogues live in the source tree only.
const std::filesystem::path kDataDir = std::filesystem::path(__FILE__).parent_path() / "../../data";

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string Bytes(const TRecord& r) { return std::string(reinterpret_cast<const char*>(r.data()), r.size()); }

TGiftRecord Gift(int32_t number, const std::string& category, bool quick = false)
{
    TGiftRecord r;
    r.SetNumber(number);
    r.SetName("礼物" + std::to_string(number));
    r.SetCategory(category);
    r.SetQuick(quick);
    return r;
}

TSealRecord Seal(int32_t number, const std::string& category)
{
    TSealRecord r;
    r.SetNumber(number);
    r.SetName("印章" + std::to_string(number));
    r.SetCategory(category);
    return r;
}

// A field written through the class, checked with plain accessors at its documented offset.
struct TLayoutCheck {
    const char* name;
    size_t off;
    size_t width;
    std::function<bool(const TRecord&)> holds;
};

void ExpectLayout(const TRecord& r, const std::vector<TLayoutCheck>& checks)
{
    std::set<size_t> covered;
    for (const auto& c : checks) {
        EXPECT_TRUE(c.holds(r)) << c.name << " at " << c.off;
        for (size_t i = c.off; i < c.off + c.width; ++i)
            covered.insert(i);
    }
    for (size_t i = 0; i < r.size(); ++i) {
        if (!covered.contains(i)) {
            EXPECT_EQ(r.u8(i), 0) << "byte " << i << " belongs to no field";
        }
    }
}

// A text field holds its GBK length byte and bytes at off.
bool TextAt(const TRecord& r, size_t off, const std::string& utf8)
{
    const std::string gbk = Utf8ToGbk(utf8);
    return r.u8(off) == gbk.size() && r.raw(off + 1, gbk.size()) == gbk;
}

TEST(CatalogueRecords, GiftFieldsSitAtTheirOffsets)
{
    TGiftRecord r;
    r.SetNumber(-0x01020304);
    r.SetName("一二三四五");      // exactly the 10-byte room
    r.SetUnit("朵朵");
    r.SetPrice(0x11223344);
    r.SetReceiverValue(0x21324354);
    r.SetCategory("浪漫礼物");
    r.SetKind(-3);
    r.SetCurrency(7);
    r.SetQuick(true);
    r.SetRunway(-1);
    r.SetMultiple(0xF1E2);
    r.SetListPicture("abcdefghij0123456789");
    r.SetChatPicture("chat.png");
    r.SetFlash("car.swf");
    EXPECT_EQ(r.size(), 112u);
    ExpectLayout(r, {
        {"number", 0, 4, [](const TRecord& b) { return b.i32(0) == -0x01020304; }},
        {"name", 4, 11, [](const TRecord& b) { return TextAt(b, 4, "一二三四五"); }},
        {"unit", 15, 5, [](const TRecord& b) { return TextAt(b, 15, "朵朵"); }},
        {"price", 20, 4, [](const TRecord& b) { return b.i32(20) == 0x11223344; }},
        {"receiver value", 24, 4, [](const TRecord& b) { return b.i32(24) == 0x21324354; }},
        {"category", 28, 11, [](const TRecord& b) { return TextAt(b, 28, "浪漫礼物"); }},
        {"kind", 39, 1, [](const TRecord& b) { return b.u8(39) == 0xFD; }},
        {"currency", 40, 1, [](const TRecord& b) { return b.u8(40) == 7; }},
        {"quick", 41, 1, [](const TRecord& b) { return b.u8(41) == 1; }},
        {"runway", 42, 1, [](const TRecord& b) { return b.u8(42) == 0xFF; }},
        {"multiple", 47, 2, [](const TRecord& b) { return b.u16(47) == 0xF1E2; }},
        {"list picture", 49, 21, [](const TRecord& b) { return TextAt(b, 49, "abcdefghij0123456789"); }},
        {"chat picture", 70, 21, [](const TRecord& b) { return TextAt(b, 70, "chat.png"); }},
        {"flash", 91, 21, [](const TRecord& b) { return TextAt(b, 91, "car.swf"); }},
    });
    // Signed bytes: a runway byte of 0xFF is not "greater than 0", a kind byte of 0xFD is -3.
    EXPECT_EQ(r.Kind(), -3);
    EXPECT_FALSE(r.OnRunway());
    EXPECT_TRUE(r.Coins());
    EXPECT_EQ(r.Name(), "一二三四五");
}

TEST(CatalogueRecords, SealFieldsSitAtTheirOffsets)
{
    TSealRecord r;
    r.SetNumber(0x31425364);
    r.SetName("猪头");
    r.SetCategory("搞笑印章");
    r.SetPrice(0x41526374);
    r.SetDuration(0x51627384);
    r.SetListPicture("pig_s.png");
    r.SetPicture("abcdefghij0123456789");
    EXPECT_EQ(r.size(), 78u);
    ExpectLayout(r, {
        {"number", 0, 4, [](const TRecord& b) { return b.i32(0) == 0x31425364; }},
        {"name", 4, 11, [](const TRecord& b) { return TextAt(b, 4, "猪头"); }},
        {"category", 15, 11, [](const TRecord& b) { return TextAt(b, 15, "搞笑印章"); }},
        {"price", 26, 4, [](const TRecord& b) { return b.i32(26) == 0x41526374; }},
        {"duration", 30, 4, [](const TRecord& b) { return b.i32(30) == 0x51627384; }},
        {"list picture", 36, 21, [](const TRecord& b) { return TextAt(b, 36, "pig_s.png"); }},
        {"picture", 57, 21, [](const TRecord& b) { return TextAt(b, 57, "abcdefghij0123456789"); }},
    });
}

TEST(GiftCatalogue, CategoriesLookupsAndQuickGifts)
{
    TestDir dir;
    dir.write("Picture/Gift/Gift.dat", "");
    ASSERT_TRUE(WriteRecords(dir.appPath() + TGift::kFileName,
                             std::vector{Gift(1, "A", true), Gift(2, "B"), Gift(-3, "A", true), Gift(4, "C"),
                                         Gift(2, "D", true)}));
    const TGift gifts(dir.appPath());

    EXPECT_EQ(gifts.GiftCount(), 5);
    ASSERT_EQ(gifts.CategoryCount(), 4);
    EXPECT_EQ((std::vector{gifts.CategoryName(0), gifts.CategoryName(1), gifts.CategoryName(2), gifts.CategoryName(3)}),
              (std::vector<std::string>{"A", "B", "C", "D"}));
    EXPECT_EQ(gifts.CategoryName(4), "");
    EXPECT_EQ(gifts.CategoryName(-1), "");

    // A repeated number is listed and counted, but lookups find the first occurrence.
    ASSERT_NE(gifts.FindGift(2), nullptr);
    EXPECT_EQ(gifts.FindGift(2)->Category(), "B");
    EXPECT_EQ(gifts.FindGift(2), gifts.GiftAt(1));
    EXPECT_EQ(gifts.GiftAt(4)->Category(), "D");
    ASSERT_NE(gifts.FindGift(-3), nullptr);
    EXPECT_EQ(gifts.FindGift(3), nullptr);
    EXPECT_EQ(gifts.FindGift(0), nullptr);

    EXPECT_EQ(gifts.GiftAt(5), nullptr);
    EXPECT_EQ(gifts.GiftAt(-1), nullptr);

    std::vector<int32_t> quick;
    for (const auto* g : gifts.QuickGifts())
        quick.push_back(g->Number());
    EXPECT_EQ(quick, (std::vector<int32_t>{1, -3, 2}));
}

TEST(GiftCatalogue, PicturePathsAreUnderTheProgramDirectory)
{
    TestDir dir;
    TGiftRecord r = Gift(1, "A");
    r.SetListPicture("big\\rose.png");
    r.SetChatPicture("rose_s.png");
    dir.write("Picture/Gift/Gift.dat", Bytes(r) + Bytes(Gift(2, "A")));
    const TGift gifts(dir.appPath());
    ASSERT_EQ(gifts.GiftCount(), 2);
    EXPECT_EQ(gifts.ListPicturePath(*gifts.GiftAt(0)), dir.appPath() + "Picture/Gift/big/rose.png");
    EXPECT_EQ(gifts.ChatPicturePath(*gifts.GiftAt(0)), dir.appPath() + "Picture/Gift/rose_s.png");
    EXPECT_EQ(gifts.FlashPath(*gifts.GiftAt(1)), "");
}

TEST(GiftCatalogue, OnlyWholeRecordsAreRead)
{
    const struct { size_t size; int gifts; int seals; } cases[] = {
        {0, 0, 0}, {77, 0, 0}, {78, 0, 1}, {111, 0, 1}, {112, 1, 1}, {224, 2, 2}, {230, 2, 2}, {235, 2, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        TestDir dir;
        std::string bytes;
        for (int32_t n = 1; bytes.size() < c.size; ++n)
            bytes += Bytes(Gift(n, "A"));
        dir.write("Picture/Gift/Gift.dat", bytes.substr(0, c.size));
        dir.write("Picture/Seal/Seal.dat", bytes.substr(0, c.size));
        EXPECT_EQ(TGift(dir.appPath()).GiftCount(), c.gifts);
        EXPECT_EQ(TSeal(dir.appPath()).SealCount(), c.seals);
    }
}

TEST(GiftCatalogue, DamagedRecordsStayInsideTheirFields)
{
    // Length bytes of 255 everywhere: every text reads only its own room.
    TestDir dir;
    dir.write("Picture/Gift/Gift.dat", std::string(TGiftRecord::kSize, '\xFF'));
    const TGift gifts(dir.appPath());
    ASSERT_EQ(gifts.GiftCount(), 1);
    const TGiftRecord& g = *gifts.GiftAt(0);
    EXPECT_EQ(g.Number(), -1);
    EXPECT_EQ(gifts.FindGift(-1), &g);
    for (const std::string& text : {g.Name(), g.Category(), g.ListPicture(), g.Flash()})
        EXPECT_FALSE(text.empty());
    EXPECT_LE(g.Flash().size(), 3 * TGiftRecord::kPictureRoom);
}

TEST(GiftCatalogue, MissingOrUnreadableFilesGiveEmptyCatalogues)
{
    TestDir dir;
    EXPECT_EQ(TGift(dir.appPath()).GiftCount(), 0);
    EXPECT_EQ(TSeal(dir.appPath()).SealCount(), 0);
    std::filesystem::create_directories(dir.path() / TGift::kFileName);
    std::filesystem::create_directories(dir.path() / TSeal::kFileName);
    const TGift gifts(dir.appPath());
    EXPECT_EQ(gifts.GiftCount(), 0);
    EXPECT_EQ(gifts.CategoryCount(), 0);
    EXPECT_TRUE(gifts.QuickGifts().empty());
    EXPECT_EQ(TSeal(dir.appPath()).SealCount(), 0);
}

TEST(GiftCatalogue, ReadingStopsAtTheRecordLimit)
{
    TestDir dir;
    dir.write("Picture/Seal/Seal.dat", std::string((kMaxCatalogueRecords + 5) * TSealRecord::kSize, '\0'));
    EXPECT_EQ(TSeal(dir.appPath()).SealCount(), static_cast<int>(kMaxCatalogueRecords));
}

TEST(SealCatalogue, CategoriesAndLookups)
{
    TestDir dir;
    dir.write("Picture/Seal/Seal.dat", "");
    ASSERT_TRUE(WriteRecords(dir.appPath() + TSeal::kFileName,
                             std::vector{Seal(1, "A"), Seal(2, "B"), Seal(1, "C"), Seal(3, "A")}));
    const TSeal seals(dir.appPath());
    EXPECT_EQ(seals.SealCount(), 4);
    ASSERT_EQ(seals.CategoryCount(), 3);
    EXPECT_EQ(seals.CategoryName(2), "C");
    EXPECT_EQ(seals.CategoryName(3), "");
    EXPECT_EQ(seals.FindSeal(1), seals.SealAt(0));
    EXPECT_EQ(seals.FindSeal(3), seals.SealAt(3));
    EXPECT_EQ(seals.FindSeal(4), nullptr);
    EXPECT_EQ(seals.SealAt(4), nullptr);
    EXPECT_EQ(seals.PicturePath(*seals.SealAt(0)), dir.appPath() + "Picture/Seal/");
}

TEST(CatalogueSample, GiftsAndSealsWithTheirPictures)
{
    const TGift gifts(kBinDir);
    ASSERT_EQ(gifts.GiftCount(), 12);
    EXPECT_EQ(gifts.CategoryCount(), 3);
    EXPECT_EQ(gifts.CategoryName(0), "热门");
    EXPECT_FALSE(gifts.QuickGifts().empty());
    const TGiftRecord* lucky = gifts.FindGift(2003);
    ASSERT_NE(lucky, nullptr);
    EXPECT_EQ(lucky->Name(), "幸运草");
    EXPECT_EQ(lucky->Kind(), gkLucky);
    EXPECT_EQ(lucky->Multiple(), 500);
    for (int i = 0; i < gifts.GiftCount(); ++i) {
        const TGiftRecord& g = *gifts.GiftAt(i);
        EXPECT_FALSE(g.Name().empty());
        EXPECT_TRUE(std::filesystem::is_regular_file(gifts.ListPicturePath(g))) << gifts.ListPicturePath(g);
        EXPECT_TRUE(std::filesystem::is_regular_file(gifts.ChatPicturePath(g))) << gifts.ChatPicturePath(g);
    }

    const TSeal seals(kBinDir);
    ASSERT_EQ(seals.SealCount(), 6);
    EXPECT_EQ(seals.CategoryCount(), 2);
    for (int i = 0; i < seals.SealCount(); ++i) {
        const TSealRecord& s = *seals.SealAt(i);
        EXPECT_GT(s.Duration(), 0);
        EXPECT_TRUE(std::filesystem::is_regular_file(seals.ListPicturePath(s))) << seals.ListPicturePath(s);
        EXPECT_TRUE(std::filesystem::is_regular_file(seals.PicturePath(s))) << seals.PicturePath(s);
    }
}

int RunTool(const std::string& args)
{
    const std::string command = kBinDir + "catalogue " + args + " >/dev/null 2>&1";
    return std::system(command.c_str());
}

TEST(CatalogueTool, RegeneratesTheShippedFilesByteForByte)
{
    TestDir dir;
    const struct { const char* kind; std::string source; std::string shipped; } files[] = {
        {"gift", (kDataDir / "Picture/Gift/Gift.json").string(), kBinDir + TGift::kFileName},
        {"seal", (kDataDir / "Picture/Seal/Seal.json").string(), kBinDir + TSeal::kFileName},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.kind);
        const std::string out = dir.appPath() + f.kind + ".dat";
        ASSERT_EQ(RunTool(std::string(f.kind) + " " + f.source + " " + out), 0);
        EXPECT_EQ(dir.read(std::string(f.kind) + ".dat"), ReadFile(f.shipped));
    }
}

TEST(CatalogueTool, WritesEveryFieldAndDefaults)
{
    TestDir dir;
    dir.write("gifts.json", R"({"gifts": [
        {"number": -7, "name": "一二三四五", "unit": "朵朵", "price": 2147483647, "receiverValue": 9,
         "category": "浪漫", "kind": 3, "currency": "points", "quick": true, "runway": true, "multiple": 65535,
         "listPicture": "a.png", "chatPicture": "b.png", "flash": "c.swf"},
        {"number": 8, "name": "星", "category": "热门", "listPicture": "s.png"}]})");
    std::filesystem::create_directories(dir.path() / TGift::kFolder);
    ASSERT_EQ(RunTool("gift " + dir.appPath() + "gifts.json " + dir.appPath() + TGift::kFileName), 0);
    const TGift gifts(dir.appPath());
    ASSERT_EQ(gifts.GiftCount(), 2);
    const TGiftRecord& a = *gifts.GiftAt(0);
    EXPECT_EQ(a.Number(), -7);
    EXPECT_EQ(a.Name(), "一二三四五");
    EXPECT_EQ(a.Unit(), "朵朵");
    EXPECT_EQ(a.Price(), 2147483647);
    EXPECT_EQ(a.ReceiverValue(), 9);
    EXPECT_EQ(a.Category(), "浪漫");
    EXPECT_EQ(a.Kind(), gkLucky);
    EXPECT_FALSE(a.Coins());
    EXPECT_TRUE(a.Quick());
    EXPECT_TRUE(a.OnRunway());
    EXPECT_EQ(a.Multiple(), 65535);
    EXPECT_EQ(a.ChatPicture(), "b.png");
    EXPECT_EQ(a.Flash(), "c.swf");
    const TGiftRecord& b = *gifts.GiftAt(1);
    EXPECT_EQ(b.Kind(), gkOrdinary);
    EXPECT_TRUE(b.Coins());
    EXPECT_FALSE(b.Quick());
    EXPECT_EQ(b.ChatPicture(), "s.png");
    EXPECT_EQ(b.Flash(), "");
}

TEST(CatalogueTool, RefusesSourcesItCannotWriteFaithfully)
{
    const std::string gift = R"("number": 1, "category": "A", "listPicture": "a.png")";
    const struct { const char* why; const char* kind; std::string source; } cases[] = {
        {"name over its room", "gift", R"({"gifts": [{"name": "一二三四五六", )" + gift + "}]}"},
        {"character GBK lacks", "gift", R"({"gifts": [{"name": "😀", )" + gift + "}]}"},
        {"unknown field", "gift", R"({"gifts": [{"name": "a", "prize": 1, )" + gift + "}]}"},
        {"repeated number", "gift", R"({"gifts": [{"name": "a", )" + gift + R"(}, {"name": "b", )" + gift + "}]}"},
        {"kind out of range", "gift", R"({"gifts": [{"name": "a", "kind": 6, )" + gift + "}]}"},
        {"multiple without luck", "gift", R"({"gifts": [{"name": "a", "multiple": 5, )" + gift + "}]}"},
        {"number beyond 32 bits", "gift", R"({"gifts": [{"name": "a", "number": 2147483648, "category": "A", "listPicture": "a"}]})"},
        {"unknown currency", "gift", R"({"gifts": [{"name": "a", "currency": "gold", )" + gift + "}]}"},
        {"missing name", "gift", "{\"gifts\": [{" + gift + "}]}"},
        {"no list", "gift", R"({"seals": []})"},
        {"not JSON", "gift", R"({"gifts": [)"},
        {"seal without duration", "seal", R"({"seals": [{"number": 1, "name": "a", "category": "A", "listPicture": "a"}]})"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        TestDir dir;
        dir.write("source.json", c.source);
        EXPECT_NE(RunTool(std::string(c.kind) + " " + dir.appPath() + "source.json " + dir.appPath() + "out.dat"), 0);
        EXPECT_FALSE(dir.exists("out.dat"));
    }
}

} // namespace
} // namespace vlk
