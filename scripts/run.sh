#!/usr/bin/env bash
# Builds the program (Release) and runs it: scripts/run.sh [ARGS]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh" build Release >&2
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  export QT_QPA_PLATFORM=offscreen
fi
# The maker's update servers are out of reach here: unless given, they point at a closed port of this
# machine (a loopback server of your own can stand in: see services/UpdateServer.h).
export BRAMBLEON_UPDATE_FTP=${BRAMBLEON_UPDATE_FTP:-ftp://127.0.0.1:0}
export BRAMBLEON_UPDATE_WEB=${BRAMBLEON_UPDATE_WEB:-http://127.0.0.1:0}
export BRAMBLEON_REDIRECT_WEB=${BRAMBLEON_REDIRECT_WEB:-http://127.0.0.1:0}
exec "$here/build/brambleon" "$@"
