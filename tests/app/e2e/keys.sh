#!/usr/bin/env bash
# tarkel started with a file shows it; the edit keys change and save it exactly as tarkel-cli does
# the same steps; after a clean exit the settings file holds every key.
source "$(dirname "$0")/lib.sh"

cd "$WORK"
# 20001 frames: the whole sound's last frame is even, so a selection of all frames is exact.
"$CLI" --new 1,1,22050,16,20001 --effect synth:60,0,1,44000 -o song.wav
"$CLI" song.wav --edit cut --edit paste --edit trim --edit erase --undo --edit delete --undo -o expected.wav
"$CLI" song.wav --edit erase -o erased.wav

start_tarkel song.wav
pid=$LAST_PID
wait_window '^Tarkel - song\.wav$'
main=$WID

keys "$main" ctrl+a ctrl+x
wait_title "$main" '^Tarkel - song\.wav\*$'
keys "$main" ctrl+v ctrl+t Delete ctrl+z ctrl+Delete ctrl+z ctrl+s
wait_title "$main" '^Tarkel - song\.wav$'
same_file song.wav expected.wav

before=$(md5sum <song.wav)
keys "$main" ctrl+a Delete ctrl+s
wait_file_changes song.wav "$before"
wait_title "$main" '^Tarkel - song\.wav$'
same_file song.wav erased.wav

# Quit: nothing modified, so no question; the settings are written.
keys "$main" alt+F4
wait_exit "$pid"
conf="$XDG_CONFIG_HOME/Brannick/Tarkel.conf"
[ -f "$conf" ] || fail "no settings file"
python3 - "$conf" <<'PY'
import configparser, sys
c = configparser.RawConfigParser(strict=False)
c.optionxform = str
c.read(sys.argv[1])
need = {
  "Generic_Preferences": "FirstTime Load_in_Background Harddisk_editing ColorScalingMode FFT_BlockSize DragDropEnable DragDropReplaceMoveWithSilence WarningIfNoUndo StartEndPlaySeconds SampleUnit AutoSnapToZero ScrollToPlayRecMarker ShowPrepareRecordingDlg PlayBufferSize RecordBufferSize GlobalTimeSlice_ms SelectionWindowVisible VolumeControlWindowVisible ScopeWindowVisible AudioPlayerWindowVisible",
  "Display_Preferences": "Show_MinMax_Points SymmetricDisplay IntegratedDisplay HighQuality_Scope Show_PlayRec_Marker Color_channel_1 Color_channel_2 Color_selected_area Color_MinMax_points Color_sample_background",
  "Toolbars": "EffectBarVisible EditBarVisible ModeBarVisible WindowBarVisible UnitBarVisible ToolBarVisible PlayRecBarVisible PreviewBarVisible SelectionBarVisible TOOLSBarVisible ZoomBarVisible",
}
placement = "wp.showCmd wp.flags wp.ptMinPosition.x wp.ptMinPosition.y wp.ptMaxPosition.x wp.ptMaxPosition.y wp.left wp.right wp.top wp.bottom"
for s in "Main_WindowPlacement ScopeView_WindowPlacement VolumeControl_WindowPlacement SelectionManager_WindowPlacement MCI-Syncronizer_WindowPlacement".split():
  need[s] = placement
missing = [f"{s}/{k}" for s, keys in need.items() for k in keys.split() if not c.has_option(s, k)]
bad = [f"{s}/{k}={c.get(s, k)}" for s, keys in need.items() for k in keys.split()
       if c.has_option(s, k) and not c.get(s, k).lstrip("-").isdigit()]
if missing or bad or c.get("Generic_Preferences", "FirstTime") != "99":
  print("missing:", missing, "not integers:", bad, file=sys.stderr)
  sys.exit(1)
PY
echo "keys: ok"
