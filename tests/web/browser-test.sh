#!/usr/bin/env bash
# The web viewer in a real browser: builds the viewer, writes the single-file page of a sample
# figure with "korvendal32 --web-page", opens it in headless Chromium from file:// and checks
# (tests/web/browser_check.js) that the figure is drawn and that a drag of a free point made of
# mouse events moves what is built on it. Prints the page size, the time to the first drawn
# figure and the drag frame time. Needs the desktop program built in $BUILD_DIR.
set -euo pipefail
cd "$(dirname "$0")/../.."
BUILD_DIR=${BUILD_DIR:-build}
WEB_BUILD_DIR=${WEB_BUILD_DIR:-build-web}
FIGURE=${1:-tests/data/figures/valid/construction.qvf}
# Optional: the pixel of the point to drag ("300,200"), for measures on other figures.
DRAG=${2:+#drag=$2}
BUILD_DIR="$WEB_BUILD_DIR" ./tools/build-web.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
KORVENDAL_WEB_VIEWER="$PWD/$WEB_BUILD_DIR/korvendal-viewer.js" \
    "$BUILD_DIR/korvendal32" --web-page "$FIGURE" "$work/page.html"
echo "taille de la page : $(stat -c %s "$work/page.html") octets"
python3 - "$work/page.html" tests/web/browser_check.js "$work/test.html" <<'PY'
import sys
page, check, out = sys.argv[1:]
text = open(page, encoding="utf-8").read()
cut = text.rindex("</body>")
script = open(check, encoding="utf-8").read()
open(out, "w", encoding="utf-8").write(text[:cut] + "<script>\n" + script + "</script>\n" + text[cut:])
PY
# Root in containers needs --no-sandbox; the profile stays in the temporary folder.
dom=$(timeout 120 chromium --headless=new --no-sandbox --disable-gpu --no-first-run \
      --user-data-dir="$work/profile" --virtual-time-budget=30000 --dump-dom \
      "file://$work/test.html$DRAG" 2>"$work/chromium.log") || { cat "$work/chromium.log"; exit 1; }
verdict=$(printf '%s' "$dom" | grep -o 'KV-[A-Z]*[^<]*' | head -1 || true)
echo "navigateur : ${verdict:-aucun verdict}"
[[ "$verdict" == KV-OK* ]] || { tail -20 "$work/chromium.log"; exit 1; }
