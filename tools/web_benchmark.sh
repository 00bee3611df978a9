#!/usr/bin/env bash
# Builds the browser version and measures it in headless Chromium: the download, the
# time from navigation to the first drawn frame, and a frame's work over 600 frames.
# VANTOREL_WEB_LOADS sets how many loads the first-frame median takes (default 15).
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/setup.sh
tools/web.sh
ensure_browser_tools
node tests/web/measure.mjs
