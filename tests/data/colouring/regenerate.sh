#!/bin/sh
# Rewrites reference.txt from input.html with the current colour rules; review the diff before keeping it.
# Usage: tests/data/colouring/regenerate.sh BUILD_FOLDER
set -e
TAGLOOM_REGENERATE=1 "${1:?build folder}/tests/tst_colouring" goldenPage
