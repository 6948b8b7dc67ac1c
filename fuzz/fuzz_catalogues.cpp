// Any bytes as Gift.dat, Seal.dat and Emotion.xml of a program directory: loading and every lookup
// must stay inside what was read.
#include "chat/Emotion.h"
#include "gifts/Gift.h"
#include "gifts/Seal.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

void WriteFile(const std::string& path, const uint8_t* data, size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string appPath = [] {
        const std::string path = "/tmp/vlk-fuzz-catalogues-" + std::to_string(getpid()) + "/";
        for (const char* folder : {"Picture/Gift", "Picture/Seal", "Picture/Emotion"})
            std::filesystem::create_directories(path + folder);
        // A still picture for faces that name it, so the fuzzer reaches the lookups.
        std::ofstream(path + "Picture/Emotion/a.gif") << std::string("GIF89a\x14\0\x14\0", 10);
        return path;
    }();
    WriteFile(appPath + vlk::TGift::kFileName, data, size);
    WriteFile(appPath + vlk::TSeal::kFileName, data, size);
    WriteFile(appPath + vlk::TEmotion::kFolder + vlk::TEmotion::kFileName, data, size);

    const vlk::TGift gifts(appPath);
    for (int i = 0; i < gifts.GiftCount(); ++i) {
        const vlk::TGiftRecord& g = *gifts.GiftAt(i);
        if (gifts.FindGift(g.Number()) == nullptr)
            __builtin_trap();
        (void)(g.Name().size() + g.Unit().size() + g.Category().size() + gifts.ChatPicturePath(g).size() +
               gifts.FlashPath(g).size());
    }
    for (int i = 0; i <= gifts.CategoryCount(); ++i)
        (void)gifts.CategoryName(i);

    const vlk::TSeal seals(appPath);
    for (int i = 0; i < seals.SealCount(); ++i)
        if (seals.FindSeal(seals.SealAt(i)->Number()) == nullptr)
            __builtin_trap();

    const vlk::TEmotion emotion(appPath);
    size_t faces = 0;
    for (const auto& group : emotion.Groups()) {
        if (group.FirstImageIndex != static_cast<int>(faces))
            __builtin_trap();
        for (const auto& face : group.Faces)
            if (!emotion.IsEmotion(face.id) || emotion.FindEmotion(face.id).id != face.id)
                __builtin_trap();
        faces += group.Faces.size();
    }
    if (faces != emotion.Images().size())
        __builtin_trap();
    return 0;
}
