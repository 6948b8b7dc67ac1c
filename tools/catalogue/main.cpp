// catalogue: writes Gift.dat or Seal.dat from a JSON source file. The records are the reader's own
// classes, so the tool and the client cannot disagree on the layout.
#include "base/Gbk.h"
#include "gifts/CatalogueFile.h"
#include "gifts/GiftRecord.h"
#include "gifts/SealRecord.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <fstream>
#include <limits>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using nlohmann::json;

// One entry of the source, read field by field; every mistake names the entry and the field.
class TEntry {
public:
    TEntry(const json& j, std::string what, std::set<std::string> known) : j_(j), what_(std::move(what))
    {
        if (!j_.is_object())
            Fail("is not an object");
        for (const auto& [key, value] : j_.items())
            if (!known.contains(key))
                Fail("has the unknown field \"" + key + "\"");
    }

    [[noreturn]] void Fail(const std::string& message) const { throw std::runtime_error(what_ + " " + message); }

    bool Has(const char* key) const { return j_.contains(key); }

    int64_t Integer(const char* key, int64_t low, int64_t high, std::optional<int64_t> fallback = std::nullopt) const
    {
        if (!Has(key)) {
            if (!fallback)
                Fail(std::string("lacks \"") + key + "\"");
            return *fallback;
        }
        const json& v = j_.at(key);
        if (!v.is_number_integer())
            Fail(std::string("\"") + key + "\" is not a whole number");
        const int64_t n = v.get<int64_t>();
        if (n < low || n > high)
            Fail(std::string("\"") + key + "\" is outside " + std::to_string(low) + ".." + std::to_string(high));
        return n;
    }

    bool Flag(const char* key) const
    {
        if (!Has(key))
            return false;
        if (!j_.at(key).is_boolean())
            Fail(std::string("\"") + key + "\" is not true or false");
        return j_.at(key).get<bool>();
    }

    // A text that fits room GBK bytes exactly as written; nothing is cut or replaced silently.
    std::string Text(const char* key, size_t room, std::optional<std::string> fallback = std::nullopt) const
    {
        if (!Has(key)) {
            if (!fallback)
                Fail(std::string("lacks \"") + key + "\"");
            return *fallback;
        }
        const json& v = j_.at(key);
        if (!v.is_string())
            Fail(std::string("\"") + key + "\" is not a text");
        const std::string text = v.get<std::string>();
        const std::string gbk = vlk::Utf8ToGbk(text);
        if (vlk::GbkToUtf8(gbk) != text)
            Fail(std::string("\"") + key + "\" has characters GBK cannot hold");
        if (gbk.size() > room)
            Fail(std::string("\"") + key + "\" is " + std::to_string(gbk.size()) + " GBK bytes, more than " +
                 std::to_string(room));
        return text;
    }

private:
    const json& j_;
    std::string what_;
};

constexpr int64_t kI32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t kI32Max = std::numeric_limits<int32_t>::max();

const json& Entries(const json& source, const char* key)
{
    if (!source.is_object() || !source.contains(key) || !source.at(key).is_array())
        throw std::runtime_error(std::string("the source has no \"") + key + "\" list");
    return source.at(key);
}

std::string EntryName(const char* what, size_t index, const json& j)
{
    std::string name = std::string(what) + " " + std::to_string(index + 1);
    if (j.is_object() && j.contains("number"))
        name += " (number " + j.at("number").dump() + ")";
    return name;
}

void CheckUnique(std::set<int32_t>& numbers, int32_t number, const TEntry& entry)
{
    if (!numbers.insert(number).second)
        entry.Fail("repeats a number; the client would only ever find the first");
}

std::vector<vlk::TGiftRecord> GiftRecords(const json& source)
{
    using vlk::TGiftRecord;
    std::vector<TGiftRecord> records;
    std::set<int32_t> numbers;
    const json& gifts = Entries(source, "gifts");
    for (size_t i = 0; i < gifts.size(); ++i) {
        const TEntry e(gifts[i], EntryName("gift", i, gifts[i]),
                       {"number", "name", "unit", "price", "receiverValue", "category", "kind", "currency", "quick",
                        "runway", "multiple", "listPicture", "chatPicture", "flash"});
        TGiftRecord r;
        r.SetNumber(static_cast<int32_t>(e.Integer("number", kI32Min, kI32Max)));
        CheckUnique(numbers, r.Number(), e);
        r.SetName(e.Text("name", TGiftRecord::kNameRoom));
        r.SetUnit(e.Text("unit", TGiftRecord::kUnitRoom, ""));
        r.SetPrice(static_cast<int32_t>(e.Integer("price", 0, kI32Max, 0)));
        r.SetReceiverValue(static_cast<int32_t>(e.Integer("receiverValue", 0, kI32Max, 0)));
        r.SetCategory(e.Text("category", TGiftRecord::kCategoryRoom));
        r.SetKind(static_cast<int8_t>(e.Integer("kind", vlk::gkOrdinary, vlk::gkFireworksUsers, vlk::gkOrdinary)));
        std::string currency = "coins";
        if (e.Has("currency")) {
            currency = e.Text("currency", 16);
            if (currency != "coins" && currency != "points")
                e.Fail("\"currency\" is neither \"coins\" nor \"points\"");
        }
        r.SetCurrency(currency == "coins" ? 1 : 0);
        r.SetQuick(e.Flag("quick"));
        r.SetRunway(e.Flag("runway") ? 1 : 0);
        r.SetMultiple(static_cast<uint16_t>(e.Integer("multiple", 0, 65535, 0)));
        if (r.Multiple() != 0 && r.Kind() != vlk::gkLucky)
            e.Fail("has a \"multiple\" but is not a lucky gift (kind 3)");
        r.SetListPicture(e.Text("listPicture", TGiftRecord::kPictureRoom));
        r.SetChatPicture(e.Text("chatPicture", TGiftRecord::kPictureRoom, r.ListPicture()));
        r.SetFlash(e.Text("flash", TGiftRecord::kPictureRoom, ""));
        records.push_back(std::move(r));
    }
    return records;
}

std::vector<vlk::TSealRecord> SealRecords(const json& source)
{
    using vlk::TSealRecord;
    std::vector<TSealRecord> records;
    std::set<int32_t> numbers;
    const json& seals = Entries(source, "seals");
    for (size_t i = 0; i < seals.size(); ++i) {
        const TEntry e(seals[i], EntryName("seal", i, seals[i]),
                       {"number", "name", "category", "price", "duration", "listPicture", "picture"});
        TSealRecord r;
        r.SetNumber(static_cast<int32_t>(e.Integer("number", kI32Min, kI32Max)));
        CheckUnique(numbers, r.Number(), e);
        r.SetName(e.Text("name", TSealRecord::kNameRoom));
        r.SetCategory(e.Text("category", TSealRecord::kCategoryRoom));
        r.SetPrice(static_cast<int32_t>(e.Integer("price", 0, kI32Max, 0)));
        r.SetDuration(static_cast<int32_t>(e.Integer("duration", 1, kI32Max)));
        r.SetListPicture(e.Text("listPicture", TSealRecord::kPictureRoom));
        r.SetPicture(e.Text("picture", TSealRecord::kPictureRoom, r.ListPicture()));
        records.push_back(std::move(r));
    }
    return records;
}

json ReadSource(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    try {
        return json::parse(in);
    } catch (const json::parse_error& e) {
        throw std::runtime_error(path + " is not JSON: " + e.what());
    }
}

template <class R>
void Write(const std::string& path, const std::vector<R>& records)
{
    if (!vlk::WriteRecords(path, records))
        throw std::runtime_error("cannot write " + path);
    std::printf("%s: %zu records\n", path.c_str(), records.size());
}

} // namespace

int main(int argc, char** argv)
{
    CLI::App app{"catalogue: writes Gift.dat or Seal.dat from a JSON source"};
    app.require_subcommand(1);
    std::string source;
    std::string output;
    for (const char* kind : {"gift", "seal"}) {
        CLI::App* sub = app.add_subcommand(kind, std::string("writes ") + (kind[0] == 'g' ? "Gift.dat" : "Seal.dat"));
        sub->add_option("source", source, "the JSON source")->required()->check(CLI::ExistingFile);
        sub->add_option("output", output, "the file to write")->required();
    }
    CLI11_PARSE(app, argc, argv);
    try {
        const json parsed = ReadSource(source);
        if (app.got_subcommand("gift"))
            Write(output, GiftRecords(parsed));
        else
            Write(output, SealRecords(parsed));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "catalogue: %s\n", e.what());
        return 1;
    }
    return 0;
}
