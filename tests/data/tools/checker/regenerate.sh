#!/bin/sh
# Rewrites reference.txt from input.html with the checker as it is now; review the diff before committing.
# Usage: tests/data/tools/checker/regenerate.sh build/test
set -eu
TAGLOOM_WRITE_REFERENCE=1 QT_QPA_PLATFORM=offscreen TAGLOOM_HOME="$1" "$1/tests/tst_htmlchecker" golden
