#pragma once
// The module's sounds through the computer's speakers, as PlaySoundA plays
// them: a RIFF/WAVE file held in memory, one at a time, each new one cutting
// off the one before, and a stop. It takes the bytes wherever they live (a
// resource of the module, or a copy it made) and keeps no other tie to the
// simulated game.

#include <SDL2/SDL_audio.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace simapp {

struct QueuedSound {
    const std::uint8_t* wave = nullptr; // the bytes it was played from
    std::size_t waveBytes = 0;
    // What went into the device's queue, after conversion to its format;
    // 0 when the bytes were not a WAVE file SDL could read.
    std::uint32_t queuedBytes = 0;
    double queuedMs = 0.0;
};

class LiveAudio {
public:
    LiveAudio() = default;
    ~LiveAudio();
    LiveAudio(const LiveAudio&) = delete;
    LiveAudio& operator=(const LiveAudio&) = delete;

    // The default output device; false (and every later call silent) when
    // SDL's audio cannot start. The subsystem must be initialised.
    bool Open();
    bool IsOpen() const { return device_ != 0; }
    // Cuts off what is playing and queues the WAVE file in `wave`.
    void Play(const std::uint8_t* wave, std::size_t bytes);
    void Stop();

    const std::vector<QueuedSound>& Queued() const { return queued_; }
    int Stops() const { return stops_; }
    const SDL_AudioSpec& DeviceSpec() const { return spec_; }

private:
    SDL_AudioDeviceID device_ = 0;
    SDL_AudioSpec spec_{};
    std::vector<QueuedSound> queued_;
    int stops_ = 0;
};

} // namespace simapp
