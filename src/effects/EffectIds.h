#pragma once
// Effect numbers carried in EffectParams::effectId, and the texts the engine shows for them.
#include <cstdint>

namespace tarkel::effect {

inline constexpr uint32_t kHall = 0;
inline constexpr uint32_t kEcho = 1;
inline constexpr uint32_t kRobotize = 2;
inline constexpr uint32_t kHighPass = 3;
inline constexpr uint32_t kLowPass = 4;
inline constexpr uint32_t kBandPass = 5;
inline constexpr uint32_t kNoiseGate = 6;
inline constexpr uint32_t kBoostLong = 7;
inline constexpr uint32_t kBoostShort = 8;
inline constexpr uint32_t kCrossover = 10;
// Written into effectId by the engine while a level ramp runs; never a valid request.
inline constexpr uint32_t kRampRising = 11;
inline constexpr uint32_t kRampFalling = 12;
inline constexpr uint32_t kFade = 13;
inline constexpr uint32_t kToneSynthesis = 14;
inline constexpr uint32_t kVibrato = 15;
inline constexpr uint32_t kReverse = 16;
inline constexpr uint32_t kClipCrossfade = 17;
inline constexpr uint32_t kAmiga = 18;
inline constexpr uint32_t kNormalize = 19;
inline constexpr uint32_t kAmplitude = 20;
inline constexpr uint32_t kVibverb = 21;
inline constexpr uint32_t kDigitalDelay = 22;
inline constexpr uint32_t kMetal = 23;
inline constexpr uint32_t kTube = 24;
inline constexpr uint32_t kDtmf = 25;
inline constexpr uint32_t kFusion = 26;
inline constexpr uint32_t kDcOffset = 27;
inline constexpr uint32_t kNumericalFilter = 28;
inline constexpr uint32_t kEqualizer = 29;

// Progress window captions.
inline constexpr const char* kApplyingToolCaption = "Applying tool...";
inline constexpr const char* kEnvelopeCaption = "Envelope...";
inline constexpr const char* kReverseCaption = "Revers...";
inline constexpr const char* kAmigaCaption = "Amiga-PC-converting...";
inline constexpr const char* kNormalizeCaption = "Normalizing...";
inline constexpr const char* kSwapCaption = "Channel swap...";
inline constexpr const char* kMatchCaption = "Equalizing channels...";
inline constexpr const char* kCrossoverCaption = "Channel crossover...";
inline constexpr const char* kFusionCaption = "Crossfade/cut..";
inline constexpr const char* kDtmfCaption = "DTMF-synthesis...";
inline constexpr const char* kFilterCaption = "Filter...";
inline constexpr const char* kEqualizerCaption = "Equalizer...";

}  // namespace tarkel::effect
