#!/usr/bin/env bash
# Markup engine benchmark: generates documents of 200, 2,000 and 20,000
# elements (uniform grids three levels deep holding borders with text
# blocks), renders each with MarkupRender.exe --time under Wine, and prints
# the milliseconds of each phase (best of several runs) and the
# 20,000/2,000 ratio of the total. Build first (scripts/test.sh or
# lorvane_build --target MarkupRender).
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/env.sh"
BIN="${LORVANE_BUILD_DIR:-$ROOT/build}/cmake/bin"
RENDER="$BIN/MarkupRender.exe"
RUNS="${MARKUP_BENCHMARK_RUNS:-3}"
[ -f "$RENDER" ] || { echo "build MarkupRender first: $RENDER is missing" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
lorvane_start_wine >/dev/null 2>&1 || true

python3 - "$work" <<'PY'
import math, sys
folder = sys.argv[1]
for total in (200, 2000, 20000):
    # root grid -> sections -> groups -> leaves of a Border holding a
    # TextBlock: 1 + s + s*g + 2*s*g*l elements.
    s = max(2, round((total / 2) ** (1 / 3)))
    g = s
    l = max(1, round((total - 1 - s - s * g) / (2 * s * g)))
    parts = ["<UniformGrid>"]
    count = 1
    for i in range(s):
        parts.append("<UniformGrid>")
        count += 1
        for j in range(g):
            parts.append("<UniformGrid>")
            count += 1
            for k in range(l):
                parts.append("<Border Margin='1' Background='#%02X%02X%02X' BorderBrush='Black' "
                             "BorderThickness='1'><TextBlock>Item %d</TextBlock></Border>" % (i * 40 % 256, j * 30 % 256, k * 20 % 256, k))
                count += 2
            parts.append("</UniformGrid>")
        parts.append("</UniformGrid>")
    parts.append("</UniformGrid>")
    with open("%s/doc%d.xml" % (folder, total), "w") as f:
        f.write("".join(parts))
    with open("%s/count%d.txt" % (folder, total), "w") as f:
        f.write(str(count))
PY

declare -A total_ms
printf "%8s %8s %10s %10s %10s %10s %10s\n" size elements parse build layout render total
for size in 200 2000 20000; do
  best=""
  for run in $(seq "$RUNS"); do
    out="$work/time$size-$run.txt"
    WINEDEBUG=-all wine "$RENDER" --size 1024x768 --time "$(winepath -w "$work/doc$size.xml")" \
      "$(winepath -w "$work/doc$size.png")" >"$out" 2>&1 || { cat "$out"; exit 1; }
    line="$(awk '/^parse/{p=$2} /^build/{b=$2} /^layout/{l=$2} /^render/{r=$2} END{printf "%s %s %s %s %.3f", p, b, l, r, p+b+l+r}' "$out")"
    t="$(echo "$line" | awk '{print $5}')"
    if [ -z "$best" ] || awk "BEGIN{exit !($t < $(echo "$best" | awk '{print $5}'))}"; then best="$line"; fi
  done
  read -r p b l r t <<<"$best"
  total_ms[$size]="$t"
  printf "%8s %8s %10s %10s %10s %10s %10s\n" "$size" "$(cat "$work/count$size.txt")" "$p" "$b" "$l" "$r" "$t"
done
awk -v a="${total_ms[20000]}" -v b="${total_ms[2000]}" 'BEGIN{printf "ratio 20000/2000: %.2f (target at most 12)\n", a / b}'
