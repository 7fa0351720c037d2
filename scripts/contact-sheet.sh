#!/usr/bin/env bash
# Lays every picture the build made (data/art/**.png) out on one PNG, each
# with its name and size under it, on a checkerboard so transparent parts
# show.
# Usage: scripts/contact-sheet.sh [build-dir] [out.png]
set -euo pipefail

build_dir=${1:-build}
out=$(realpath -m "${2:-contact-sheet.png}")
art_dir="$build_dir/data/art"
label_font=/usr/share/fonts/opentype/junicode/JunicodeTwoBeta-CondensedMedium.otf

if [ ! -d "$art_dir" ]; then
  echo "No pictures under $art_dir: build the drakmoor_art target first." >&2
  exit 1
fi

# Debian's ImageMagick 6 under its own name first.
montage_cmd=$(command -v montage-im6.q16 || command -v montage)

cd "$art_dir"
mapfile -t pictures < <(find . -name '*.png' | sed 's|^\./||' | sort)
if [ ${#pictures[@]} -eq 0 ]; then
  echo "No pictures under $art_dir." >&2
  exit 1
fi

labelled=()
for picture in "${pictures[@]}"; do
  labelled+=(-label "$picture  %wx%h" "$picture")
done
"$montage_cmd" "${labelled[@]}" \
  -font "$label_font" -pointsize 18 -fill white -background '#303040' \
  -texture pattern:checkerboard -geometry '256x256>+10+10' -tile 6x "$out"
echo "$out: ${#pictures[@]} pictures"
