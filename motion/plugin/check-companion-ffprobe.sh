#!/usr/bin/env bash
# Reads a written companion movie with ffprobe, a reader independent of
# Video for Windows: a valid AVI with one video stream tagged DRVL.
# Usage: check-companion-ffprobe.sh <file> <frames>
set -euo pipefail
file=$1 frames=$2
[ -f "$file" ] || { echo "no companion at $file" >&2; exit 1; }

format=$(ffprobe -v error -show_entries format=format_name -of csv=p=0 "$file")
streams=$(ffprobe -v error -show_entries stream=codec_type -of csv=p=0 "$file")
tag=$(ffprobe -v error -select_streams v:0 -show_entries stream=codec_tag_string -of csv=p=0 "$file")
packets=$(ffprobe -v error -select_streams v:0 -count_packets \
  -show_entries stream=nb_read_packets -of csv=p=0 "$file")

fail=0
check() { if [ "$2" != "$3" ]; then echo "$1: expected '$3', got '$2'" >&2; fail=1; fi; }
check "container" "$format" "avi"
check "streams" "$streams" "video"
check "video codec tag" "$tag" "DRVL"
check "frames" "$packets" "$frames"
[ $fail -eq 0 ] && echo "ffprobe: $file is an AVI with a DRVL video stream of $frames frames"
exit $fail
