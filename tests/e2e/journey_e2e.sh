#!/usr/bin/env bash
# A user's whole journey with the shipped program folder under Wine and Xvfb: first start in a
# fresh prefix whose only drives are C: and a fixture drive, the analysis, the three views, the
# filters, the options (a group list and the language), deleting a folder to the recycle bin,
# closing during a long scan and a second start.
#   journey_e2e.sh <bin dir (probe)> <program folder> <work dir>
# Every window of the journey is in the program: a step whose window cannot be found is reported
# as "FAIL: <step> could not run" and fails the journey, so a page that stops appearing is seen.
set -u
bin=$(realpath "$1")
program=$(realpath "$2")
mkdir -p "$3"
work=$(realpath "$3")
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/wine-env.sh"

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi

shots=$work/shots
logs=$work/logs
rm -rf "$shots" "$logs" "$work/prefix" "$work/prefix.lock" "$work/fixture" "$work/xdg"
mkdir -p "$shots" "$logs"

failures=0
ran=()
not_run=()
check() {  # description, then a command that must succeed
  local what=$1; shift
  if "$@"; then echo "ok: $what"; else echo "FAIL: $what"; failures=$((failures + 1)); fi
}
could_not_run() { echo "FAIL: $1 could not run (its window was not found)"; not_run+=("$1"); failures=$((failures + 1)); }
shot() { import -window root "$shots/$1.png"; }

# --- Locales: the system language Wine reports comes from LC_ALL, which glibc only honours
# for a compiled locale. They are compiled once into the work dir.
export LOCPATH=$work/locales
for l in en_US fr_FR de_DE; do
  [ -d "$LOCPATH/$l.UTF-8" ] && continue
  mkdir -p "$LOCPATH"
  localedef -i $l -f UTF-8 "$LOCPATH/$l.UTF-8" >/dev/null 2>&1
done

# --- Fixtures. The small drive: folders, archives, pictures and documents of a few MB.
fx=$work/fixture
mkdir -p "$fx/Archive/Alt" "$fx/Bilder" "$fx/Dokumente" "$fx/Filme" "$fx/Leer"
truncate -s 3M "$fx/Archive/backup.zip"
truncate -s 1M "$fx/Archive/Alt/old.zip"
truncate -s 2M "$fx/Archive/sources.tar.gz"
dd if=/dev/urandom of="$fx/Bilder/photo.JPG" bs=64K count=16 status=none
truncate -s 300K "$fx/Bilder/scan.png"
truncate -s 700K "$fx/Dokumente/notes.txt"
truncate -s 200K "$fx/Dokumente/letter.doc"
truncate -s 8M "$fx/Filme/holiday.mkv"
printf 'Journey\n' >"$fx/.windows-label"
# The large drive: 400,000 empty files in 800 folders, made once and kept. Its scan takes
# several seconds under Wine, long enough for the close to arrive while it runs.
big=$work/bigdrive
if [ ! -f "$work/bigdrive-400k.done" ]; then
  rm -rf "$big"
  python3 - "$big" <<'EOF'
import os, sys
root = sys.argv[1]
for d in range(800):
    folder = os.path.join(root, "d%03d" % d)
    os.makedirs(folder)
    for f in range(500):
        open(os.path.join(folder, "f%03d.dat" % f), "w").close()
EOF
  touch "$work/bigdrive-400k.done"
fi

# --- The prefix: the program folder in C:\Orvella, the probe beside it, no Z: (the root file
# system would be one more usable drive), Q: the fixture, R: the large drive, the recycle bin
# in the work dir.
prefix=$work/prefix
wine_prefix_init "$prefix"
export WINEPREFIX=$prefix
export XDG_DATA_HOME=$work/xdg
rm -f "$prefix/dosdevices/z:"
mkdir -p "$prefix/drive_c/Orvella" "$prefix/drive_c/probe"
cp -r "$program/." "$prefix/drive_c/Orvella/"
cp "$bin/orvella_probe.exe" "$prefix/drive_c/probe/"
ln -sfn "$fx" "$prefix/dosdevices/q:"
ln -sfn "$big" "$prefix/dosdevices/r:"
exe='C:\Orvella\orvella.exe'
cd "$prefix/drive_c" || exit 1

# The probe's output without carriage returns, and its exit code.
probe() {
  local out status
  out=$("$WINE64" 'C:\probe\orvella_probe.exe' "$@" 2>/dev/null)
  status=$?
  [ -n "$out" ] && printf '%s\n' "${out//$'\r'/}"
  return $status
}
# Waits for a background start to end and sets rc to its exit code, or to "timeout".
wait_exit() {  # pid, limit in tenths of a second
  local pid=$1 limit=$2
  for _ in $(seq "$limit"); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid"
      rc=$?
      return
    fi
    sleep 0.1
  done
  rc=timeout
}
start() {  # log name, locale, arguments
  local log=$1 loc=$2; shift 2
  LC_ALL=$loc LANG=$loc WINEDEBUG=${journey_debug:--fixme,warn+seh} "$WINE64" "$exe" "$@" \
    2>"$logs/$log.err" &
  last_pid=$!
}
# A crash shows winedbg's dialog; it must never be there.
no_crash() { ! probe list | grep -Eq $'\t(Program Error|Programmfehler)[^\t]*\tvisible=1'; }

# --- Window geometry from the probe.
main_rect() { probe rect TForm_KT7; }
# The page: the main window's module area holds it.
page_handle() { probe tree TForm_KT7 | awk -F'\t' 'NR == 3 { sub(/^ +/, "", $1); print $1 }'; }
# The first visible descendant of the main window of a class: handle and screen rectangle.
find_in_main() {  # class [n-th match, from 1]
  probe tree TForm_KT7 | awk -F'\t' -v c="$1" -v n="${2:-1}" \
    '$2 == c && $5 == "visible=1" { if (++k == n) { sub(/^ +/, "", $1); print $1 "\t" $4; exit } }'
}
grid_handle() { find_in_main OrvellaTreeGrid | cut -f1; }
header_items() { local g; g=$(grid_handle); [ -n "$g" ] && probe header "$g"; }
column_count() { header_items | grep -c .; }
# The filter box is the editable combo box (it has an Edit child), the bar box the other one.
filter_combo() {
  probe tree TForm_KT7 | awk -F'\t' '
    { match($1, /^ */); depth = RLENGTH; h = substr($1, depth + 1) }
    $2 == "OrvellaImageCombo" && $5 == "visible=1" { cand = h; at = depth; next }
    $2 == "Edit" && cand != "" && depth == at + 4 && $5 == "visible=1" { print cand; exit }'
}
# The drive dialog: a top-level window of our own with a visible drive list.
drive_dialog() { probe owner OrvellaDriveCombo | awk -F'\t' '$2 != "TForm_KT7" { print $1; exit }'; }
drive_combo_of() {
  probe tree "$1" | awk -F'\t' '$2 == "OrvellaDriveCombo" { sub(/^ +/, "", $1); print $1; exit }'
}
crop_main() {  # shot name, target file
  local r; r=$(main_rect)
  set -- "$1" "$2" $r
  convert "$shots/$1.png" -crop "$5x$6+$3+$4" +repage "$2"
}
# True when two shots differ inside the main window.
changed() {  # shot a, shot b
  crop_main "$1" "$work/a.png"
  crop_main "$2" "$work/b.png"
  local n
  n=$(compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1 | cut -d' ' -f1)
  [ "$n" != 0 ]
}
# Whether the main window holds a window of that class, shown or not.
has_in_main() { probe tree TForm_KT7 | awk -F'\t' -v c="$1" '$2 == c { f = 1 } END { exit !f }'; }
wait_columns() {  # count, limit in half seconds
  for _ in $(seq "$2"); do
    [ "$(column_count)" = "$1" ] && return 0
    sleep 0.5
  done
  return 1
}
# The text the shipped translation gives a message.
translated() {  # language base name, message key
  sed -n "s/^MESSAGES\.$2=//p" "$program/Translation/$1.nlang3" | tr -d '\r'
}

# Answers the drive dialog of an analysis with the drive whose letter is given; true when the
# analysis was started (with or without the dialog).
answer_drive_dialog() {  # letter, shot name
  local dlg=""
  for _ in $(seq 100); do
    dlg=$(drive_dialog)
    [ -n "$dlg" ] && break
    sleep 0.1
  done
  [ -n "$dlg" ] || return 1
  echo "   drive dialog: $(probe text "$dlg")"
  local combo; combo=$(drive_combo_of "$dlg")
  local items; items=$(probe combo "$combo")
  sed 's/^/     /' <<<"$items"
  # The drives of the prefix: C:, the fixture Q: and, for the long scan, R:.
  if grep -v '^sel=' <<<"$items" | grep -Ev '^[CQR]:' | grep -q .; then
    echo "     a drive that is not usable is offered"
    return 1
  fi
  probe choose "$combo" "$1:" || return 1
  sleep 0.5
  probe combo "$combo" | head -1 | grep -q "text=$1:" || return 1
  shot "$2"
  probe key enter
  probe waitgone "$dlg" 5000 || return 1
  sleep 1
}

# Keys go to the foreground window: the dialog is activated with a click on its picture at the
# left (a place without a control) before Escape.
cancel_drive_dialog() {  # dialog
  local title r; title=$(probe text "$1")
  for _ in 1 2 3; do
    r=$(probe rect "$1") || return 0
    set -- "$1" $r
    probe click $(($2 + 30)) $(($3 + $5 / 2))
    for _ in $(seq 20); do
      [ "$(probe foreground | cut -f2)" = "$title" ] && break
      sleep 0.1
    done
    probe key escape
    probe waitgone "$1" 3000 && return 0
  done
  return 1
}

# The view buttons are pictures in the page's top bar: found by clicking along it and watching
# the grid's header, which shows 6 columns in the structure view, 3 in the file list and 4 in
# the formats view.
declare -A view_x=()
find_view_buttons() {
  local r x y last now; r=$(find_in_main OrvellaTreeGrid | cut -f2)
  local page; page=$(probe rect "$(page_handle)")
  set -- $page
  y=$(($2 + 29))
  last=$(column_count)
  for x in $(seq $(($1 + 30)) 50 $(($1 + 380))); do
    probe click "$x" "$y"
    sleep 0.7
    now=$(column_count)
    case $now in
      6) [ -z "${view_x[structure]:-}" ] && view_x[structure]=$x ;;
      3) [ -z "${view_x[files]:-}" ] && view_x[files]=$x ;;
      4) [ -z "${view_x[formats]:-}" ] && view_x[formats]=$x ;;
    esac
    last=$now
  done
  view_y=$y
  echo "   view buttons at y=$y: structure=${view_x[structure]:-?} files=${view_x[files]:-?} formats=${view_x[formats]:-?}"
  [ -n "${view_x[structure]:-}" ] && [ -n "${view_x[files]:-}" ] && [ -n "${view_x[formats]:-}" ]
}
show_view() {  # structure|files|formats
  probe click "${view_x[$1]}" "$view_y"
  sleep 1
}

# The page's command bar at the bottom: "Options" and "New analysis" are pictures too; found
# by clicking along it from the right until the wanted window appears.
find_bottom_button() {  # predicate function that is true once the button's window is there
  local page x y; page=$(probe rect "$(page_handle)")
  set -- $page
  y=$(($2 + $4 - 29))
  for x in $(seq $(($1 + $3 - 40)) -30 $(($1 + $3 - 420))); do
    probe click "$x" "$y"
    sleep 0.7
    if "$pred"; then bottom_x=$x; bottom_y=$y; return 0; fi
    # A drive dialog opened by the other button is answered with "Abort".
    local d; d=$(drive_dialog)
    if [ -n "$d" ]; then cancel_drive_dialog "$d"; analyse_x=$x; fi
  done
  return 1
}
# The options dialog's direct child panels: the navigation on the left (its tiles at 10,16 and
# 10,62, 181 x 40) and the bottom bar on the right (Ok is its right button, 110 x 28, 16 from
# the edge, 12 from the top).
dialog_panels() {  # dialog
  probe tree "$1" | awk -F'\t' '/^  0x/ && $2 == "OrvellaGraphicHost" && $5 == "visible=1" { print $4 }'
}
options_ok() {  # dialog
  local p; p=$(dialog_panels "$1" | sort -n -k2 | tail -1)
  set -- $p
  probe click $(($1 + $3 - 16 - 55)) $(($2 + 26))
}
options_tile() {  # dialog, tile 1 or 2
  local p; p=$(dialog_panels "$1" | sort -n -k1 | head -1)
  local n=$2
  set -- $p
  probe click $(($1 + 100)) $(($2 + (n == 1 ? 36 : 82)))
}
options_dialog() { probe owner Edit | awk -F'\t' '$2 != "TForm_KT7" { print $1; exit }'; }
options_open() { [ -n "$(options_dialog)" ]; }

# =============================================================================================
echo "== 1. first start: no settings, English system, one fixture drive beside C:"
start first en_US.UTF-8
first_pid=$last_pid
check "main window appears" probe wait TForm_KT7 30000
page_built=0
for _ in $(seq 30); do
  has_in_main OrvellaTreeGrid && { page_built=1; break; }
  sleep 0.2
done
if [ "$page_built" = 1 ]; then
  ran+=("first start")
  fc=$(filter_combo)
  check "the filter box is in English (\"All files\")" grep -qx 'All files' <(probe combo "${fc:-0}")
  # C: is a fixed drive too, so the dialog asks; it must not offer Z: or anything else.
  check "the drive dialog is answered with the fixture drive Q:" answer_drive_dialog Q 01-drive-dialog
  check "the analysis ends with a grid of six columns" wait_columns 6 60
  sleep 1
  shot 01-first-analysis
  check "the grid's captions are English" grep -q '^Name' <(header_items)
else
  could_not_run "first start analysis"
  shot 01-first-start
fi
check "no crash dialog" no_crash

# =============================================================================================
echo "== 2. the three views"
if [ "$page_built" = 1 ] && find_view_buttons; then
  ran+=("views")
  show_view structure
  shot 02-structure
  check "structure view: six columns" test "$(column_count)" = 6
  show_view files
  shot 02-files
  check "file list: three columns" test "$(column_count)" = 3
  show_view formats
  shot 02-formats
  check "formats view: four columns" test "$(column_count)" = 4
  check "formats view hides the filter box" test -z "$(filter_combo)"
  mkdir -p "$work/docs"
  crop_main 02-structure "$work/docs/structure.png"
  crop_main 02-files "$work/docs/files.png"
  crop_main 02-formats "$work/docs/formats.png"
  show_view structure
  views=1
else
  could_not_run "views"
  views=0
fi

# =============================================================================================
echo "== 3. extension filter and group filter"
fc=$( [ "$views" = 1 ] && filter_combo)
if [ -n "$fc" ]; then
  ran+=("filters")
  shot 03-before-filter
  edit=$(probe tree "$fc" | awk -F'\t' '$2 == "Edit" { sub(/^ +/, "", $1); print $1; exit }')
  probe click $(probe tree "$fc" | awk -F'\t' '$2 == "Edit" { split($4, r, " "); print r[1] + 10, r[2] + r[4] / 2; exit }')
  probe key end
  old=$(probe text "$edit")
  for _ in $(seq ${#old}); do probe key backspace; done
  probe keys zip
  probe key enter
  sleep 1.5
  shot 03-filter-zip
  check "typed filter stays in the box" test "$(probe text "$edit")" = zip
  check "typed filter changes the list" changed 03-before-filter 03-filter-zip
  check "the group box offers Archives" grep -qx Archives <(probe combo "$fc")
  probe choose "$fc" Archives
  sleep 1.5
  shot 03-filter-archives
  check "group filter chosen" grep -q $'^sel=4\ttext=Archives' <(probe combo "$fc")
  probe choose "$fc" "All files"
  sleep 1
else
  could_not_run "filters"
fi

# =============================================================================================
echo "== 4. options: TXT becomes a document; a new analysis counts it"
opened=0
if [ "$page_built" = 1 ]; then
  pred=options_open
  if find_bottom_button; then opened=1; fi
fi
if [ "$opened" = 0 ]; then
  # Without the page's own button: the header's options picture, 180 from the right edge.
  r=$(main_rect); set -- $r
  bottom_x=$(($1 + $3 - 164)); bottom_y=$(($2 + 18))
  probe click "$bottom_x" "$bottom_y"
  for _ in $(seq 30); do options_open && { opened=1; break; }; sleep 0.1; done
fi
if [ "$opened" = 1 ]; then
  ran+=("options groups")
  dlg=$(options_dialog)
  echo "   options dialog: $(probe text "$dlg")"
  sleep 0.5
  shot 04-options
  # Its client area: the navigation panel sits at its top left corner, the frame is as wide
  # on every side but the caption (which Xvfb, without a window manager, leaves unpainted).
  r=$(probe rect "$dlg")
  navi=$(dialog_panels "$dlg" | sort -n -k1 | head -1)
  set -- $r $navi
  edge=$(($5 - $1))
  mkdir -p "$work/docs"
  convert "$shots/04-options.png" -crop "$(($3 - 2 * edge))x$(($2 + $4 - edge - $6))+$5+$6" +repage \
    "$work/docs/options.png"
  check "the options dialog is in English (\"Settings\")" test "$(probe text "$dlg")" = Settings
  docs=$(probe tree "$dlg" | awk -F'\t' '$2 == "Edit" && $3 ~ /^DOC ;/ && $5 == "visible=1" { sub(/^ +/, "", $1); print $1 "\t" $4; exit }')
  if [ -n "$docs" ]; then
    set -- $(cut -f2 <<<"$docs")
    probe click $(($1 + $3 - 5)) $(($2 + $4 / 2))
    probe key end
    probe keys " ; txt"
    check "the documents list takes TXT in upper case" grep -q '; TXT$' <(probe text "$(cut -f1 <<<"$docs")")
  else
    check "the documents list is on the shown page" false
  fi
  shot 04-options-edited
  options_ok "$dlg"
  check "Ok closes the options dialog" probe waitgone "$dlg" 5000
  check "the documents list is stored" bash -c "'$WINE64' reg query 'HKLM\\SOFTWARE\\Talvik\\Talvik Orvella 2023\\Options' /v Edit_ORV_Docs 2>/dev/null | tr -d '\r' | grep -q 'TXT'"
  if [ -n "${view_x[formats]:-}" ]; then
    show_view formats
    shot 04-formats-before
    show_view structure
  fi
  if [ -n "${analyse_x:-}" ]; then
    probe click "$analyse_x" "$bottom_y"
    check "new analysis on Q:" answer_drive_dialog Q 04-drive-dialog
    sleep 3
    if [ -n "${view_x[formats]:-}" ]; then
      show_view formats
      shot 04-formats-after
      check "the formats view counts the TXT file now" changed 04-formats-before 04-formats-after
      show_view structure
    fi
  else
    could_not_run "new analysis button"
  fi
else
  could_not_run "options dialog"
fi

# =============================================================================================
echo "== 5. another language: restart notice, then French after a restart"
if [ "$opened" = 1 ]; then
  probe click "$bottom_x" "$bottom_y"
  dlg=""
  for _ in $(seq 50); do dlg=$(options_dialog); [ -n "$dlg" ] && break; sleep 0.1; done
  list=$(probe tree "$dlg" | awk -F'\t' '$2 == "SysListView32" && $5 == "visible=1" { print $4; exit }')
  if [ -n "$dlg" ] && [ -z "$list" ]; then
    # The language page is in the other group: the first tile of the navigation.
    options_tile "$dlg" 1
    sleep 0.7
    list=$(probe tree "$dlg" | awk -F'\t' '$2 == "SysListView32" && $5 == "visible=1" { print $4; exit }')
  fi
  if [ -n "$list" ]; then
    ran+=("language")
    lv=$(probe tree "$dlg" | awk -F'\t' '$2 == "SysListView32" && $5 == "visible=1" { sub(/^ +/, "", $1); print $1; exit }')
    rows=$(probe listview "$lv")
    sed 's/^/     /' <<<"$rows"
    check "no language is selected when the dialog opens" bash -c "! grep -q 'selected=1' <<<'$rows'"
    # The first row that is not English: Home selects the first row, Down the next.
    n=$(awk -F'\t' '$1 !~ /^(English|Englisch)/ { print NR; exit }' <<<"$rows")
    set -- $list
    probe click $(($1 + 40)) $(($2 + 30))
    probe key home
    for _ in $(seq $((${n:-1} - 1))); do probe key down; done
    sleep 0.3
    check "a language row is selected" grep -q 'selected=1' <(probe listview "$lv")
    shot 05-options-language
    options_ok "$dlg"
    probe waitgone "$dlg" 5000
    notice=""
    for _ in $(seq 30); do
      notice=$(probe owner Button | awk -F'\t' '$2 != "TForm_KT7" && $3 == "Talvik Orvella 2023" { print $1; exit }')
      [ -n "$notice" ] && break
      sleep 0.1
    done
    check "the restart notice is shown" test -n "$notice"
    sleep 0.5
    shot 05-restart-notice
    [ -n "$notice" ] && { probe button "$notice" OK || probe key enter; }
    forced=$("$WINE64" reg query 'HKLM\SOFTWARE\Talvik\Talvik Orvella 2023\Options' /v ForceLanguage_LCID 2>/dev/null | tr -d '\r' | awk '/ForceLanguage_LCID/ { print $3 }')
    echo "   ForceLanguage_LCID=$forced"
    check "a language other than English is stored" bash -c "[ -n '$forced' ] && [ '$forced' != en-us ]"
  else
    could_not_run "language list"
    [ -n "$dlg" ] && probe key escape
  fi
else
  could_not_run "language"
fi

# =============================================================================================
echo "== 6. delete a folder to the recycle bin"
g=$(find_in_main OrvellaTreeGrid)
if [ -n "$g" ]; then
  ran+=("delete")
  hdr=$(probe tree "$(cut -f1 <<<"$g")" | awk -F'\t' '$2 == "SysHeader32" { print $4; exit }')
  set -- $hdr
  row_y=$(($2 + $4 + 9))
  probe click $(($1 + 60)) "$row_y"
  sleep 0.5
  shot 06-before-delete
  probe click $(($1 + 60)) "$row_y" right
  sleep 0.7
  probe key up
  probe key enter
  box=$(probe dialog 5000 6)
  echo "   question: $box"
  check "the delete question is asked" test -n "$box"
  sleep 2
  shot 06-after-delete
  gone=$(cd "$fx" && for d in Archive Bilder Dokumente Filme Leer; do [ -e "$d" ] || echo "$d"; done)
  echo "   gone from the drive: ${gone:-nothing}"
  check "exactly one folder left the drive" test "$(grep -c . <<<"$gone")" = 1
  check "it is in the recycle bin" test -n "$gone" -a -e "$XDG_DATA_HOME/Trash/files/${gone:-none}"
  check "the list and the totals changed" changed 06-before-delete 06-after-delete
else
  could_not_run "delete"
fi
check "no crash dialog" no_crash

# =============================================================================================
echo "== 8. a second start brings the first window to the front"
probe minimize TForm_KT7
sleep 1
start second en_US.UTF-8
wait_exit $last_pid 300
check "second start ends with exit code 0 (got $rc)" test "$rc" = 0
check "the second start shows no window of its own" test "$(probe list | grep -c '^TForm_KT7')" = 1
sleep 1
state=$(probe state TForm_KT7)
check "first window restored and in front ($state)" grep -q 'visible=1 iconic=0 foreground=1' <<<"$state"
shot 08-second-start
ran+=("second start")

probe close TForm_KT7
wait_exit $first_pid 100
check "the first start ends with exit code 0 (got $rc)" test "$rc" = 0

# =============================================================================================
echo "== 5b. the restart shows the chosen language"
if [ -n "${forced:-}" ]; then
  start restarted en_US.UTF-8
  restart_pid=$last_pid
  probe wait TForm_KT7 30000
  for _ in $(seq 50); do [ -n "$(find_in_main OrvellaTreeGrid)$(drive_dialog)" ] && break; sleep 0.2; done
  d=$(drive_dialog)
  check "the drive dialog is cancelled with Escape" cancel_drive_dialog "${d:-0x0}"
  sleep 1
  shot 05-restarted
  fc=$(filter_combo)
  want=$(translated "$forced" MESSAGE_ORV_FILTER_ALL)
  check "the filter box is in the chosen language (\"$want\")" grep -qxF "$want" <(probe combo "${fc:-0}")
  probe close TForm_KT7
  wait_exit $restart_pid 100
  check "the restarted program ends with exit code 0 (got $rc)" test "$rc" = 0
fi

# =============================================================================================
echo "== 1b. without a forced language the system's language is used: French"
if [ -n "${forced:-}" ] || [ "$page_built" = 1 ]; then
  "$WINE64" reg delete 'HKLM\SOFTWARE\Talvik\Talvik Orvella 2023\Options' /v ForceLanguage_LCID /f >/dev/null 2>&1
  start french fr_FR.UTF-8
  french_pid=$last_pid
  probe wait TForm_KT7 30000
  d=""
  for _ in $(seq 50); do d=$(drive_dialog); [ -n "$d" ] && break; sleep 0.2; done
  check "the drive dialog is cancelled with Escape" cancel_drive_dialog "${d:-0x0}"
  sleep 1
  shot 01b-french
  want=$(translated fr-fr MESSAGE_ORV_FILTER_ALL)
  check "the filter box is French (\"$want\")" grep -qxF "$want" <(probe combo "$(filter_combo)")
  probe close TForm_KT7
  wait_exit $french_pid 100
  check "the French start ends with exit code 0 (got $rc)" test "$rc" = 0
  ran+=("system language")
else
  could_not_run "system language"
fi

# =============================================================================================
echo "== 7. closing during a long scan"
if [ "$page_built" = 1 ]; then
  # With Wine's timestamps: the debug lines tell when the close arrived and when the window
  # was gone.
  journey_debug=-fixme,warn+seh,+timestamp start bigscan en_US.UTF-8
  big_pid=$last_pid
  probe wait TForm_KT7 30000
  if answer_drive_dialog R 07-drive-dialog; then
    ran+=("close during scan")
    # Without a window manager Wine takes up to 2 s to unmap the hidden dialog.
    sleep 2.5
    shot 07-scanning
    check "the scan is running (progress bar shown, no result grid)" \
      bash -c "[ -n '$(find_in_main OrvellaProgressBar)' ] && [ -z '$(find_in_main OrvellaTreeGrid)' ]"
    closed_at=$(date +%s%N)
    probe close TForm_KT7
    posted_at=$(date +%s%N)
    # The whole scan takes far longer; a scan that ignores the close runs into the limit.
    wait_exit $big_pid 50
    ended_at=$(date +%s%N)
    # The probe is a Wine process of its own: its start and end count into the first figure,
    # the second begins when it has posted the close and gone.
    echo "   ended $(( (ended_at - closed_at) / 1000000 )) ms after the probe started," \
      "$(( (ended_at - posted_at) / 1000000 )) ms after it had posted the close"
    check "the program ends soon after the close, exit code 0 (got $rc)" test "$rc" = 0
    [ "$rc" = timeout ] && { wait_exit $big_pid 100; echo "   ten seconds later: $rc"; }
    # The program's own share. Destroying a mapped window, Wine's X11 driver waits up to 2 s for
    # a window manager to withdraw it, and Xvfb has none: that wait is not the program's.
    stamp() { grep -m1 -F "$1" "$logs/bigscan.err" | cut -d: -f1; }
    t_close=$(stamp 'KT16: close waits for the running analysis')
    t_gone=$(stamp 'KT16: FormClose DONE')
    t_exit=$(stamp 'Startup: exit 0')
    check "the close arrived while the scan was running" test -n "$t_close"
    if [ -n "$t_close" ] && [ -n "$t_gone" ] && [ -n "$t_exit" ]; then
      echo "   from the close's arrival: scan stopped and window closed after" \
        "$(awk -v a="$t_close" -v b="$t_gone" 'BEGIN { printf "%d", (b - a) * 1000 }') ms," \
        "program ended after $(awk -v a="$t_close" -v b="$t_exit" 'BEGIN { printf "%d", (b - a) * 1000 }') ms"
    fi
  else
    check "the drive dialog offers R:" false
    probe close TForm_KT7
    wait_exit $big_pid 100
  fi
else
  could_not_run "close during scan"
fi
check "no crash dialog" no_crash

"$WINESERVER" -k 2>/dev/null

# =============================================================================================
echo "== debug lines"
# Every line the program or Wine wrote; what is expected is listed, anything else fails.
expected=(
  'warn:seh:dispatch_exception '
  'warn:seh:OutputDebugString[AW] "(RTL )?WindowsVersion( Build)?=[0-9.]+"$'
  'warn:seh:OutputDebugString[AW] "MainForm -> OnShow Done"$'
  'warn:seh:OutputDebugString[AW] "TranslationCount=[0-9]+"$'
  'warn:seh:OutputDebugString[AW] "LOAD_INTERNAL_ONLY took [0-9]+ ms"$'
  'warn:seh:OutputDebugString[AW] "LOAD_TRANSLATION_TO_FORM \\"T[A-Za-z_0-9]+\\" took [0-9]+ ms"$'
  'warn:seh:OutputDebugString[AW] "Created: TForm_ORV ; FormName=Form_ORV"$'
  'warn:seh:OutputDebugString[AW] "ms for Creating new Module = [0-9]+"$'
  'warn:seh:OutputDebugString[AW] "Startup: (message loop|exit 0|another instance is running)"$'
  'warn:seh:OutputDebugString[AW] "(KT16: FormCloseQuery|KT16: FormCloseQuery DONE|KT16: FormClose|KT16: FormClose DONE|KT16: close waits for the running analysis|KeepFormLoaded_ClearAll)"$'
  'warn:seh:OutputDebugString[AW] "(Close|DO NOT Close): TForm_ORV'
  'warn:seh:OutputDebugString[AW] "Undeleter.dll ; Version = '
  'warn:seh:OutputDebugString[AW] "KT16: deleted [0-9]+, kept [0-9]+, rows removed [0-9]+"$'
  # Wine's own noise of a headless session.
  'fixme:'
  'err:(hid|winediag|ole|xrandr|systray|wineboot):'
)
unexpected=0
for f in "$logs"/*.err; do
  while IFS= read -r line; do
    ok=0
    for p in "${expected[@]}"; do
      if grep -Eq -- "$p" <<<"$line"; then ok=1; break; fi
    done
    if [ "$ok" = 0 ]; then
      echo "   unexpected in $(basename "$f"): $line"
      unexpected=$((unexpected + 1))
    fi
  done < <(sed -E 's/^[0-9]+\.[0-9]+://; s/^[0-9a-f]*://' "$f" | tr -d '\r')
done
check "no unexpected debug line" test "$unexpected" = 0

echo
echo "steps run: ${ran[*]:-none}"
echo "steps that could not run: ${not_run[*]:-none}"
if [ "$failures" -eq 0 ]; then echo "journey e2e: all checks passed"; else echo "journey e2e: $failures failed"; fi
[ "$failures" -eq 0 ]
