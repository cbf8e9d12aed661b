#!/usr/bin/env bash
# Installs what is missing, builds and starts the gallery: scripts/run.sh [folder-or-picture]
set -euo pipefail
here=$(dirname "$0")
"$here/install-deps.sh"
"$here/build.sh"
exec "$here/../build/tessaview" "$@"
