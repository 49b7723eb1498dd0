#pragma once
// The effect dialogs as data: one declaration per dialog (its command, title, preset file, effect
// and parameters) in one table. CEffectDialog builds its controls from a declaration; the command
// line reads the same declarations to apply, list and save presets.
#include <cstdint>
#include <span>
#include <string_view>

namespace tarkel {

// Command ids of the dialogs (menu commands of the waveform view).
namespace cmd {
inline constexpr int kEcho = 32845;
inline constexpr int kHall = 32849;
inline constexpr int kVibverb = 32929;
inline constexpr int kRobotize = 32850;
inline constexpr int kMetal = 32958;
inline constexpr int kTube = 32959;
inline constexpr int kVibrato = 32882;
inline constexpr int kDigitalDelay = 32931;
inline constexpr int kFade = 32927;
inline constexpr int kFusion = 32962;
inline constexpr int kChannelCrossfade = 32875;
inline constexpr int kClipCrossfade = 32839;
inline constexpr int kNumericalFilter = 32978;
inline constexpr int kEqualizer = 32991;
inline constexpr int kToneSynthesis = 32887;
inline constexpr int kDtmf = 32967;
inline constexpr int kVolume = 32869;
inline constexpr int kDcOffset = 32968;
inline constexpr int kGraphicEnvelope = 32974;
inline constexpr int kGraphicFilter = 32979;
inline constexpr int kSampleSpeed = 32871;
}  // namespace cmd

// How a trackbar position p stands for a value: value = (-p - offset) * mul / div + base, and
// back: p = -((value - base) * div / mul) - offset (integer arithmetic, truncating).
struct SliderMapping {
  int32_t offset = 0;
  int32_t mul = 1;
  int32_t div = 1;
  int32_t base = 0;

  int32_t ValueAt(int32_t position) const;
  int32_t PositionOf(int32_t value) const;
};

// Where a parameter's value goes in the effect record.
enum class RecordSlot : uint8_t { None, P1, P2, P3, P4, P5, P6, Real1, Real2, Real3, Real4, Real5 };

// The value reaching the record: value * mul / div + add.
struct RecordScale {
  int32_t mul = 1;
  int32_t div = 1;
  int32_t add = 0;
};

enum class ParamKind : uint8_t {
  Slider,        // an integer edit bound to a vertical trackbar; presets hold the value
  SliderOnly,    // a trackbar without an edit; presets hold the raw position, the record -p scaled
  Choice,        // a drop-down list; presets hold the entry's number (numeric texts) or its index
  Radio,         // radio buttons; presets and the record hold the index
  Frequency,     // a decimal edit in hertz; presets hold the float's bit pattern, the record 1/100 Hz
  SampleOffset,  // an integer edit validated by the sample width; no trackbar
  Check,         // a check box, not part of the presets
  DialString,    // the DTMF digits, not part of the presets
  SampleRate,    // the editable rate combo of the speed dialog, no presets
};

struct ParamDecl {
  const char* label;
  ParamKind kind;
  int32_t min = 0;  // the value range: the clamp when an edit loses focus
  int32_t max = 0;
  int32_t positionMin = 0;  // the trackbar range
  int32_t positionMax = 0;
  SliderMapping map{};
  // Initial trackbar position (Slider, SliderOnly), or initial value or entry index.
  int32_t initial = 0;
  RecordSlot slot = RecordSlot::None;
  RecordScale scale{};
  int editId = 0;
  int trackbarId = 0;
  // Choice and Radio entries; a Choice whose entries are numbers stores the number.
  std::span<const char* const> entries{};
  bool numericEntries = false;
  // Choice: the record value of each entry index, when it is not the index itself.
  std::span<const int32_t> entryRecordValues{};
  const char* topLabel = nullptr;  // slider end labels
  const char* bottomLabel = nullptr;

  bool InPresets() const { return kind != ParamKind::Check && kind != ParamKind::DialString && kind != ParamKind::SampleRate; }
  bool HasTrackbar() const { return kind == ParamKind::Slider || kind == ParamKind::SliderOnly; }
};

// What OK does after the dialog.
enum class DialogOperation : uint8_t {
  Effect,          // the document's apply-effect operation (and the dedicated drivers of the table)
  ClipCrossfade,   // crossfade the clipboard into the sample
  SampleSpeed,     // change the sample rate
};

struct DialogDecl {
  int command;
  int templateId;
  const char* title;
  const char* presetFile;  // null: no presets
  const char* name;        // the command-line name
  uint32_t effectId;
  DialogOperation operation;
  std::span<const ParamDecl> params;  // in preset order; the ones not in presets last
  const char* sliderCaption = nullptr;  // a caption over the trackbars, where the template has one

  // Values held in a preset (the params in presets).
  uint32_t PresetValueCount() const;
};

// The numerical filter's mode list switches its labels (ids 1121, 1122) and whether the "outside"
// gain can be set: the Gaussian weight (mode 0) has no outside gain.
struct FilterModeLabels {
  const char* inside;
  const char* outside;
  bool outsideEnabled;
};
FilterModeLabels LabelsForFilterMode(int32_t mode);

std::span<const DialogDecl> AllDialogs();
const DialogDecl* FindDialogByCommand(int command);
// By command-line name ("echo", "crossfade", ...) or by one of the effect names the command line
// also knows the effect by ("delay", "crossover", "amplitude").
const DialogDecl* FindDialogByName(std::string_view name);

// Whether a command's dialog works only on a selected range of a sound with 16-bit samples (tone
// and DTMF synthesis, the numerical and graphical filters, the equalizer); the menu disables it
// otherwise.
bool NeedsSixteenBitRange(int command);

// The dialog command ids RunEffectDialog handles (the slider dialogs and the two curve editors).
std::span<const int> EffectDialogCommands();

}  // namespace tarkel
