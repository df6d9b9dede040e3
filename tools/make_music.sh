#!/bin/sh
# Makes our music data/Quorbel.mp3 (the tune of make_sounds --tune) and the music test files in
# tests/data/music/, with sox and lame (apt-get install lame sox). Their output is committed.
#
#     tools/make_music.sh [build folder]
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fixtures=$root/tests/data/music
mkdir -p "$fixtures"

"$build/tools/make_sounds" --tune "$tmp/tune.wav"
lame --quiet -b 48 --resample 22.05 --tt Quorbel --ta Quorbel "$tmp/tune.wav" "$root/data/Quorbel.mp3"

# A second of a 440 Hz sine, 44.1 kHz stereo (MPEG-1), plain and behind ID3v2 and "TAG" blocks.
sox -n -r 44100 -c 2 -b 16 "$tmp/sine44.wav" synth 1 sine 440 vol 0.5
lame --quiet -b 32 --resample 44.1 "$tmp/sine44.wav" "$fixtures/sine44k.mp3"
lame --quiet -b 32 --resample 44.1 --add-id3v2 --pad-id3v2-size 400 --tt Tagged --ta Quorbel \
  "$tmp/sine44.wav" "$fixtures/tagged.mp3"
# 35 seconds at 22.05 kHz mono (MPEG-2), long enough to seek in.
sox -n -r 22050 -c 1 -b 16 "$tmp/sine22.wav" synth 35 sine 440 vol 0.5
lame --quiet -b 8 --resample 22.05 "$tmp/sine22.wav" "$fixtures/sine22k.mp3"
# Two seconds at 8 kHz mono (MPEG-2.5): a buffer holds a single frame.
sox -n -r 8000 -c 1 -b 16 "$tmp/sine8.wav" synth 2 sine 440 vol 0.5
lame --quiet -b 32 --resample 8 "$tmp/sine8.wav" "$fixtures/sine8k.mp3"
# Variable rate, with a XING header and its seek table.
sox -n -r 44100 -c 2 -b 16 "$tmp/sweep.wav" synth 3 sine 200-2000 vol 0.5
lame --quiet -V 7 --resample 44.1 "$tmp/sweep.wav" "$fixtures/vbr.mp3"
# Free format: the headers give no bit rate.
lame --quiet --freeformat -b 40 --resample 44.1 "$tmp/sine44.wav" "$fixtures/free.mp3"
# No frame at all.
head -c 3000 /dev/zero | tr '\0' 'x' > "$fixtures/noframe.mp3"
ls -l "$root/data/Quorbel.mp3" "$fixtures"
