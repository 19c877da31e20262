#!/bin/sh
# Rewrites the menu and toolbar references from the window as it is built now; review the diff before
# keeping it.
# Usage: tests/data/windowlayout/regenerate.sh BUILD_FOLDER
set -e
TAGLOOM_REGENERATE=1 QT_QPA_PLATFORM=offscreen TAGLOOM_HOME="${1:?build folder}" "$1/tests/tst_windowlayout"
