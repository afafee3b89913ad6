#!/bin/sh
# Prints the package's Debian changelog: one entry for the version, one item
# per change in the project's history, dated by the last change.
#   changelog.sh SOURCE-DIR PACKAGE VERSION MAINTAINER
set -eu
source_dir=$1 package=$2 version=$3 maintainer=$4

printf '%s (%s) unstable; urgency=medium\n\n' "$package" "$version"
if git -C "$source_dir" rev-parse --git-dir >/dev/null 2>&1; then
  git -C "$source_dir" log --no-merges --reverse --format=%s | while IFS= read -r subject; do
    printf '%s\n' "$subject" | fold -s -w 74 | sed -e 's/ *$//' -e '1s/^/  * /' -e '1!s/^/    /'
  done
  date=$(LC_ALL=C git -C "$source_dir" log -1 --date='format:%a, %d %b %Y %H:%M:%S %z' --format=%ad)
else
  printf '  * Release %s.\n' "$version"
  date=$(LC_ALL=C date -R)
fi
printf '\n -- %s  %s\n' "$maintainer" "$date"
