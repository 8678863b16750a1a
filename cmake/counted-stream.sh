#!/usr/bin/env bash
# counted-stream.sh IN OUT: OUT is IN behind its byte count (int32, little-endian), the layout in
# which a form stores a skin component's skin stream.
set -euo pipefail
n=$(stat -c %s "$1")
printf "$(printf '\\%03o\\%03o\\%03o\\%03o' $((n & 255)) $((n >> 8 & 255)) $((n >> 16 & 255)) $((n >> 24 & 255)))" > "$2"
cat "$1" >> "$2"
