#include "audio/AudioTransport.h"

#include <algorithm>

#include "document/CTarkelDoc.h"
#include "document/DocumentHooks.h"
#include "editing/Clipboard.h"
#include "sound/AppContext.h"
#include "sound/Ports.h"
#include "sound/Selection.h"
#include "sound/WaveImage.h"

namespace tarkel::audio {

uint32_t SelectionEnd(uint32_t last, uint32_t frames) {
  const uint32_t end = EvenFrame(last);
  return frames > 0 && end >= EvenFrame(frames - 1) ? frames : end;
}

AudioTransport::AudioTransport(DeviceSystem& devices)
    : devices_(devices),
      play_(devices, settings_, [this](int m) { Post(m); }),
      record_(devices, settings_,
              RecordEngine::Hooks{[this](int m) { Post(m); }, [this] { StopTransportDocument(); },
                                  [this](const char* text) {
                                    return confirmRecording ? confirmRecording(text)
                                                            : CurrentPorts().ui->AskYesNo(0, text);
                                  }}) {}

AudioTransport::~AudioTransport() {
  StopTransportDocument();
  play_.Stop();
  record_.Stop();
  if (hooksInstalled_) {
    TheDocumentHooks().play = nullptr;
    TheDocumentHooks().stopAudio = nullptr;
  }
}

void AudioTransport::AddListener(TransportListener* listener) {
  if (listener && std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
    listeners_.push_back(listener);
}

void AudioTransport::RemoveListener(TransportListener* listener) {
  listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

// Messages reach the listeners once the engines are done, as posted messages would; a listener
// that starts or stops the transport from its handler gets its own messages afterwards.
void AudioTransport::Flush() {
  if (flushing_) return;
  flushing_ = true;
  while (!pending_.empty()) {
    const std::vector<int> messages = std::move(pending_);
    pending_.clear();
    for (int m : messages) {
      const std::vector<TransportListener*> listeners = listeners_;
      for (TransportListener* l : listeners)
        if (std::find(listeners_.begin(), listeners_.end(), l) != listeners_.end()) l->OnTransportMessage(m);
    }
  }
  flushing_ = false;
}

void AudioTransport::InstallDocumentHooks() {
  DocumentHooks& hooks = TheDocumentHooks();
  hooks.play = [this](CTarkelDoc& doc, uint32_t first, uint32_t last) {
    // A document's own play requests queue behind each other; another document, or a play
    // script, stops first.
    if (TransportDocument() != &doc || PlaysScript()) StopTransportDocument();
    doc.Sound().SetPlayDevice(uint16_t(std::min<DeviceNumber>(outputDevice_, 0xFFFF)));
    const bool ok = PlayRange(doc, first, last);
    Flush();
    return ok;
  };
  hooks.stopAudio = [this](CTarkelDoc& doc) {
    StopDocument(doc);
    Flush();
  };
  hooksInstalled_ = true;
}

CTarkelDoc* AudioTransport::TransportDocument() const { return App().playingDocument; }

bool AudioTransport::Holds(const CTarkelDoc& doc) const {
  return recordDoc_ == &doc || playDoc_ == &doc || play_.Holds(doc.Sound()) || InScript(doc);
}

// --- Stopping -----------------------------------------------------------------------------------

void AudioTransport::StopDocument(CTarkelDoc& doc) {
  if (recordDoc_ == &doc) {
    record_.Stop();
    recordDoc_ = nullptr;
    doc.OnAudioStopped(AudioEnd::Record);
  }
  // A play script stops as a whole when any of its documents stops.
  if (playDoc_ && (playDoc_ == &doc || play_.Holds(doc.Sound()) || InScript(doc))) {
    CTarkelDoc* playing = playDoc_;
    if (!play_.Stop()) return;  // the device refused: the state is kept
    play_.TakeFinishedByStop();
    DropScript();
    lastPlayRanOut_ = false;
    playDoc_ = nullptr;
    playing->UpdateAllViews(hint::kForgetMarkerColumn);
    playing->OnAudioStopped(AudioEnd::Play);
    if (App().playingDocument == playing) App().playingDocument = nullptr;
  }
  if (App().playingDocument == &doc) App().playingDocument = nullptr;
}

void AudioTransport::StopTransportDocument() {
  if (recordDoc_) StopDocument(*recordDoc_);
  if (playDoc_) StopDocument(*playDoc_);
  // A device that refused to stop keeps its document the transport document.
  if (!playDoc_ && !recordDoc_) {
    DropScript();
    App().playingDocument = nullptr;
  }
}

void AudioTransport::Stop(CTarkelDoc* doc) {
  if (CTarkelDoc* transport = TransportDocument()) {
    StopDocument(*transport);
  } else if (doc) {
    StopDocument(*doc);
  }
  StopTransportDocument();
  if (doc) doc->UpdateAllViews();
  Flush();
}

// --- Playing --------------------------------------------------------------------------------

// A command's requests all go to the device before it starts (EndPlayCommand lets it start).
bool AudioTransport::BeginPlayCommand(CTarkelDoc& doc) {
  StopTransportDocument();
  doc.Sound().SetPlayDevice(uint16_t(std::min<DeviceNumber>(outputDevice_, 0xFFFF)));
  play_.HoldStart();
  return true;
}

bool AudioTransport::EndPlayCommand(CTarkelDoc& doc, bool ok) {
  if (!play_.ReleaseStart()) ok = false;
  if (play_.Busy()) {
    playDoc_ = &doc;
    App().playingDocument = &doc;
  } else if (playDoc_ == &doc) {
    playDoc_ = nullptr;
    if (App().playingDocument == &doc) App().playingDocument = nullptr;
  }
  Flush();
  return ok;
}

bool AudioTransport::PlayRange(CTarkelDoc& doc, uint32_t start, uint32_t end) {
  if (doc.Sound().IsLoading()) return false;  // the background read still fills the data
  const bool ok = play_.Play(doc.Sound(), start, end);
  if (ok && play_.Busy()) {
    playDoc_ = &doc;
    App().playingDocument = &doc;
  }
  return ok;
}

bool AudioTransport::PlayAll(CTarkelDoc& doc) {
  BeginPlayCommand(doc);
  return EndPlayCommand(doc, PlayRange(doc, 0, doc.Sound().Frames()));
}

bool AudioTransport::PlaySelection(CTarkelDoc& doc, const Selection& selection) {
  BeginPlayCommand(doc);
  const DocWaveAudio& wave = doc.Sound();
  const uint32_t start = EvenFrame(selection.First());
  const uint32_t end = SelectionEnd(selection.Last(wave), wave.Frames());
  return EndPlayCommand(doc, PlayRange(doc, start, end));
}

bool AudioTransport::PlayStartEnd(CTarkelDoc& doc, const Selection& selection) {
  BeginPlayCommand(doc);
  const DocWaveAudio& wave = doc.Sound();
  uint32_t a = EvenFrame(selection.First());
  uint32_t b = SelectionEnd(selection.Last(wave), wave.Frames());
  if (a >= b) {
    a = 0;
    b = wave.Frames();
  }
  const uint64_t n = uint64_t(std::max(settings_.startEndPlaySeconds, 0)) * wave.Rate();
  const uint32_t leadEnd = uint32_t(std::min<uint64_t>(uint64_t(a) + n, b));
  const uint32_t tailStart = uint32_t(std::max<int64_t>(int64_t(b) - int64_t(n), a));
  bool ok = leadEnd > a && PlayRange(doc, a, leadEnd);
  ok = ok && b > tailStart && PlayRange(doc, tailStart, b);
  return EndPlayCommand(doc, ok);
}

bool AudioTransport::PlayClipboard(CTarkelDoc& doc) {
  BeginPlayCommand(doc);
  DocWaveAudio& wave = doc.Sound();
  ClipSamples clip;
  // The converted copy stays in the work image until the play ends (the document frees it).
  if (!AcquireClipSamples(wave, wave.Channels() > 1 ? ChannelMode::Both : ChannelMode::Mono, true, clip))
    return EndPlayCommand(doc, false);
  wave.ReleaseClipboardBlock();
  const bool ok = play_.PlayExternal(wave, clip.data, clip.bytes);
  if (!ok) wave.WorkImage().Free();
  return EndPlayCommand(doc, ok);
}

bool AudioTransport::PlayPreviewBlock(CTarkelDoc& doc, const WaveImage& image, std::optional<uint32_t> thenFrom) {
  BeginPlayCommand(doc);
  bool ok = play_.PlayExternal(doc.Sound(), image.Data(), image.DataSize());
  if (ok && thenFrom && *thenFrom < doc.Sound().Frames()) ok = PlayRange(doc, *thenFrom, doc.Sound().Frames());
  return EndPlayCommand(doc, ok);
}

bool AudioTransport::PlayScript(const std::vector<ScriptPiece>& pieces) {
  StopTransportDocument();
  for (const ScriptPiece& piece : pieces)
    if (piece.doc) script_.push_back(piece);
  const bool ok = QueueScript();
  if (!ok) DropScript();
  Flush();
  return ok;
}

// Hands the waiting pieces to the engine as far as the device takes them: a piece in the format
// the device plays queues right behind the one before it, of whichever document; at the first
// piece in another format the rest waits until the device has played out (Poll goes on then).
bool AudioTransport::QueueScript() {
  play_.HoldStart();
  while (!script_.empty()) {
    const ScriptPiece piece = script_.front();
    DocWaveAudio& wave = piece.doc->Sound();
    if (!play_.TakesFormat(wave)) break;
    script_.pop_front();
    wave.SetPlayDevice(uint16_t(std::min<DeviceNumber>(outputDevice_, 0xFFFF)));
    // The engine takes a request's repeat count from the sound; the document's own stays.
    const uint32_t repeats = wave.RepeatCount();
    wave.SetRepeatCount(std::max<uint32_t>(piece.loops, 1));
    const bool ok = play_.PlayAfter(wave, piece.start, piece.end);
    wave.SetRepeatCount(repeats);
    if (!ok) {
      // A sound that the device could not be opened for (its message is shown once) loses its
      // other pieces too.
      if (!play_.Busy()) std::erase_if(script_, [&](const ScriptPiece& p) { return p.doc == piece.doc; });
      continue;
    }
    if (std::find(heldDocs_.begin(), heldDocs_.end(), piece.doc) == heldDocs_.end()) heldDocs_.push_back(piece.doc);
    if (!playDoc_) {
      playDoc_ = piece.doc;
      App().playingDocument = piece.doc;
    }
  }
  play_.ReleaseStart();
  if (!play_.Busy()) {
    // Nothing could start, or the device gave up: the caller drops the rest of the script.
    if (App().playingDocument == playDoc_) App().playingDocument = nullptr;
    playDoc_ = nullptr;
    heldDocs_.clear();
  }
  MarkScriptDocuments();
  return play_.Busy();
}

bool AudioTransport::InScript(const CTarkelDoc& doc) const {
  return std::any_of(script_.begin(), script_.end(), [&](const ScriptPiece& p) { return p.doc == &doc; });
}

bool AudioTransport::PlaysScript() const { return !heldDocs_.empty() || !script_.empty(); }

// A document whose piece still waits counts as playing: closing it stops the script before its
// memory goes.
void AudioTransport::MarkScriptDocuments() {
  for (const ScriptPiece& piece : script_) piece.doc->Sound().SetPlaying(true);
}

void AudioTransport::DropScript() {
  const std::deque<ScriptPiece> dropped = std::move(script_);
  script_.clear();
  heldDocs_.clear();
  for (const ScriptPiece& piece : dropped)
    if (!play_.Holds(piece.doc->Sound())) piece.doc->Sound().SetPlaying(false);
}

// As the engine moves on to a request of another document of the script, that document becomes
// the transport document: its views draw the marker, the previous one's forget theirs.
void AudioTransport::FollowPlayingDocument() {
  const DocWaveAudio* heard = play_.Wave();
  if (!heard || !playDoc_ || &playDoc_->Sound() == heard) return;
  for (CTarkelDoc* doc : heldDocs_) {
    if (&doc->Sound() != heard) continue;
    CTarkelDoc* previous = playDoc_;
    playDoc_ = doc;
    App().playingDocument = doc;
    previous->UpdateAllViews(hint::kForgetMarkerColumn);
    previous->OnAudioStopped(AudioEnd::Play);
    return;
  }
}

bool AudioTransport::PlayEditPreview(CTarkelDoc& doc, PreviewKind kind, const Selection& selection) {
  // Stopped first: the end of a play frees the work image that the preview fills.
  BeginPlayCommand(doc);
  DocWaveAudio& wave = doc.Sound();
  bool ok = false;
  const std::vector<PreviewRange> ranges =
      BuildPreview(wave, kind, selection.First(), selection.Last(wave), selection.Mode(wave), ok);
  const uint32_t align = wave.BlockAlign();
  ok = ok && !ranges.empty();
  for (const PreviewRange& r : ranges) {
    if (!ok) break;
    if (r.source == PreviewSource::Document) {
      ok = PlayRange(doc, r.first, r.end);
    } else {
      const WaveImage& work = wave.WorkImage();
      const uint64_t from = uint64_t(r.first) * align, to = uint64_t(r.end) * align;
      ok = work.Data() && to <= work.DataSize() && play_.PlayExternal(wave, work.Data() + from, uint32_t(to - from));
    }
  }
  if (!ok && play_.Busy()) play_.Stop();
  if (!play_.Busy()) wave.WorkImage().Free();
  return EndPlayCommand(doc, ok);
}

void AudioTransport::Pause() {
  play_.PauseResume();
  Flush();
}

void AudioTransport::ToggleLoop(CTarkelDoc& doc) {
  if (!play_.Busy()) doc.TogglePlayLoop();
}

// --- Recording ------------------------------------------------------------------------------

bool AudioTransport::StartRecording(CTarkelDoc& doc, uint32_t a, uint32_t b, bool saveUndo) {
  if (doc.Sound().IsLoading()) return false;
  StopTransportDocument();
  DocWaveAudio& wave = doc.Sound();
  wave.SetRecordDevice(uint16_t(std::min<DeviceNumber>(inputDevice_, 0xFFFF)));
  bool ok = false;
  if (saveUndo) {
    const uint32_t align = wave.BlockAlign();
    const ChannelMode mode = wave.Channels() > 1 ? ChannelMode::Both : ChannelMode::Mono;
    doc.RunEdit(UndoRequest::Of(UndoKind::Replacement, a * align, b * align), mode, [&](DocWaveAudio& w) {
      ok = record_.Record(w, a, b);
      return ok ? EditOutcome::Done() : EditOutcome::Failed();
    });
  } else {
    ok = record_.Record(wave, a, b);
    if (ok) doc.SetModified(true);
    // No record of its own: an older one of this document would put back bytes the recording replaced.
    if (ok) TheUndoStore().DropSavedOf(&doc);
  }
  if (ok) {
    recordDoc_ = &doc;
    App().playingDocument = &doc;
  }
  Flush();
  return ok;
}

bool AudioTransport::RecordAll(CTarkelDoc& doc) { return StartRecording(doc, 0, doc.Sound().Frames(), false); }

bool AudioTransport::RecordSelection(CTarkelDoc& doc, const Selection& selection) {
  const DocWaveAudio& wave = doc.Sound();
  const uint32_t a = EvenFrame(selection.First());
  const uint32_t b = SelectionEnd(selection.Last(wave), wave.Frames());
  return StartRecording(doc, a, b, true);
}

// --- Timer ----------------------------------------------------------------------------------

bool AudioTransport::Poll() {
  bool ended = false;
  if (recordDoc_ && record_.Poll()) {
    CTarkelDoc* doc = recordDoc_;
    recordDoc_ = nullptr;
    if (App().playingDocument == doc) App().playingDocument = nullptr;
    doc->OnAudioStopped(AudioEnd::Record);
    ended = true;
  }
  if (playDoc_ && play_.PollPlayback()) {
    lastPlayRanOut_ = true;
    CTarkelDoc* doc = playDoc_;
    playDoc_ = nullptr;
    heldDocs_.clear();
    if (App().playingDocument == doc) App().playingDocument = nullptr;
    doc->UpdateAllViews(hint::kForgetMarkerColumn);
    doc->OnAudioStopped(AudioEnd::Play, settings_.scrollToPlayRecMarker != 0);
    // The pieces of a play script in another format start now that the device has played out.
    const bool goesOn = !play_.LastPlayFailed() && !script_.empty() && QueueScript();
    if (!goesOn) DropScript();
    ended = ended || !goesOn;
  }
  FollowPlayingDocument();
  MarkScriptDocuments();
  Flush();
  return ended;
}

void AudioTransport::Tick() {
  tick_ ^= 1;
  // A script's next piece in another format starts at the first poll after the device has
  // played out: polling on every tick while one waits keeps that pause within one period.
  if (tick_ == 0 || !script_.empty()) Poll();
  CTarkelDoc* doc = recordDoc_ ? recordDoc_ : playDoc_;
  if (!doc) return;
  const uint32_t frame = CurrentTransportFrame();
  if (settings_.showPlayRecMarker) doc->UpdateAllViews(hint::kPosition);
  const std::vector<TransportListener*> listeners = listeners_;
  for (TransportListener* l : listeners) l->OnTransportPosition(*doc, frame);
}

uint32_t AudioTransport::CurrentTransportFrame() {
  if (record_.Recording()) return record_.CurrentRecordFrame();
  if (play_.Busy()) return play_.CurrentPlayFrame();
  return 0;
}

TransportState AudioTransport::State(const CTarkelDoc* doc, bool clipboardHasWave) const {
  TransportState s;
  s.hasSound = doc && doc->Sound().HasData() && doc->Sound().Frames() > 0;
  s.playing = play_.Busy();
  s.recording = record_.Recording();
  s.paused = play_.Paused();
  s.loopOn = doc && doc->PlayLoopChecked();
  s.clipboardHasWave = clipboardHasWave;
  s.prepareRecording = settings_.showPrepareRecordingDlg != 0;
  return s;
}

// --- Volume ---------------------------------------------------------------------------------

uint16_t AudioTransport::Volume(DeviceNumber n, bool right) {
  if (n >= devices_.OutputCount()) n = 0;
  const uint32_t v = devices_.OutputVolume(n);
  return uint16_t(right ? v >> 16 : v & 0xFFFF);
}

void AudioTransport::SetVolume(DeviceNumber n, bool right, uint16_t value) {
  if (n >= devices_.OutputCount()) n = 0;
  const uint32_t v = devices_.OutputVolume(n);
  devices_.SetOutputVolume(n, right ? (v & 0xFFFF) | (uint32_t(value) << 16) : (v & 0xFFFF0000u) | value);
}

}  // namespace tarkel::audio
