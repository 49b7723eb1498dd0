// The waveform view on the offscreen platform: what it draws (pixels of grab()), the marker,
// the mouse and keys, and drag and drop between windows compared with tarkel-cli.
#include <gtest/gtest.h>

#include <QDropEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPrinter>
#include <QMimeData>
#include <QTest>
#include <QWheelEvent>
#include <cmath>
#include <filesystem>

#include "cli/CliRunner.h"
#include "fileformats/SoundFile.h"
#include "support/Signals.h"
#include "support/TestPorts.h"
#include "view/ViewCommandIds.h"
#include "view/ui/CTarkelView.h"
#include "view/ViewTestSupport.h"  // tests/view

// The font library keeps a few blocks until the process ends; that is not ours to free.
extern "C" __attribute__((used)) const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }

namespace tarkel {
namespace {

using test::Rgb;

class ViewWidget : public ::testing::Test {
 protected:
  ViewWidget() {
    test::OffscreenApp();
    TheViewPreferences() = ViewPreferences{};
    TheViewPreferences().autoSnapToZero = 0;
    TheDocumentHooks() = DocumentHooks{};
    App() = AppContext{};
    TheUndoStore().DropSaved();
    TheUndoStore().SetEnabled(true);
  }
  ~ViewWidget() override {
    TheViewPreferences() = ViewPreferences{};
    SetPlayPositionSource(nullptr);
    TheUndoStore().DropSaved();
  }

  // A shown view whose wave area is `width` x `waveHeight` pixels.
  std::unique_ptr<CTarkelView> Show(CTarkelDoc& doc, int width, int waveHeight) {
    auto view = std::make_unique<CTarkelView>(doc);
    view->resize(width, 100);
    const int bar = view->height() - view->ClientRect().height();
    view->resize(width, waveHeight + ViewGeometry::kTimeAxisBand + bar);
    view->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    EXPECT_EQ(view->Geometry().WaveHeight(), waveHeight);
    return view;
  }

  static QImage Picture(CTarkelView& view) { return view.grab().toImage().convertToFormat(QImage::Format_RGB32); }

  test::RecordingPorts ports;
};

TEST_F(ViewWidget, BelowThreeFramesPerPixelThePeaksJoinAndTheZeroLineIsDotted) {
  TheViewPreferences().colorSampleBackground = 0xFFFFFF;
  CTarkelDoc doc;
  test::Fill16(doc, 1, 8000, std::vector<int16_t>(100, 8000));
  auto view = Show(doc, 400, 200);
  ASSERT_TRUE(view->Geometry().PolylineMode());
  const QImage p = Picture(*view);
  const QRgb wave = Rgb(TheViewPreferences().colorChannel1);
  const int zero = 100, level = 100 + 8000 * 200 / 65534;  // positive values lie below the zero line
  for (int x = 20; x < 60; ++x) {
    EXPECT_EQ(p.pixel(x, level), wave) << x;
    EXPECT_EQ(p.pixel(x, zero), x % 2 == 0 ? Rgb(0) : Rgb(0xFFFFFF)) << x;  // dotted black
  }
  // The last column's scan reaches the end: it shows 0, and so does everything after the sound.
  EXPECT_EQ(p.pixel(98, level), wave);
  EXPECT_NE(p.pixel(99, level), wave);
  EXPECT_NE(p.pixel(150, level), wave);
}

TEST_F(ViewWidget, StereoDrawsTheFirstChannelAboveTheSecondWithBarsAndGrid) {
  CTarkelDoc doc;
  std::vector<int16_t> values;
  for (int i = 0; i < 8000; ++i) values.insert(values.end(), {int16_t(i % 2 ? -20000 : 20000), 0});
  test::Fill16(doc, 2, 8000, values);
  auto view = Show(doc, 400, 400);
  ASSERT_FALSE(view->Geometry().PolylineMode());
  const QImage p = Picture(*view);
  const QRgb one = Rgb(TheViewPreferences().colorChannel1), two = Rgb(TheViewPreferences().colorChannel2);
  const int bar = (20000 * 400 / 65534) >> 1;  // 61
  const int grid = (400 * 16384 / 65534) >> 1;  // 50
  for (int x : {10, 200, 390}) {
    EXPECT_EQ(p.pixel(x, 100 - bar + 1), one) << x;  // a bar symmetric about the upper zero line
    EXPECT_EQ(p.pixel(x, 100 + bar - 1), one);
    EXPECT_EQ(p.pixel(x, 100 - bar - 3), Rgb(0));
    EXPECT_EQ(p.pixel(x, 300), two);  // the silent second channel: its zero line only
    EXPECT_EQ(p.pixel(x, 301), Rgb(0));
    EXPECT_EQ(p.pixel(x, 300 + grid), Rgb(0x3F3F3F));
    EXPECT_EQ(p.pixel(x, 300 - grid), Rgb(0x3F3F3F));
  }
  // The time axis band under the wave area.
  EXPECT_EQ(p.pixel(35, view->ClientRect().height() - 2), Rgb(0xC0C0C0));
}

TEST_F(ViewWidget, SelectionOfOneChannelColoursOnlyItsHalf) {
  CTarkelDoc doc;
  test::Fill16(doc, 2, 8000, std::vector<int16_t>(2 * 4000, 0));
  auto view = Show(doc, 400, 400);
  Selection right;
  right.SetRange(1000, 2000);  // columns 100 .. 200
  right.SetChannel(ChannelChoice::Right);
  view->SetSelection(right);
  const QImage p = Picture(*view);
  const QRgb green = Rgb(TheViewPreferences().colorSelectedArea);
  EXPECT_EQ(p.pixel(150, 330), green);
  EXPECT_EQ(p.pixel(150, 130), Rgb(0));
  EXPECT_EQ(p.pixel(50, 330), Rgb(0));
  EXPECT_EQ(p.pixel(250, 330), Rgb(0));
}

TEST_F(ViewWidget, EightBitSilenceAt128DrawsOnlyTheGridAtItsOffset) {
  CTarkelDoc doc;
  test::Fill8(doc, 1, 8000, std::vector<uint8_t>(4000, 128));
  auto view = Show(doc, 400, 400);
  const QImage p = Picture(*view);
  const int zero = 200 + 400 * 128 / 32767;  // one pixel below the centre
  for (int x : {5, 200, 399}) {
    std::vector<int> drawn;
    for (int y = 0; y < 400; ++y)
      if (p.pixel(x, y) != Rgb(0)) drawn.push_back(y);
    EXPECT_EQ(drawn, (std::vector<int>{zero - 100, zero, zero + 100})) << x;
  }
}

TEST_F(ViewWidget, EmptyAndLoadingDocumentsSaySo) {
  CTarkelDoc doc;
  auto view = Show(doc, 300, 100);
  const QImage empty = Picture(*view);
  int lit = 0;
  for (int y = 10; y < 25; ++y)
    for (int x = 10; x < 60; ++x) lit += empty.pixel(x, y) != Rgb(0);
  EXPECT_GT(lit, 20);  // "(empty)"
  test::Fill16(doc, 1, 8000, std::vector<int16_t>(4000, 0));
  doc.Sound().SetLoading(true);
  view->update();
  const QImage loading = Picture(*view);
  lit = 0;
  for (int y = 10; y < 25; ++y)
    for (int x = 60; x < 160; ++x) lit += loading.pixel(x, y) != Rgb(0);
  EXPECT_GT(lit, 20);  // "(Wird gerade geladen)" runs on past "(empty)"
  doc.Sound().SetLoading(false);
}

TEST_F(ViewWidget, WindowsWiderThanFourThousandPixelsDrawToTheirLastColumn) {
  CTarkelDoc doc;
  test::Fill16(doc, 1, 8000, std::vector<int16_t>(60000, 16000));
  auto view = Show(doc, 5000, 200);
  const QImage p = Picture(*view);
  const QRgb wave = Rgb(TheViewPreferences().colorChannel1);
  for (int x : {0, 3999, 4000, 4500, 4990}) EXPECT_EQ(p.pixel(x, 80), wave) << x;
}

TEST_F(ViewWidget, ChangingTheUnitRedrawsTheTimeAxisOfEveryWindow) {
  CTarkelDoc doc;
  test::Fill16(doc, 1, 8000, std::vector<int16_t>(80000, 0));
  auto a = Show(doc, 400, 100);
  auto b = Show(doc, 400, 100);
  TheDisplayState().SetUnit(DisplayUnit::Samples);
  const int band = a->ClientRect().height() - 8;
  const QImage before = Picture(*b).copy(0, band - 8, 400, 16);
  a->HandleCommand(viewcmd::kUnitSeconds);
  bool enabled = false, checked = false;
  EXPECT_TRUE(b->CommandState(viewcmd::kUnitSeconds, enabled, checked));
  EXPECT_TRUE(checked);
  EXPECT_NE(Picture(*b).copy(0, band - 8, 400, 16), before);
  TheDisplayState().SetUnit(kDefaultDisplayUnit);
}

TEST_F(ViewWidget, SpectralModeAndPrintingUseTheSameDrawing) {
  CTarkelDoc doc;
  std::vector<int16_t> values(16000);
  for (size_t i = 0; i < values.size(); ++i) values[i] = int16_t(20000 * std::sin(2 * M_PI * 1000 * i / 8000.0));
  test::Fill16(doc, 1, 8000, values);
  auto view = Show(doc, 400, 256);
  view->HandleCommand(viewcmd::kSpectralView);
  const QImage p = Picture(*view);
  // 1000 Hz of 4000: a quarter of the way up from the bottom, nothing near the top.
  int nearTone = 0, high = 0;
  for (int x = 0; x < 390; ++x) {
    for (int y = 256 - 72; y < 256 - 56; ++y) nearTone += p.pixel(x, y) != Rgb(0);
    for (int y = 10; y < 60; ++y) high += p.pixel(x, y) != Rgb(0);
  }
  EXPECT_GT(nearTone, 390);
  EXPECT_LT(high, nearTone / 10);
  test::TempDir dir;
  QPrinter printer(QPrinter::ScreenResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString((dir / "page.pdf").string()));
  view->PrintTo(printer);
  EXPECT_GT(std::filesystem::file_size(dir / "page.pdf"), 1000u);
}

struct FixedPosition : PlayPositionSource {
  uint32_t frame = 0;
  uint32_t CurrentFrame(const CTarkelDoc&) const override { return frame; }
};

TEST_F(ViewWidget, PositionMarkerIsDrawnAndErasedOverTheSamePicture) {
  CTarkelDoc doc;
  std::vector<int16_t> values(8000);
  for (size_t i = 0; i < values.size(); ++i) values[i] = int16_t(12000 * std::sin(i / 40.0));
  test::Fill16(doc, 1, 8000, values);
  auto view = Show(doc, 400, 200);
  FixedPosition position;
  SetPlayPositionSource(&position);
  const QImage before = Picture(*view);
  position.frame = 1000;  // column 50
  doc.UpdateAllViews(hint::kPosition);
  EXPECT_EQ(view->LastMarkerColumn(), 50);
  const QImage marked = Picture(*view);
  for (int y = 0; y < 200; ++y) EXPECT_EQ(marked.pixel(50, y), ~before.pixel(50, y) | 0xFF000000u) << y;
  marked.copy(0, 0, 50, 200).save("/dev/null");
  EXPECT_EQ(marked.copy(0, 0, 50, 218), before.copy(0, 0, 50, 218));
  EXPECT_EQ(marked.copy(51, 0, 349, 218), before.copy(51, 0, 349, 218));
  position.frame = 3000;  // column 150: the old line goes, the new one comes
  doc.UpdateAllViews(hint::kPosition);
  const QImage moved = Picture(*view);
  EXPECT_EQ(moved.copy(0, 0, 150, 218), before.copy(0, 0, 150, 218));
  EXPECT_NE(moved.pixel(150, 10), before.pixel(150, 10));
  doc.UpdateAllViews(hint::kForgetMarkerColumn);
  EXPECT_EQ(view->LastMarkerColumn(), 0);
}

TEST_F(ViewWidget, ScrollingMovesThePictureAsAFreshPaintWouldDrawIt) {
  CTarkelDoc doc;
  std::vector<int16_t> values(2 * 100000);
  for (size_t i = 0; i < values.size(); ++i) values[i] = int16_t(15000 * std::sin(i / 900.0) * std::sin(i / 77.0));
  test::Fill16(doc, 2, 8000, values);
  auto view = Show(doc, 400, 300);
  Selection s;
  s.SetRange(40000, 48000);
  view->SetSelection(s);
  view->HandleCommand(viewcmd::kZoomIn);
  for (int notches : {-120, -240, 120, -360}) {
    QWheelEvent wheel(QPointF(50, 50), view->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.get(), &wheel);
    const QImage scrolled = Picture(*view);
    doc.UpdateAllViews();
    EXPECT_EQ(Picture(*view), scrolled) << notches;
  }
  EXPECT_EQ(view->Geometry().FirstVisible(), 40000u + 5 * 800);
  // Ctrl+wheel zooms in around the pointer.
  QWheelEvent zoom(QPointF(200, 50), view->mapToGlobal(QPointF(200, 50)), QPoint(), QPoint(0, 120), Qt::NoButton,
                   Qt::ControlModifier, Qt::NoScrollPhase, false);
  const uint32_t under = view->Geometry().FrameOfColumn(200);
  QApplication::sendEvent(view.get(), &zoom);
  EXPECT_EQ(view->Geometry().VisibleSpan(), 4000u);
  EXPECT_NEAR(double(view->Geometry().FrameOfColumn(200)), double(under), 20.0);
}

TEST_F(ViewWidget, UpdateHintsShowAllKeepTheRangeOrRedrawTheBand) {
  CTarkelDoc doc;
  test::Fill16(doc, 1, 8000, std::vector<int16_t>(40000, 300));
  auto view = Show(doc, 400, 200);
  int changes = 0;
  view->selectionChanged = [&changes] { ++changes; };
  Selection s;
  s.SetRange(2000, 2100);
  view->SetSelection(s);
  view->HandleCommand(viewcmd::kZoomIn);
  doc.UpdateAllViews(hint::kAll);  // keeps the range
  EXPECT_EQ(view->Geometry().FirstVisible(), 2000u);
  doc.UpdateAllViews(hint::kTimeAxisBand);
  EXPECT_EQ(view->Geometry().FirstVisible(), 2000u);
  doc.UpdateAllViews(hint::kWholeSample);
  EXPECT_EQ(view->Geometry().VisibleSpan(), 40000u);
  EXPECT_GE(changes, 4);
  // A shorter sound: the selection stays inside it.
  ASSERT_TRUE(doc.SetLength(1000));
  EXPECT_LE(view->CurrentSelection().Last(doc.Sound()), 1000u);
  EXPECT_EQ(view->Geometry().Length(), 1000u);
  // A conversion to mono: the selection's channels follow.
  s.SetRange(10, 20);
  s.SetChannel(ChannelChoice::Left);
  view->SetSelection(s);
  ASSERT_EQ(view->Geometry().Mode(), ChannelMode::Mono);
  test::Fill16(doc, 2, 8000, std::vector<int16_t>(2000, 0));
  doc.UpdateAllViews();
  EXPECT_EQ(view->Geometry().Mode(), ChannelMode::Both);
  // Track view: the position hint scrolls the window to the play position instead of a line.
  s.SetRange(800, 900);
  view->SetSelection(s);
  view->HandleCommand(viewcmd::kZoomIn);
  TheViewPreferences().scrollToPlayRecMarker = 0;
  view->HandleCommand(viewcmd::kTrackView);
  FixedPosition position;
  ASSERT_EQ(view->Geometry().FirstVisible(), 600u);
  position.frame = 200;
  SetPlayPositionSource(&position);
  doc.UpdateAllViews(hint::kPosition);
  EXPECT_EQ(view->LastMarkerColumn(), 0);
  EXPECT_EQ(view->Geometry().FirstVisible(), 200u);
}

TEST_F(ViewWidget, FirstClickIntoAnInactiveWindowOnlyActivatesIt) {
  CTarkelDoc doc;
  test::Fill16(doc, 1, 8000, std::vector<int16_t>(4000, 100));
  QWidget frame;
  frame.resize(820, 300);
  auto* a = new CTarkelView(doc, &frame);
  auto* b = new CTarkelView(doc, &frame);
  a->setGeometry(0, 0, 400, 250);
  b->setGeometry(410, 0, 400, 250);
  frame.show();
  QApplication::setActiveWindow(&frame);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
  QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(100, 100));  // a new window takes its first click
  QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(30, 100));
  ASSERT_TRUE(a->hasFocus());
  const uint32_t before = b->Geometry().SelStart();
  QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(300, 100));  // activates b only
  EXPECT_TRUE(b->hasFocus());
  EXPECT_EQ(b->Geometry().SelStart(), before);
  QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(300, 100));
  EXPECT_EQ(b->Geometry().SelStartColumn(), 300u);
}

TEST_F(ViewWidget, InAnMdiAreaTheClickThatActivatesAChildSelectsNothing) {
  CTarkelDoc doc;
  test::Fill16(doc, 1, 8000, std::vector<int16_t>(4000, 100));
  QMdiArea area;
  area.resize(900, 400);
  auto* a = new CTarkelView(doc);
  auto* b = new CTarkelView(doc);
  QMdiSubWindow* sa = area.addSubWindow(a);
  QMdiSubWindow* sb = area.addSubWindow(b);
  sa->setGeometry(0, 0, 420, 300);
  sb->setGeometry(440, 0, 420, 300);
  area.show();
  QApplication::setActiveWindow(&area);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
  QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(30, 100));
  QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(30, 100));  // b's first click after creation counts
  QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(30, 100));
  ASSERT_EQ(area.activeSubWindow(), sa);
  const uint32_t before = b->Geometry().SelStartColumn();
  QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(200, 100));
  EXPECT_EQ(area.activeSubWindow(), sb);
  EXPECT_EQ(b->Geometry().SelStartColumn(), before);
  QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(200, 100));
  EXPECT_EQ(b->Geometry().SelStartColumn(), 200u);
}

TEST_F(ViewWidget, MouseSelectsByColumnChannelAndEndGrip) {
  CTarkelDoc doc;
  test::Fill16(doc, 2, 8000, std::vector<int16_t>(2 * 4000, 100));
  auto view = Show(doc, 400, 400);
  view->setFocus();
  const int h = 400;
  QTest::mousePress(view.get(), Qt::LeftButton, {}, QPoint(100, h / 8));
  QTest::mouseMove(view.get(), QPoint(150, h / 8));
  QTest::mouseRelease(view.get(), Qt::LeftButton, {}, QPoint(200, h / 8));
  EXPECT_EQ(view->Geometry().Mode(), ChannelMode::Left);
  EXPECT_EQ(view->Geometry().SelStart(), 1000u);
  EXPECT_EQ(view->Geometry().SelEnd(), 2010u);
  EXPECT_EQ(view->CurrentSelection().Last(doc.Sound()), 2010u);
  // Within 3 pixels of the end: only the end moves.
  QTest::mousePress(view.get(), Qt::LeftButton, {}, QPoint(203, h / 2));
  QTest::mouseMove(view.get(), QPoint(260, h / 2));
  QTest::mouseRelease(view.get(), Qt::LeftButton, {}, QPoint(300, h / 2));
  EXPECT_EQ(view->Geometry().SelStart(), 1000u);
  EXPECT_EQ(view->Geometry().SelEnd(), 3010u);
  EXPECT_EQ(view->Geometry().Mode(), ChannelMode::Both);
  QTest::mouseClick(view.get(), Qt::LeftButton, {}, QPoint(50, h - 10));
  EXPECT_EQ(view->Geometry().Mode(), ChannelMode::Right);
  EXPECT_EQ(view->Geometry().SelStart(), 500u);
}

TEST_F(ViewWidget, ANewSelectionEndRestartsThePlayingDocumentOnIt) {
  CTarkelDoc doc, other;
  test::Fill16(doc, 1, 8000, std::vector<int16_t>(4000, 100));
  auto view = Show(doc, 400, 200);
  view->setFocus();
  std::vector<std::pair<uint32_t, uint32_t>> plays;
  TheDocumentHooks().play = [&plays](CTarkelDoc&, uint32_t first, uint32_t last) {
    plays.emplace_back(first, last);
    return true;
  };
  App().playingDocument = &other;  // another document plays: nothing restarts
  QTest::mouseClick(view.get(), Qt::LeftButton, {}, QPoint(100, 100));
  EXPECT_TRUE(plays.empty());
  App().playingDocument = &doc;
  QTest::mousePress(view.get(), Qt::LeftButton, {}, QPoint(100, 100));
  QTest::mouseMove(view.get(), QPoint(150, 100));
  QTest::mouseRelease(view.get(), Qt::LeftButton, {}, QPoint(200, 100));
  QTest::keyClick(view.get(), Qt::Key_Right);
  QTest::keyClick(view.get(), Qt::Key_Up);  // the start edge: no restart
  EXPECT_EQ(plays, (std::vector<std::pair<uint32_t, uint32_t>>{{1000, 2010}, {1000, 2020}}));
}

TEST_F(ViewWidget, KeysAndCommandsZoomAndMoveTheSelection) {
  CTarkelDoc doc;
  test::Fill16(doc, 1, 8000, std::vector<int16_t>(40000, 100));
  auto view = Show(doc, 400, 200);
  view->setFocus();
  Selection s;
  s.SetRange(1000, 1100);
  view->SetSelection(s);
  QTest::keyClick(view.get(), Qt::Key_Plus);
  EXPECT_EQ(view->Geometry().FirstVisible(), 1000u);
  EXPECT_EQ(view->Geometry().FramesPerColumn(), 1u);
  view->HandleCommand(viewcmd::kZoomOut);
  EXPECT_EQ(view->Geometry().FirstVisible(), 600u);
  EXPECT_EQ(view->Geometry().VisibleSpan(), 1200u);
  QTest::keyClick(view.get(), Qt::Key_A, Qt::ShiftModifier);
  EXPECT_EQ(view->Geometry().VisibleSpan(), 40000u);
  view->HandleCommand(viewcmd::kOneToOneAtStart);
  EXPECT_EQ(view->Geometry().FirstVisible(), 900u);
  EXPECT_EQ(view->Geometry().FramesPerColumn(), 1u);
  QTest::keyClick(view.get(), Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(view->Geometry().SelEnd(), 1110u);
  QTest::keyClick(view.get(), Qt::Key_Up);
  EXPECT_EQ(view->Geometry().SelStart(), 1001u);
  QTest::keyClick(view.get(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(view->Geometry().SelEnd(), 39998u);
}

TEST_F(ViewWidget, FreehandIsOfferedOnlyAtOneFramePerColumn) {
  CTarkelDoc doc;
  test::Fill16(doc, 1, 8000, std::vector<int16_t>(40000, 0));
  auto view = Show(doc, 400, 200);
  bool enabled = true, checked = true;
  ASSERT_TRUE(view->CommandState(viewcmd::kFreehand, enabled, checked));
  EXPECT_FALSE(enabled);
  EXPECT_FALSE(checked);
  view->HandleCommand(viewcmd::kFreehand);
  EXPECT_FALSE(view->FreehandMode());
  view->HandleCommand(viewcmd::kOneToOneAtStart);
  view->CommandState(viewcmd::kFreehand, enabled, checked);
  EXPECT_TRUE(enabled);
  view->HandleCommand(viewcmd::kFreehand);
  view->CommandState(viewcmd::kFreehand, enabled, checked);
  EXPECT_TRUE(checked);
  // A stroke draws samples where the pointer goes (below the zero line: positive), undo first.
  view->setFocus();
  QTest::mousePress(view.get(), Qt::LeftButton, {}, QPoint(10, 150));
  QTest::mouseRelease(view.get(), Qt::LeftButton, {}, QPoint(10, 150));
  const int16_t* samples = reinterpret_cast<const int16_t*>(doc.Sound().Data());
  EXPECT_EQ(samples[10], 50 * 65534 / 200);
  EXPECT_TRUE(doc.IsModified());
  ASSERT_TRUE(doc.UndoLastChange());
  EXPECT_EQ(reinterpret_cast<const int16_t*>(doc.Sound().Data())[10], 0);
}

TEST_F(ViewWidget, SnappingAtOneToOneFindsTheCrossingsAroundARisingWave) {
  TheViewPreferences().autoSnapToZero = 1;
  CTarkelDoc doc;
  std::vector<int16_t> values;
  for (int i = 0; i < 400; ++i) values.push_back(int16_t(std::lround(10000 * std::sin(2 * M_PI * (i - 50) / 200.0))));
  test::Fill16(doc, 1, 8000, values);
  auto view = Show(doc, 400, 200);
  ASSERT_EQ(view->Geometry().FramesPerColumn(), 1u);
  view->setFocus();
  QTest::mousePress(view.get(), Qt::LeftButton, {}, QPoint(60, 100));
  QTest::mouseMove(view.get(), QPoint(65, 100));
  QTest::mouseRelease(view.get(), Qt::LeftButton, {}, QPoint(70, 100));
  EXPECT_EQ(view->Geometry().SelStart(), 50u);
  EXPECT_EQ(view->Geometry().SelEnd(), 150u);
}

TEST_F(ViewWidget, ContextMenuHoldsTheGermanEntries) {
  CTarkelDoc doc;
  test::Fill16(doc, 1, 8000, std::vector<int16_t>(100, 0));
  auto view = Show(doc, 300, 100);
  std::unique_ptr<QMenu> menu(view->BuildContextMenu());
  QStringList texts;
  std::function<void(QMenu*)> collect = [&](QMenu* m) {
    for (QAction* a : m->actions()) {
      texts << a->text() + "=" + QString::number(a->data().toInt());
      if (a->menu()) collect(a->menu());
    }
  };
  collect(menu.get());
  EXPECT_EQ(texts.join("|").toStdString(),
            "Rückgä&ngig=57643|&Bereich Abspielen=32816|&Bereich Aufnehmen=32822|&Auswahl...=0|"
            "&Alles auswählen=57642|A&b Anfang=33012|Bis &Ende=33013|S&peichern=57603|"
            "&Ausgew. Bereich speichern...=32916|K&opieren=57634|Lö&schen=32814|Wegschnei&den=32815|"
            "&Vergrößerung (Zeit)=0|&Einzoomen=32810|&Auszoomen=32812|&1:1-Anzeige=32965|&Alles anzeigen=32811");
  int requested = 0;
  view->commandRequested = [&](int id) { requested = id; };
  for (QAction* a : menu->actions())
    if (a->data().toInt() == viewcmd::kCopy) a->trigger();
  EXPECT_EQ(requested, viewcmd::kCopy);
}

// --- Drag and drop between windows, against the same edits through tarkel-cli ------------------

std::vector<int16_t> Staircase(int frames, int step) {
  std::vector<int16_t> v;
  for (int i = 0; i < frames; ++i) v.insert(v.end(), {int16_t(i * step), int16_t(-i * step)});
  return v;
}

std::vector<uint8_t> DataOf(const std::filesystem::path& path) {
  WaveAudio wave;
  if (!OpenSoundFile(wave, path.string(), 0, false)) return {};
  return test::Bytes(wave);
}

std::vector<uint8_t> DataOf(const CTarkelDoc& doc) {
  const auto& s = doc.Sound();
  return std::vector<uint8_t>(s.Data(), s.Data() + s.DataSize());
}

void DropBetweenWindowsMatchesTheCli(bool copy, test::RecordingPorts& ports) {
  test::TempDir dir;
  CTarkelDoc source, target;
  test::Fill16(source, 2, 8000, Staircase(1000, 7));
  test::Fill16(target, 2, 8000, Staircase(1000, -3));
  ASSERT_TRUE(source.Save((dir / "source.wav").string()));
  ASSERT_TRUE(target.Save((dir / "target.wav").string()));
  CTarkelView from(source), to(target);
  for (CTarkelView* v : {&from, &to}) {
    v->resize(400, 300);
    v->show();
  }
  Selection left;
  left.SetRange(100, 199);
  left.SetChannel(ChannelChoice::Left);
  from.SetSelection(left);
  from.PrepareDrag();
  // Dropped in the upper third of the target at column 250 (frame 500: two frames per column).
  const int h = to.Geometry().WaveHeight();
  const uint32_t t = to.Geometry().FrameOfColumn(250);
  // Through the drop events a drag delivers: enter, then drop (Ctrl held for a copy).
  QMimeData data;
  data.setData("application/x-tarkel-selection", "1");
  const Qt::KeyboardModifiers keys = copy ? Qt::ControlModifier : Qt::NoModifier;
  QDragEnterEvent enter(QPoint(250, h / 6), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, keys);
  QApplication::sendEvent(&to, &enter);
  ASSERT_TRUE(enter.isAccepted());
  EXPECT_EQ(enter.dropAction(), copy ? Qt::CopyAction : Qt::MoveAction);
  QDropEvent drop(QPointF(250, h / 6), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, keys);
  QApplication::sendEvent(&to, &drop);
  EXPECT_TRUE(drop.isAccepted());
  EXPECT_TRUE(ports.messages.empty());
  EXPECT_EQ(to.Geometry().Mode(), ChannelMode::Left);
  EXPECT_EQ(to.Geometry().SelStart(), t);

  const std::string clip = (dir / "clip.wav").string();
  const auto cut = test::RunCli({(dir / "source.wav").string(), "--clipboard", clip, "--select", "100:199", "--channel",
                                 "left", "--edit", copy ? "copy" : "cut", "-o", (dir / "source-after.wav").string()});
  ASSERT_EQ(cut.status, 0) << cut.err;
  const auto paste = test::RunCli({(dir / "target.wav").string(), "--clipboard", clip, "--select",
                                   std::to_string(t) + ":" + std::to_string(t), "--channel", "left", "--edit", "paste",
                                   "-o", (dir / "target-after.wav").string()});
  ASSERT_EQ(paste.status, 0) << paste.err;
  EXPECT_EQ(DataOf(target), DataOf(dir / "target-after.wav"));
  EXPECT_EQ(DataOf(source), DataOf(dir / "source-after.wav"));
  EXPECT_EQ(DataOf(target).size(), 4000u + 99 * 4);  // frames 100 .. 198 of one channel, pasted as frames
}

TEST_F(ViewWidget, DropIntoAnotherWindowMovesIntoTheChannelDroppedOnLikeTheCli) { DropBetweenWindowsMatchesTheCli(false, ports); }

TEST_F(ViewWidget, CtrlDropIntoAnotherWindowCopiesLikeTheCli) { DropBetweenWindowsMatchesTheCli(true, ports); }

TEST_F(ViewWidget, DropWithinOneWindowMovesTheRange) {
  CTarkelDoc doc;
  test::Fill16(doc, 1, 8000, std::vector<int16_t>(800, 0));
  int16_t* samples = reinterpret_cast<int16_t*>(doc.Sound().Data());
  for (int i = 100; i < 200; ++i) samples[i] = 1000;
  auto view = Show(doc, 400, 200);  // two frames per column
  Selection s;
  s.SetRange(100, 200);
  view->SetSelection(s);
  view->PrepareDrag();
  view->DropFrom(*view, QPoint(300, 100), false);  // to frame 600
  const int16_t* after = reinterpret_cast<const int16_t*>(doc.Sound().Data());
  EXPECT_EQ(doc.Sound().Frames(), 800u);
  EXPECT_EQ(after[150], 0);
  int moved = 0;
  for (uint32_t i = 0; i < doc.Sound().Frames(); ++i) moved += after[i] == 1000;
  EXPECT_EQ(moved, 100);
  EXPECT_EQ(after[550], 1000);
}

}  // namespace
}  // namespace tarkel
