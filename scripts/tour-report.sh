#!/usr/bin/env bash
# Turns the tour's raw output (NN-name.bmp screenshots and tour.txt, written
# by "plimbo-host tour") into PNGs cropped to each window, index.html with one
# line per step, and a contact sheet. Usage: scripts/tour-report.sh DIR
set -euo pipefail
dir="$1"
[ -f "$dir/tour.txt" ] || { echo "tour-report: no $dir/tour.txt" >&2; exit 1; }
esc() { sed -e 's/&/\&amp;/g' -e 's/</\&lt;/g' -e 's/>/\&gt;/g' <<<"$1"; }
pngs=()
{
  echo '<!doctype html><meta charset="utf-8"><title>Tour of w95ZOK56.dll</title>'
  echo '<style>body{font-family:sans-serif;margin:2em}figure{margin:0 0 2em}img{border:1px solid #888;max-width:100%}figcaption{margin-top:.4em}</style>'
  echo '<h1>Tour of w95ZOK56.dll</h1><p><a href="contact-sheet.png">Contact sheet</a></p>'
  while IFS=$'\t' read -r bmp crop window did received; do
    [ -n "$bmp" ] || continue
    png="${bmp%.*}.png"
    if [[ "$bmp" == *.ps ]]; then
      # A printed page: rendered small with Ghostscript where it is installed.
      if command -v gs >/dev/null && [ -f "$dir/$bmp" ] &&
         gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -r40 -dFirstPage=1 -dLastPage=1 \
            -sOutputFile="$dir/$png" "$dir/$bmp" >/dev/null 2>&1; then
        pngs+=("$dir/$png")
      else
        png="$bmp"
      fi
    elif [ -f "$dir/$bmp" ]; then
      # Crop to the window with a margin; the whole screen when that fails.
      if ! convert "$dir/$bmp" -crop "$crop" +repage -bordercolor '#3a6ea5' -border 12 "$dir/$png" 2>/dev/null; then
        convert "$dir/$bmp" "$dir/$png"
      fi
      rm -f "$dir/$bmp"
      pngs+=("$dir/$png")
    fi
    echo "<figure><img src=\"$png\" alt=\"$(esc "$window")\"><figcaption><b>$(esc "$window")</b>: $(esc "$did"). Host received: $(esc "$received").</figcaption></figure>"
  done < "$dir/tour.txt"
} > "$dir/index.html"
if [ ${#pngs[@]} -gt 0 ]; then
  montage "${pngs[@]}" -geometry '400x300>+8+8' -tile 3x -background '#d4d0c8' "$dir/contact-sheet.png"
fi
echo "tour-report: $dir/index.html, $dir/contact-sheet.png (${#pngs[@]} screenshots)"
