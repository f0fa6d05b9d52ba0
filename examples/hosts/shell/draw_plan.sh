#!/bin/sh
# Draws the small example plan through the Plamor drawing server with busctl
# and waits until the file is written:   draw_plan.sh OUT.dxf
#
# Every busctl call is a connection of its own, and the server ends an object
# when its creator's connection closes; so the whole drawing goes in one call
# of the factory's Draw: the calls of the plan in the bulk form (runs of
# member, count and options; the numbers and the texts of all calls in
# order), then the stroke-font file. Draw answers when the run has ended.
set -eu
if [ $# -ne 1 ]; then
  echo "usage: draw_plan.sh OUT.dxf" >&2
  exit 2
fi
case $1 in
  /*) out=$1 ;;
  *) out=$(pwd)/$1 ;;
esac

reply=$(busctl --user --timeout=600 call TessaroPlamor.clsPlamor /TessaroPlamor/clsPlamor \
  TessaroPlamor.ClassFactory Draw 'sa(sua{sv})adass' TessaroPlamor.clsPlamor \
  9 put_PaperSize 1 0 \
    put_FileName 1 0 \
    put_LayerName 2 0 \
    Sen 1 0 \
    Sen 1 1 vPen i 2 \
    Sen 1 2 vPen i 3 vStyl i 1 \
    En 1 1 vLayer i 2 \
    Enko 1 0 \
    Moji 1 2 vHeight d 5 vKiten i 1 \
  25 3  1 2  0 0 400 0  400 0 400 280  0 280 400 280  200 140 50  100 100 30 0 90  200 20 \
  4 "$out" 外枠 護岸 河川横断図 \
  M_G_L.KVD)

# The answer is the run result: iss STATE "PATH" "MESSAGE"; 2 means written.
state=$(printf '%s\n' "$reply" | cut -d' ' -f2)
if [ "$state" != 2 ]; then
  echo "draw_plan.sh: the run ended without a file: $reply" >&2
  exit 1
fi
printf '%s\n' "$reply" | sed -n 's/^iss [0-9]* "\(.*\)" ".*"$/\1/p'
