#include "editing/SampleFormatConversion.h"

#include <cstring>

#include "sound/DocWaveAudio.h"
#include "sound/MessageIds.h"
#include "sound/MessageTable.h"
#include "sound/Ports.h"
#include "editing/FormatConverter.h"
#include "editing/HeldConversion.h"
#include "fileformats/MarkerShift.h"
#include "fileformats/RiffMetadata.h"

namespace tarkel {
namespace {

constexpr uint32_t kChooserStartRate = 22050;

std::string ConvertTitle() {
  const char* text = MessageText(msg::kConvertSampleTitle);
  return text ? text : "";
}

// Keeps the format record and, on request, restores it with the frame count that goes with it.
class FormatKeeper {
 public:
  explicit FormatKeeper(DocWaveAudio& wave) : wave_(wave), kept_(wave.Format()) {}
  void Restore() {
    wave_.Format() = kept_;
    wave_.RefreshPcmCopy();
    wave_.SetDataSize(wave_.DataSize());
  }
  const WaveFormat& Kept() const { return kept_; }

 private:
  DocWaveAudio& wave_;
  WaveFormat kept_;
};

}  // namespace

WaveFormat DefaultChooserFormat() { return WaveFormat::Pcm(1, kChooserStartRate, 8); }

namespace {

// `format` replaces the record; the same bytes are counted in its frames.
void SetFormatRecord(DocWaveAudio& wave, const WaveFormat& format) {
  wave.Format().AssignFrom(format.Data(), format.CopySize());
  wave.RefreshPcmCopy();
  if (wave.HasData()) wave.SetDataSize(wave.DataSize());
}

}  // namespace

bool ChooseSampleFormat(DocWaveAudio& wave, const std::string& title) {
  WaveFormat chosen = DefaultChooserFormat();
  if (!ChooseFormat(title, chosen)) return false;
  SetFormatRecord(wave, chosen);
  return true;
}

bool ChooseConversionFormat(WaveFormat& format) {
  format = DefaultChooserFormat();
  return ChooseFormat(ConvertTitle(), format);
}

namespace {

// Converts the sound from the format `keeper` holds into the one now in the record.
bool ConvertIntoCurrentFormat(DocWaveAudio& wave, FormatKeeper& keeper, uint8_t* scratch, uint32_t oldSize) {
  if (NeedsDecoding(keeper.Kept())) {
    const bool done = ConvertHeldSamples(wave, keeper.Kept()) == HeldConversionResult::kDone;
    if (!done) keeper.Restore();
    return done;
  }
  FormatConverter converter;
  if (converter.Open(keeper.Kept(), wave.Format()) != 0) {
    keeper.Restore();
    ShowMessage(msg::kAcmOpen);
    return false;
  }
  const uint64_t size = converter.DestinationSize(oldSize);
  if (size > UINT32_MAX) {
    keeper.Restore();
    ShowMessage(msg::kAcmSize);
    return false;
  }
  if (size < oldSize && !AskMessage(msg::kQualityLoss)) {
    keeper.Restore();
    return false;
  }
  if (!wave.ResizeData(uint32_t(size))) {
    keeper.Restore();
    ShowMessage(msg::kReallocOutOfMemory);
    return false;
  }
  if (!converter.Convert(scratch, oldSize, wave.Data())) {
    // Back to the old format and size, with the old samples.
    keeper.Restore();
    ShowMessage(msg::kAcmConvert);
    if (!wave.ResizeData(oldSize)) {
      ShowMessage(msg::kReallocOutOfMemory);
      return false;
    }
    std::memcpy(wave.Data(), scratch, oldSize);
    return false;
  }
  return true;
}

bool Convert(DocWaveAudio& wave, const WaveFormat* target) {
  if (!wave.HasData()) {
    ShowMessage(msg::kNothingSelected);
    return false;
  }
  const uint32_t oldSize = wave.DataSize();
  // A held format is decoded from the sample memory itself, which stays as it is until the
  // converted samples are complete: it needs no copy.
  ScratchBlock block;
  if (!NeedsDecoding(wave.Format())) {
    block = NewScratch(oldSize);
    if (!block) return false;
    std::memcpy(block.get(), wave.Data(), oldSize);
  }
  uint8_t* scratch = block.get();
  FormatKeeper keeper(wave);
  bool ok;
  if (target) {
    wave.Format().AssignFrom(target->Data(), target->CopySize());
    wave.RefreshPcmCopy();
    ok = true;
  } else {
    ok = ChooseSampleFormat(wave, ConvertTitle());
  }
  if (ok) ok = ConvertIntoCurrentFormat(wave, keeper, scratch, oldSize);
  // Positions kept from the file (cue points, loops) follow a new rate.
  if (ok) {
    ScalePositions(wave.Chunks(), keeper.Kept().SamplesPerSec(), wave.Rate());
    ForgetFormatChunks(wave.Chunks());
  }
  return ok;
}

}  // namespace

bool ConvertSampleFormat(DocWaveAudio& wave) { return Convert(wave, nullptr); }

bool ConvertSampleFormatTo(DocWaveAudio& wave, const WaveFormat& target) { return Convert(wave, &target); }

bool ChangeFormatWithoutData(DocWaveAudio& wave) {
  WaveFormat chosen;
  if (!ChooseConversionFormat(chosen)) return false;
  ChangeFormatWithoutDataTo(wave, chosen);
  return true;
}

void ChangeFormatWithoutDataTo(DocWaveAudio& wave, const WaveFormat& format) {
  SetFormatRecord(wave, format);
  wave.Chunks().factSamples.reset();  // a "fact" count belonged to the old format
}

}  // namespace tarkel
