// The catalogue of effect dialogs. Each dialog's parameters are listed in preset order (the order
// of the values in its preset file); controls that presets do not keep come last. Initial values
// are trackbar positions for the trackbar parameters: a position outside the trackbar's range is
// pulled to its nearest end, which is how Hall's SpaceDensity opens at 0.
#include "dialogs/DialogCatalogue.h"

#include <algorithm>
#include <array>

#include "effects/EffectIds.h"

namespace tarkel {
namespace {

constexpr SliderMapping Scale(int32_t step) { return {0, step, 1, 0}; }

// A percentage 0..100 on a trackbar -10..0 (value -10p), and 0..200 on -20..0.
constexpr ParamDecl Percent(const char* label, int32_t initialPosition, RecordSlot slot, int edit, int trackbar,
                            int32_t max = 100) {
  return {.label = label, .kind = ParamKind::Slider, .min = 0, .max = max, .positionMin = -max / 10,
          .positionMax = 0, .map = Scale(10), .initial = initialPosition, .slot = slot, .editId = edit,
          .trackbarId = trackbar, .topLabel = max == 100 ? "100%" : "200%", .bottomLabel = "0%"};
}

constexpr ParamDecl Slider(const char* label, int32_t min, int32_t max, int32_t positionMin, int32_t positionMax,
                           SliderMapping map, int32_t initialPosition, RecordSlot slot, int edit, int trackbar,
                           RecordScale scale = {}) {
  return {.label = label, .kind = ParamKind::Slider, .min = min, .max = max, .positionMin = positionMin,
          .positionMax = positionMax, .map = map, .initial = initialPosition, .slot = slot, .scale = scale,
          .editId = edit, .trackbarId = trackbar};
}

// Edit ids and trackbar ids of the templates, in the order the dialogs use them.
constexpr int kEdit1 = 1108, kBar1 = 1063;
constexpr int kEdit2 = 1107, kBar2 = 1065;
constexpr int kEdit3 = 1109, kBar3 = 1083;
constexpr int kEdit4 = 1110, kBar4 = 1082;
constexpr int kEdit5 = 1113, kBar5 = 1084;
constexpr int kCheckId = 1100;

using S = RecordSlot;

constexpr ParamDecl kEcho[] = {
    Slider("Number", 1, 18, -18, -1, Scale(1), -2, S::P1, kEdit1, kBar1),
    Slider("Distance", 100, 1000, -10, -1, Scale(100), -7, S::P2, kEdit2, kBar2),
};
constexpr ParamDecl kHall[] = {
    Slider("Re-Hall", 1, 8, -8, -1, Scale(1), -2, S::P1, kEdit1, kBar1),
    [] {
      ParamDecl p = Slider("SpaceDensity", 0, 100, -15, -6, {6, 100, 9, 0}, -6, S::P2, kEdit2, kBar2, {9, 100, 6});
      p.topLabel = "100%";
      p.bottomLabel = "0%";
      return p;
    }(),
};
constexpr ParamDecl kVibverb[] = {
    Slider("Change", 1, 100, -7, -2, {2, 20, 1, 0}, -3, S::P1, kEdit1, kBar1, {50, 100, 20}),
    Slider("Distance", 1, 100, -11, -6, {6, 20, 1, 0}, -6, S::P2, kEdit2, kBar2, {50, 100, 60}),
};
constexpr ParamDecl kRobot[] = {
    Slider("Voicepitch", 1, 20, -10, -1, Scale(2), -2, S::P1, kEdit1, kBar1),
    Slider("Distortion", 0, 100, -15, 0, {0, 100, 15, 0}, -4, S::P2, kEdit2, kBar2, {15, 100, 0}),
    Slider("Pitch", 0, 100, -5, 5, {0, 10, 1, 50}, 1, S::P3, kEdit3, kBar3, {1, 1, -50}),
};
constexpr ParamDecl kMetal[] = {
    Slider("BlockLength", 1, 100, -7, -2, {2, 20, 1, 0}, -4, S::P1, kEdit1, kBar1, {50, 100, 20}),
    Slider("Vibration", 1, 100, -11, -6, {6, 20, 1, 0}, -8, S::P2, kEdit2, kBar2, {50, 100, 60}),
    Slider("Distortion", 1, 5, -5, -1, Scale(1), -4, S::P3, kEdit3, kBar3),
};
constexpr ParamDecl kTube[] = {
    Slider("Pitch", 1, 3, -3, -1, Scale(1), -2, S::P1, kEdit1, kBar1),
    Slider("Tubediam.", 0, 100, -10, -1, {1, 100, 9, 0}, -1, S::P2, kEdit2, kBar2, {900, 100, 100}),
    Slider("Length", 200, 1000, -10, -2, Scale(100), -8, S::P3, kEdit3, kBar3),
};
constexpr ParamDecl kVibrato[] = {
    Slider("Number", 1, 40, -20, -1, Scale(2), -2, S::P1, kEdit1, kBar1),
    Slider("Length", 1, 2000, -20, -1, Scale(100), -10, S::P2, kEdit2, kBar2),
    Percent("Amp.-Start", -1, S::P3, kEdit3, kBar3),
    Percent("Amp.-End", -10, S::P4, kEdit4, kBar4),
};
constexpr ParamDecl kDigitalDelay[] = {
    Slider("Delay (ms)", 0, 1000, -10, 0, Scale(100), -1, S::P1, kEdit1, kBar1),
};
constexpr ParamDecl kFade[] = {
    Percent("Start", -1, S::P1, kEdit1, kBar1),
    Percent("End", -9, S::P2, kEdit2, kBar2),
};
constexpr ParamDecl kFusion[] = {
    Percent("L-half", -10, S::P1, kEdit1, kBar1),
    Percent("R-half", -10, S::P2, kEdit2, kBar2),
};
constexpr ParamDecl kChannelCrossfade[] = {
    Percent("L-Channel", -1, S::P1, kEdit1, kBar1),
    Percent("R-Channel", -9, S::P2, kEdit2, kBar2),
    {.label = "#-of Swaps", .kind = ParamKind::SliderOnly, .min = 1, .max = 10, .positionMin = -10,
     .positionMax = -1, .map = Scale(1), .initial = -2, .slot = S::P3, .trackbarId = kBar3},
    // The check box reaches the crossfade as its "swap after the range" value.
    {.label = "Swap Channels up to end of sample", .kind = ParamKind::Check, .max = 1, .slot = S::P4,
     .editId = kCheckId},
};
constexpr ParamDecl kClipCrossfade[] = {
    Percent("Sample", -1, S::P1, kEdit1, kBar1),
    Percent("Clipboard", -9, S::P2, kEdit2, kBar2),
    {.label = "Use on selected area only", .kind = ParamKind::Check, .max = 1, .slot = S::P3, .editId = kCheckId},
};

constexpr const char* kBlockLengths[] = {"512", "1024", "2048", "4096", "8192", "16384"};
constexpr const char* kFilterModes[] = {"Gaussche Gewichtung", "Bandpass", "Bandstop"};
// Band stop is the band design with the user's two gains (a low gain inside, a high one outside).
constexpr int32_t kFilterModeDesigns[] = {0, 1, 1};
constexpr ParamDecl kFilter[] = {
    Slider("Lower Frequency", 0, 30000, -20, 0, Scale(1500), -1, S::P1, kEdit1, kBar1),
    Slider("Upper Frequency", 0, 30000, -20, 0, Scale(1500), -2, S::P2, kEdit2, kBar2),
    Percent("Amplitude in filterarea", -10, S::P3, kEdit3, kBar3, 200),
    Percent("Ampl. outside filterarea", -10, S::P4, kEdit4, kBar4, 200),
    {.label = "FFT-Block-length", .kind = ParamKind::Choice, .min = 512, .max = 16384, .initial = 8192,
     .slot = S::P5, .editId = 1120, .entries = kBlockLengths, .numericEntries = true},
    {.label = "Mode", .kind = ParamKind::Choice, .min = 0, .max = 2, .initial = 1, .slot = S::P6, .editId = 1119,
     .entries = kFilterModes, .entryRecordValues = kFilterModeDesigns},
};
constexpr ParamDecl kEqualizer[] = {
    Percent("500Hz", -10, S::Real1, kEdit1, kBar1, 200), Percent("1kHz", -10, S::Real2, kEdit2, kBar2, 200),
    Percent("2kHz", -10, S::Real3, kEdit3, kBar3, 200),  Percent("4kHz", -10, S::Real4, kEdit4, kBar4, 200),
    Percent("8kHz", -10, S::Real5, kEdit5, kBar5, 200),
};
constexpr const char* kWaveforms[] = {"&Sinus", "&Saw", "&Triangle", "&Square", "White &Noise"};
constexpr ParamDecl kToneSynthesis[] = {
    {.label = "x10", .kind = ParamKind::SliderOnly, .min = 0, .max = 90, .positionMin = -9, .positionMax = 0,
     .map = Scale(10), .initial = -1, .slot = S::P1, .trackbarId = kBar1},
    {.label = "x1", .kind = ParamKind::SliderOnly, .min = 0, .max = 10, .positionMin = -10, .positionMax = 0,
     .map = Scale(1), .initial = -7, .slot = S::P2, .trackbarId = kBar2},
    {.label = "Waveform", .kind = ParamKind::Radio, .min = 0, .max = 4, .initial = 0, .slot = S::P3, .editId = 1085,
     .entries = kWaveforms},
    {.label = "Frequency (Hz)", .kind = ParamKind::Frequency, .initial = 1000, .slot = S::P4, .editId = 1092},
};
constexpr ParamDecl kDtmf[] = {
    {.label = "x10", .kind = ParamKind::SliderOnly, .min = 0, .max = 10, .positionMin = -10, .positionMax = 0,
     .map = Scale(1), .initial = -1, .slot = S::P1, .trackbarId = kBar1},
    {.label = "Dial-String", .kind = ParamKind::DialString, .editId = 1103},
};
constexpr ParamDecl kVolume[] = {
    Percent("Amplitude", -10, S::P1, kEdit1, kBar1, 200),
};
constexpr ParamDecl kDcOffset[] = {
    {.label = "New Offset:", .kind = ParamKind::SampleOffset, .min = -32768, .max = 32767, .initial = 0,
     .slot = S::P1, .editId = 1104},
};
constexpr const char* kRates[] = {"8000", "11025", "22050", "33000", "44100"};
constexpr ParamDecl kSampleSpeed[] = {
    {.label = "Sample Speed/Rate", .kind = ParamKind::SampleRate, .min = 1, .max = INT32_MAX, .editId = 1123,
     .entries = kRates, .numericEntries = true},
};

using Op = DialogOperation;
namespace e = effect;

constexpr DialogDecl kDialogs[] = {
    {cmd::kEcho, 151, "Echo...", "Echo.par", "echo", e::kEcho, Op::Effect, kEcho},
    {cmd::kHall, 150, "Hall...", "Hall.par", "hall", e::kHall, Op::Effect, kHall},
    {cmd::kVibverb, 275, "Vibverb...", "Reverb.par", "vibverb", e::kVibverb, Op::Effect, kVibverb},
    {cmd::kRobotize, 152, "Robot...", "Robo.par", "robotize", e::kRobotize, Op::Effect, kRobot},
    {cmd::kMetal, 276, "Metallic", "Mech.par", "metal", e::kMetal, Op::Effect, kMetal},
    {cmd::kTube, 277, "Tube...", "Tube.par", "tube", e::kTube, Op::Effect, kTube},
    {cmd::kVibrato, 266, "Vibrato...", "Vibrato.par", "vibrato", e::kVibrato, Op::Effect, kVibrato},
    {cmd::kDigitalDelay, 278, "Digital delay...", "Digit.par", "digidelay", e::kDigitalDelay, Op::Effect,
     kDigitalDelay},
    {cmd::kFade, 273, "Fade In and/or Out", "FadeInOut.par", "fade", e::kFade, Op::Effect, kFade},
    {cmd::kFusion, 281, "Crossfade Selected Area", "CrossFade.par", "fusion", e::kFusion, Op::Effect, kFusion},
    {cmd::kChannelCrossfade, 269, "Crossfade channels either-way into one another", "ChCross.par", "chcross",
     e::kCrossover, Op::Effect, kChannelCrossfade},
    {cmd::kClipCrossfade, 282, "Crossfade/Mix Clipboard to Sample", "ClipCross.par", "crossfade",
     e::kClipCrossfade, Op::ClipCrossfade, kClipCrossfade},
    {cmd::kNumericalFilter, 287, "Filter", "Filter.par", "filter", e::kNumericalFilter, Op::Effect, kFilter},
    {cmd::kEqualizer, 290, "Equalizer", "FilterEq.par", "equalizer", e::kEqualizer, Op::Effect, kEqualizer},
    {cmd::kToneSynthesis, 267, "Tone-Synthesis", "Synthese.par", "synth", e::kToneSynthesis, Op::Effect,
     kToneSynthesis, "Amplitude 0 - 100 %"},
    {cmd::kDtmf, 280, "DTMF-Synthesis...", "DTMF.par", "dtmf", e::kDtmf, Op::Effect, kDtmf, "Amplitude"},
    {cmd::kVolume, 274, "Change Volume/Amplitude", "VolumeSet.par", "volume", e::kAmplitude, Op::Effect, kVolume},
    {cmd::kDcOffset, 284, "Offset...", "Offset.par", "offset", e::kDcOffset, Op::Effect, kDcOffset},
    {cmd::kSampleSpeed, 260, "Sample Speed/Rate", nullptr, "speed", 0, Op::SampleSpeed, kSampleSpeed},
};

// Names the command line already gives some of these effects.
struct Alias {
  std::string_view alias;
  std::string_view name;
};
constexpr Alias kAliases[] = {{"delay", "digidelay"}, {"crossover", "chcross"}, {"amplitude", "volume"}};

constexpr int kCommands[] = {
    cmd::kEcho,           cmd::kHall,          cmd::kVibverb,  cmd::kRobotize,        cmd::kMetal,
    cmd::kTube,           cmd::kVibrato,       cmd::kDigitalDelay, cmd::kFade,        cmd::kFusion,
    cmd::kChannelCrossfade, cmd::kClipCrossfade, cmd::kNumericalFilter, cmd::kEqualizer, cmd::kToneSynthesis,
    cmd::kDtmf,           cmd::kVolume,        cmd::kDcOffset, cmd::kSampleSpeed,     cmd::kGraphicEnvelope,
    cmd::kGraphicFilter,
};

}  // namespace

int32_t SliderMapping::ValueAt(int32_t position) const {
  return int32_t((int64_t(-position) - offset) * mul / div + base);
}

int32_t SliderMapping::PositionOf(int32_t value) const {
  return int32_t(-((int64_t(value) - base) * div / mul) - offset);
}

uint32_t DialogDecl::PresetValueCount() const {
  return uint32_t(std::count_if(params.begin(), params.end(), [](const ParamDecl& p) { return p.InPresets(); }));
}

FilterModeLabels LabelsForFilterMode(int32_t mode) {
  if (mode == 0) return {"Filter at limiting-area", "[n/a]", false};
  return {"Amplitude at filterarea", "Amplitude outside filterarea", true};
}

std::span<const DialogDecl> AllDialogs() { return kDialogs; }

const DialogDecl* FindDialogByCommand(int command) {
  for (const DialogDecl& d : kDialogs)
    if (d.command == command) return &d;
  return nullptr;
}

const DialogDecl* FindDialogByName(std::string_view name) {
  for (const Alias& a : kAliases)
    if (a.alias == name) name = a.name;
  for (const DialogDecl& d : kDialogs)
    if (d.presetFile && name == d.name) return &d;
  return nullptr;
}

bool NeedsSixteenBitRange(int command) {
  return command == cmd::kToneSynthesis || command == cmd::kDtmf || command == cmd::kNumericalFilter ||
         command == cmd::kEqualizer || command == cmd::kGraphicFilter;
}

std::span<const int> EffectDialogCommands() { return kCommands; }

}  // namespace tarkel
