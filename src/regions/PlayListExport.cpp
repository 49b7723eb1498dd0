#include "regions/PlayListExport.h"

#include <cstdint>
#include <memory>

#include "document/CTarkelDoc.h"
#include "editing/FormatConverter.h"
#include "fileformats/ReplacingFile.h"
#include "fileformats/RiffWave.h"
#include "fileformats/SteppedTransfer.h"
#include "regions/RegionPlayer.h"
#include "sound/MessageIds.h"
#include "sound/Ports.h"

namespace tarkel {
namespace {

// The bytes one region contributes, each repeat the same.
struct Block {
  const uint8_t* bytes = nullptr;
  uint64_t size = 0;
  uint32_t repeats = 0;
  std::unique_ptr<uint8_t[]> converted;  // owns `bytes` when the region was converted
};

// The region's frames in `target`'s format; false (message shown) when they cannot be converted.
bool MakeBlock(const PlayPiece& piece, const WaveFormat& target, Block& block) {
  const WaveAudio& sound = piece.document->Sound();
  const uint64_t align = sound.BlockAlign();
  const uint64_t offset = uint64_t(piece.first) * align;
  const uint64_t size = (uint64_t(piece.last) - piece.first + 1) * align;
  block.repeats = piece.repeats;
  if (offset + size > sound.DataSize()) return false;
  if (sound.Format().SamePcmFields(target)) {
    block.bytes = sound.Data() + offset;
    block.size = size;
    return true;
  }
  FormatConverter converter;
  if (converter.Open(sound.Format(), target) != 0) {
    ShowMessage(msg::kAcmOpen);
    return false;
  }
  const uint64_t convertedSize = converter.DestinationSize(uint32_t(size));
  if (convertedSize > UINT32_MAX) {
    ShowMessage(msg::kCreateFileError);
    return false;
  }
  block.converted.reset(new (std::nothrow) uint8_t[convertedSize ? convertedSize : 1]);
  if (!block.converted) {
    ShowMessage(msg::kTempMemory);
    return false;
  }
  if (!converter.Convert(sound.Data() + offset, uint32_t(size), block.converted.get())) {
    ShowMessage(msg::kAcmConvert);
    return false;
  }
  block.bytes = block.converted.get();
  block.size = convertedSize;
  return true;
}

// Writes the byte stream of all blocks, repeats included, in the pieces TransferInSteps asks
// for (they come in order, one after the other).
class BlockStream {
 public:
  BlockStream(const std::vector<Block>& blocks, ByteSink& out) : blocks_(blocks), out_(out) {}
  bool Write(uint64_t count) {
    while (count > 0) {
      while (index_ < blocks_.size() && (blocks_[index_].size == 0 || repeat_ >= blocks_[index_].repeats)) {
        ++index_;
        repeat_ = 0;
      }
      if (index_ >= blocks_.size()) return false;
      const Block& block = blocks_[index_];
      const uint64_t n = std::min(count, block.size - within_);
      if (!out_.Write(block.bytes + within_, size_t(n))) return false;
      within_ += n;
      count -= n;
      if (within_ == block.size) {
        within_ = 0;
        ++repeat_;
      }
    }
    return true;
  }

 private:
  const std::vector<Block>& blocks_;
  ByteSink& out_;
  size_t index_ = 0;
  uint32_t repeat_ = 0;
  uint64_t within_ = 0;
};

}  // namespace

bool ExportPlayList(const std::vector<CWaveSelection>& regions, const std::string& path) {
  const std::vector<PlayPiece> script = FullScript(regions);
  if (script.empty()) {
    ShowMessage(msg::kPlayListEmpty);
    return false;
  }
  WaitCursor wait;
  const WaveFormat target = script.front().document->Sound().Format();
  std::vector<Block> blocks(script.size());
  uint64_t total = 0;
  bool converting = false;
  for (size_t i = 0; i < script.size(); ++i) {
    converting = converting || !script[i].document->Sound().Format().SamePcmFields(target);
    if (!MakeBlock(script[i], target, blocks[i])) return false;
    total += blocks[i].size * blocks[i].repeats;
    if (total + kWaveFileHeaderSize + 1 > UINT32_MAX) {
      ShowMessage(msg::kCreateFileError);
      return false;
    }
  }
  if (converting) ShowMessage(msg::kPlayListConverted);

  ReplacingFile file(path);
  if (!file.Create()) {
    ShowMessage(msg::kCreateFileError);
    return false;
  }
  const uint32_t bytes = uint32_t(total);
  uint8_t header[kWaveFileHeaderSize];
  BuildWaveFileHeader(header, target, target.BlockAlign() ? bytes / target.BlockAlign() : 0, bytes);
  if (!file.Sink().Write(header, sizeof header)) {
    ShowMessage(msg::kWriteOutOfSpace);
    return false;
  }
  BlockStream stream(blocks, file.Sink());
  switch (TransferInSteps(total, kSavingCaption, [&](uint64_t, uint64_t count) { return stream.Write(count); })) {
    case TransferResult::kDone: break;
    case TransferResult::kCancelled: return false;
    case TransferResult::kFailed: ShowMessage(msg::kWriteOutOfSpace); return false;
  }
  const uint8_t pad = 0;
  if ((bytes & 1u) && !file.Sink().Write(&pad, 1)) {
    ShowMessage(msg::kWriteOutOfSpace);
    return false;
  }
  switch (file.Commit()) {
    case CommitResult::kDone: return true;
    case CommitResult::kFlushFailed: ShowMessage(msg::kWriteOutOfSpace); return false;
    case CommitResult::kRenameFailed: ShowMessage(msg::kCreateFileError); return false;
  }
  return false;
}

}  // namespace tarkel
