#!/usr/bin/env bash
# Installs the build into a temporary prefix, checks the installed files with the desktop's own
# validators, and starts the installed program on a page in a virtual X server.
# Usage: tests/install/check-install.sh BUILD_FOLDER
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
work=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
id=example.tagloom.Tagloom
for f in bin/tagloom share/tagloom/Tags.DB share/tagloom/Attributes.DB share/tagloom/CSS.db \
    "share/tagloom/Common Code" share/tagloom/Wizards share/tagloom/Java share/tagloom/Addin \
    "share/tagloom/tree control" share/tagloom/manual/index.html share/tagloom/manual/search.html \
    share/applications/$id.desktop share/metainfo/$id.metainfo.xml share/mime/packages/tagloom-site.xml \
    share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/16x16/apps/$id.png \
    share/icons/hicolor/48x48/apps/$id.png share/icons/hicolor/256x256/apps/$id.png; do
    [ -e "$prefix/$f" ] || fail "not installed: $f"
done
[ -x "$prefix/bin/tagloom" ] || fail "bin/tagloom is not executable"

echo "== desktop-file-validate"
out=$(desktop-file-validate "$prefix/share/applications/$id.desktop" 2>&1) || fail "desktop-file-validate: $out"
if grep -Eq 'error|warning' <<<"$out"; then fail "desktop-file-validate: $out"; fi
echo "${out:-clean}"
echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"

echo "== shared-mime-info"
cp -r "$prefix/share/mime" "$work/mime"
update-mime-database "$work/mime" || fail "update-mime-database"
grep -q 'application/x-tagloom-site:\*\.site' "$work/mime/globs2" || fail ".site is not the site type"
if grep -q '\*\.sit$' "$work/mime/globs2"; then fail ".sit is claimed"; fi

echo "== command line"
version=$(env -u DISPLAY -u TAGLOOM_HOME "$prefix/bin/tagloom" --version)
[[ "$version" =~ ^tagloom\ [0-9]+\.[0-9]+$ ]] || fail "--version printed: $version"
echo "$version"
status=0
env -u DISPLAY -u TAGLOOM_HOME "$prefix/bin/tagloom" --no-such-option >/dev/null 2>"$work/usage" || status=$?
[ "$status" -eq 2 ] || fail "an unknown option ended with $status, not 2"
grep -q 'Usage:' "$work/usage" || fail "an unknown option printed no usage"

echo "== start the installed program on a page"
home=$work/home
mkdir -p "$home"
page=$work/installcheck.html
printf '<html>\r\n<head>\r\n<title>Installed</title>\r\n</head>\r\n<body>\r\n</body>\r\n</html>' >"$page"
find "$prefix" -printf '%P %s %T@\n' | sort >"$work/before"
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
display=:$(head -n1 "$work/display")
env -u TAGLOOM_HOME HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
    XDG_RUNTIME_DIR="$work" DISPLAY="$display" QT_QPA_PLATFORM=xcb "$prefix/bin/tagloom" "$page" \
    >"$work/app.log" 2>&1 &
app_pid=$!
found=
for _ in $(seq 120); do
    kill -0 "$app_pid" 2>/dev/null || { cat "$work/app.log" >&2; fail "the installed program ended"; }
    if DISPLAY="$display" xdotool search --name 'installcheck' >/dev/null 2>&1; then found=1; break; fi
    sleep 0.5
done
[ -n "$found" ] || { cat "$work/app.log" >&2; fail "no window shows the page"; }
DISPLAY="$display" xdotool search --name 'installcheck' getwindowname
# The user's copies go to the user's data folder; the desktop entry comes from the package alone.
[ -d "$home/.local/share/tagloom/Common Code" ] || fail "no user copy of Common Code"
[ -f "$home/.config/Tagloom/Tagloom 99.ini" ] || fail "no settings written"
[ ! -e "$home/.local/share/applications/tagloom.desktop" ] || fail "the installed program wrote a desktop entry"
kill "$app_pid"
wait "$app_pid" 2>/dev/null || true
app_pid=
find "$prefix" -printf '%P %s %T@\n' | sort >"$work/after"
diff "$work/before" "$work/after" || fail "the program wrote into the installed folders"
echo "install check passed"
