#!/usr/bin/env bash
# Prepares a deterministic Wine prefix once: wine-prefix.sh PREFIX ARCH (win32 or win64)
# 96 DPI, a 1024x768 virtual desktop (Wine draws the frames and routes tray clicks), no crash
# dialog, CJK fonts with substitutes for the faces the program names, system UI fonts in GB2312.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
prefix=$1
arch=${2:?wine-prefix: ARCH (win32 or win64) missing}
size=${QS_SCREEN:-1024x768}
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
# The prefix is remade whenever this script or the environment it runs Wine in changes.
stamp=$(cat "$0" "$here/wine-env.inc" | sha1sum | cut -d' ' -f1)-$arch
[ "$(cat "$prefix/.quillshot-ready" 2>/dev/null)" = "$stamp" ] && exit 0

source "$here/wine-env.inc"
qs_wine_env "$prefix" "$arch"
rm -rf "$prefix"
start=$(date +%s.%N)
qs_wine wineboot -i >/dev/null 2>&1
qs_wineserver -w

fonts="$prefix/drive_c/windows/Fonts"
mkdir -p "$fonts"
for f in /usr/share/fonts/truetype/wqy/wqy-microhei.ttc \
         /usr/share/fonts/truetype/arphic/ukai.ttc /usr/share/fonts/truetype/arphic/uming.ttc \
         /usr/share/fonts/truetype/wine/*.ttf /usr/share/wine/fonts/*.ttf; do
  [ -f "$f" ] && ln -sf "$f" "$fonts/"
done

# LOGFONTW as registry hex: height -12, normal weight, GB2312 charset (134), face $1.
logfont() {
  local face_hex
  face_hex=$(printf '%s' "$1" | iconv -f UTF-8 -t UTF-16LE | od -An -tx1 -v | tr -s ' \n' ' ')
  local bytes="f4 ff ff ff 00 00 00 00 00 00 00 00 00 00 00 00 90 01 00 00 00 00 00 86 00 00 00 00 $face_hex"
  local n
  n=$(echo $bytes | wc -w)
  while [ "$n" -lt 92 ]; do bytes="$bytes 00"; n=$((n + 1)); done
  echo $bytes | sed 's/ /,/g'
}
sys_font=$(logfont "SimSun")
reg="$prefix/quillshot.reg"
{
  echo 'Windows Registry Editor Version 5.00'
  echo
  echo '[HKEY_CURRENT_USER\Software\Wine\WineDbg]'
  echo '"ShowCrashDialog"=dword:00000000'
  echo
  echo '[HKEY_CURRENT_USER\Software\Wine\Explorer]'
  echo '"Desktop"="Default"'
  echo
  echo '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]'
  echo "\"Default\"=\"$size\""
  echo
  echo '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]'
  echo '"Decorated"="N"'
  echo
  echo '[HKEY_CURRENT_USER\Software\Wine\DllOverrides]'
  echo '"winemenubuilder.exe"=""'
  echo
  echo '[HKEY_CURRENT_USER\Control Panel\Desktop]'
  echo '"LogPixels"=dword:00000060'
  echo
  echo '[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts]'
  echo '"LogPixels"=dword:00000060'
  echo
  echo '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]'
  # Song faces map to the Ming face (the same style), calligraphic Li to the Kai face.
  echo '"宋体"="AR PL UMing CN"'
  echo '"SimSun"="AR PL UMing CN"'
  echo '"新宋体"="AR PL UMing CN"'
  echo '"NSimSun"="AR PL UMing CN"'
  echo '"隶书"="AR PL UKai CN"'
  echo '"LiSu"="AR PL UKai CN"'
  echo '"MS Shell Dlg"="SimSun"'
  echo '"MS Shell Dlg 2"="SimSun"'
  echo
  echo '[HKEY_CURRENT_USER\Control Panel\Desktop\WindowMetrics]'
  for k in CaptionFont SmCaptionFont MenuFont StatusFont MessageFont IconFont; do
    echo "\"$k\"=hex:$sys_font"
  done
  echo
} | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$reg"
qs_wine regedit /S "$(qs_wine winepath -w "$reg")" >/dev/null 2>&1
qs_wineserver -w
end=$(date +%s.%N)
awk -v s="$start" -v e="$end" -v p="$prefix" 'BEGIN { printf "wine-prefix: prepared %s in %.1f s\n", p, e - s }' >&2
echo "$stamp" > "$prefix/.quillshot-ready"
