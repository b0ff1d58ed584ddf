# Sourced by the end-to-end tests, with the Windows build folder as $1: the
# Wine environment and its display, a work folder, the screenshot folder,
# and wait_for, which polls a condition with a 20 s time-out.
build=$(cd "$1" && pwd)
source "$build/wine-env.sh"
tarvelo_wine_setup
work=$(mktemp -d)
shots="$build/screenshots"
mkdir -p "$shots"

wait_for() { # condition command...
  local i
  for i in $(seq 1 200); do "$@" && return 0; sleep 0.1; done
  echo "timed out waiting for: $*" >&2
  return 1
}
