#include "document/CTarkelDoc.h"

#include <algorithm>

#include "sound/AppContext.h"
#include "document/DocumentHooks.h"
#include "fileformats/HardDiskMapping.h"
#include "editing/Clipboard.h"
#include "sound/MessageIds.h"
#include "sound/MessageTable.h"
#include "sound/Ports.h"

namespace tarkel {

CTarkelDoc::CTarkelDoc() = default;

CTarkelDoc::~CTarkelDoc() {
  // A hard-disk document going away leaves its file with an up-to-date header.
  WriteHardDiskHeader(sound_);
  // The store must never point at a document that no longer exists.
  TheUndoStore().DropSavedOf(this);
  if (App().playingDocument == this) App().playingDocument = nullptr;
}

void CTarkelDoc::SetTitle(const std::string& title) {
  title_ = title;
  RefreshTitle();
}

void CTarkelDoc::SetPathName(const std::string& path) {
  pathName_ = path;
  const size_t slash = path.find_last_of('/');
  SetTitle(slash == std::string::npos ? path : path.substr(slash + 1));
}

// --- Views ------------------------------------------------------------------------------------

void CTarkelDoc::AddObserver(DocumentObserver* view) {
  if (view && std::find(observers_.begin(), observers_.end(), view) == observers_.end())
    observers_.push_back(view);
}

void CTarkelDoc::RemoveObserver(DocumentObserver* view) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), view), observers_.end());
}

// The list is copied first: a view may remove itself while it is told.
void CTarkelDoc::UpdateAllViews(uint32_t updateHint) {
  const std::vector<DocumentObserver*> views = observers_;
  for (DocumentObserver* v : views) v->OnDocumentUpdate(*this, updateHint);
}

void CTarkelDoc::ResetViewsToLength() {
  const std::vector<DocumentObserver*> views = observers_;
  for (DocumentObserver* v : views) v->OnLengthReset(*this);
}

void CTarkelDoc::RefreshTitle() {
  const std::vector<DocumentObserver*> views = observers_;
  for (DocumentObserver* v : views) v->OnTitleChanged(*this);
}

// --- New --------------------------------------------------------------------------------------

void CTarkelDoc::StartNew() {
  // A new sound never lives on disk; the preference stays off until the user switches it on.
  App().hardDiskEditing = 0;
  hardDisk_ = 0;
  sound_.SetHardDisk(false);
  ClearContents();
}

bool CTarkelDoc::New() {
  if (App().pasteAsNewMarker != 0) {
    App().pasteAsNewMarker = 0;
    return NewFromClipboard();
  }
  StartNew();
  if (!ChooseNewFormat()) return false;
  return ChangeLengthFrom(kNewSampleFrames, false);
}

bool CTarkelDoc::NewFromClipboard() {
  StartNew();
  SetModified(true);
  WaitCursor wait;
  const auto& paste = TheDocumentHooks().pasteAsNew;
  return paste ? paste(*this) : FillFromClipboard(sound_);
}

bool CTarkelDoc::ChooseNewFormat() {
  WaveFormat format = WaveFormat::Pcm(1, 22050, 8);
  const char* title = MessageText(msg::kCreateNewSample);
  if (!ChooseFormat(title ? title : "", format)) return false;
  // A format without frames cannot hold a sound.
  if (format.BlockAlign() == 0 || format.Channels() == 0) {
    ShowMessage(msg::kGeneralError);
    return false;
  }
  sound_.Format().AssignFrom(format.Data(), format.CopySize());
  sound_.RefreshPcmCopy();
  return true;
}

// --- Play -------------------------------------------------------------------------------------

bool CTarkelDoc::PlayRange(uint32_t first, uint32_t last) {
  const auto& play = TheDocumentHooks().play;
  if (!play || sound_.IsLoading() || !play(*this, first, last)) return false;
  App().playingDocument = this;
  return true;
}

bool CTarkelDoc::PlayAll() { return PlayRange(0, sound_.Frames()); }

bool CTarkelDoc::PlayLeadInOut(uint32_t first, uint32_t last) {
  const auto& play = TheDocumentHooks().play;
  if (!play || sound_.IsLoading()) return false;
  const uint32_t frames = sound_.Frames();
  const bool lead = play(*this, 0, first > 0 ? first - 1 : 0);
  const bool tail = play(*this, last < frames ? last + 1 : frames, frames);
  if (lead && tail) App().playingDocument = this;
  return lead && tail;
}

void CTarkelDoc::TogglePlayLoop() {
  sound_.SetRepeatCount(sound_.RepeatCount() > 1 ? 1 : kLoopRepeatCount);
}

bool CTarkelDoc::PlayLoopEnabled() const { return App().playingDocument == nullptr; }

void CTarkelDoc::OnAudioStopped(AudioEnd what, bool scrollToPlayRecMarker) {
  if (what == AudioEnd::Play) {
    if (scrollToPlayRecMarker) UpdateAllViews();
    UpdateAllViews(hint::kPlayEnded);
    sound_.WorkImage().Free();  // what "Play Clipboard" played
  }
  RefreshTitle();
  if (what == AudioEnd::Record) {
    RefreshTitle();
    UpdateAllViews();
  }
}

}  // namespace tarkel
