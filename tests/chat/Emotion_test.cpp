// The emoticon catalogue: groups and faces from Emotion.xml, faces without a still picture left out
// with the image indexes kept aligned, lookups, and damaged or foreign descriptions.
#include "chat/Emotion.h"

#include "base/Gbk.h"
#include "support/TestDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace vlk {
namespace {

using test::TestDir;

const std::string kGif = std::string("GIF89a\x14\0\x14\0", 10);
const std::string kBmp = "BM" + std::string(60, '\0');

std::string FaceXml(const std::string& id, const std::string& tip, const std::string& fixed)
{
    return "<FACE id=\"" + id + "\" tip=\"" + tip + "\"><FILEORG>" + id + ".gif</FILEORG><FILEFIXED>" + fixed +
           "</FILEFIXED></FACE>";
}

std::string Document(const std::string& groups)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?><FACESETTING>" + groups + "</FACESETTING>";
}

void WriteXml(const TestDir& dir, const std::string& xml) { dir.write("Picture/Emotion/Emotion.xml", xml); }

std::vector<std::string> Ids(const TEmotionGroup& g)
{
    std::vector<std::string> ids;
    for (const auto& f : g.Faces)
        ids.push_back(f.id);
    return ids;
}

TEST(EmotionCatalogue, FacesWithoutStillPicturesAreLeftOutAndImagesStayAligned)
{
    TestDir dir;
    dir.write("Picture/Emotion/Fixed/a.bmp", kBmp);
    dir.write("Picture/Emotion/c.png", "\x89PNG\r\n\x1a\n" + std::string(20, '\0'));
    dir.write("Picture/Emotion/d.gif", kGif);
    dir.write("Picture/Emotion/text.bmp", "not a picture at all");
    WriteXml(dir, Document("<CUSTOMFACEGROUP name=\"默认\">" + FaceXml("a", "甲", "Fixed\\a.bmp") +
                           FaceXml("b", "乙", "missing.bmp") + FaceXml("c", "丙", "c.png") +
                           FaceXml("t", "丁", "text.bmp") + FaceXml("", "no id", "d.gif") +
                           "<OTHER/></CUSTOMFACEGROUP><IGNORED name=\"x\">" + FaceXml("x", "", "d.gif") +
                           "</IGNORED><CUSTOMFACEGROUP name=\"心情_interest\">" + FaceXml("d", "戊", "d.gif") +
                           "</CUSTOMFACEGROUP><CUSTOMFACEGROUP name=\"空\"/>"));
    const TEmotion emotion(dir.appPath());
    ASSERT_EQ(emotion.Groups().size(), 3u);
    const auto& first = emotion.Groups()[0];
    EXPECT_EQ(first.Name, "默认");
    EXPECT_EQ(Ids(first), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(first.FirstImageIndex, 0);
    EXPECT_EQ(emotion.Groups()[1].Name, "心情_interest");
    EXPECT_EQ(emotion.Groups()[1].FirstImageIndex, 2);
    EXPECT_EQ(emotion.Groups()[2].FirstImageIndex, 3);
    EXPECT_TRUE(emotion.Groups()[2].Faces.empty());

    const std::string folder = dir.appPath() + "Picture/Emotion/";
    EXPECT_EQ(emotion.Images(), (std::vector<std::string>{folder + "Fixed/a.bmp", folder + "c.png", folder + "d.gif"}));
    EXPECT_EQ(first.Faces[0].FileFixed, folder + "Fixed/a.bmp");
    EXPECT_EQ(first.Faces[0].FileOrg, folder + "a.gif");
    EXPECT_EQ(first.Faces[0].tip, "甲");
    EXPECT_FALSE(emotion.IsEmotion("b"));
    EXPECT_FALSE(emotion.IsEmotion(""));
    EXPECT_FALSE(emotion.IsEmotion("x"));
}

TEST(EmotionCatalogue, LookupsAreExactAndTheLastGroupWins)
{
    TestDir dir;
    dir.write("Picture/Emotion/p.gif", kGif);
    WriteXml(dir, Document("<CUSTOMFACEGROUP name=\"1\">" + FaceXml("Smile", "first", "p.gif") +
                           FaceXml("Smile", "same group", "p.gif") + "</CUSTOMFACEGROUP>" +
                           "<CUSTOMFACEGROUP name=\"2\">" + FaceXml("Smile", "second", "p.gif") +
                           FaceXml("Smile", "second again", "p.gif") + FaceXml("Wink", "wink", "p.gif") +
                           "</CUSTOMFACEGROUP>"));
    const TEmotion emotion(dir.appPath());
    EXPECT_TRUE(emotion.IsEmotion("Smile"));
    EXPECT_FALSE(emotion.IsEmotion("smile"));
    EXPECT_FALSE(emotion.IsEmotion("{Smile}"));
    EXPECT_EQ(emotion.FindEmotion("Smile").tip, "second");
    EXPECT_EQ(emotion.FindEmotion("Wink").tip, "wink");
    const TEmotionInfo none = emotion.FindEmotion("Frown");
    EXPECT_TRUE(none.id.empty());
    EXPECT_TRUE(none.FileOrg.empty());
    EXPECT_EQ(emotion.Images().size(), 5u);
}

TEST(EmotionCatalogue, IdsAndTipsAreCutByCharacters)
{
    TestDir dir;
    dir.write("Picture/Emotion/p.gif", kGif);
    const std::string id40 = "0123456789ABCDEF0123456789ABCDEFxxxxxxxx";
    std::string tip31;
    for (int i = 0; i < 31; ++i)
        tip31 += "笑";
    WriteXml(dir, Document("<CUSTOMFACEGROUP name=\"g\">" + FaceXml(id40, tip31, "p.gif") + "</CUSTOMFACEGROUP>"));
    const TEmotion emotion(dir.appPath());
    ASSERT_EQ(emotion.Groups().at(0).Faces.size(), 1u);
    const TEmotionInfo& face = emotion.Groups()[0].Faces[0];
    EXPECT_EQ(face.id, id40.substr(0, 32));
    EXPECT_EQ(face.tip, tip31.substr(0, 30 * 3));
    EXPECT_TRUE(emotion.IsEmotion(id40.substr(0, 32)));
}

TEST(EmotionCatalogue, GbkDescriptionsAreRead)
{
    TestDir dir;
    dir.write("Picture/Emotion/p.gif", kGif);
    const std::string utf8 = "<?xml version=\"1.0\" encoding=\"GBK\"?><FACESETTING><CUSTOMFACEGROUP name=\"默认\">" +
                             FaceXml("a", "微笑", "p.gif") + "</CUSTOMFACEGROUP></FACESETTING>";
    WriteXml(dir, Utf8ToGbk(utf8));
    const TEmotion emotion(dir.appPath());
    ASSERT_EQ(emotion.Groups().size(), 1u);
    EXPECT_EQ(emotion.Groups()[0].Name, "默认");
    EXPECT_EQ(emotion.FindEmotion("a").tip, "微笑");
}

TEST(EmotionCatalogue, DamagedOrForeignDescriptionsGiveAnEmptyCatalogue)
{
    const std::string good = Document("<CUSTOMFACEGROUP name=\"g\">" + FaceXml("a", "t", "p.gif") + "</CUSTOMFACEGROUP>");
    const struct { const char* why; std::string xml; } cases[] = {
        {"empty file", ""},
        {"truncated", good.substr(0, good.size() / 2)},
        {"wrong root", "<FACES><CUSTOMFACEGROUP name=\"g\">" + FaceXml("a", "t", "p.gif") + "</CUSTOMFACEGROUP></FACES>"},
        {"root in another case", "<facesetting/>"},
        {"unbalanced", "<FACESETTING><CUSTOMFACEGROUP></FACESETTING>"},
        {"binary", std::string("\0\xFF\xFE<\x01", 5)},
        {"too large", std::string(TEmotion::kMaxFileSize - good.size() + 1, ' ') + good},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        TestDir dir;
        dir.write("Picture/Emotion/p.gif", kGif);
        WriteXml(dir, c.xml);
        const TEmotion emotion(dir.appPath());
        EXPECT_TRUE(emotion.Groups().empty());
        EXPECT_TRUE(emotion.Images().empty());
        EXPECT_FALSE(emotion.IsEmotion("a"));
    }
}

TEST(EmotionCatalogue, MissingDescriptionGivesAnEmptyCatalogue)
{
    TestDir dir;
    EXPECT_TRUE(TEmotion(dir.appPath()).Groups().empty());
    std::filesystem::create_directories(dir.path() / "Picture/Emotion/Emotion.xml");
    EXPECT_TRUE(TEmotion(dir.appPath()).Groups().empty());
}

TEST(EmotionSample, EveryFaceHasBothPictures)
{
    const TEmotion emotion(VLK_BIN_DIR "/");
    ASSERT_EQ(emotion.Groups().size(), 2u);
    EXPECT_EQ(emotion.Groups()[0].Name, "默认");
    EXPECT_EQ(emotion.Images().size(), 24u);
    for (const auto& group : emotion.Groups())
        for (const auto& face : group.Faces) {
            EXPECT_EQ(face.id.size(), 32u);
            EXPECT_FALSE(face.tip.empty());
            EXPECT_TRUE(std::filesystem::is_regular_file(face.FileOrg)) << face.FileOrg;
            EXPECT_TRUE(emotion.IsEmotion(face.id));
        }
}

} // namespace
} // namespace vlk
