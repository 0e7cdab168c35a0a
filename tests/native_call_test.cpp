// The call contract with the game: how arguments are packed into the 64-bit
// slots and how results are read back.

#include "game/natives.h"
#include "sim_fixture.h"

#include <bit>

namespace {

using NativeCall = SimTest;

TEST_F(NativeCall, arguments_fill_the_low_half_of_zeroed_slots) {
    native::DRAW_RECT(0.5f, -0.25f, 1.0f, 0.0f, -1, -126, 255, 0);
    const auto& raw = game.script.callArgs;
    ASSERT_EQ(raw.size(), 8u);
    EXPECT_EQ(raw[0], std::bit_cast<std::uint32_t>(0.5f));
    EXPECT_EQ(raw[1], std::bit_cast<std::uint32_t>(-0.25f)) << "a negative float is not widened";
    EXPECT_EQ(raw[4], 0x00000000FFFFFFFFull) << "-1 goes zero-extended";
    EXPECT_EQ(raw[5], 0x00000000FFFFFF82ull);
    EXPECT_EQ(raw[6], 255u);

    // Flags are 0 or 1, and literal whole numbers passed for floats are floats.
    native::SET_TEXT_SCALE(1, 2);
    EXPECT_EQ(game.script.callArgs[0], std::bit_cast<std::uint32_t>(1.0f));
    native::SET_TEXT_CENTRE(true);
    EXPECT_EQ(game.script.callArgs[0], 1u);

    const char* text = "STRING";
    native::_SET_TEXT_ENTRY(text);
    EXPECT_EQ(game.script.callArgs[0], reinterpret_cast<std::uintptr_t>(text))
        << "texts go by address, not copied";
    EXPECT_TRUE(game.faults.empty());
}

TEST_F(NativeCall, results_are_read_from_the_returned_slots) {
    const std::int32_t car = game.world.AddVehicle(sim::VehicleClass::Car, 2);
    sim::Vehicle& v = game.world.Get(car);
    v.position = {100.0f, -20.0f, 5.0f};
    v.heading = 0.0f;
    v.speed = 12.5f;
    game.world.EnterVehicle(car);

    EXPECT_EQ(native::GET_VEHICLE_PED_IS_USING(native::PLAYER_PED_ID()), car);
    EXPECT_EQ(native::GET_ENTITY_SPEED(car), 12.5f);
    EXPECT_TRUE(native::IS_PED_IN_VEHICLE(native::PLAYER_PED_ID(), car, false));
    EXPECT_FALSE(native::IS_PED_IN_VEHICLE(native::PLAYER_PED_ID(), 0, false));

    // A 3D vector comes back as three 8-byte slots.
    const std::int32_t bone = native::_GET_ENTITY_BONE_INDEX(car, "exhaust_2");
    const native::Vector3 at = native::GET_WORLD_POSITION_OF_ENTITY_BONE(car, bone);
    EXPECT_NE(at.x, 0.0f);
    EXPECT_NE(at.y, -20.0f);
    EXPECT_FLOAT_EQ(at.z, 5.4f);
    const std::uint64_t* slots = game.script.result.data();
    EXPECT_EQ(static_cast<std::uint32_t>(slots[1]), std::bit_cast<std::uint32_t>(at.y));
    EXPECT_EQ(static_cast<std::uint32_t>(slots[2]), std::bit_cast<std::uint32_t>(at.z));
}

TEST_F(NativeCall, the_game_refuses_unknown_natives_and_wrong_argument_counts) {
    native::Native<0x1234567890ABCDEF, void()> unknown;
    unknown();
    ASSERT_EQ(game.faults.size(), 1u);
    EXPECT_NE(game.faults[0].find("unknown native"), std::string::npos);

    native::Native<0x3A618A217E5154F0, void(float, float)> shortRect; // DRAW_RECT takes eight
    shortRect(0.1f, 0.2f);
    ASSERT_EQ(game.faults.size(), 2u);
    EXPECT_NE(game.faults[1].find("expects 8"), std::string::npos);

    native::Native<0xC02F4DBFB51D988B, void(std::int32_t)> badFlag; // SET_TEXT_CENTRE
    badFlag(2);
    EXPECT_EQ(game.faults.size(), 3u);
    game.faults.clear(); // these faults were the point of the test
}

} // namespace
