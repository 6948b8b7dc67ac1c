#include "chat/Emotion.h"

#include "base/DebugLog.h"
#include "base/Gbk.h"
#include "gifts/CatalogueFile.h"

#include <pugixml.hpp>

#include <array>
#include <cstring>
#include <fstream>
#include <optional>
#include <unordered_set>

namespace vlk {
namespace {

// The first n characters (code points) of valid UTF-8 text.
std::string CutCharacters(std::string_view utf8, size_t n)
{
    size_t pos = 0;
    for (size_t count = 0; pos < utf8.size() && count < n; ++count) {
        ++pos;
        while (pos < utf8.size() && (static_cast<unsigned char>(utf8[pos]) & 0xC0) == 0x80)
            ++pos;
    }
    return std::string(utf8.substr(0, pos));
}

// Stands in for loading the still picture: the file must exist and start like a picture the
// widgets can decode (BMP, PNG, GIF or JPEG).
bool IsPictureFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::array<char, 8> head{};
    if (!in.read(head.data(), head.size()))
        return false;
    const std::string_view h(head.data(), head.size());
    return h.starts_with("BM") || h.starts_with("\x89PNG\r\n\x1a\n") || h.starts_with("GIF87a") ||
           h.starts_with("GIF89a") || h.starts_with("\xFF\xD8\xFF");
}

// Nothing when the file cannot be opened; at most limit + 1 bytes, so an oversized file shows.
std::optional<std::string> ReadAtMost(const std::string& path, size_t limit)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes(limit + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad())
        return std::nullopt;
    bytes.resize(static_cast<size_t>(in.gcount()));
    return bytes;
}

} // namespace

TEmotion::TEmotion(const std::string& appPath) : folder_(appPath + kFolder)
{
    Load();
}

void TEmotion::Load()
{
    const std::string path = folder_ + kFileName;
    const auto bytes = ReadAtMost(path, kMaxFileSize);
    if (!bytes) {
        DebugLog().warn("emoticons: {} cannot be read; no emoticons", path);
        return;
    }
    if (bytes->size() > kMaxFileSize) {
        DebugLog().warn("emoticons: {} is larger than {} bytes; no emoticons", path, kMaxFileSize);
        return;
    }
    const std::string text = FileTextToUtf8(*bytes);
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!parsed) {
        DebugLog().warn("emoticons: {} is not well-formed ({} at byte {}); no emoticons", path, parsed.description(),
                        parsed.offset);
        return;
    }
    const pugi::xml_node root = doc.document_element();
    if (std::strcmp(root.name(), "FACESETTING") != 0) {
        DebugLog().warn("emoticons: {} has the root <{}>, not <FACESETTING>; no emoticons", path, root.name());
        return;
    }
    for (const pugi::xml_node groupNode : root.children("CUSTOMFACEGROUP")) {
        TEmotionGroup group;
        group.Name = groupNode.attribute("name").as_string();
        group.FirstImageIndex = static_cast<int>(images_.size());
        for (const pugi::xml_node faceNode : groupNode.children("FACE")) {
            TEmotionInfo face;
            face.id = CutCharacters(faceNode.attribute("id").as_string(), kIdLength);
            face.tip = CutCharacters(faceNode.attribute("tip").as_string(), kTipLength);
            face.FileOrg = CataloguePath(folder_, faceNode.child_value("FILEORG"));
            face.FileFixed = CataloguePath(folder_, faceNode.child_value("FILEFIXED"));
            // A face without an id cannot be written as a code.
            if (face.id.empty())
                continue;
            if (!IsPictureFile(face.FileFixed)) {
                DebugLog().warn("emoticons: face {} has no still picture {}; left out", face.id, face.FileFixed);
                continue;
            }
            images_.push_back(face.FileFixed);
            group.Faces.push_back(std::move(face));
        }
        groups_.push_back(std::move(group));
    }
    for (size_t g = 0; g < groups_.size(); ++g) {
        std::unordered_set<std::string_view> inGroup;
        for (size_t f = 0; f < groups_[g].Faces.size(); ++f) {
            const std::string& id = groups_[g].Faces[f].id;
            // Within a group the first face with an id counts; a later group replaces it.
            if (inGroup.insert(id).second)
                byId_[id] = {g, f};
        }
    }
}

bool TEmotion::IsEmotion(std::string_view code) const
{
    return byId_.contains(std::string(code));
}

TEmotionInfo TEmotion::FindEmotion(std::string_view code) const
{
    const auto it = byId_.find(std::string(code));
    if (it == byId_.end())
        return {};
    return groups_[it->second.first].Faces[it->second.second];
}

} // namespace vlk
