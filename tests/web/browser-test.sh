#!/usr/bin/env bash
# The web viewer in a real browser: builds the viewer, writes the single-file page of a sample
# figure with "korvendal32 --web-page", opens it in headless Chromium from file:// and checks
# (tests/web/browser_check.js) that the figure is drawn and that a drag of a free point made of
# mouse events moves what is built on it; a page whose figure is damaged must say why in
# French. Needs the desktop program built in $BUILD_DIR.
set -euo pipefail
cd "$(dirname "$0")/../.."
BUILD_DIR=${BUILD_DIR:-build}
WEB_BUILD_DIR=${WEB_BUILD_DIR:-build-web}
FIGURE=${1:-tests/data/figures/valid/construction.qvf}
# Optional: the pixel of the point to drag ("300,200") on another figure.
DRAG=${2:+#drag=$2}
BUILD_DIR="$WEB_BUILD_DIR" ./tools/build-web.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
KORVENDAL_WEB_VIEWER="$PWD/$WEB_BUILD_DIR/korvendal-viewer.js" \
    "$BUILD_DIR/korvendal32" --web-page "$FIGURE" "$work/page.html"
echo "taille de la page : $(stat -c %s "$work/page.html") octets"
# The check goes in before the end of the body; a second page carries a damaged figure.
python3 - "$work/page.html" tests/web/browser_check.js tests/data/figures/damaged/truncated.qvf \
          "$work" <<'PY'
import base64, re, sys
page, check, damaged, work = sys.argv[1:]
text = open(page, encoding="utf-8").read()
cut = text.rindex("</body>")
text = text[:cut] + "<script>\n" + open(check, encoding="utf-8").read() + "</script>\n" + text[cut:]
open(work + "/test.html", "w", encoding="utf-8").write(text)
bad = base64.b64encode(open(damaged, "rb").read()).decode()
text = re.sub(r'data-qvf="[^"]*"', lambda m: 'data-qvf="' + bad + '"', text, count=1)
open(work + "/damaged.html", "w", encoding="utf-8").write(text)
PY
# Root in containers needs --no-sandbox; the profile stays in the temporary folder.
# Virtual time runs on while the viewer's code is still being compiled: on a loaded machine the
# budget can end before the page has given its verdict, so a page without one is tried again.
run_page() {
    local dom verdict attempt
    for attempt in 1 2 3; do
        dom=$(timeout 120 chromium --headless=new --no-sandbox --disable-gpu --no-first-run \
              --user-data-dir="$work/profile" --virtual-time-budget=30000 --dump-dom \
              "${url:-file://$work/$1}" 2>"$work/chromium.log") || { cat "$work/chromium.log"; return 1; }
        verdict=$(printf '%s' "$dom" | grep -o '<title>KV-[^<]*' | head -1 || true)
        verdict=${verdict#<title>}
        [ -n "$verdict" ] && break
        echo "navigateur : aucun verdict (essai $attempt)"
    done
    echo "navigateur : ${verdict:-aucun verdict}"
    [[ "$verdict" == KV-OK* ]] || { tail -20 "$work/chromium.log"; return 1; }
}
run_page "test.html$DRAG"
run_page "damaged.html#damaged"
# The fragment with the figure and the viewer beside it, as a web server gives them.
mkdir "$work/site"
KORVENDAL_WEB_VIEWER="$PWD/$WEB_BUILD_DIR/korvendal-viewer.js" \
    "$BUILD_DIR/korvendal32" --web-page "$FIGURE" "$work/site/fragment.html" --fragment
{ echo "<script>"; cat tests/web/browser_check.js; echo "</script>"; } >> "$work/site/fragment.html"
python3 -c 'import http.server, socketserver, sys, functools
handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=sys.argv[1])
server = socketserver.TCPServer(("127.0.0.1", 0), handler)
open(sys.argv[2], "w").write(str(server.server_address[1]))
server.serve_forever()' "$work/site" "$work/port" 2>/dev/null &
server=$!
trap 'kill $server 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 50); do [ -s "$work/port" ] && break; sleep 0.1; done
url="http://127.0.0.1:$(cat "$work/port")/fragment.html" run_page ""
