#include "app/DocumentCommands.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "app/AppState.h"
#include "app/BackgroundLoading.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CommandIds.h"
#include "app/EditDialogs.h"
#include "view/DisplayState.h"
#include "app/FileFilters.h"
#include "app/OpenFileDialog.h"
#include "app/Preferences.h"
#include "app/QtPorts.h"
#include "document/CTarkelDoc.h"
#include "document/DocumentHooks.h"
#include "document/UndoStore.h"
#include "editing/Clipboard.h"
#include "document/EditCommands.h"
#include "editing/SampleFormatConversion.h"
#include "document/EffectCommands.h"
#include "effects/EffectIds.h"
#include "effects/EffectRequest.h"
#include "effects/EffectTable.h"
#include "sound/AppContext.h"
#include "sound/MessageIds.h"
#include "sound/MessageTable.h"
#include "sound/Ports.h"
#include "view/ui/DocumentView.h"

namespace tarkel::app {
namespace {

// The name the framework gives a new document: the document type's name and a running number.
constexpr const char* kUntitledName = "Tarkel";
// The document type's filter for Save as.
constexpr const char* kDocumentFilter = "Sample-Files (*.wav;*.voc)|*.wav;*.voc||";
constexpr const char* kDefaultSuffix = "wav";

int untitledCount = 0;

Selection SelectionOf(const CommandContext& c) { return c.view ? c.view->CurrentSelection() : Selection(); }

bool HasSound(const CommandContext& c) { return c.doc && c.doc->Sound().HasData(); }

bool ClipboardHasWave() { return CurrentPorts().clipboard->HasWave(); }

bool IsStereo(const CommandContext& c) { return HasSound(c) && c.doc->Sound().Channels() == 2; }

void RunEdit(CommandContext& c, EditCommand command, const EditArgs& args = {}) {
  DocWaveAudio& sound = c.doc->Sound();
  const Selection selection = SelectionOf(c);
  EditCommandResult result;
  const bool ok = RunEditCommand(*c.doc, command, selection.First(), selection.Last(sound), selection.Mode(sound),
                                 args, &result);
  if (ok && result.newSelection && c.view) {
    Selection next = selection;
    next.Adopt(result.selFirst, result.selLast, result.selMode);
    c.view->SetSelection(next);
  }
}

void ApplyEffect(CommandContext& c, EffectRequest request) {
  request.Bind();
  DocWaveAudio& sound = c.doc->Sound();
  const Selection selection = SelectionOf(c);
  ApplyEffectCommand(*c.doc, request, selection.First(), selection.Last(sound), selection.Mode(sound));
}

void ApplyTableEffect(CommandContext& c, uint32_t effectId) {
  EffectRequest request;
  request.entry = FindEffect(effectId);
  if (!request.entry) return;
  request.params.effectId = effectId;
  ApplyEffect(c, request);
}

void ApplyOperation(CommandContext& c, EffectOperation operation) {
  EffectRequest request;
  request.operation = operation;
  ApplyEffect(c, request);
}

// "Convert Format and Data" and "Change Format w/o Data": the whole sound.
void ChangeFormat(CommandContext& c, bool withData) {
  ChangeFormatCommand(*c.doc, withData, SelectionOf(c).Mode(c.doc->Sound()));
}

void InsertSilence(CommandContext& c) {
  const Selection selection = SelectionOf(c);
  const DocWaveAudio& sound = c.doc->Sound();
  const uint32_t proposal = selection.Last(sound) - selection.First() + 1;
  const auto frames = AskLength(&c.frame, QObject::tr("Insert Silence"), sound.Format(), TheDisplayState().Unit(),
                                TheDisplayState().FrameRate(), proposal);
  if (!frames || *frames == 0) return;
  EditArgs args;
  args.frames = *frames;
  RunEdit(c, EditCommand::InsertSilence, args);
}

void SaveSelectedArea(CommandContext& c) {
  CTarkelDoc& doc = *c.doc;
  const QString path = QFileDialog::getSaveFileName(&c.frame, QObject::tr("Save selected area"),
                                                    QString::fromStdString(doc.PathName()),
                                                    MfcFilterToQt(MessageText(msg::kSampleFileFilter)));
  if (path.isEmpty()) return;
  const Selection selection = SelectionOf(c);
  const uint32_t frames = doc.Sound().Frames();
  // The selection's last frame is inclusive; the writer takes the frame after it.
  const uint32_t last = selection.Last(doc.Sound());
  const uint32_t end = last + 1 < frames ? last + 1 : frames;
  doc.SaveSelectedArea(WithDefaultSuffix(path, kDefaultSuffix).toStdString(), selection.First(), end);
}

void OpenFiles(CommandContext& c) {
  OpenFileChoice choice;
  choice.hardDisk = App().hardDiskEditing != 0;
  choice.backup = App().backupOnOpen;
  const QStringList paths = AskOpenFiles(&c.frame, OpenFileFilter(), choice);
  App().hardDiskEditing = choice.hardDisk ? 1 : 0;
  App().backupOnOpen = choice.backup;
  for (const QString& path : paths) c.frame.OpenFile(path);
}

}  // namespace

QString OpenFileFilter() {
  return MfcFilterToQt(
      "Adlib-Sample (*.SMP)|*.smp|Amiga IFF (*.IFF)|*.iff|Covox 8bit (*.V8)|*.v8|SoundDesigner (*.DIG;*.SD)|"
      "*.dig;*.sd|Intervoice Telefhony Systems (*.IVC)|*.ivc|Macintosh (*.AIF)|*.aif|Mac SND (*.SND)| *.snd|"
      "NExT/Sun (*.AU)|*.au|Sample-Vision (*.SMP)|*.smp|Formatfreie Datei (*.RAW)|*.raw|MS-WAVE-RIFF (*.WAV)|"
      "*.wav|CreativeVoice (*.VOC)|*.voc|Alle Sample-Dateien|*.voc;*.wav;*.snd;*.raw;*.v8;*.au;*.dig;*.iff;*.smp|"
      "Alle Dateien   (*.*) |*.*||");
}

QString SampleFileFilter() { return MfcFilterToQt(kDocumentFilter); }

CommandState DocumentCommandState(const CommandContext& c, int id) {
  using namespace cmd;
  switch (id) {
    case kFileNew:
    case kFileOpen: return {true, false};
    case kPasteNew: return {CanPasteNew(), false};
    case kDisableUndo: return {true, TheUndoStore().DisableUndoChecked()};
    case kAutoConvert: return {true, App().autoConvertDisabled};
    default: break;
  }
  if (!c.doc) return {};
  CTarkelDoc& doc = *c.doc;
  switch (id) {
    case kFileSave:
    case kFileSaveAs:
    case kDeleteFile: return {!doc.Sound().IsHardDisk(), false};  // the file is the document
    case kSaveSelectedArea:
    case kChangeLength: return {true, false};
    case kUndo: return {doc.CanUndo(), false};
    case kPlayLoop: return {doc.PlayLoopEnabled(), doc.PlayLoopChecked()};
    case kCopy:
    case kCut:
    case kTrim:
    case kDelete:
    case kErase:
    case kSetToZero:
    case kInsertSilence:
    case kConvertFormat:
    case kChangeFormatNoData:
    case kNormalize:
    case kReverse:
    case kInvert:
    case kPcAmiga: return {HasSound(c), false};
    case kPaste:
    case kPasteOver:
    case kPasteOverExactly:
    case kMix:
    case kMixExactly: return {ClipboardHasWave(), false};
    case kSwapChannels:
    case kMatchChannels: return {IsStereo(c), false};
    default: return {};
  }
}

void RunDocumentCommand(CommandContext& c, int id) {
  using namespace cmd;
  switch (id) {
    case kFileNew:
      if (auto doc = NewDocument(false)) c.frame.AddDocument(std::move(doc));
      return;
    case kPasteNew:
      if (auto doc = NewDocument(true)) c.frame.AddDocument(std::move(doc));
      return;
    case kFileOpen: OpenFiles(c); return;
    case kDisableUndo: TheUndoStore().ToggleEnabled(); return;
    case kAutoConvert: App().autoConvertDisabled = !App().autoConvertDisabled; return;
    default: break;
  }
  if (!c.doc) return;
  CTarkelDoc& doc = *c.doc;
  switch (id) {
    case kFileSave:
    case kFileSaveAs:
      if (SaveDocument(doc, &c.frame, id == kFileSaveAs)) c.frame.NoteRecentFile(QString::fromStdString(doc.PathName()));
      return;
    case kSaveSelectedArea: SaveSelectedArea(c); return;
    case kDeleteFile: doc.DeleteFile(); return;
    case kChangeLength: doc.ChangeLength(); return;
    case kUndo: doc.UndoLastChange(); return;
    case kPlayLoop: doc.TogglePlayLoop(); return;
    case kCopy: RunEdit(c, EditCommand::Copy); return;
    case kCut: RunEdit(c, EditCommand::Cut); return;
    case kPaste: RunEdit(c, EditCommand::Paste); return;
    case kPasteOver: RunEdit(c, EditCommand::PasteOver); return;
    case kPasteOverExactly: RunEdit(c, EditCommand::PasteOverExactly); return;
    case kMix: RunEdit(c, EditCommand::Mix); return;
    case kMixExactly: RunEdit(c, EditCommand::MixExactly); return;
    case kTrim: RunEdit(c, EditCommand::Trim); return;
    case kDelete: RunEdit(c, EditCommand::Delete); return;
    case kErase:
    case kSetToZero: RunEdit(c, EditCommand::Erase); return;
    case kInsertSilence: InsertSilence(c); return;
    case kConvertFormat: ChangeFormat(c, true); return;
    case kChangeFormatNoData: ChangeFormat(c, false); return;
    case kNormalize: ApplyTableEffect(c, effect::kNormalize); return;
    case kReverse: ApplyTableEffect(c, effect::kReverse); return;
    case kPcAmiga: ApplyTableEffect(c, effect::kAmiga); return;
    case kInvert: ApplyOperation(c, EffectOperation::Invert); return;
    case kSwapChannels: ApplyOperation(c, EffectOperation::Swap); return;
    case kMatchChannels: ApplyOperation(c, EffectOperation::Match); return;
    default: return;
  }
}

std::unique_ptr<CTarkelDoc> NewDocument(bool fromClipboard) {
  auto doc = std::make_unique<CTarkelDoc>();
  doc->SetTitle(kUntitledName + std::to_string(++untitledCount));
  if (fromClipboard) App().pasteAsNewMarker = kPasteAsNewMarker;
  const bool ok = doc->New();
  App().pasteAsNewMarker = 0;
  if (!ok) {
    --untitledCount;
    return nullptr;
  }
  return doc;
}

std::unique_ptr<CTarkelDoc> OpenDocument(const QString& path) {
  auto doc = std::make_unique<CTarkelDoc>();
  if (!doc->Open(QFileInfo(path).absoluteFilePath().toStdString())) return nullptr;
  return doc;
}

bool SaveDocument(CTarkelDoc& doc, QWidget* owner, bool askName) {
  QString path = QString::fromStdString(doc.PathName());
  if (askName || path.isEmpty()) {
    const QString proposal = path.isEmpty() ? QString::fromStdString(doc.Title()) : path;
    path = QFileDialog::getSaveFileName(owner, QObject::tr("Save As"), proposal, SampleFileFilter());
    if (path.isEmpty()) return false;
    path = WithDefaultSuffix(path, kDefaultSuffix);
  }
  return doc.Save(path.toStdString());
}

bool QuerySaveDocument(CTarkelDoc& doc, QWidget* owner) {
  if (!doc.NeedsSaveQuestion()) return true;
  const auto answer =
      QMessageBox::question(owner, kMessageCaption, QObject::tr("Save changes to %1?").arg(QString::fromStdString(doc.Title())),
                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
  if (answer == QMessageBox::Cancel) return false;
  if (answer == QMessageBox::No) return true;
  return SaveDocument(doc, owner, false);
}

bool DocumentBusy(const CTarkelDoc& doc) { return doc.Sound().ProgressActive(); }

void CloseDocument(CTarkelDoc& doc) { doc.Close(); }

bool CanPasteNew() { return ClipboardHasWave() && App().playingDocument == nullptr; }

void InstallDocumentHooks(QWidget* owner, const AppState&) {
  InstallBackgroundReadPoster();
  DocumentHooks& hooks = TheDocumentHooks();
  hooks.pasteAsNew = [](CTarkelDoc& doc) { return FillFromClipboard(doc.Sound()); };
  hooks.askLength = [owner](CTarkelDoc& doc, uint32_t proposed) {
    return AskLength(owner, "Change Sample Length", doc.Sound().Format(), TheDisplayState().Unit(),
                     TheDisplayState().FrameRate(), proposed);
  };
}

void ApplyPreferencesToCore(const Preferences& prefs) {
  AppContext& app = App();
  app.hardDiskEditing = prefs.hardDiskEditing;
  app.loadInBackground = prefs.loadInBackground;
  app.dragDropReplaceMoveWithSilence = prefs.dragDropReplaceMoveWithSilence;
  app.warningIfNoUndo = prefs.warningIfNoUndo;
}

void ReadPreferencesFromCore(Preferences& prefs) {
  const AppContext& app = App();
  prefs.hardDiskEditing = app.hardDiskEditing;
  prefs.loadInBackground = app.loadInBackground;
  prefs.dragDropReplaceMoveWithSilence = app.dragDropReplaceMoveWithSilence;
  prefs.warningIfNoUndo = app.warningIfNoUndo;
}

}  // namespace tarkel::app
