#include "app/TransportWiring.h"

#include "app/AppState.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CommandIds.h"
#include "app/Preferences.h"
#include "audio/ui/DeviceSheet.h"
#include "document/CTarkelDoc.h"
#include "sound/Ports.h"
#include "view/ui/DocumentView.h"

namespace tarkel::app {
namespace {

using namespace cmd;


bool ClipboardHoldsWave() {
  const Ports& ports = CurrentPorts();
  return ports.clipboard && ports.clipboard->HasWave();
}

std::optional<PreviewKind> PreviewOf(int id) {
  switch (id) {
    case kPreviewCut: return PreviewKind::Cut;
    case kPreviewPaste: return PreviewKind::Paste;
    case kPreviewPasteOver: return PreviewKind::PasteOver;
    case kPreviewPasteOverExactly: return PreviewKind::PasteOverExactly;
    case kPreviewTrim: return PreviewKind::Trim;
    case kPreviewDelete: return PreviewKind::Delete;
    default: return std::nullopt;
  }
}

// Document commands that leave the sample memory where it is.
bool KeepsSampleMemory(int id) {
  switch (id) {
    case kFileNew:
    case kFileOpen:
    case kFileSave:
    case kFileSaveAs:
    case kSaveSelectedArea:
    case kFileSend:
    case kCopy:
    case kPlayLoop:
      return true;
    default: return false;
  }
}

}  // namespace

TransportWiring::TransportWiring(std::unique_ptr<audio::DeviceSystem> devices, const Preferences& prefs)
    : devices_(std::move(devices)), transport_(std::make_unique<audio::AudioTransport>(*devices_)) {
  SetTransport(transport_.get());
  ApplyPreferencesToTransport(prefs);
  transport_->InstallDocumentHooks();
  transport_->AddListener(this);
  SetPlayPositionSource(this);
}

TransportWiring::~TransportWiring() {
  SetPlayPositionSource(nullptr);
  transport_->RemoveListener(this);
  SetTransport(nullptr);
  transport_.reset();
}

void TransportWiring::Attach(CMainFrame& frame) {
  frame_ = &frame;
  connect(&frame, &CMainFrame::periodicTick, this, [this] { transport_->Tick(); });
  connect(&frame, &QObject::destroyed, this, [this] { frame_ = nullptr; });
}

void TransportWiring::Detach() {
  if (frame_) disconnect(frame_, nullptr, this, nullptr);
  frame_ = nullptr;
}

void TransportWiring::OnTransportMessage(int message) {
  if (!frame_) return;
  // Play, pause and stop buttons follow the engine; a finished run resets the position pane.
  if (message == audio::wm::kPlayStopped || message == audio::wm::kRecordStopped)
    for (CChildFrame* child : frame_->Children()) child->UpdateChildStatus();
  frame_->UpdateMenus();
}

void TransportWiring::OnTransportPosition(CTarkelDoc& doc, uint32_t) {
  if (!frame_) return;
  for (CChildFrame* child : frame_->Children())
    if (&child->Document() == &doc) child->UpdateChildStatus(2);
}

uint32_t TransportWiring::CurrentFrame(const CTarkelDoc& doc) const {
  return transport_->TransportDocument() == &doc ? transport_->CurrentTransportFrame() : 0;
}


void ApplyPreferencesToTransport(const Preferences& p) {
  audio::AudioTransport* transport = Transport();
  if (!transport) return;
  audio::AudioSettings& s = transport->Settings();
  s.playBufferSize = uint32_t(p.playBufferSize > 0 ? p.playBufferSize : 0x100000);
  s.recordBufferSize = uint32_t(p.recordBufferSize > 0 ? p.recordBufferSize : 0x100000);
  s.globalTimeSliceMs = uint32_t(p.globalTimeSliceMs > 0 ? p.globalTimeSliceMs : 80);
  s.showPlayRecMarker = p.showPlayRecMarker;
  s.scrollToPlayRecMarker = p.scrollToPlayRecMarker;
  s.startEndPlaySeconds = p.startEndPlaySeconds;
  s.showPrepareRecordingDlg = p.showPrepareRecordingDlg;
}

CommandState TransportCommandState(const CommandContext& c, int id) {
  audio::AudioTransport* transport = Transport();
  if (!transport) return {};
  const bool clipboard = id == kPlayClipboard && ClipboardHoldsWave();
  const audio::TransportState s = transport->State(c.doc, clipboard);
  if (PreviewOf(id)) return {audio::CanPlay(s) && c.view, false};
  switch (id) {
    case kPlayAll:
    case kPlayStartEnd: return {audio::CanPlay(s), false};
    case kPlaySelection: return {audio::CanPlay(s) && c.view, false};
    case kPlayClipboard: return {audio::CanPlayClipboard(s), false};
    case kStop: return {audio::CanStop(s), false};
    case kPause: return {audio::CanPause(s), audio::PauseChecked(s)};
    case kPlayLoop: return {audio::CanToggleLoop(s), audio::LoopChecked(s)};
    case kRecordAll: return {audio::CanRecord(s), false};
    case kRecordSelection: return {audio::CanRecord(s) && c.view, false};
    case kRecordingPreparation: return {true, audio::PrepareRecordingChecked(s)};
    case kSelectDevices: return {true, false};
    default: return {};
  }
}

void RunTransportCommand(CommandContext& c, int id) {
  audio::AudioTransport* transport = Transport();
  if (!transport) return;
  if (id == kRecordingPreparation) {
    transport->TogglePrepareRecording();
    c.frame.State().prefs.showPrepareRecordingDlg = transport->Settings().showPrepareRecordingDlg;
    return;
  }
  if (id == kSelectDevices) {
    audio::SelectSoundDevices(*transport, &c.frame);
    return;
  }
  if (id == kStop) {
    transport->Stop(c.doc);
    return;
  }
  if (id == kPause) {
    transport->Pause();
    return;
  }
  if (!c.doc) return;
  CTarkelDoc& doc = *c.doc;
  const Selection selection = c.view ? c.view->CurrentSelection() : Selection();
  if (const auto kind = PreviewOf(id)) {
    transport->PlayEditPreview(doc, *kind, selection);
    return;
  }
  switch (id) {
    case kPlayAll: transport->PlayAll(doc); return;
    case kPlaySelection: transport->PlaySelection(doc, selection); return;
    case kPlayStartEnd: transport->PlayStartEnd(doc, selection); return;
    case kPlayClipboard: transport->PlayClipboard(doc); return;
    case kPlayLoop: transport->ToggleLoop(doc); return;
    case kRecordAll: transport->RecordAll(doc); return;
    case kRecordSelection: transport->RecordSelection(doc, selection); return;
    default: return;
  }
}

void StopBeforeDocumentCommand(CTarkelDoc& doc, int id) {
  audio::AudioTransport* transport = Transport();
  if (!transport || KeepsSampleMemory(id) || !transport->Holds(doc)) return;
  transport->Stop(&doc);
}

}  // namespace tarkel::app
