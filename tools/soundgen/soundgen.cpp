// soundgen <outdir>: synthesizes the module's three WAVE resources.
//
//   spool_orca.wav   (106)  spool-up into the boost whine, profile 0
//   blowoff.wav      (107)  blow-off hiss when the boost ends
//   spool_lumen.wav  (108)  spool-up into the boost whine, profile 1
//
// Everything is computed from fixed seeds with our own math (dsp.h), so the
// build produces identical files on every run and machine.

#include "dsp.h"
#include "wav_writer.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace soundgen {
namespace {

// ---------------------------------------------------------------- levels

double Rms(const StereoBuffer& b, std::size_t firstFrame, std::size_t endFrame) {
    double sum = 0.0;
    for (std::size_t i = firstFrame * 2; i < endFrame * 2; ++i) {
        sum += b.samples[i] * b.samples[i];
    }
    const auto n = static_cast<double>((endFrame - firstFrame) * 2);
    return n > 0.0 ? std::sqrt(sum / n) : 0.0;
}

double Peak(const StereoBuffer& b) {
    double peak = 0.0;
    for (const double s : b.samples) {
        peak = std::max(peak, std::fabs(s));
    }
    return peak;
}

void Scale(StereoBuffer& b, double gain) {
    for (double& s : b.samples) {
        s *= gain;
    }
}

// Rounds off the peaks above a soft knee, then scales so the loudest sample is
// exactly `peak`.
void LimitAndNormalize(StereoBuffer& b, double peak) {
    const double knee = 0.75 * peak;
    const double room = peak - knee;
    for (double& s : b.samples) {
        const double m = std::fabs(s);
        if (m > knee) {
            const double limited = knee + room * Tanh((m - knee) / room);
            s = s < 0.0 ? -limited : limited;
        }
    }
    Scale(b, peak / Peak(b));
}

// Brings the reference section to `referenceDb` RMS with the loudest sample
// at exactly `peak`. Normalizing the peak alone would let one unlucky noise
// sample set the level; instead the few peaks above a soft knee are rounded
// off, and the drive into that knee is searched until the reference lands on
// its level (more drive means more rounding and so a louder body).
StereoBuffer SetLevels(const StereoBuffer& raw, std::size_t refFirst, std::size_t refEnd,
                       double referenceDb, double peak) {
    const double target = DbToGain(referenceDb);
    double drive = target / Rms(raw, refFirst, refEnd);
    StereoBuffer out;
    for (int pass = 0; pass < 12; ++pass) {
        out = raw;
        Scale(out, drive);
        LimitAndNormalize(out, peak);
        const double ratio = target / Rms(out, refFirst, refEnd);
        if (std::fabs(ratio - 1.0) < 0.002) {
            break;
        }
        drive *= ratio;
    }
    return out;
}

// ---------------------------------------------------------------- spool-up

struct SpoolVoice {
    std::uint32_t sampleRate;
    std::size_t frames;
    double spoolSeconds;
    std::uint64_t seed;
    double pitchIdleHz; // whine at the start of the spool
    double pitchFullHz; // whine once spooled
    double overshoot;   // how far the spool overruns before settling, 0..1
    std::array<double, 5> harmonics;
    double chorusDetune; // relative, between the two side oscillators
    double flutterHz;
    double flutterDepth; // relative pitch wobble
    double airIdleHz;    // centre of the air noise band, follows the spool
    double airFullHz;
    double airQ;
    double airLevel;
    double hissLevel; // broadband part above the air band
    double idleGain;  // level at the start of the spool relative to full boost
    double surge;     // extra level while the spool overruns, relative
    double bodyDb;
    double peak;
    double fadeDb; // level reached by the end of the closing second, near silence
};

// Spool position 0..1 (may overrun slightly): turbo lag at first, then a
// quick rise that overruns and settles as the wastegate takes over.
double SpoolCurve(const SpoolVoice& v, double t) {
    if (t < v.spoolSeconds) {
        const double p = t / v.spoolSeconds;
        // Slower than smoothstep at the start: the lag before the shaft catches.
        return SmoothStep(p) * (0.55 + 0.45 * p);
    }
    const double after = t - v.spoolSeconds;
    return 1.0 + v.overshoot * Exp(-after / 0.35) * SinTurns(after * 1.4);
}

// The last few milliseconds down to silence, so no sound ends on a click.
double EndTaper(double t, double length) {
    const double toEnd = length - t;
    return toEnd < 0.012 ? SmoothStep(toEnd / 0.012) : 1.0;
}

// Gain over time: a short fade-in, full level, then a fade of `fadeDb` over
// the last second that is linear in decibels, which the ear hears as an even
// fade; the end taper takes the last few milliseconds from there to zero.
double Envelope(double t, double length, double fadeDb) {
    double g = SmoothStep(t / 0.03) * EndTaper(t, length);
    const double fadeStart = length - 1.0;
    if (t > fadeStart) {
        g *= DbToGain(fadeDb * (t - fadeStart));
    }
    return g;
}

// A smooth bump around the moment the spool completes: the whine is loudest
// as the shaft overruns, before the wastegate reins it in.
double Surge(double sinceSpooled) {
    const double x = (sinceSpooled - 0.08) / 0.22;
    return Exp(-x * x);
}

// Compressor whine: a harmonic series on one phase. Cosine phase lines the
// partials up into a pressure pulse per blade pass, which gives the whine its
// edge; partials near Nyquist are faded out instead of aliasing.
double Whine(const std::array<double, 5>& harmonics, double phase, double hz, double rate) {
    double sum = 0.0;
    for (std::size_t k = 0; k < harmonics.size(); ++k) {
        const double n = static_cast<double>(k + 1);
        const double band = 1.0 - SmoothStep((n * hz / rate - 0.38) / 0.07);
        sum += harmonics[k] * band * SinTurns(n * phase + 0.25);
    }
    return sum;
}

// Relative pitch deviation: a steady wobble plus slow random drift, so the
// whine breathes like a real shaft rather than a test tone.
double Flutter(const SpoolVoice& v, double t, double drift) {
    return v.flutterDepth * (0.6 * SinTurns(v.flutterHz * t) + 0.8 * drift);
}

StereoBuffer SynthesizeSpool(const SpoolVoice& v) {
    const double rate = v.sampleRate;
    const double length = static_cast<double>(v.frames) / rate;
    StereoBuffer out;
    out.samples.resize(v.frames * 2);

    Rng noiseL(v.seed);
    Rng noiseR(v.seed ^ 0x5DEECE66Dull);
    Drift pitchDrift(v.seed + 1, 3.0, rate);
    Drift ampDrift(v.seed + 2, 5.0, rate);
    BandPass airL(v.airQ, rate);
    BandPass airR(v.airQ, rate);
    OnePole hissL(3000.0, rate);
    OnePole hissR(3000.0, rate);

    double phase = 0.0;
    double phaseL = 0.0;
    double phaseR = 0.25;
    for (std::size_t i = 0; i < v.frames; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double spool = SpoolCurve(v, t);
        const double hz = (v.pitchIdleHz + (v.pitchFullHz - v.pitchIdleHz) * spool) *
                          (1.0 + Flutter(v, t, pitchDrift.Next()));
        phase += hz / rate;
        phaseL += hz * (1.0 + v.chorusDetune) / rate;
        phaseR += hz * (1.0 - v.chorusDetune) / rate;
        phase -= std::floor(phase);
        phaseL -= std::floor(phaseL);
        phaseR -= std::floor(phaseR);

        const double centre = v.airIdleHz + (v.airFullHz - v.airIdleHz) * spool;
        const double airGain = v.airLevel * (0.5 + 0.5 * spool);
        const double core = Whine(v.harmonics, phase, hz, rate);
        const double left = core + 0.35 * Whine(v.harmonics, phaseL, hz, rate) +
                            airGain * airL.Process(noiseL.Noise(), centre) +
                            v.hissLevel * hissL.HighPass(noiseL.Noise());
        const double right = core + 0.35 * Whine(v.harmonics, phaseR, hz, rate) +
                             airGain * airR.Process(noiseR.Noise(), centre) +
                             v.hissLevel * hissR.HighPass(noiseR.Noise());

        const double level = (v.idleGain + (1.0 - v.idleGain) * std::min(spool, 1.0)) *
                             (1.0 + v.surge * Surge(t - v.spoolSeconds)) *
                             (1.0 + 0.15 * ampDrift.Next()) * Envelope(t, length, v.fadeDb);
        out.samples[2 * i] = left * level;
        out.samples[2 * i + 1] = right * level;
    }

    // Reference: the settled boost, between the spool and the closing second.
    const auto refFirst = static_cast<std::size_t>((v.spoolSeconds + 0.5) * rate);
    const auto refEnd = static_cast<std::size_t>((length - 1.0) * rate);
    return SetLevels(out, refFirst, refEnd, v.bodyDb, v.peak);
}

// Profile 0: a big, deep turbo that takes its time.
const SpoolVoice kOrca{
    .sampleRate = 44100,
    .frames = 626688, // 14.211 s: 2000 ms spool, up to 10500 ms boost, 1.711 s tail
    .spoolSeconds = 2.0,
    .seed = 0x0C0A106ull,
    .pitchIdleHz = 240.0,
    .pitchFullHz = 1650.0,
    .overshoot = 0.04,
    .harmonics = {1.0, 0.6, 0.4, 0.25, 0.15},
    .chorusDetune = 0.004,
    .flutterHz = 6.5,
    .flutterDepth = 0.006,
    .airIdleHz = 700.0,
    .airFullHz = 2600.0,
    .airQ = 1.2,
    .airLevel = 0.35,
    .hissLevel = 0.10,
    .idleGain = 0.45,
    .surge = 0.4,
    .bodyDb = -18.0,
    .peak = 0.47,
    .fadeDb = -48.0,
};

// Profile 1: a small, eager turbo, higher and brighter.
const SpoolVoice kLumen{
    .sampleRate = 48000,
    .frames = 315381, // 6.570 s: 1250 ms spool, 4500 ms boost, 0.820 s tail
    .spoolSeconds = 1.25,
    .seed = 0x1A108ull,
    .pitchIdleHz = 520.0,
    .pitchFullHz = 3400.0,
    .overshoot = 0.025,
    .harmonics = {1.0, 0.7, 0.6, 0.45, 0.35},
    .chorusDetune = 0.006,
    .flutterHz = 11.0,
    .flutterDepth = 0.004,
    .airIdleHz = 1600.0,
    .airFullHz = 6000.0,
    .airQ = 1.0,
    .airLevel = 0.45,
    .hissLevel = 0.18,
    .idleGain = 0.85,
    .surge = 0.5,
    .bodyDb = -24.0,
    .peak = 0.34,
    .fadeDb = -48.0,
};

// ---------------------------------------------------------------- blow-off

// Valve opening: a few milliseconds to full, a short hold while the charge
// pressure vents, then an exponential die-away.
double BlowOffEnvelope(double t) {
    const double attack = SmoothStep(t / 0.004);
    const double hold = 0.06;
    const double decay = t < hold ? 1.0 : Exp(-(t - hold) / 0.14);
    return attack * decay;
}

StereoBuffer SynthesizeBlowOff() {
    constexpr std::uint32_t kRate = 44100;
    constexpr std::size_t kFrames = 46124; // 1.046 s
    const double rate = kRate;
    const double length = static_cast<double>(kFrames) / rate;
    StereoBuffer out;
    out.samples.resize(kFrames * 2);

    Rng common(0xB10F107ull);
    Rng sideL(0xB10F107ull + 1);
    Rng sideR(0xB10F107ull + 2);
    OnePole rumbleCutL(400.0, rate);
    OnePole rumbleCutR(400.0, rate);
    BandPass hissL(1.8, rate);
    BandPass hissR(1.8, rate);

    for (std::size_t i = 0; i < kFrames; ++i) {
        const double t = static_cast<double>(i) / rate;
        // The jet's pitch sinks as the pressure behind it falls.
        const double centre = 1700.0 + 2800.0 * Exp(-t / 0.12);
        // A shared component keeps the burst centred; the side noise widens it.
        const double c = common.Noise();
        const double nl = 0.7 * c + 0.3 * sideL.Noise();
        const double nr = 0.7 * c + 0.3 * sideR.Noise();
        const double left = rumbleCutL.HighPass(nl) + 0.8 * hissL.Process(nl, centre);
        const double right = rumbleCutR.HighPass(nr) + 0.8 * hissR.Process(nr, centre);
        const double g = BlowOffEnvelope(t) * EndTaper(t, length);
        out.samples[2 * i] = left * g;
        out.samples[2 * i + 1] = right * g;
    }

    return SetLevels(out, 0, static_cast<std::size_t>(0.5 * rate), -19.0, 0.42);
}

// ---------------------------------------------------------------- output

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
    f.close();
    if (!f) {
        std::fprintf(stderr, "soundgen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

} // namespace
} // namespace soundgen

int main(int argc, char** argv) {
    using namespace soundgen;
    if (argc != 2) {
        std::fprintf(stderr, "usage: soundgen <outdir>\n");
        return 2;
    }
    const std::string dir = argv[1];
    const bool ok =
        WriteFile(dir + "/spool_orca.wav",
                  EncodeWave(SynthesizeSpool(kOrca), kOrca.sampleRate, SampleFormat::Pcm16)) &&
        WriteFile(dir + "/blowoff.wav",
                  EncodeWave(SynthesizeBlowOff(), 44100, SampleFormat::Float32)) &&
        WriteFile(dir + "/spool_lumen.wav",
                  EncodeWave(SynthesizeSpool(kLumen), kLumen.sampleRate, SampleFormat::Pcm16));
    return ok ? 0 : 1;
}
