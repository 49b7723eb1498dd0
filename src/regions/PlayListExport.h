#pragma once
// "Save the Play-List as a WAV-File": the play script written as one sound, every region with
// its repeats one after another in list order, in one RIFF WAVE file.
#include <string>
#include <vector>

#include "regions/CWaveSelection.h"

namespace tarkel {

// Writes the regions of `regions` (each cut to its sound; regions without a document or with
// nothing inside the sound are left out) into a RIFF WAVE file at `path`, in the format of the
// first region written. Regions of sounds in another format are converted to it through the
// format converter; the user is told so once (2001). The old file survives every failure.
// Messages: 2002 when nothing is left to write, 1011 when a format cannot be converted, 3019
// when the file cannot be made or the result would not fit a RIFF file, 3010 when writing fails.
bool ExportPlayList(const std::vector<CWaveSelection>& regions, const std::string& path);

}  // namespace tarkel
