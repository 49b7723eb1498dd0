#include "app/Preferences.h"

#include <QSettings>

namespace tarkel::app {
namespace {

constexpr const char* kGeneric = "Generic_Preferences";
constexpr const char* kDisplay = "Display_Preferences";
constexpr const char* kToolbars = "Toolbars";
constexpr const char* kRecentFiles = "Recent File List";

struct IntKey {
  const char* section;
  const char* key;
  int32_t Preferences::*field;
};

// Every integer key but FirstTime, which is written as 99 whatever was read.
constexpr IntKey kIntKeys[] = {
    {kGeneric, "Load_in_Background", &Preferences::loadInBackground},
    {kGeneric, "Harddisk_editing", &Preferences::hardDiskEditing},
    {kGeneric, "ColorScalingMode", &Preferences::colorScalingMode},
    {kGeneric, "FFT_BlockSize", &Preferences::fftBlockSize},
    {kGeneric, "DragDropEnable", &Preferences::dragDropEnable},
    {kGeneric, "DragDropReplaceMoveWithSilence", &Preferences::dragDropReplaceMoveWithSilence},
    {kGeneric, "WarningIfNoUndo", &Preferences::warningIfNoUndo},
    {kGeneric, "StartEndPlaySeconds", &Preferences::startEndPlaySeconds},
    {kGeneric, "SampleUnit", &Preferences::sampleUnit},
    {kGeneric, "AutoSnapToZero", &Preferences::autoSnapToZero},
    {kGeneric, "ScrollToPlayRecMarker", &Preferences::scrollToPlayRecMarker},
    {kGeneric, "ShowPrepareRecordingDlg", &Preferences::showPrepareRecordingDlg},
    {kGeneric, "PlayBufferSize", &Preferences::playBufferSize},
    {kGeneric, "RecordBufferSize", &Preferences::recordBufferSize},
    {kGeneric, "GlobalTimeSlice_ms", &Preferences::globalTimeSliceMs},
    {kGeneric, "SelectionWindowVisible", &Preferences::selectionWindowVisible},
    {kGeneric, "VolumeControlWindowVisible", &Preferences::volumeControlWindowVisible},
    {kGeneric, "ScopeWindowVisible", &Preferences::scopeWindowVisible},
    {kGeneric, "AudioPlayerWindowVisible", &Preferences::audioPlayerWindowVisible},
    {kDisplay, "Show_MinMax_Points", &Preferences::showMinMaxPoints},
    {kDisplay, "SymmetricDisplay", &Preferences::symmetricDisplay},
    {kDisplay, "IntegratedDisplay", &Preferences::integratedDisplay},
    {kDisplay, "HighQuality_Scope", &Preferences::highQualityScope},
    {kDisplay, "Show_PlayRec_Marker", &Preferences::showPlayRecMarker},
    {kDisplay, "Color_channel_1", &Preferences::colorChannel1},
    {kDisplay, "Color_channel_2", &Preferences::colorChannel2},
    {kDisplay, "Color_selected_area", &Preferences::colorSelectedArea},
    {kDisplay, "Color_MinMax_points", &Preferences::colorMinMaxPoints},
    {kDisplay, "Color_sample_background", &Preferences::colorSampleBackground},
};

constexpr const char* kBarKeys[kBarCount] = {
    "EffectBarVisible",  "EditBarVisible",    "ModeBarVisible",      "WindowBarVisible",
    "UnitBarVisible",    "ToolBarVisible",    "PlayRecBarVisible",   "PreviewBarVisible",
    "SelectionBarVisible", "TOOLSBarVisible", "ZoomBarVisible",
};

constexpr const char* kPlacementSections[kPlacedCount] = {
    "Main_WindowPlacement", "ScopeView_WindowPlacement", "VolumeControl_WindowPlacement",
    "SelectionManager_WindowPlacement", "MCI-Syncronizer_WindowPlacement",
};

struct PlacementKey {
  const char* key;
  int32_t WindowPlacement::*field;
};

constexpr PlacementKey kPlacementKeys[] = {
    {"wp.showCmd", &WindowPlacement::showCmd},
    {"wp.flags", &WindowPlacement::flags},
    {"wp.ptMinPosition.x", &WindowPlacement::minX},
    {"wp.ptMinPosition.y", &WindowPlacement::minY},
    {"wp.ptMaxPosition.x", &WindowPlacement::maxX},
    {"wp.ptMaxPosition.y", &WindowPlacement::maxY},
    {"wp.left", &WindowPlacement::left},
    {"wp.right", &WindowPlacement::right},
    {"wp.top", &WindowPlacement::top},
    {"wp.bottom", &WindowPlacement::bottom},
};

QString Key(const char* section, const char* key) { return QString::fromLatin1(section) + '/' + QLatin1String(key); }

// A stored value; text that is no number counts as missing.
int32_t ReadInt(QSettings& store, const QString& key, int32_t fallback) {
  const QVariant v = store.value(key);
  if (!v.isValid()) return fallback;
  bool ok = false;
  const qlonglong n = v.toString().toLongLong(&ok);
  return ok ? int32_t(uint32_t(n)) : fallback;
}

void WriteInt(QSettings& store, const QString& key, int32_t value) { store.setValue(key, int(value)); }

}  // namespace

const char* BarKey(Bar bar) { return kBarKeys[int(bar)]; }
const char* PlacementSection(Placed window) { return kPlacementSections[int(window)]; }

Preferences LoadPreferences(QSettings& store) {
  Preferences p;
  p.firstTime = ReadInt(store, Key(kGeneric, "FirstTime"), p.firstTime);
  for (const IntKey& k : kIntKeys) p.*k.field = ReadInt(store, Key(k.section, k.key), p.*k.field);
  for (int b = 0; b < kBarCount; ++b) p.barVisible[b] = ReadInt(store, Key(kToolbars, kBarKeys[b]), 1);
  for (int w = 0; w < kPlacedCount; ++w)
    for (const PlacementKey& k : kPlacementKeys)
      p.placements[w].*k.field = ReadInt(store, Key(kPlacementSections[w], k.key), p.placements[w].*k.field);
  for (int i = 1; i <= kRecentFileCount; ++i) {
    const QString path = store.value(QString::fromLatin1(kRecentFiles) + "/File" + QString::number(i)).toString();
    if (!path.isEmpty()) p.recentFiles << path;
  }
  return p;
}

void SavePreferences(QSettings& store, const Preferences& prefs) {
  WriteInt(store, Key(kGeneric, "FirstTime"), kFirstTimeDone);
  for (const IntKey& k : kIntKeys) WriteInt(store, Key(k.section, k.key), prefs.*k.field);
  store.sync();
}

void SaveFrameState(QSettings& store, const Preferences& prefs) {
  for (int b = 0; b < kBarCount; ++b) WriteInt(store, Key(kToolbars, kBarKeys[b]), prefs.barVisible[b]);
  for (int w = 0; w < kPlacedCount; ++w)
    for (const PlacementKey& k : kPlacementKeys)
      WriteInt(store, Key(kPlacementSections[w], k.key), prefs.placements[w].*k.field);
  store.remove(QString::fromLatin1(kRecentFiles));
  for (int i = 0; i < prefs.recentFiles.size() && i < kRecentFileCount; ++i)
    store.setValue(QString::fromLatin1(kRecentFiles) + "/File" + QString::number(i + 1), prefs.recentFiles[i]);
  store.sync();
}

void AddRecentFile(Preferences& prefs, const QString& path) {
  prefs.recentFiles.removeAll(path);
  prefs.recentFiles.prepend(path);
  while (prefs.recentFiles.size() > kRecentFileCount) prefs.recentFiles.removeLast();
}

uint32_t ColorRefToRgb(int32_t colorRef) {
  const uint32_t c = uint32_t(colorRef);
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

int32_t RgbToColorRef(uint32_t rgb) { return int32_t(ColorRefToRgb(int32_t(rgb & 0xFFFFFF))); }

}  // namespace tarkel::app
