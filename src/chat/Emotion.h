#pragma once
// TEmotion: the emoticon catalogue described by Picture/Emotion/Emotion.xml, loaded once at the
// hall log-in. An emoticon travels as "{" + id + "}"; its picture files are named after the id.
//
// The core does not decode pictures: Images() lists the still pictures (one per face, group after
// group), and the picker's widget turns them into its 20 by 20 image list. A face whose still
// picture is missing or is not a picture file is left out, so image indexes stay aligned.
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace vlk {

struct TEmotionInfo {
    std::string id;   // at most 32 characters
    std::string tip;  // at most 30 characters
    std::string FileOrg;    // full path of the animated picture
    std::string FileFixed;  // full path of the still picture
};

struct TEmotionGroup {
    int FirstImageIndex = 0;
    std::string Name;
    std::vector<TEmotionInfo> Faces;
};

class TEmotion {
public:
    static constexpr const char* kFolder = "Picture/Emotion/";
    static constexpr const char* kFileName = "Emotion.xml";
    static constexpr size_t kIdLength = 32;
    static constexpr size_t kTipLength = 30;
    // Far above any real description; a larger file is refused rather than read into memory.
    static constexpr size_t kMaxFileSize = 4 * 1024 * 1024;

    // appPath: the program directory with its trailing '/'.
    explicit TEmotion(const std::string& appPath);

    const std::string& Folder() const { return folder_; }
    // Exact, case-sensitive.
    bool IsEmotion(std::string_view code) const;
    // The face with that id (the last group holding it wins), or an info with an empty id.
    TEmotionInfo FindEmotion(std::string_view code) const;
    const std::vector<TEmotionGroup>& Groups() const { return groups_; }
    // The still pictures of every face, group after group.
    const std::vector<std::string>& Images() const { return images_; }

private:
    void Load();

    std::string folder_;
    std::vector<TEmotionGroup> groups_;
    std::vector<std::string> images_;
    // id -> (group, face) of the face FindEmotion returns.
    std::unordered_map<std::string, std::pair<size_t, size_t>> byId_;
};

} // namespace vlk
