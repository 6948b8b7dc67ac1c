// Quick phrases: Shortcut.dat read in every line ending and encoding it may come in, written back
// as GBK with CR LF, damaged and oversized files, the menu caption cut, the editing dialog's rules
// and the automatic reply text.
#include "chat/Shortcut.h"
#include "chat/ShortcutEdit.h"

#include "base/Gbk.h"
#include "support/TestDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace vlk {
namespace {

using test::TestDir;
using Phrases = std::vector<std::string>;

std::string Repeat(const std::string& piece, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i)
        out += piece;
    return out;
}

TEST(ShortcutFile, LinesAreTakenApartInEveryEndingAndEncoding)
{
    const struct {
        const char* name;
        std::string bytes;
        Phrases phrases;
    } cases[] = {
        {"CR LF, last line ended", Utf8ToGbk("你好\r\n再见\r\n"), {"你好", "再见"}},
        {"last line not ended", Utf8ToGbk("你好\r\n再见"), {"你好", "再见"}},
        {"LF and lone CR", "one\ntwo\rthree\r\n", {"one", "two", "three"}},
        {"blank lines are not phrases", "\r\n  \r\none\r\n\t\r\n\r\ntwo\r\n\r\n", {"one", "two"}},
        {"blanks inside a line are kept", " a b \r\n", {" a b "}},
        {"UTF-8 with a BOM", "\xEF\xBB\xBF你好\r\n", {"你好"}},
        {"UTF-8 without a BOM", "欢迎光临\r\n", {"欢迎光临"}},
        {"GBK that is valid UTF-8 too", Utf8ToGbk("去\r\n"), {"去"}},
        {"GBK words that are valid UTF-8 too", Utf8ToGbk("小说\r\n"), {"小说"}},
        {"empty", "", {}},
        {"bytes that are neither", "a\xFF" "z\r\n", {"a\uFFFDz"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseShortcutText(c.bytes), c.phrases) << c.name;
}

TEST(ShortcutFile, MissingFileIsAnEmptyListAndAnEmptyMenu)
{
    TestDir dir;
    const TShortcut shortcut(dir.appPath());
    EXPECT_EQ(shortcut.FilePath(), dir.appPath() + "Shortcut.dat");
    EXPECT_EQ(shortcut.Count(), 0);
    EXPECT_EQ(shortcut.Phrase(0), "");
    EXPECT_EQ(shortcut.MenuCaption(0), "");
    EXPECT_TRUE(TShortcutEdit(shortcut.FilePath()).CanSave());
}

TEST(ShortcutFile, EditedListIsWrittenAsGbkWithCrLfAndReadBack)
{
    TestDir dir;
    TShortcut shortcut(dir.appPath());
    TShortcutEdit edit(shortcut.FilePath());
    ASSERT_TRUE(edit.Add("大家好！"));
    ASSERT_TRUE(edit.Add("see you"));
    ASSERT_TRUE(edit.Save());
    EXPECT_EQ(dir.read("Shortcut.dat"), Utf8ToGbk("大家好！\r\nsee you\r\n"));

    EXPECT_EQ(shortcut.Count(), 0);  // the list changes only when reloaded after the dialog
    shortcut.Reload();
    ASSERT_EQ(shortcut.Count(), 2);
    EXPECT_EQ(shortcut.Phrase(0), "大家好！");
    EXPECT_EQ(shortcut.Phrase(1), "see you");
    EXPECT_EQ(shortcut.Phrase(2), "");
    EXPECT_EQ(shortcut.Phrase(-1), "");
}

TEST(ShortcutFile, SavingAnEmptyListWritesAnEmptyFile)
{
    TestDir dir;
    dir.write("Shortcut.dat", "one\r\ntwo\r\n");
    TShortcut shortcut(dir.appPath());
    TShortcutEdit edit(shortcut.FilePath());
    ASSERT_TRUE(edit.Delete(0));
    ASSERT_TRUE(edit.Delete(0));
    ASSERT_TRUE(edit.Save());
    EXPECT_TRUE(dir.exists("Shortcut.dat"));
    EXPECT_EQ(dir.read("Shortcut.dat"), "");
    shortcut.Reload();
    EXPECT_EQ(shortcut.Count(), 0);
}

TEST(ShortcutFile, OversizedFileIsNotReadAndNeverOverwritten)
{
    TestDir dir;
    const std::string big = Repeat(std::string(99, 'x') + "\r\n", TShortcut::kMaxFileSize / 101 + 1);
    ASSERT_GT(big.size(), TShortcut::kMaxFileSize);
    dir.write("Shortcut.dat", big);

    EXPECT_EQ(TShortcut(dir.appPath()).Count(), 0);
    TShortcutEdit edit(dir.appPath() + "Shortcut.dat");
    EXPECT_FALSE(edit.CanSave());
    EXPECT_TRUE(edit.Rows().empty());
    ASSERT_TRUE(edit.Add("new"));
    EXPECT_FALSE(edit.Save());
    EXPECT_EQ(dir.read("Shortcut.dat"), big);
}

TEST(ShortcutFile, FileOfExactlyTheLimitIsRead)
{
    TestDir dir;
    std::string bytes = Repeat("x", TShortcut::kMaxFileSize - 2) + "\r\n";
    dir.write("Shortcut.dat", bytes);
    const TShortcut shortcut(dir.appPath());
    ASSERT_EQ(shortcut.Count(), 1);
    EXPECT_EQ(shortcut.Phrase(0).size(), TShortcut::kMaxFileSize - 2);
}

TEST(ShortcutFile, FailedWriteKeepsTheOldFile)
{
    TestDir dir;
    dir.write("Shortcut.dat", "old\r\n");
    std::filesystem::create_directory(dir.path() / "Shortcut.dat.tmp");  // the temporary file cannot be made
    TShortcutEdit edit(dir.appPath() + "Shortcut.dat");
    ASSERT_TRUE(edit.Add("new"));
    EXPECT_FALSE(edit.Save());
    EXPECT_EQ(dir.read("Shortcut.dat"), "old\r\n");

    EXPECT_FALSE(WriteShortcutFile(dir.appPath() + "no/such/folder/Shortcut.dat", {"x"}));
}

TEST(ShortcutFile, ListTooLargeToBeReadAgainIsNotWritten)
{
    TestDir dir;
    // Within the limit as LF lines, beyond it once every line ends in CR LF.
    const std::string lf = Repeat("a\n", TShortcut::kMaxFileSize / 2);
    dir.write("Shortcut.dat", lf);
    TShortcutEdit edit(dir.appPath() + "Shortcut.dat");
    ASSERT_TRUE(edit.CanSave());
    EXPECT_FALSE(edit.Save());
    EXPECT_EQ(dir.read("Shortcut.dat"), lf);
    EXPECT_EQ(TShortcut(dir.appPath()).Count(), static_cast<int>(TShortcut::kMaxFileSize / 2));
}

TEST(ShortcutMenu, CaptionsAreCutAfter26GbkBytesOnACharacterBoundary)
{
    const std::string han13 = Repeat("好", 13);  // 26 GBK bytes
    const struct {
        std::string phrase;
        std::string caption;
    } cases[] = {
        {Repeat("a", 26), Repeat("a", 26)},
        {Repeat("a", 27), Repeat("a", 26) + "..."},
        {han13, han13},
        {han13 + "a", han13 + "..."},
        {"a" + han13, "a" + Repeat("好", 12) + "..."},   // the 13th character would end at byte 27
        {"ab" + han13, "ab" + Repeat("好", 12) + "..."},
        {"短句", "短句"},
    };
    TestDir dir;
    std::string file;
    for (const auto& c : cases)
        file += Utf8ToGbk(c.phrase) + "\r\n";
    dir.write("Shortcut.dat", file);
    const TShortcut shortcut(dir.appPath());
    ASSERT_EQ(shortcut.Count(), static_cast<int>(std::size(cases)));
    for (int i = 0; i < shortcut.Count(); ++i) {
        EXPECT_EQ(shortcut.MenuCaption(i), cases[i].caption) << cases[i].phrase;
        EXPECT_EQ(shortcut.Phrase(i), cases[i].phrase);  // a click still sends the whole phrase
    }
    EXPECT_EQ(shortcut.MenuCaption(shortcut.Count()), "");
}

TEST(ShortcutEditing, AnswersAreTrimmedAndBlankAnswersChangeNothing)
{
    TestDir dir;
    TShortcutEdit edit(dir.appPath() + "Shortcut.dat");
    for (const char* blank : {"", "   ", "\t\r\n"}) {
        EXPECT_FALSE(edit.Add(blank));
        EXPECT_TRUE(edit.Rows().empty());
    }
    ASSERT_TRUE(edit.Add("  你好 \t"));
    ASSERT_TRUE(edit.Add("one\r\ntwo\nthree"));  // one phrase stays one line of the file
    EXPECT_EQ(edit.Rows(), (Phrases{"你好", "one  two three"}));

    EXPECT_FALSE(edit.Change(0, "  "));
    EXPECT_TRUE(edit.Change(0, " 您好 "));
    EXPECT_EQ(edit.Rows(), (Phrases{"您好", "one  two three"}));
}

TEST(ShortcutEditing, DeletingRenumbersTheRowsAfterIt)
{
    TestDir dir;
    dir.write("Shortcut.dat", "first\r\nsecond\r\nthird\r\n");
    TShortcutEdit edit(dir.appPath() + "Shortcut.dat");
    ASSERT_TRUE(edit.Delete(1));
    EXPECT_EQ(edit.Rows(), (Phrases{"first", "third"}));  // "third" is now row 2
    ASSERT_TRUE(edit.Save());
    EXPECT_EQ(dir.read("Shortcut.dat"), "first\r\nthird\r\n");
}

TEST(ShortcutEditing, RowsOutsideTheListAreRefused)
{
    TestDir dir;
    dir.write("Shortcut.dat", "only\r\n");
    TShortcutEdit edit(dir.appPath() + "Shortcut.dat");
    for (int row : {-1, 1, 1000}) {
        EXPECT_FALSE(edit.Change(row, "x")) << row;
        EXPECT_FALSE(edit.Delete(row)) << row;
    }
    EXPECT_EQ(edit.Rows(), (Phrases{"only"}));
}

TEST(ShortcutEditing, ClosingWithoutSavingLeavesTheFile)
{
    TestDir dir;
    dir.write("Shortcut.dat", "keep\r\n");
    {
        TShortcutEdit edit(dir.appPath() + "Shortcut.dat");
        ASSERT_TRUE(edit.Add("discarded"));
        ASSERT_TRUE(edit.Delete(0));
    }
    EXPECT_EQ(dir.read("Shortcut.dat"), "keep\r\n");
}

TEST(ShortcutAutoReply, TagsAndBlanksAreRemovedAndTheTextEndsAtTheFirstLineBreak)
{
    const struct {
        const char* answer;
        const char* reply;
    } cases[] = {
        {"我不在，稍后回复", "我不在，稍后回复"},
        {"<b>忙</b>碌中", "忙碌中"},
        {" 离开 \r\n第二行", "离开"},
        {"<img src=\"x.gif\">", ""},
        {"  <br>  ", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AutoReplyText(c.answer), c.reply) << c.answer;
}

} // namespace
} // namespace vlk
