#include "sim/app/live_audio.h"

#include <SDL2/SDL.h>

#include <algorithm>

namespace simapp {

LiveAudio::~LiveAudio() {
    if (device_ != 0) {
        SDL_CloseAudioDevice(device_);
    }
}

bool LiveAudio::Open() {
    SDL_AudioSpec want{};
    want.freq = 48000;
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = 1024;
    // No callback: sounds are queued whole, as PlaySoundA hands them over.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &spec_, SDL_AUDIO_ALLOW_ANY_CHANGE);
    if (device_ == 0) {
        return false;
    }
    SDL_PauseAudioDevice(device_, 0);
    return true;
}

void LiveAudio::Play(const std::uint8_t* wave, std::size_t bytes) {
    QueuedSound sound;
    sound.wave = wave;
    sound.waveBytes = bytes;
    if (device_ != 0) {
        SDL_ClearQueuedAudio(device_);
    }
    SDL_AudioSpec file{};
    std::uint8_t* samples = nullptr;
    std::uint32_t length = 0;
    // SDL reads the RIFF header (16-bit PCM, 32-bit float and the rest of
    // what PlaySoundA plays) and converts the whole sound at once to the
    // device's rate, format and channels, to its last sample.
    if (device_ != 0 && wave != nullptr && bytes <= 0x7FFFFFFF &&
        SDL_LoadWAV_RW(SDL_RWFromConstMem(wave, static_cast<int>(bytes)), 1, &file, &samples,
                       &length) != nullptr) {
        SDL_AudioCVT cvt;
        if (SDL_BuildAudioCVT(&cvt, file.format, file.channels, file.freq, spec_.format,
                              spec_.channels, spec_.freq) >= 0) {
            std::vector<std::uint8_t> buffer(static_cast<std::size_t>(length) *
                                             static_cast<std::size_t>(std::max(1, cvt.len_mult)));
            std::copy_n(samples, length, buffer.begin());
            cvt.buf = buffer.data();
            cvt.len = static_cast<int>(length);
            if (SDL_ConvertAudio(&cvt) == 0 && cvt.len_cvt > 0 &&
                SDL_QueueAudio(device_, buffer.data(), static_cast<std::uint32_t>(cvt.len_cvt)) ==
                    0) {
                sound.queuedBytes = static_cast<std::uint32_t>(cvt.len_cvt);
                const double frameBytes =
                    static_cast<double>(SDL_AUDIO_BITSIZE(spec_.format) / 8 * spec_.channels);
                sound.queuedMs = cvt.len_cvt / frameBytes * 1000.0 / spec_.freq;
            }
        }
        SDL_FreeWAV(samples);
    }
    queued_.push_back(sound);
}

void LiveAudio::Stop() {
    ++stops_;
    if (device_ != 0) {
        SDL_ClearQueuedAudio(device_);
    }
}

} // namespace simapp
