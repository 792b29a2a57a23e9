#!/bin/sh
# Installs the built program into a temporary prefix, checks the layout and
# the desktop files, and starts the installed copy the way the menu entry
# does, on a display of its own, until its window shows.
# usage: install_check.sh BUILD_DIR
set -eu
build=$1
prefix=$(mktemp -d)
trap 'pkill -f "$prefix/" 2>/dev/null || true; rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/velmora libexec/velmora/splash share/velmora/lang.ini share/velmora/data/data.ini \
    share/velmora/sample share/velmora/gallery/gallery.ini share/velmora/help/velmora-help.html \
    share/applications/velmora.desktop share/metainfo/io.github.velmora.Velmora.metainfo.xml \
    share/man/man1/velmora.1 share/doc/velmora/CREDITS.md share/doc/velmora/LICENSES \
    share/icons/hicolor/16x16/apps/velmora.png share/icons/hicolor/256x256/apps/velmora.png \
    share/icons/hicolor/scalable/apps/velmora.svg; do
    [ -e "$prefix/$f" ] || { echo "missing from the install: $f"; exit 1; }
done

desktop-file-validate "$prefix/share/applications/velmora.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/io.github.velmora.Velmora.metainfo.xml" >/dev/null

# The menu entry's command line, with the file list left empty.
command=$(sed -n 's/^Exec=//p' "$prefix/share/applications/velmora.desktop" | sed 's/ *%F//')
[ "$command" = velmora ] || { echo "unexpected Exec line: $command"; exit 1; }

xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
    XDG_STATE_HOME="$1/state" PATH="$1/bin:$PATH" velmora &
    for i in $(seq 1 100); do
        if xwininfo -root -tree | grep -q "\"Velmora - "; then exit 0; fi
        sleep 0.2
    done
    echo "the installed program showed no window"
    exit 1
' sh "$prefix"
