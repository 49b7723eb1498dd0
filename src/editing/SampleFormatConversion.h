#pragma once
// The two commands that change a sound's sample format: "Convert Format and Data" converts
// every sample into a chosen format; "Change Format w/o Data" only replaces the format record,
// so the same bytes are read in the new format.
#include <string>

#include "sound/WaveFormat.h"

namespace tarkel {

class DocWaveAudio;

// The format the chooser starts from: PCM mono 22,050 Hz 8-bit.
WaveFormat DefaultChooserFormat();

// Shows the format chooser titled `title`; on OK the chosen format replaces the sound's format
// record and the result is true. Cancel shows nothing; the chooser's errors show 3015, 3016 or
// 3017. False on cancel or error.
bool ChooseSampleFormat(DocWaveAudio& wave, const std::string& title);

// Converts the whole sound into a format chosen with the "Convert sample" chooser. Asks the
// quality-loss question (1020) when the data would shrink. On any failure the sound keeps its
// format and its samples.
bool ConvertSampleFormat(DocWaveAudio& wave);
// As ConvertSampleFormat, converting into `target` without the chooser.
bool ConvertSampleFormatTo(DocWaveAudio& wave, const WaveFormat& target);

// Replaces the format record by a chosen one; the samples stay byte for byte.
bool ChangeFormatWithoutData(DocWaveAudio& wave);
// As ChangeFormatWithoutData, with `format` instead of the chooser.
void ChangeFormatWithoutDataTo(DocWaveAudio& wave, const WaveFormat& format);

// Shows the "Convert sample" chooser; true with the choice in `format` (see ChooseFormat).
bool ChooseConversionFormat(WaveFormat& format);

}  // namespace tarkel
