#!/usr/bin/env bash
# make_pictures.sh - draws Aromelle's pictures with ImageMagick 6.
#
# Makes:
#   signs/<sign>.jpg      twelve 200x200 baseline JPEGs, one per sun sign: the
#                         zodiac glyph on a starry indigo disc with the sign's
#                         name in peach underneath (about 8-10 KB each)
#   icons/aromelle.svg    the program icon, hand-written SVG (its text is kept
#                         below and written out as it stands)
#   icons/aromelle-N.png  the icon as RGBA PNGs, N = 32 48 64 128 256
#
# The build does not run this script: its outputs are committed. Run it by hand
# after changing the artwork; it can be run from any directory and gives the
# same files every time. Needs ImageMagick 6 (convert, identify), awk, od and
# the DejaVu fonts (Debian package fonts-dejavu-core).

set -euo pipefail

cd "$(dirname "$(readlink -f "$0")")"

# Call ImageMagick by full path so that no other "convert" on PATH is picked up.
CONVERT=/usr/bin/convert
IDENTIFY=/usr/bin/identify
for tool in "$CONVERT" "$IDENTIFY"; do
    [[ -x $tool ]] || { echo "error: $tool not found (install imagemagick)" >&2; exit 1; }
done

FONT_DIR=/usr/share/fonts/truetype/dejavu
GLYPH_FONT=$FONT_DIR/DejaVuSans.ttf     # has the zodiac signs U+2648..U+2653
NAME_FONT=$FONT_DIR/DejaVuSerif.ttf
for font in "$GLYPH_FONT" "$NAME_FONT"; do
    [[ -r $font ]] || { echo "error: font $font not found (install fonts-dejavu-core)" >&2; exit 1; }
done

INDIGO='#150F53'
PEACH='#FFE0C0'

# Sign pictures must come out between these sizes (bytes).
MIN_BYTES=8000
MAX_BYTES=10500
AIM_BYTES=9600      # the quality search aims just under this

SIGNS=(aries taurus gemini cancer leo virgo libra scorpio sagittarius capricorn aquarius pisces)
NAMES=(Aries Taurus Gemini Cancer Leo Virgo Libra Scorpio Sagittarius Capricorn Aquarius Pisces)
GLYPHS=(♈ ♉ ♊ ♋ ♌ ♍ ♎ ♏ ♐ ♑ ♒ ♓)

mkdir -p signs icons

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
trap 'echo "error: make_pictures.sh failed at line $LINENO" >&2' ERR

# ---------------------------------------------------------------------------
# Small deterministic pseudo-random numbers (a plain LCG), so the star field is
# the same on every run and on every machine.
RNG_STATE=1
rng_seed() { RNG_STATE=$1; }
# rng MAX -> sets RNG to an integer in 0..MAX-1
rng() {
    RNG_STATE=$(( (RNG_STATE * 1103515245 + 12345) % 2147483648 ))
    RNG=$(( (RNG_STATE / 65536) % $1 ))
}

# ---------------------------------------------------------------------------
# Sign pictures

# Centre of the glyph disc.
CX=100
CY=84
RING=66
GLYPH_DIAGONAL=96   # diagonal of a glyph's ink box, in pixels

# Draw commands for a star field; stars stay out of the name band at the
# bottom so the lettering stays clean.
star_field() {
    local seed=$1 i x y r a
    rng_seed "$seed"
    for (( i = 0; i < 70; i++ )); do
        rng 200; x=$RNG
        rng 156; y=$RNG
        rng 100; a=$RNG
        # mostly tiny dim points, a few brighter ones
        if (( a < 80 )); then
            rng 35; a=$(( 20 + RNG ))
            printf 'fill rgba(255,236,215,0.%02d) circle %d,%d %d.6,%d ' "$a" "$x" "$y" "$x" "$y"
        else
            rng 40; a=$(( 55 + RNG ))
            printf 'fill rgba(255,240,225,0.%02d) circle %d,%d %d.1,%d ' "$a" "$x" "$y" "$x" "$y"
        fi
    done
    # two small four-pointed sparkles, kept outside the wheel
    local dx dy reach=$(( (RING + 9) * (RING + 9) ))
    for (( i = 0; i < 2; i++ )); do
        while :; do
            rng 170; x=$(( 15 + RNG ))
            rng 130; y=$(( 12 + RNG ))
            dx=$(( x - CX )); dy=$(( y - CY ))
            if (( dx * dx + dy * dy > reach )); then break; fi
        done
        r=4
        printf 'fill rgba(255,224,192,0.80) polygon %d,%d %d,%d %d,%d %d,%d %d,%d %d,%d %d,%d %d,%d ' \
            "$x" $((y - r)) $((x + 1)) $((y - 1)) $((x + r)) "$y" $((x + 1)) $((y + 1)) \
            "$x" $((y + r)) $((x - 1)) $((y + 1)) $((x - r)) "$y" $((x - 1)) $((y - 1))
    done
}

# Draw commands for the thin zodiac wheel around the glyph: a peach ring with
# twelve marks, the mark of this sign (index $1, Aries at the top, going
# clockwise) drawn as a bright dot.
zodiac_wheel() {
    awk -v mark="$1" -v cx="$CX" -v cy="$CY" -v ring="$RING" 'BEGIN {
        printf "fill none stroke rgba(255,224,192,0.55) stroke-width 1.2 circle %d,%d %d,%d ", cx, cy, cx + ring, cy
        printf "stroke rgba(255,224,192,0.22) stroke-width 0.8 circle %d,%d %d,%d ", cx, cy, cx + ring - 6, cy
        printf "stroke none "
        pi = atan2(0, -1)
        for (k = 0; k < 12; k++) {
            a = (30 * k - 90) * pi / 180
            x = cx + ring * cos(a)
            y = cy + ring * sin(a)
            if (k == mark)
                printf "fill rgba(255,224,192,1.0) circle %.2f,%.2f %.2f,%.2f ", x, y, x + 3.6, y
            else
                printf "fill rgba(255,224,192,0.70) circle %.2f,%.2f %.2f,%.2f ", x, y, x + 1.6, y
        }
    }'
}

# Build the uncompressed picture for sign $1 (index) into $2 (PNG).
# $3 is the strength of the fine grain in the background, in hundredths
# (0 = none).
draw_sign() {
    local i=$1 out=$2 grain=$3
    local glyph=${GLYPHS[$i]} name=${NAMES[$i]}

    # Background: an indigo radial glow centred on the glyph, darker corners.
    "$CONVERT" -size 300x300 radial-gradient:'#33298F'-'#0A0730' \
        -crop 200x200+50+$((150 - CY)) +repage \
        -fill "$INDIGO" -colorize 18% \
        "$WORK/bg.png"

    # Fine grain so the indigo does not band; fixed seed keeps runs identical.
    if (( grain > 0 )); then
        "$CONVERT" "$WORK/bg.png" -seed $((101 + i)) \
            -attenuate "$(printf '0.%02d' "$grain")" +noise Gaussian \
            "$WORK/bg.png"
    fi

    # Stars and the wheel.
    "$CONVERT" "$WORK/bg.png" \
        -draw "$(star_field $((7 + 31 * i)))" \
        -draw "$(zodiac_wheel "$i")" \
        "$WORK/bg.png"

    # The glyph, drawn on its own layer so it can get a soft glow.
    # The font's glyphs differ in size and sit at different heights, so each
    # is drawn once to measure its ink, then again at the point size that gives
    # its ink box a diagonal of GLYPH_DIAGONAL pixels, trimmed and centred on
    # the disc.
    local ps=84 w h
    for pass in measure draw; do
        "$CONVERT" -size 240x240 xc:none -font "$GLYPH_FONT" -pointsize "$ps" \
            -fill "$PEACH" -stroke "$PEACH" -strokewidth 1.6 \
            -gravity center -annotate +0+0 "$glyph" \
            -trim +repage "$WORK/ink.png"
        read -r w h < <("$IDENTIFY" -format '%w %h\n' "$WORK/ink.png")
        ps=$(awk -v ps="$ps" -v w="$w" -v h="$h" -v d="$GLYPH_DIAGONAL" \
            'BEGIN { printf "%d", ps * d / sqrt(w * w + h * h) + 0.5 }')
    done
    "$CONVERT" -size 200x200 xc:none "$WORK/ink.png" \
        -gravity center -geometry +0+$((CY - 100)) -composite \
        "$WORK/glyph.png"
    "$CONVERT" "$WORK/glyph.png" -channel A -blur 0x7 -evaluate multiply 0.75 +channel \
        -fill '#FFB98A' -colorize 100% \
        "$WORK/glow.png"

    # The name, peach, lightly letter-spaced, in the band under the wheel.
    "$CONVERT" "$WORK/bg.png" \
        "$WORK/glow.png" -compose screen -composite \
        "$WORK/glyph.png" -compose over -composite \
        -font "$NAME_FONT" -pointsize 21 -kerning 1.5 -fill "$PEACH" -stroke none \
        -gravity north -annotate +0+162 "$name" \
        -fill 'rgba(255,224,192,0.55)' -draw "rectangle 84,190 116,190.8" \
        "$out"
}

# Encode $1 (PNG) as a baseline JFIF JPEG at quality $2 into $3.
encode_jpeg() {
    "$CONVERT" "$1" -strip -colorspace sRGB -type TrueColor -depth 8 \
        -interlace none -sampling-factor 1x1 -quality "$2" \
        "JPG:$3"
}

file_size() { stat -c %s "$1"; }

for i in "${!SIGNS[@]}"; do
    sign=${SIGNS[$i]}
    target=signs/$sign.jpg
    done_sign=0
    # Start clean; add a little grain only if the picture comes out too small
    # even at the top quality.
    for grain in 0 3 5 8 12; do
        draw_sign "$i" "$WORK/sign.png" "$grain"
        # highest quality that keeps the file at or under AIM_BYTES
        for (( q = 95; q >= 60; q-- )); do
            encode_jpeg "$WORK/sign.png" "$q" "$WORK/try.jpg"
            size=$(file_size "$WORK/try.jpg")
            quality=$q
            if (( size <= AIM_BYTES )); then break; fi
        done
        if (( size >= MIN_BYTES && size <= MAX_BYTES )); then
            mv "$WORK/try.jpg" "$target"
            printf '  %-24s quality %d, grain %s, %d bytes\n' "$target" "$quality" "$grain" "$size"
            done_sign=1
            break
        fi
    done
    if (( ! done_sign )); then
        echo "error: could not bring $target into $MIN_BYTES..$MAX_BYTES bytes (last try $size)" >&2
        exit 1
    fi
done

# ---------------------------------------------------------------------------
# Program icon

# The SVG is the master copy of the icon. Plain shapes only (no gradients or
# filters) so every SVG renderer, ImageMagick's own included, draws it the same.
cat > icons/aromelle.svg <<'SVG'
<?xml version="1.0" encoding="UTF-8"?>
<!-- Aromelle program icon: a peach perfume bottle marked with a star, on an
     indigo rounded square, with a crescent moon and a sparkle above it.
     Plain shapes on a 256 grid; the main edges sit on multiples of 8 so the
     icon stays crisp when drawn at 32 px. -->
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256" stroke="none">
  <title>Aromelle</title>
  <!-- tile -->
  <rect x="8" y="8" width="240" height="240" rx="52" ry="52" fill="#150F53"/>
  <!-- crescent moon: a peach disc with an indigo disc over it -->
  <circle cx="196" cy="64" r="28" fill="#FFE0C0"/>
  <circle cx="210" cy="52" r="24" fill="#150F53"/>
  <!-- sparkle -->
  <path d="M60 36 L67 57 L88 64 L67 71 L60 92 L53 71 L32 64 L53 57 Z" fill="#FFE0C0"/>
  <!-- cap and neck -->
  <rect x="96" y="40" width="64" height="48" rx="6" ry="6" fill="#F0AE80"/>
  <rect x="112" y="80" width="32" height="40" fill="#F0AE80"/>
  <!-- body -->
  <rect x="48" y="112" width="160" height="112" rx="24" ry="24" fill="#FFE0C0"/>
  <!-- shine -->
  <rect x="64" y="128" width="10" height="64" rx="5" ry="5" fill="#FFF6EC"/>
  <!-- star on the body -->
  <path d="M128 136 L139 157 L160 168 L139 179 L128 200 L117 179 L96 168 L117 157 Z" fill="#150F53"/>
</svg>
SVG

# PNGs: render the SVG at eight times the wanted size (it is 256 units at 96
# dpi, so density 3*N gives 8*N pixels) and average each 8x8 block down, which
# gives clean edges even at 32 px. No date chunks, so reruns give equal bytes.
ICON_SIZES=(32 48 64 128 256)
for n in "${ICON_SIZES[@]}"; do
    "$CONVERT" -background none -density $(( 3 * n )) icons/aromelle.svg \
        -filter Box -resize "${n}x${n}" +repage \
        -strip -define png:exclude-chunks=date,time \
        "PNG32:icons/aromelle-$n.png"
done

# ---------------------------------------------------------------------------
# Checks

fail() { echo "error: $*" >&2; exit 1; }

# Hex dump of a file as " xx xx xx ...", for looking for byte sequences.
hex_bytes() { od -An -v -tx1 "$1" | tr -s ' \n' ' '; }

echo
echo "Sign pictures:"
for sign in "${SIGNS[@]}"; do
    f=signs/$sign.jpg
    [[ -f $f ]] || fail "$f is missing"
    info=$("$IDENTIFY" -format '%m %w %h %z %[channels] %[interlace] %[jpeg:sampling-factor]\n' "$f")
    read -r format width height depth channels interlace sampling <<< "$info"
    size=$(file_size "$f")
    [[ $format == JPEG ]]            || fail "$f: not a JPEG ($format)"
    [[ ${width}x$height == 200x200 ]] || fail "$f: ${width}x$height, want 200x200"
    [[ $depth == 8 ]]                || fail "$f: $depth-bit, want 8-bit"
    [[ $channels == srgb ]]          || fail "$f: channels '$channels', want 3 (srgb)"
    [[ $sampling == *,*,* ]]         || fail "$f: $sampling, want three colour components"
    [[ $interlace == None ]]         || fail "$f: interlace $interlace, want None (baseline)"
    (( size >= MIN_BYTES && size <= MAX_BYTES )) || fail "$f: $size bytes, want $MIN_BYTES..$MAX_BYTES"
    bytes=$(hex_bytes "$f")
    # SOI, then a 16-byte APP0 segment holding "JFIF\0"
    [[ $bytes == " ff d8 ff e0 00 10 4a 46 49 46 00 "* ]] || fail "$f: no JFIF header"
    # baseline frame header SOF0: length 17, 8-bit, 200 high, 200 wide, 3 components
    [[ $bytes == *" ff c0 00 11 08 00 c8 00 c8 03 "* ]] || fail "$f: no baseline 200x200 3-component frame header"
    printf '  %-24s %6d bytes  %sx%s %s-bit %s baseline JFIF\n' "$f" "$size" "$width" "$height" "$depth" "$channels"
done

echo "Icon:"
[[ -s icons/aromelle.svg ]] || fail "icons/aromelle.svg is missing"
printf '  %-24s %6d bytes\n' icons/aromelle.svg "$(file_size icons/aromelle.svg)"
for n in "${ICON_SIZES[@]}"; do
    f=icons/aromelle-$n.png
    [[ -f $f ]] || fail "$f is missing"
    info=$("$IDENTIFY" -format '%m %w %h %z %[channels] %[fx:p{0,0}.a] %[fx:p{w/2,h/2}.a]\n' "$f")
    read -r format width height depth channels corner centre <<< "$info"
    [[ $format == PNG ]]               || fail "$f: not a PNG ($format)"
    [[ ${width}x$height == ${n}x$n ]]  || fail "$f: ${width}x$height, want ${n}x$n"
    [[ $depth == 8 && $channels == srgba ]] || fail "$f: $depth-bit $channels, want 8-bit RGBA"
    [[ $corner == 0 ]]                 || fail "$f: corner not transparent (alpha $corner)"
    [[ $centre == 1 ]]                 || fail "$f: centre not opaque (alpha $centre)"
    printf '  %-24s %6d bytes  %sx%s %s-bit RGBA, transparent corners\n' "$f" "$(file_size "$f")" "$width" "$height" "$depth"
done
echo "All pictures made and checked."
