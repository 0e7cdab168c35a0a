// No heap allocation after start-up: every form of the global operator new
// is replaced in this program and counted, and the module runs each
// situation for many frames over the bare stand-ins. Start-up creates the
// rows of the settings menu and the three copies of the recordings; nothing
// else.

#include "bench/bare_game.h"
#include "bench/situations.h"
#include "script/script_main.h"
#include "tests/menu_rows.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <new>
#include <string>

namespace {

std::uint64_t allocations = 0;

void* Allocate(std::size_t size) {
    ++allocations;
    return std::malloc(size != 0 ? size : 1);
}

void* AllocateOrThrow(std::size_t size) {
    void* block = Allocate(size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    return block;
}

void* AllocateAligned(std::size_t size, std::align_val_t alignment) {
    ++allocations;
    const auto align = static_cast<std::size_t>(alignment);
    // aligned_alloc wants a whole number of alignments.
    const std::size_t rounded = ((size != 0 ? size : 1) + align - 1) / align * align;
    return std::aligned_alloc(align, rounded);
}

void* AllocateAlignedOrThrow(std::size_t size, std::align_val_t alignment) {
    void* block = AllocateAligned(size, alignment);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    return block;
}

} // namespace

void* operator new(std::size_t n) { return AllocateOrThrow(n); }
void* operator new[](std::size_t n) { return AllocateOrThrow(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return Allocate(n); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return Allocate(n); }
void* operator new(std::size_t n, std::align_val_t a) { return AllocateAlignedOrThrow(n, a); }
void* operator new[](std::size_t n, std::align_val_t a) { return AllocateAlignedOrThrow(n, a); }
void* operator new(std::size_t n, std::align_val_t a, const std::nothrow_t&) noexcept {
    return AllocateAligned(n, a);
}
void* operator new[](std::size_t n, std::align_val_t a, const std::nothrow_t&) noexcept {
    return AllocateAligned(n, a);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept { std::free(p); }

namespace {

class FrameAllocation : public testing::TestWithParam<bare::Situation> {};

// Held in the situation, then left to run on at 60 frames a second: the boost
// ends, the recharge completes, the menu finishes its slide. Then a restart.
TEST_P(FrameAllocation, none_after_start_up) {
    const std::uint64_t atLoad = allocations;
    bare::StartModule();
    const std::uint64_t afterStartUp = allocations;

    bare::EnterSituation(GetParam());
    for (int frame = 0; frame < 2000; ++frame) {
        bare::HoldSituation(GetParam());
        MainLoopPass();
    }
    for (int frame = 0; frame < 2000; ++frame) {
        bare::world.tick += 16;
        MainLoopPass();
    }
    // A script restart loads settings and builds the menu again in the
    // loaded module, whose rows are still there.
    bare::StartModule();
    const std::uint64_t afterFrames = allocations;

    EXPECT_EQ(afterStartUp - atLoad, static_cast<std::uint64_t>(TreeRowCount()) + 3u)
        << "start-up creates the menu's rows on every page, one allocation each, and the three "
           "recordings' "
           "copies";
    EXPECT_GT(RowCount(), 0);
    EXPECT_EQ(afterFrames - afterStartUp, 0u) << "allocations in 4000 frames and a restart";
}

// Start-up copies the three recordings, once: the boost plays from them, a
// pause resumes from inside them, and a restart at another volume rewrites
// them where they are.
TEST(SoundCopies, three_at_start_up_and_none_after) {
    bare::world.profileVolume = 50;
    const std::uint64_t atLoad = allocations;
    bare::StartModule();
    const std::uint64_t afterStartUp = allocations;
    bare::EnterSituation(bare::Situation::Recharging);
    for (int frame = 0; frame < 2000; ++frame) {
        bare::world.tick += 16;
        MainLoopPass();
    }
    bare::EnterSituation(bare::Situation::Paused);
    bare::world.paused = false;
    MainLoopPass(); // the recording resumes
    bare::world.profileVolume = 30;
    bare::StartModule();

    EXPECT_EQ(afterStartUp - atLoad, static_cast<std::uint64_t>(TreeRowCount()) + 3u)
        << "the menu's rows on every page and three copies";
    EXPECT_EQ(allocations - afterStartUp, 0u)
        << "a boost, 2000 frames, a pause and its resume, and a restart";
}

INSTANTIATE_TEST_SUITE_P(Situations, FrameAllocation, testing::ValuesIn(bare::kSituations),
                         [](const testing::TestParamInfo<bare::Situation>& param) {
                             return std::string(bare::SituationName(param.param));
                         });

} // namespace
