#include "sim/app/live_audio.h"

#include <SDL2/SDL.h>

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
    // what PlaySoundA plays) and the stream converts to the device's rate,
    // format and channels.
    if (device_ != 0 && wave != nullptr && bytes <= 0x7FFFFFFF &&
        SDL_LoadWAV_RW(SDL_RWFromConstMem(wave, static_cast<int>(bytes)), 1, &file, &samples,
                       &length) != nullptr) {
        SDL_AudioStream* stream = SDL_NewAudioStream(file.format, file.channels, file.freq,
                                                     spec_.format, spec_.channels, spec_.freq);
        if (stream != nullptr &&
            SDL_AudioStreamPut(stream, samples, static_cast<int>(length)) == 0 &&
            SDL_AudioStreamFlush(stream) == 0) {
            std::vector<std::uint8_t> converted(
                static_cast<std::size_t>(SDL_AudioStreamAvailable(stream)));
            const int got =
                SDL_AudioStreamGet(stream, converted.data(), static_cast<int>(converted.size()));
            if (got > 0 &&
                SDL_QueueAudio(device_, converted.data(), static_cast<std::uint32_t>(got)) == 0) {
                sound.queuedBytes = static_cast<std::uint32_t>(got);
                const double frameBytes =
                    static_cast<double>(SDL_AUDIO_BITSIZE(spec_.format) / 8 * spec_.channels);
                sound.queuedMs = got / frameBytes * 1000.0 / spec_.freq;
            }
        }
        SDL_FreeAudioStream(stream);
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
