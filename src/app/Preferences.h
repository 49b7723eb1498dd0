#pragma once
// Every persistent setting of the program with its default, read once at start and written
// when the main frame closes. The store is QSettings("Brannick", "Tarkel"): an INI file whose
// sections and keys keep the program's historic spelling; every value is a plain integer.
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

class QSettings;

namespace tarkel::app {

// A window's placement as ten integers (show state, flags, minimised and maximised positions,
// the normal rectangle).
struct WindowPlacement {
  int32_t showCmd = 0;
  int32_t flags = 0;
  int32_t minX = -1, minY = -1;
  int32_t maxX = -1, maxY = -1;
  int32_t left = 0, right = 0, top = 0, bottom = 0;

  bool IsSet() const { return right > left && bottom > top; }
};

inline constexpr int32_t kShowNormal = 1;
inline constexpr int32_t kShowMinimized = 2;
inline constexpr int32_t kShowMaximized = 3;

// The eleven tool bars, in the order of their settings keys.
enum class Bar { Effect, Edit, Mode, Window, Unit, Tool, PlayRec, Preview, Selection, Tools, Zoom, Count };
inline constexpr int kBarCount = int(Bar::Count);

// The windows whose placement is stored.
enum class Placed { Main, Scope, VolumeControl, SelectionManager, MciSynchronizer, Count };
inline constexpr int kPlacedCount = int(Placed::Count);

inline constexpr int32_t kFirstTimeDone = 99;
inline constexpr int kRecentFileCount = 6;

struct Preferences {
  // Generic_Preferences
  int32_t firstTime = 0;
  int32_t loadInBackground = 0;
  int32_t hardDiskEditing = 0;
  int32_t colorScalingMode = 1;
  int32_t fftBlockSize = 512;
  int32_t dragDropEnable = 1;
  int32_t dragDropReplaceMoveWithSilence = 0;
  int32_t warningIfNoUndo = 1;
  int32_t startEndPlaySeconds = 2;
  int32_t sampleUnit = 5;
  int32_t autoSnapToZero = 1;
  int32_t scrollToPlayRecMarker = 0;
  int32_t showPrepareRecordingDlg = 0;
  int32_t playBufferSize = 1048576;
  int32_t recordBufferSize = 1048576;
  int32_t globalTimeSliceMs = 80;
  int32_t selectionWindowVisible = 0;
  int32_t volumeControlWindowVisible = 0;
  int32_t scopeWindowVisible = 0;
  int32_t audioPlayerWindowVisible = 0;
  // Display_Preferences
  int32_t showMinMaxPoints = 0;
  int32_t symmetricDisplay = 1;
  int32_t integratedDisplay = 1;
  int32_t highQualityScope = 1;
  int32_t showPlayRecMarker = 1;
  int32_t colorChannel1 = 0xFF8000;  // platform colour value: red in the low byte
  int32_t colorChannel2 = 255;
  int32_t colorSelectedArea = 65280;
  int32_t colorMinMaxPoints = 65520;
  int32_t colorSampleBackground = 0;
  // Toolbars
  std::array<int32_t, kBarCount> barVisible{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
  // Window placements
  std::array<WindowPlacement, kPlacedCount> placements{};
  // The recent-file list, newest first.
  QStringList recentFiles;

  bool IsFirstRun() const { return firstTime != kFirstTimeDone; }
};

// The settings key of a bar ("ToolBarVisible", ...) and of a placement section.
const char* BarKey(Bar bar);
const char* PlacementSection(Placed window);

// Reads every key; missing keys keep the defaults above.
Preferences LoadPreferences(QSettings& store);
// Writes the Generic_Preferences and Display_Preferences keys, FirstTime as 99.
void SavePreferences(QSettings& store, const Preferences& prefs);
// Writes the bar keys, the placements and the recent-file list.
void SaveFrameState(QSettings& store, const Preferences& prefs);

// Puts `path` at the head of the recent-file list (at most six entries, no duplicates).
void AddRecentFile(Preferences& prefs, const QString& path);

// Platform colour values (red in the low byte) and Qt's RGB.
uint32_t ColorRefToRgb(int32_t colorRef);
int32_t RgbToColorRef(uint32_t rgb);

}  // namespace tarkel::app
