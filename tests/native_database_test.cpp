// The simulated game's natives against a public native database: hash, name,
// argument kinds in push order and result. tests/nativedb/ holds the
// database's entries for the natives the module declares; its SOURCE.txt says
// where they come from, and scripts/refresh_native_extract.py renews them.

#include "sim/native_table.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

struct DatabaseEntry {
    std::vector<std::string> names; // the current name, then the old ones
    std::string args;
    std::string result;
};

// The database's type names as the simulated game's kinds; a type the
// module has no way to pass maps to '?', which matches no kind.
std::string KindOf(const std::string& type) {
    static const std::map<std::string, std::string> kinds = {
        {"int", "i"},         {"Any", "i"},    {"Hash", "i"},      {"Ped", "i"},   {"Vehicle", "i"},
        {"Entity", "i"},      {"Player", "i"}, {"BOOL", "b"},      {"float", "f"}, {"void", ""},
        {"const char*", "s"}, {"char*", "s"},  {"Vector3", "fff"},
    };
    const auto kind = kinds.find(type);
    return kind != kinds.end() ? kind->second : "?";
}

std::map<std::uint64_t, DatabaseEntry> LoadExtract() {
    std::ifstream file(VELOXAN_NATIVE_EXTRACT);
    EXPECT_TRUE(file.good()) << VELOXAN_NATIVE_EXTRACT;
    const nlohmann::json database = nlohmann::json::parse(file);
    std::map<std::uint64_t, DatabaseEntry> out;
    for (const auto& [space, natives] : database.items()) {
        for (const auto& [key, native] : natives.items()) {
            DatabaseEntry& e = out[std::stoull(key, nullptr, 16)];
            e.names.push_back(native.at("name").get<std::string>());
            for (const auto& old : native.value("old_names", nlohmann::json::array())) {
                e.names.push_back(old.get<std::string>());
            }
            for (const auto& param : native.at("params")) {
                e.args += KindOf(param.at("type").get<std::string>());
            }
            e.result = KindOf(native.at("return_type").get<std::string>());
        }
    }
    return out;
}

// Newer builds of the database list one more, trailing, argument for these.
// The module pushes the older form, as the ScriptHookV SDK headers declare
// it, and the game accepts both.
struct TrailingArgument {
    const char* name;
    char kind;
};
constexpr TrailingArgument kNewerTrailingArgument[] = {
    {"DRAW_RECT", 'b'},                      // a flag after the colour
    {"_DRAW_TEXT", 'i'},                     // a whole number after x and y
    {"SET_VEHICLE_ON_GROUND_PROPERLY", 'f'}, // a float after the vehicle
};

// The module's name for this native is the one of the older SDK headers; the
// database lists the current name and no longer records that one.
constexpr struct {
    const char* module;
    const char* database;
} kOlderName = {"_GET_ENTITY_BONE_INDEX", "GET_ENTITY_BONE_INDEX_BY_NAME"};

TEST(NativeDatabase, every_native_matches_the_database_by_hash_name_arguments_and_result) {
    const std::map<std::uint64_t, DatabaseEntry> database = LoadExtract();
    ASSERT_FALSE(database.empty());
    std::size_t trailingSeen = 0;
    for (const sim::NativeEntry& native : sim::AllNatives()) {
        SCOPED_TRACE(native.name);
        const auto found = database.find(native.hash);
        if (found == database.end()) {
            ADD_FAILURE() << "hash not in the database";
            continue;
        }
        const DatabaseEntry& db = found->second;
        const std::string name =
            std::string(native.name) == kOlderName.module ? kOlderName.database : native.name;
        EXPECT_EQ(std::count(db.names.begin(), db.names.end(), name), 1)
            << "the database names this hash " << db.names.front();
        std::string expectedArgs = native.args;
        for (const TrailingArgument& t : kNewerTrailingArgument) {
            if (std::string(native.name) == t.name) {
                expectedArgs += t.kind;
                ++trailingSeen;
            }
        }
        EXPECT_EQ(db.args, expectedArgs) << "argument kinds in push order";
        EXPECT_EQ(db.result, native.result) << "result kind";
    }
    EXPECT_EQ(trailingSeen, std::size(kNewerTrailingArgument));
    // The extract is refreshed from the module's declarations: a native there
    // that the simulated game lacks is one it could not answer.
    for (const auto& [hash, db] : database) {
        EXPECT_NE(sim::FindNative(hash), nullptr)
            << db.names.front() << " (0x" << std::hex << std::uppercase << hash
            << ") is in the extract, but the simulated game has no entry for it";
    }
}

} // namespace
