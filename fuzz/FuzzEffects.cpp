// libFuzzer target: effect requests and edit commands on small sounds of every layout the core
// holds (8 and 16 bits, mono and stereo, and formats it keeps without editing their samples).
//
// An input is a sound followed by a few steps, read from its bytes in this order:
//   layout (1 byte), rate (1), frames (2), sample pattern (1) and its seed (1); then up to
//   kMaxSteps steps, each a kind byte and the step's fields.
// A step is an effect request (effect, channel, selection, values, preview or undo), one of the
// operations without a number (invert, swap, match, envelope), an edit command (command,
// channel, selection, arguments) or an undo. Values are mostly drawn inside the effect's bounds
// and sometimes anywhere: a request outside them must be refused with the sound unchanged.
// Lengths are bounded so that one input runs in milliseconds.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "FuzzChecks.h"
#include "sound/Ports.h"
#include "document/CTarkelDoc.h"
#include "document/EditCommands.h"
#include "document/EffectCommands.h"
#include "document/UndoStore.h"
#include "effects/EffectBounds.h"
#include "effects/EffectIds.h"
#include "effects/EffectTable.h"

namespace {

using namespace tarkel;

constexpr size_t kMaxSteps = 6;
constexpr uint32_t kMaxFrames = 128;      // of the sound at the start
constexpr uint32_t kMaxGrowth = 256;      // frames an insert or a new length may add
constexpr uint32_t kMaxSoundBytes = 1u << 20;

struct Layout {
  uint16_t tag, channels, bits;
};
// PCM the editor edits, then formats it holds without editing their samples.
constexpr Layout kLayouts[] = {
    {1, 1, 8}, {1, 2, 8}, {1, 1, 16}, {1, 2, 16}, {1, 2, 24}, {3, 1, 32}, {1, 3, 16}, {6, 1, 8},
};
constexpr uint32_t kRates[] = {8000, 11025, 22050, 44100, 48000, 96000, 1, 100, 1000};

// Reads the input front to back; past its end every read gives 0.
class Input {
 public:
  Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Empty() const { return pos_ >= size_; }
  uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  uint16_t U16() { return uint16_t(Byte() | Byte() << 8); }
  uint32_t U32() { return uint32_t(U16()) | uint32_t(U16()) << 16; }
  template <class T, size_t N>
  const T& Pick(const T (&items)[N]) { return items[Byte() % N]; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

std::vector<uint8_t> Snapshot(const WaveAudio& wave) {
  return wave.Data() ? std::vector<uint8_t>(wave.Data(), wave.Data() + wave.DataSize()) : std::vector<uint8_t>();
}

void MakeSound(Input& in, DocWaveAudio& wave) {
  const Layout& layout = in.Pick(kLayouts);
  const uint32_t rate = in.Pick(kRates);
  const uint32_t frames = in.U16() % (kMaxFrames + 1);
  wave.Format() = WaveFormat::Make(layout.tag, layout.channels, rate, layout.bits);
  wave.RefreshPcmCopy();
  uint8_t* data = wave.AllocateData(frames * wave.BlockAlign());
  // The samples come from a pattern, so that the steps follow at once: a staircase, full scale
  // up and down, silence, or noise from a seed.
  const uint8_t pattern = in.Byte();
  uint32_t noise = in.Byte();
  for (uint32_t i = 0; data && i < wave.DataSize(); ++i) {
    noise = noise * 1103515245u + 12345u;
    switch (pattern % 4) {
      case 0: data[i] = uint8_t(i * 3); break;
      case 1: data[i] = (i / wave.BlockAlign()) % 2 ? 0x7F : 0x80; break;
      case 2: data[i] = wave.SilenceValue(); break;
      default: data[i] = uint8_t(noise >> 16); break;
    }
  }
}

ChannelMode ModeFrom(Input& in) { return ChannelMode(1 + in.Byte() % 4); }

// A frame number around the sound: inside it mostly, now and then one or two past its end.
uint32_t FrameFrom(Input& in, const WaveAudio& wave) { return in.U16() % (wave.Frames() + 3); }

// A value for `bound`: inside it mostly, at or just past an end sometimes, else anything.
int64_t ValueFor(Input& in, const ValueBound* bound) {
  const uint8_t how = in.Byte();
  if (!bound || how >= 240) return int32_t(in.U32());
  if (how >= 200) {
    const int64_t ends[] = {bound->min, bound->max, bound->min - 1, bound->max + 1};
    return ends[how % 4];
  }
  if (bound->powerOfTwo) return bound->min << (in.Byte() % 6);
  return bound->min + int64_t(in.U32() % uint64_t(bound->max - bound->min + 1));
}

EffectRequest TableRequest(Input& in, uint16_t bits) {
  EffectRequest r;
  const std::span<const EffectEntry> all = AllEffects();
  r.entry = &all[in.Byte() % all.size()];
  r.params.effectId = r.entry->id;
  for (const RecordWord word : kAllRecordWords) {
    const ValueBound* bound = FindValueBound(r.entry->id, word, bits);
    if (bound || in.Byte() >= 250) SetRecordValue(r.params, word, double(ValueFor(in, bound)));
  }
  if (r.entry->id == effect::kDtmf) {
    const size_t n = in.Byte() % 24 == 23 ? kMaxDtmfDigits + 1 : in.Byte() % 24;
    for (size_t i = 0; i < n; ++i) r.digits.push_back("0123456789*#ABCDx "[in.Byte() % 18]);
    r.params.param2 = int32_t(r.digits.size());
  }
  return r;
}

EffectRequest OperationRequest(Input& in) {
  EffectRequest r;
  const uint8_t which = in.Byte() % 4;
  r.operation = which == 0 ? EffectOperation::Invert
                : which == 1 ? EffectOperation::Swap
                : which == 2 ? EffectOperation::Match
                             : EffectOperation::Envelope;
  if (r.operation != EffectOperation::Envelope) return r;
  r.envelopeWidth = in.Byte() < 16 ? int32_t(in.U32()) : 1 + in.U16() % 1000;
  const size_t points = in.Byte() % 8;
  for (size_t i = 0; i < points; ++i) {
    const bool wild = in.Byte() >= 240;
    r.points.push_back({wild ? int32_t(in.U32()) : int32_t(in.U16() % 1001),
                        wild ? int32_t(in.U32()) : int32_t(in.Byte() % 101)});
  }
  return r;
}

// Every sound keeps whole frames and stays within the size an input can give it.
void RequireWholeFrames(const WaveAudio& wave) {
  if (!wave.HasData()) return;
  fuzz::Require(wave.BlockAlign() == 0 || wave.DataSize() % wave.BlockAlign() == 0);
}

void RunEffectStep(Input& in, CTarkelDoc& doc, bool tableEffect) {
  DocWaveAudio& wave = doc.Sound();
  const EffectRequest request = tableEffect ? TableRequest(in, wave.BitsPerSample()) : OperationRequest(in);
  const ChannelMode mode = ModeFrom(in);
  const uint32_t first = FrameFrom(in, wave), last = FrameFrom(in, wave);
  const uint8_t flags = in.Byte();
  const bool preview = flags & 1, undo = flags & 2;
  const bool outside = OutOfBoundsText(request, wave.BitsPerSample()).has_value();
  const std::vector<uint8_t> before = Snapshot(wave);

  if (preview) {
    const bool ok = PreviewEffectCommand(doc, request, first, last, mode);
    fuzz::Require(!(ok && outside));
    fuzz::Require(Snapshot(wave) == before);  // a preview works on a copy
    wave.PreviewImage().Free();
    return;
  }
  const bool ok = ApplyEffectCommand(doc, request, first, last, mode);
  if (outside) {
    fuzz::Require(!ok);
    fuzz::Require(Snapshot(wave) == before);
    return;
  }
  RequireWholeFrames(wave);
  const bool removes = request.entry && request.entry->rules.removedFrames;
  if (ok && undo && !removes && doc.CanUndo()) {
    fuzz::Require(doc.UndoLastChange());
    fuzz::Require(Snapshot(wave) == before);
  }
}

void RunEditStep(Input& in, CTarkelDoc& doc) {
  DocWaveAudio& wave = doc.Sound();
  const EditCommand command = EditCommand(in.Byte() % (int(EditCommand::CopyTo) + 1));
  const ChannelMode mode = ModeFrom(in);
  const uint32_t first = FrameFrom(in, wave), last = FrameFrom(in, wave);
  EditArgs args;
  // Insert silence: frames to insert; change length: the new length.
  args.frames = in.U16() % (command == EditCommand::ChangeLength ? wave.Frames() + kMaxGrowth : kMaxGrowth);
  args.rate = in.Byte() < 16 ? in.U32() : in.Pick(kRates);
  args.destination = FrameFrom(in, wave);
  args.destinationMode = ModeFrom(in);
  const bool wild = in.Byte() >= 240;
  args.crossfade.soundStartLevel = wild ? int32_t(in.U32()) : in.Byte() % 101;
  args.crossfade.soundEndLevel = wild ? int32_t(in.U32()) : in.Byte() % 101;
  args.crossfade.limitToSelection = in.Byte() % 2;
  const uint8_t moved = in.Byte() % 3;
  if (moved) args.movedSource = moved == 1 ? MovedSource::Removed : MovedSource::Silenced;
  if (uint64_t(wave.Frames() + args.frames) * wave.BlockAlign() > kMaxSoundBytes) return;
  RunEditCommand(doc, command, first, last, mode, args);
  RequireWholeFrames(wave);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The default ports: silent, never cancelling, a clipboard private to the process.
  CurrentPorts().clipboard->EmptyWave();
  TheUndoStore().DropSaved();
  TheUndoStore().SetEnabled(true);

  Input in(data, size);
  CTarkelDoc doc;
  MakeSound(in, doc.Sound());
  for (size_t step = 0; step < kMaxSteps && !in.Empty(); ++step) {
    switch (in.Byte() % 5) {
      case 0:
      case 1: RunEffectStep(in, doc, true); break;
      case 2: RunEffectStep(in, doc, false); break;
      case 3: RunEditStep(in, doc); break;
      default:
        if (doc.CanUndo()) doc.UndoLastChange();
        RequireWholeFrames(doc.Sound());
        break;
    }
  }
  TheUndoStore().DropSaved();
  return 0;
}
