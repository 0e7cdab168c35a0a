#pragma once
// The boost tests' common ground: the module booted with a player in a
// vehicle, the trigger key, and readers for what the game was told.

#include "sim_fixture.h"
#include "turbo/turbo.h"

#include <cstdint>
#include <string>
#include <vector>

class TurboTest : public SimTest {
protected:
    // Writes `ini` when given, boots the module and seats the player in a new
    // vehicle of that class, which becomes `car`.
    void BootInVehicle(const std::string& ini = "",
                       sim::VehicleClass vehicleClass = sim::VehicleClass::Car,
                       int exhaustBones = 2) {
        if (!ini.empty()) {
            WriteIni("[Veloxan]\r\n" + ini);
        }
        Boot();
        car = game.world.AddVehicle(vehicleClass, exhaustBones);
        game.world.EnterVehicle(car);
    }

    // The player taps the trigger: held for the next frame, which runs.
    void PressTrigger() {
        HoldKey(VK_T, 1);
        sim::Step();
    }

    void RunUntilState(TurboState state, std::uint64_t maxFrames = 3000) {
        ASSERT_TRUE(sim::RunUntil([state] { return turboState == state; }, maxFrames))
            << "state " << static_cast<int>(state) << " not reached";
    }

    // Press, spool-up and launch; returns the frame of the launch.
    std::uint64_t LaunchBoost() {
        PressTrigger();
        RunUntilState(TurboState::Boosting);
        return game.frame;
    }

    // Every text posted to the feed, in order, removed ones included.
    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const sim::FeedItem& item : game.world.feed) {
            texts.push_back(item.text);
        }
        return texts;
    }

    std::string LastMessage() const {
        return game.world.feed.empty() ? std::string() : game.world.feed.back().text;
    }

    // The recharge bar drawn in frame `f`, or null.
    const sim::DrawnRect* RechargeBar(std::uint64_t f) const {
        for (const sim::DrawItem& item : game.world.DrawList(f)) {
            if (item.kind == sim::DrawItem::Rect && item.rect.y == 0.98f) {
                return &item.rect;
            }
        }
        return nullptr;
    }

    // Tick of the first call of `name` at or after frame `from`; 0 if none.
    std::uint32_t FirstTick(const char* name, std::uint64_t from) const {
        for (const sim::CallRecord* c : game.Calls(name)) {
            if (c->frame >= from) {
                return c->tick;
            }
        }
        return 0;
    }

    std::size_t CountFrom(const char* name, std::uint64_t from) const {
        std::size_t n = 0;
        for (const sim::CallRecord* c : game.Calls(name)) {
            n += c->frame >= from ? 1 : 0;
        }
        return n;
    }

    sim::Vehicle& Car() { return game.world.Get(car); }

    std::int32_t car = 0;
};
