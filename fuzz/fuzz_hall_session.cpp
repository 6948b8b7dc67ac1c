// Arbitrary hall messages into the hall session's dispatcher: each one gets a valid envelope with
// a code the hall handles, so the fuzzer works on the bodies. Nothing may crash or read out of bounds.
#include "base/ManualClock.h"
#include "hall/HallSession.h"
#include "hall/support/FakeHallView.h"
#include "net/Envelope.h"
#include "net/support/MemoryUDP.h"

#include <cstring>
#include <filesystem>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const int32_t codes[] = {10009, 10022, 11001, 11003, 11011, 11012, 11020, 12020, 19022, 20008, 20011};
    static const std::string home = [] {
        const auto dir = std::filesystem::temp_directory_path() / "vlk-fuzz-hall";
        std::filesystem::create_directories(dir);
        return dir.string() + "/";
    }();
    vlk::ManualClock clock(50000);
    vlk::ClockScope scope(clock);
    vlk::TvlkChatCFG cfg;
    cfg.AppPath = home;
    vlk::THallUserInfo user;
    user.SetUserID(10001);
    vlk::test::TFakeHallView view;
    vlk::THallSession session(cfg, user, view, std::make_unique<vlk::test::TMemoryUDP>());

    // Each message: one byte picks the code, two bytes give the body length, then the body.
    size_t at = 0;
    while (at + 3 <= size) {
        const int32_t code = codes[data[at] % std::size(codes)];
        const size_t length = static_cast<size_t>(data[at + 1] | (data[at + 2] << 8));
        at += 3;
        const size_t n = std::min(length, size - at);
        std::vector<uint8_t> message(vlk::kEnvelopeSize + n);
        std::memcpy(message.data(), &vlk::kEnvelopeMagic, 4);
        std::memcpy(message.data() + 4, &code, 4);
        std::memcpy(message.data() + vlk::kEnvelopeSize, data + at, n);
        at += n;
        session.Dispatch(message);
        for (auto& dialog : view.passwordDialogs)
            dialog("pw");
        view.passwordDialogs.clear();
    }
    return 0;
}
