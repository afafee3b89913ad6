#!/usr/bin/env bash
# Build helper for the QAVO Code Table Editor.
#   ./dev.sh run    install what is missing, build, start the editor
#   ./dev.sh test   install what is missing, check the formatting, build
#                   (warnings are errors) and run every test, then again
#                   under AddressSanitizer and UBSan
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(cmake g++ make qt6-base-dev qt6-translations-l10n fonts-liberation2
          libgtest-dev xvfb xauth fonts-dejavu-core clang-format libicu-dev icu-devtools
          lintian dpkg-dev file man-db fp-compiler desktop-file-utils shared-mime-info xdg-utils
          libfile-mimeinfo-perl openbox poppler-utils libxcb1-dev openjdk-17-jdk-headless python3
          clang-tidy)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

# Every C++ file as .clang-format wants it.
check_format() {
  local unformatted
  # grep finds nothing when all is well; that is no failure
  unformatted=$(git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run 2>&1 | { grep -oE '^[^:]+:[0-9]+:[0-9]+: (warning|error)' || true; } | cut -d: -f1 | sort -u)
  if [ -n "$unformatted" ]; then
    echo "Not formatted with clang-format:" >&2
    echo "$unformatted" >&2
    return 1
  fi
}

# Every source file as .clang-tidy wants it: the naming convention and the
# checks that find real faults; any finding fails.
check_tidy() { # build dir with compile_commands.json
  # clang-tidy counts the warnings it suppresses in headers on stderr; only
  # findings matter
  git ls-files 'src/*.cpp' | xargs -P "$(nproc)" -n 8 clang-tidy -p "$1" --quiet 2> >(grep -v 'warnings\? generated' >&2)
}

build() { # dir, extra cmake args...
  local dir=$1; shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)"
}

case "${1:-}" in
  run)
    install_missing
    build build
    exec ./build/src/qcte
    ;;
  test)
    install_missing
    check_format
    build build -DQCTE_WERROR=ON
    check_tidy build
    (cd build && ctest --output-on-failure -j "$(nproc)")
    build build-asan -DQCTE_SANITIZE=ON
    (cd build-asan && ctest --output-on-failure -j "$(nproc)")
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
