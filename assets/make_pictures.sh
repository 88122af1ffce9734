#!/usr/bin/env bash
# make_pictures.sh - draws Aromelle's pictures with ImageMagick 6.
#
# Makes:
#   signs/<sign>.jpg      twelve 200x200 baseline JPEGs, one per sun sign: the
#                         zodiac glyph on a starry indigo disc with the sign's
#                         name in peach underneath (about 8-10 KB each)
#   icons/aromelle.svg    the program icon, hand-written SVG
#   icons/aromelle-N.png  the icon as RGBA PNGs, N = 32 48 64 128 256
#
# The build does not run this script: its outputs are committed. Run it by hand
# after changing the artwork; it can be run from any directory and gives the
# same files every time. Needs ImageMagick 6 (convert, identify) and the DejaVu
# fonts (Debian package fonts-dejavu-core).

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
            (( dx * dx + dy * dy > reach )) && break
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
    local index=$1
    python3 - "$index" "$CX" "$CY" "$RING" <<'EOF'
import math, sys
index, cx, cy, ring = (int(v) for v in sys.argv[1:5])
out = []
out.append(f"fill none stroke rgba(255,224,192,0.55) stroke-width 1.2 "
           f"circle {cx},{cy} {cx + ring},{cy}")
out.append(f"stroke rgba(255,224,192,0.22) stroke-width 0.8 "
           f"circle {cx},{cy} {cx + ring - 6},{cy}")
out.append("stroke none")
for k in range(12):
    ang = math.radians(-90 + 30 * k)
    x = cx + ring * math.cos(ang)
    y = cy + ring * math.sin(ang)
    if k == index:
        out.append(f"fill rgba(255,224,192,1.0) circle {x:.2f},{y:.2f} {x + 3.6:.2f},{y:.2f}")
    else:
        out.append(f"fill rgba(255,224,192,0.70) circle {x:.2f},{y:.2f} {x + 1.6:.2f},{y:.2f}")
print(" ".join(out))
EOF
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
            (( size <= AIM_BYTES )) && break
        done
        if (( size >= MIN_BYTES && size <= MAX_BYTES )); then
            mv "$WORK/try.jpg" "$target"
            printf '  %-24s quality %d, grain %s, %d bytes\n' "$target" "$q" "$grain" "$size"
            done_sign=1
            break
        fi
    done
    if (( ! done_sign )); then
        echo "error: could not bring $target into $MIN_BYTES..$MAX_BYTES bytes (last try $size)" >&2
        exit 1
    fi
done
