#!/bin/sh
# Builds the Debian package from a configured and built build directory and
# runs lintian on it. Fails on every tag but no-copyright-file. Also installs
# the build into a scratch prefix, where man must find both manual pages.
#   check-package.sh BUILD-DIR
set -eu
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1 || {
  cat "$work/cpack.log"
  exit 1
}
deb=$(ls "$work"/*.deb)
status=0
lintian --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || status=$?
cat "$work/lintian.log"
# 2 means tags were found; 1 that lintian did not run through.
if [ "$status" -eq 1 ] || [ "$status" -gt 2 ]; then
  echo "lintian failed with exit code $status"
  exit 1
fi
# Lines look like "E: qavo-cte: tag-name [details]".
unexpected=$(grep -E '^[EW]: ' "$work/lintian.log" | awk '{ print $3 }' | grep -vx 'no-copyright-file' || true)
if [ -n "$unexpected" ]; then
  echo "lintian reports more than the missing copyright file:" $unexpected
  exit 1
fi
echo "lintian: nothing but no-copyright-file"

cmake --install "$build" --prefix "$work/prefix" >/dev/null
for page in qcte qavo-ct; do
  MANPATH="$work/prefix/share/man" MANWIDTH=80 man "$page" 2>&1 | grep -q "^NAME" || {
    echo "man $page finds no manual page after cmake --install"
    exit 1
  }
done
echo "man qcte, man qavo-ct: found after cmake --install"
