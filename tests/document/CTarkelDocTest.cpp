#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "DocumentTestSupport.h"
#include "document/CTarkelDoc.h"
#include "sound/MessageIds.h"
#include "support/Signals.h"

namespace tarkel {
namespace {

namespace fs = std::filesystem;
using test::DocumentTest;

// A folder of the test's own, removed afterwards.
class TempDir {
 public:
  TempDir() {
    path_ = fs::temp_directory_path() / ("tarkel-doc-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~TempDir() { fs::remove_all(path_); }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  fs::path path_;
  static inline int counter_ = 0;
};

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class CTarkelDocTest : public DocumentTest {};

// --- New ------------------------------------------------------------------------------------

TEST_F(CTarkelDocTest, NewCancelledLeavesNoSoundAndShowsNothing) {
  CTarkelDoc doc;
  ports.chooserResult = kChooseCancel;
  EXPECT_FALSE(doc.New());
  EXPECT_TRUE(ports.messages.empty());
  EXPECT_FALSE(doc.Sound().HasData());
  ASSERT_EQ(ports.chooserTitles.size(), 1u);
  EXPECT_EQ(ports.chooserTitles[0], "Create new sample");
}

TEST_F(CTarkelDocTest, NewChooserErrorsShowTheirMessages) {
  const std::pair<int, int> cases[] = {
      {kChooseNotPossible, msg::kGeneralError}, {kChooseBusy, msg::kNotPossibleNow}, {7, msg::kUnknownAcmError}};
  for (auto [code, message] : cases) {
    CTarkelDoc doc;
    ports.messages.clear();
    ports.chooserResult = code;
    EXPECT_FALSE(doc.New());
    EXPECT_EQ(ports.messages, std::vector<int>{message}) << code;
  }
}

// A chooser that accepts the format it is offered.
struct AcceptingChooser : FormatChooserPort {
  int Choose(const std::string&, WaveFormat& format) override {
    offered = format;
    return kChooseOk;
  }
  WaveFormat offered;
};

TEST_F(CTarkelDocTest, NewAcceptedHoldsThirtySecondsOfSilence) {
  AcceptingChooser chooser;
  Ports p = CurrentPorts();
  p.formatChooser = &chooser;
  SetPorts(p);
  App().hardDiskEditing = 1;

  CTarkelDoc doc;
  ASSERT_TRUE(doc.New());
  EXPECT_EQ(chooser.offered.FormatTag(), kFormatTagPcm);
  EXPECT_EQ(chooser.offered.Channels(), 1);
  EXPECT_EQ(chooser.offered.SamplesPerSec(), 22050u);
  EXPECT_EQ(chooser.offered.AvgBytesPerSec(), 22050u);
  EXPECT_EQ(chooser.offered.BlockAlign(), 1);
  EXPECT_EQ(chooser.offered.BitsPerSample(), 8);
  EXPECT_EQ(chooser.offered.ExtraSize(), 0);

  EXPECT_EQ(test::Bytes(doc.Sound()), std::vector<uint8_t>(661500, 127));
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(App().hardDiskEditing, 0);  // a new sound never lives on disk
  EXPECT_FALSE(doc.IsHardDisk());
  EXPECT_TRUE(ports.messages.empty());
}

TEST_F(CTarkelDocTest, NewLengthComesFromTheLengthDialog) {
  ports.chooserResult = kChooseOk;
  ports.chosenFormat = WaveFormat::Pcm(2, 44100, 16);
  std::vector<uint32_t> proposals;
  TheDocumentHooks().askLength = [&](CTarkelDoc&, uint32_t proposed) -> std::optional<uint32_t> {
    proposals.push_back(proposed);
    return 1000;
  };
  CTarkelDoc doc;
  test::RecordingView view;
  doc.AddObserver(&view);
  ASSERT_TRUE(doc.New());
  EXPECT_EQ(proposals, std::vector<uint32_t>{kNewSampleFrames});
  EXPECT_EQ(test::Bytes(doc.Sound()), std::vector<uint8_t>(4000, 0));
  EXPECT_EQ(view.lengths, std::vector<uint32_t>{1000});

  // Change Length later proposes the current length; cancel changes nothing.
  TheDocumentHooks().askLength = [&](CTarkelDoc&, uint32_t proposed) -> std::optional<uint32_t> {
    proposals.push_back(proposed);
    return std::nullopt;
  };
  doc.SetModified(false);
  EXPECT_FALSE(doc.ChangeLength());
  EXPECT_EQ(proposals.back(), 1000u);
  EXPECT_EQ(doc.Sound().DataSize(), 4000u);
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(CTarkelDocTest, LengthThatCannotBeHeldKeepsTheOldData) {
  CTarkelDoc doc;
  test::Fill(doc.Sound(), 2, 44100, 16, test::Staircase16(20));
  EXPECT_FALSE(doc.SetLength(0x7FFFFFFFu));  // 8 GB of 16-bit stereo frames
  EXPECT_EQ(ports.messages, std::vector<int>{msg::kNotEnoughMemory});
  EXPECT_EQ(test::Bytes(doc.Sound()), test::Staircase16(20));
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(CTarkelDocTest, PasteNewFillsFromTheClipboardHook) {
  int pastes = 0;
  TheDocumentHooks().pasteAsNew = [&](CTarkelDoc& doc) {
    ++pastes;
    test::Fill(doc.Sound(), 1, 8000, 8, test::Staircase8(10));
    return true;
  };
  App().pasteAsNewMarker = kPasteAsNewMarker;
  CTarkelDoc doc;
  ASSERT_TRUE(doc.New());
  EXPECT_EQ(pastes, 1);
  EXPECT_EQ(App().pasteAsNewMarker, 0);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_TRUE(ports.chooserTitles.empty());
  EXPECT_EQ(ports.waitDepth, 0);
}

// --- Open and the backup copy ---------------------------------------------------------------

TEST_F(CTarkelDocTest, BackupNameKeepsTheFolderAndUpperCasesTheName) {
  EXPECT_EQ(BackupNameFor("/snd/test.wav"), "/snd/TEST_copy.WAV");
  EXPECT_EQ(BackupNameFor("/Sounds.wav.d/take.Wav"), "/Sounds.wav.d/TAKE_copy.WAV");
  EXPECT_EQ(BackupNameFor("rel/a.b.WAV.old"), "rel/A.B_copy.WAV");
  EXPECT_EQ(BackupNameFor("song.wav"), "SONG_copy.WAV");
  EXPECT_EQ(BackupNameFor("/x.wav/clip.voc"), "");
  EXPECT_TRUE(NameHasWaveExtension("/a/B.wAv"));
  EXPECT_FALSE(NameHasWaveExtension("/x.wav/clip.voc"));
}

// Writes a 16-bit stereo staircase of `frames` frames to `path` through a document.
void WriteSound(const std::string& path, uint32_t frames) {
  CTarkelDoc writer;
  test::Fill(writer.Sound(), 2, 22050, 16, test::Staircase16(frames * 2));
  ASSERT_TRUE(writer.Save(path));
}

TEST_F(CTarkelDocTest, SavedSoundOpensAgainCleanWithItsName) {
  TempDir dir;
  const std::string path = dir.File("round.wav");
  CTarkelDoc doc;
  test::Fill(doc.Sound(), 2, 22050, 16, test::Staircase16(200));
  doc.SetModified(true);
  ASSERT_TRUE(doc.Save(path));
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(doc.Title(), "round.wav");

  CTarkelDoc again;
  again.SetModified(true);
  ASSERT_TRUE(again.Open(path));
  EXPECT_FALSE(again.IsModified());
  EXPECT_EQ(again.PathName(), path);
  EXPECT_EQ(again.Sound().Channels(), 2);
  EXPECT_EQ(test::Bytes(again.Sound()), test::Staircase16(200));

  // The area from frame 10 up to, not including, frame 30 is a file of its own.
  ASSERT_TRUE(again.SaveSelectedArea(dir.File("part.wav"), 10, 30));
  CTarkelDoc part;
  ASSERT_TRUE(part.Open(dir.File("part.wav")));
  const std::vector<uint8_t> all = test::Staircase16(200);
  EXPECT_EQ(test::Bytes(part.Sound()), std::vector<uint8_t>(all.begin() + 40, all.begin() + 120));
  EXPECT_TRUE(ports.messages.empty());
}

TEST_F(CTarkelDocTest, VocFileIsNeverEditedOnDiskAndGetsNoBackup) {
  TempDir dir;
  const std::string voc = dir.File("x.voc");
  {
    CTarkelDoc writer;
    test::Fill(writer.Sound(), 1, 22050, 8, test::Staircase8(300));
    ASSERT_TRUE(writer.Save(voc));
  }
  App().hardDiskEditing = 1;
  App().backupOnOpen = true;
  CTarkelDoc doc;
  ASSERT_TRUE(doc.Open(voc));
  EXPECT_FALSE(doc.IsHardDisk());
  EXPECT_FALSE(doc.Sound().IsHardDisk());
  EXPECT_EQ(test::Bytes(doc.Sound()), test::Staircase8(300));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.File("")), fs::directory_iterator()), 1);  // no backup
}

TEST_F(CTarkelDocTest, HardDiskOpenReplacesAnOlderBackupBesideTheFile) {
  TempDir dir;
  const std::string song = dir.File("song.wav");
  WriteSound(song, 50);
  const std::string original = ReadText(song);
  WriteText(dir.File("SONG_copy.WAV"), "older backup");
  App().hardDiskEditing = 1;
  App().backupOnOpen = true;
  CTarkelDoc doc;
  ASSERT_TRUE(doc.Open(song));
  EXPECT_TRUE(doc.IsHardDisk());
  EXPECT_EQ(ReadText(dir.File("SONG_copy.WAV")), original);
  EXPECT_EQ(ReadText(song), original);
  EXPECT_FALSE(fs::exists(dir.File("SONG_copy.WAV.part")));
  EXPECT_TRUE(ports.messages.empty());
}

TEST_F(CTarkelDocTest, FailedBackupDestroysNothingAndOpenGoesOn) {
  TempDir dir;
  const std::string song = dir.File("song.wav");
  WriteSound(song, 10);
  const std::string original = ReadText(song);
  // Something that a file cannot replace stands where the backup goes.
  fs::create_directories(dir.File("SONG_copy.WAV"));
  WriteText(dir.File("SONG_copy.WAV/keep"), "kept");
  App().hardDiskEditing = 1;
  App().backupOnOpen = true;
  CTarkelDoc doc;
  EXPECT_TRUE(doc.Open(song));
  ASSERT_FALSE(ports.messages.empty());
  EXPECT_EQ(ports.messages[0], msg::kBackupError);
  EXPECT_EQ(ReadText(dir.File("SONG_copy.WAV/keep")), "kept");
  EXPECT_EQ(ReadText(song), original);
  EXPECT_FALSE(fs::exists(dir.File("SONG_copy.WAV.part")));
  EXPECT_EQ(ports.messages.size(), 1u);
  EXPECT_EQ(doc.Sound().Frames(), 10u);
}

TEST_F(CTarkelDocTest, NoBackupWithoutHardDiskMode) {
  TempDir dir;
  const std::string song = dir.File("song.wav");
  WriteText(song, "RIFF");
  App().backupOnOpen = true;
  CTarkelDoc doc;
  doc.Open(song);
  EXPECT_FALSE(doc.IsHardDisk());
  EXPECT_FALSE(fs::exists(dir.File("SONG_copy.WAV")));
}

// --- Save, save selected area, delete --------------------------------------------------------

TEST_F(CTarkelDocTest, FailedSaveLeavesTheDocumentModified) {
  TempDir dir;
  CTarkelDoc doc;
  test::Fill(doc.Sound(), 1, 22050, 8, test::Staircase8(100));
  doc.SetModified(true);
  doc.SetPathName(dir.File("old.wav"));
  EXPECT_FALSE(doc.Save(dir.File("missing-folder/new.wav")));
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(doc.PathName(), dir.File("old.wav"));
  EXPECT_EQ(ports.waitDepth, 0);
}

TEST_F(CTarkelDocTest, FailedSaveOfTheAreaShows4003AndKeepsHardDiskMode) {
  TempDir dir;
  CTarkelDoc doc;
  test::Fill(doc.Sound(), 1, 22050, 8, test::Staircase8(100));
  doc.Sound().SetHardDisk(true);
  EXPECT_FALSE(doc.SaveSelectedArea(dir.File("missing-folder/part.wav"), 10, 20));
  EXPECT_EQ(ports.messages.back(), msg::kFileWriteError);
  EXPECT_TRUE(doc.Sound().IsHardDisk());
  ports.messages.clear();
  EXPECT_FALSE(doc.SaveSelectedArea(dir.File("part.wav"), 10, 101));  // past the end
  EXPECT_EQ(ports.messages, std::vector<int>{msg::kFileWriteError});
  EXPECT_FALSE(fs::exists(dir.File("part.wav")));
  doc.Sound().SetHardDisk(false);
}

TEST_F(CTarkelDocTest, DeleteAsksFirstAndReportsFailure) {
  TempDir dir;
  const std::string file = dir.File("gone.wav");
  WriteText(file, "x");
  CTarkelDoc doc;
  doc.SetPathName(file);

  ports.answers = {false};
  EXPECT_FALSE(doc.DeleteFile());
  EXPECT_TRUE(fs::exists(file));
  EXPECT_EQ(ports.messages, std::vector<int>{msg::kReallyDelete});
  EXPECT_EQ(ports.questions[0], "Really delete the file ?");

  ports.answers = {true};
  EXPECT_TRUE(doc.DeleteFile());
  EXPECT_FALSE(fs::exists(file));

  ports.messages.clear();
  ports.answers = {true};
  EXPECT_FALSE(doc.DeleteFile());
  EXPECT_EQ(ports.messages, (std::vector<int>{msg::kReallyDelete, msg::kDeleteFileError}));
}

// --- The edit wrapper ------------------------------------------------------------------------

TEST_F(CTarkelDocTest, RunEditTellsRegionsAndViewsAndMarksModified) {
  CTarkelDoc doc;
  test::RecordingView view;
  doc.AddObserver(&view);
  test::Fill(doc.Sound(), 2, 22050, 8, test::Staircase8(100));
  int depthInside = 0;
  EXPECT_TRUE(doc.RunEdit(UndoRequest::Of(UndoKind::Insertion, 20, 40), ChannelMode::Both, [&](DocWaveAudio&) {
    depthInside = ports.waitDepth;
    return EditOutcome::Inserted(10, 19, ChannelMode::Both);
  }));
  EXPECT_EQ(depthInside, 1);
  EXPECT_EQ(ports.waitDepth, 0);
  ASSERT_EQ(regions.notices.size(), 1u);
  EXPECT_EQ(regions.docs[0], &doc);
  EXPECT_EQ(regions.notices[0].restore, 0);
  EXPECT_EQ(regions.notices[0].mode, ChannelMode::Both);
  EXPECT_EQ(doc.LastRegionNotice().end, 19u);
  EXPECT_EQ(view.hints, std::vector<uint32_t>{hint::kAll});
  EXPECT_TRUE(doc.IsModified());
  EXPECT_TRUE(doc.CanUndo());
  EXPECT_EQ(TheUndoStore().Kind(), UndoKind::Insertion);
}

TEST_F(CTarkelDocTest, FailedEditIsReportedAndLeavesTheDocumentClean) {
  CTarkelDoc doc;
  test::Fill(doc.Sound(), 1, 22050, 8, test::Staircase8(100));
  EXPECT_FALSE(doc.RunEdit(UndoRequest::None(), ChannelMode::Mono, [](DocWaveAudio&) { return EditOutcome::Failed(); }));
  EXPECT_FALSE(doc.IsModified());
  EXPECT_TRUE(regions.notices.empty());
  EXPECT_FALSE(doc.CanUndo());
}

TEST_F(CTarkelDocTest, ChangeWithoutItsOwnRecordDropsThisDocumentsOlderOne) {
  CTarkelDoc doc;
  CTarkelDoc other;
  test::Fill(doc.Sound(), 1, 22050, 8, test::Staircase8(100));
  test::Fill(other.Sound(), 1, 22050, 8, test::Staircase8(100));
  const auto changeInPlace = [](DocWaveAudio& w) {
    w.Data()[0] ^= 0xFF;
    return EditOutcome::Done();
  };
  // A format change records nothing: the earlier record no longer fits the sound.
  ASSERT_TRUE(doc.RunEdit(UndoRequest::Of(UndoKind::Replacement, 0, 10), ChannelMode::Mono, changeInPlace));
  ASSERT_TRUE(doc.CanUndo());
  ASSERT_TRUE(doc.RunEdit(UndoRequest::None(), ChannelMode::Mono, changeInPlace));
  EXPECT_FALSE(doc.CanUndo());

  // With undo switched off the same holds, while another document's record stays.
  ASSERT_TRUE(other.RunEdit(UndoRequest::Of(UndoKind::Replacement, 0, 10), ChannelMode::Mono, changeInPlace));
  TheUndoStore().SetEnabled(false);
  ASSERT_TRUE(doc.RunEdit(UndoRequest::Of(UndoKind::Replacement, 0, 10), ChannelMode::Mono, changeInPlace));
  EXPECT_TRUE(other.CanUndo());
  ASSERT_TRUE(other.RunEdit(UndoRequest::Of(UndoKind::Replacement, 0, 10), ChannelMode::Mono, changeInPlace));
  EXPECT_FALSE(other.CanUndo());
}

// --- Close, play loop, audio end -------------------------------------------------------------

TEST_F(CTarkelDocTest, ClosingAPlayingDocumentStopsItFirst) {
  std::vector<bool> playingWhenStopped;
  TheDocumentHooks().stopAudio = [&](CTarkelDoc& d) { playingWhenStopped.push_back(d.Sound().IsPlaying()); };
  CTarkelDoc doc;
  test::Fill(doc.Sound(), 1, 22050, 8, test::Staircase8(100));
  doc.Sound().SetPlaying(true);
  App().playingDocument = &doc;
  doc.SetModified(true);
  TheUndoStore().SetDataBase(doc.Sound().Data());
  ASSERT_TRUE(TheUndoStore().SaveUndo(&doc, 0, 10, ChannelMode::Mono, UndoKind::Replacement));

  doc.Close();
  EXPECT_EQ(playingWhenStopped, std::vector<bool>{true});
  EXPECT_EQ(App().playingDocument, nullptr);
  EXPECT_FALSE(doc.Sound().IsPlaying());
  EXPECT_FALSE(doc.Sound().HasData());
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(regions.closed, std::vector<CTarkelDoc*>{&doc});
}

TEST_F(CTarkelDocTest, PlayLoopSwitchesTheRepeatCount) {
  CTarkelDoc doc;
  EXPECT_FALSE(doc.PlayLoopChecked());
  doc.TogglePlayLoop();
  EXPECT_EQ(doc.Sound().RepeatCount(), 32000u);
  EXPECT_TRUE(doc.PlayLoopChecked());
  doc.TogglePlayLoop();
  EXPECT_EQ(doc.Sound().RepeatCount(), 1u);
  EXPECT_TRUE(doc.PlayLoopEnabled());
  App().playingDocument = &doc;
  EXPECT_FALSE(doc.PlayLoopEnabled());
}

TEST_F(CTarkelDocTest, PlayRecordsThePlayingDocumentAndItsEndRedraws) {
  CTarkelDoc doc;
  test::RecordingView view;
  doc.AddObserver(&view);
  test::Fill(doc.Sound(), 1, 22050, 8, test::Staircase8(100));
  EXPECT_FALSE(doc.PlayAll());  // no engine
  EXPECT_EQ(App().playingDocument, nullptr);
  std::vector<std::pair<uint32_t, uint32_t>> played;
  TheDocumentHooks().play = [&](CTarkelDoc&, uint32_t a, uint32_t b) {
    played.emplace_back(a, b);
    return true;
  };
  EXPECT_TRUE(doc.PlayLeadInOut(30, 60));
  EXPECT_EQ(played, (std::vector<std::pair<uint32_t, uint32_t>>{{0, 29}, {61, 100}}));
  EXPECT_EQ(App().playingDocument, &doc);

  ASSERT_TRUE(doc.Sound().WorkImage().Allocate(16));
  doc.OnAudioStopped(AudioEnd::Play, true);
  EXPECT_EQ(view.hints, (std::vector<uint32_t>{hint::kAll, hint::kPlayEnded}));
  EXPECT_TRUE(doc.Sound().WorkImage().Empty());
  EXPECT_GE(view.titles, 1);
}

}  // namespace
}  // namespace tarkel
