#pragma once
// The state of one tarkel-cli run that the option handlers share: the document, the selection
// and channel the next operation acts on, and the answers to questions.
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "sound/ChannelMode.h"
#include "effects/EffectRequest.h"
#include "sound/Selection.h"
#include "view/DisplayUnit.h"

namespace tarkel {

class CTarkelDoc;
struct CliRegions;

// What an option handler reports: go on, stop with exit status 1, or a usage error (exit 2).
enum class CliStatus { Ok, Failed, Usage };

struct CliSession {
  std::unique_ptr<CTarkelDoc> doc;
  // The selection and channels the next operation acts on; unset means the whole sound.
  Selection selection;
  bool answerYes = false;
  std::string clipboardFile;
  std::string presetDir;  // --preset-dir: where preset files are read and written
  // How --select positions are read and --info shows the length (--unit, --fps).
  DisplayUnit unit = DisplayUnit::Samples;
  uint16_t fps = kDefaultFrameRate;
  std::ostream* out = nullptr;  // standard output: --info, preview range lines
  std::ostream* err = nullptr;  // standard error: "message NNNN: TEXT" and usage errors
  std::shared_ptr<CliRegions> regions;  // the play list, made by the first region option

  // The ChannelMode of the next operation: 4 for a mono sound, else from the channel choice.
  ChannelMode Mode() const;
  // The selection as the next operation sees it (the whole sound when unset).
  uint32_t First() const;
  uint32_t Last() const;
  // Sets the selection after an edit that makes a new one (paste, move, copy-to).
  void Select(uint32_t first, uint32_t last, ChannelMode mode);
};

// Handlers of the option families that grow with the editor. `arg` is the text after the
// option's name ("NAME[:ARGS]").
CliStatus RunEditOption(CliSession& session, std::string_view arg);
CliStatus RunEffectOption(CliSession& session, std::string_view arg);
CliStatus RunPreviewOption(CliSession& session, std::string_view arg, const std::string& file);
// NAME@PRESET: the values of a dialog's preset (PresetOption.cpp).
bool IsPresetReference(std::string_view arg);
std::optional<EffectRequest> PresetEffectRequest(CliSession& session, std::string_view arg);
CliStatus RunEditPresetOption(CliSession& session, std::string_view arg);

}  // namespace tarkel
