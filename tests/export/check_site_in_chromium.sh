#!/usr/bin/env bash
# Exports the sample project as a site and drives it in headless Chromium:
# contents, browse, popup, jump, Japanese search, ?id= numbers, keyword
# index. Exit 77 (skipped) when chromium is not installed.
#   check_site_in_chromium.sh QUILLORY_CLI PROJECT.qyp CHECK_PAGE [SCREENSHOT.png]
set -euo pipefail
cli=$1 project=$2 check_page=$3 screenshot=${4:-}
browser=$(command -v chromium || command -v chromium-browser || true)
if [[ -z $browser ]]; then
  echo "chromium is not installed; skipped"
  exit 77
fi
work=$(mktemp -d)
server=
cleanup() {
  if [[ -n $server ]]; then kill "$server" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
"$cli" export "$project" --html "$work/site" >/dev/null
cp "$check_page" "$work/site/browser_check.html"
# Served over HTTP so the check page may look into the site's pages.
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$work/site" >/dev/null 2>&1 &
server=$!
for _ in $(seq 50); do
  python3 -c "import urllib.request; urllib.request.urlopen('http://127.0.0.1:$port/')" 2>/dev/null && break
  sleep 0.1
done
flags=(--headless --no-sandbox --disable-gpu --disable-background-networking
  --disable-component-update --disable-sync --no-first-run --user-data-dir="$work/profile")
dom=$(timeout 120 "$browser" "${flags[@]}" --virtual-time-budget=20000 --dump-dom \
  "http://127.0.0.1:$port/browser_check.html" 2>/dev/null)
log=$(sed -n '/<pre id="log">/,/<\/pre>/p' <<<"$dom" | sed 's/<[^>]*>//g')
echo "$log"
if [[ -n $screenshot ]]; then
  timeout 120 "$browser" "${flags[@]}" --window-size=1000,640 --screenshot="$screenshot" \
    "http://127.0.0.1:$port/HLP000003.html" >/dev/null 2>&1
fi
grep -q '^DONE' <<<"$log" && ! grep -q '^FAIL' <<<"$log"
