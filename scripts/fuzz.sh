#!/usr/bin/env bash
# Builds the fuzz targets with clang (ASan, UBSan, libFuzzer) and runs each on a generated corpus.
#   scripts/fuzz.sh short   about 18 s per target (the test command runs this)
#   scripts/fuzz.sh long    10 minutes per target
# Seeds come from the native build: packed skins, their descriptions and images, the form texts.
# QS_FUZZ_BUILD and QS_NATIVE_BUILD override build/fuzz and build/native.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mode=${1:-short}
case $mode in short) secs=18 ;; long) secs=600 ;; *) echo "usage: $0 short|long" >&2; exit 2 ;; esac
build=${QS_FUZZ_BUILD:-$root/build/fuzz}
# Every library the targets link is instrumented too, or libFuzzer sees no coverage inside it.
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQS_FUZZ=ON \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" >/dev/null
cmake --build "$build" --target qs_fuzz -j "$(nproc)" >/dev/null

skins=${QS_NATIVE_BUILD:-$root/build/native}/skins
seed() { # target, files...
  local dir=$build/corpus/$1; shift
  mkdir -p "$dir"
  for f in "$@"; do [ -f "$f" ] && cp "$f" "$dir/" || true; done
}
seed lzh_decode_fuzz "$skins"/*.skin
seed skin_archive_fuzz "$skins"/*.skin
seed quick_ini_fuzz "$skins"/*/*.ini
seed bmp_decode_fuzz $(ls "$skins"/item9/*.bmp "$skins"/item0/*.bmp 2>/dev/null | head -40)
seed skin_load_fuzz "$skins"/*.skin "$skins"/*/*.ini
seed skin_check_fuzz "$skins"/*.skin
seed form_resource_fuzz "$root"/app/forms/*.txt "$root"/tests/toolkit/controls/forms/*.txt

status=0
for target in lzh_decode_fuzz skin_archive_fuzz quick_ini_fuzz bmp_decode_fuzz form_resource_fuzz skin_load_fuzz \
    skin_check_fuzz; do
  dir=$build/corpus/$target
  mkdir -p "$dir"
  if "$build/bin/$target" "$dir" -max_total_time="$secs" -max_len=65536 -rss_limit_mb=2048 \
      -print_final_stats=0 >"$build/$target.log" 2>&1; then
    echo "fuzz: $target ran ${secs}s clean ($(grep -c '' "$build/$target.log") log lines)"
  else
    echo "fuzz: $target FAILED, see $build/$target.log"; tail -20 "$build/$target.log"; status=1
  fi
done
exit $status
