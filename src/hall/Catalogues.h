#pragma once
// The catalogues every room shares: read once after the hall log-in.
#include "chat/Emotion.h"
#include "gifts/Gift.h"
#include "gifts/Seal.h"

#include <string>

namespace vlk {

struct TCatalogues {
    // appPath: the program directory with its trailing '/'.
    explicit TCatalogues(const std::string& appPath) : Gifts(appPath), Seals(appPath), Emotions(appPath) {}

    TGift Gifts;
    TSeal Seals;
    TEmotion Emotions;
};

} // namespace vlk
