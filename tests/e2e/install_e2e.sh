#!/usr/bin/env bash
# install_e2e.sh -- the game installed into a scratch prefix (DESTDIR) and run from another folder
# under Xvfb: as an ordinary user with a scratch home (the installed folder is not theirs to
# write), its settings land in ~/.config/zedoria and it says nothing; as root its settings land in
# root's home too, never in the installed folder. The desktop entry and the AppStream metadata
# validate.
source "$(dirname "$0")/common.sh"
build=$(dirname "$program")

chmod 755 "$work" # the ordinary user reaches the installed game through it
DESTDIR="$work/root" cmake --install "$build" --prefix /usr >/dev/null
installed="$work/root/usr"
game_folder="$installed/share/zedoria"
for file in bin/zedoria share/zedoria/gfx/0.png share/zedoria/gfx/Ende/tuer.png \
  share/zedoria/sfx/door_bell.wav share/zedoria/data/Endpos.txt share/zedoria/data/highscore.dat \
  share/applications/de.zedoria.Zedoria.desktop share/metainfo/de.zedoria.Zedoria.metainfo.xml; do
  [ -s "$installed/$file" ] || { echo "not installed: $file"; exit 1; }
done
for size in 16 32 48 64 128 256; do
  icon="$installed/share/icons/hicolor/${size}x${size}/apps/de.zedoria.Zedoria.png"
  [ -s "$icon" ] || { echo "no icon of $size pixels"; exit 1; }
done
[ -z "$(find "$installed" -name .written -o -name optionen.txt)" ] || { echo "build leftovers installed"; exit 1; }
desktop-file-validate "$installed/share/applications/de.zedoria.Zedoria.desktop"
appstreamcli validate --no-net "$installed/share/metainfo/de.zedoria.Zedoria.metainfo.xml" >/dev/null ||
  { appstreamcli validate --no-net "$installed/share/metainfo/de.zedoria.Zedoria.metainfo.xml"; exit 1; }

# "Optionen" and "Übernehmen" save the start values in the file $1.
save_settings_at() {
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  click_until_saved "$1" 400 240
  cmp "$1" <(printf '0.800000012\r\n0\r\n') || { echo "settings not saved in $1"; exit 1; }
}

# An ordinary user, whose home is a scratch folder.
home="$work/home"
mkdir "$home"
chown nobody "$home"
start_game setpriv --reuid=nobody --regid=nogroup --clear-groups \
  env HOME="$home" "$installed/bin/zedoria" 2>"$work/stderr"
save_settings_at "$home/.config/zedoria/optionen.txt"
key Escape
expect_exit 0
[ ! -s "$work/stderr" ] || { echo "the installed game said:"; cat "$work/stderr"; exit 1; }
[ -z "$(ls -A "$game_folder/data" | grep -v -e Endpos.txt -e highscore.dat)" ] ||
  { echo "the game wrote into its installed folder"; exit 1; }

# Root may write the installed folder, but an installed game keeps the user's files in the home.
root_home="$work/root-home"
mkdir "$root_home"
start_game env HOME="$root_home" "$installed/bin/zedoria" 2>"$work/stderr"
save_settings_at "$root_home/.config/zedoria/optionen.txt"
key Escape
expect_exit 0
[ ! -e "$game_folder/data/optionen.txt" ] || { echo "root's settings went into the installed folder"; exit 1; }
echo "install e2e: passed"
