#!/usr/bin/env bash
# The include check on small trees: it passes a tree whose includes point down, and fails on
# each kind of wrong include with a message naming the file.
set -uo pipefail

check=$(dirname "$0")/check_include_layers.sh
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
failures=0

# Writes a file holding the given include lines.
put() {
  local file=$1
  shift
  mkdir -p "$tree/$(dirname "$file")"
  : >"$tree/$file"
  for inc in "$@"; do echo "#include \"$inc\"" >>"$tree/$file"; done
}

# Runs the check; expects success (pass) or a failure whose message contains $2 (fail).
expect() {
  local want=$1 message=${2:-} out rc
  out=$(bash "$check" "$tree" --layers host/text host/model ui plug app --plugins plug \
          --public host/model --windows ui/qt app 2>&1)
  rc=$?
  if [[ $want == pass && $rc -ne 0 ]] || [[ $want == fail && ($rc -eq 0 || $out != *"$message"*) ]]; then
    echo "FAILED ($want${message:+: $message}): $out" >&2
    failures=$((failures + 1))
  fi
}

reset() { rm -rf "${tree:?}"/*; }

reset
put host/text/a.h
put host/model/b.h "host/text/a.h" "host/model/c.h"
put app/main.cpp "host/model/b.h"
put plug/p.cpp "host/model/b.h"
put plug/p_test.cpp "host/text/a.h"
expect pass

reset
put host/text/a.cpp "host/model/b.h"
expect fail 'host/text/a.cpp: includes "host/model/b.h" from host/model, a higher layer than host/text'

reset
put app/main.cpp "plug/p.h"
expect fail 'app/main.cpp: includes "plug/p.h" from the plugin plug'

reset
put plug/p.cpp "host/text/a.h"
expect fail 'plug/p.cpp: includes "host/text/a.h", which is inside the document model'

reset
put ui/qt/w.h
put ui/qt/w.cpp "ui/qt/w.h"
put plug/p_test.cpp "ui/qt/w.h"
put app/main.cpp "ui/qt/w.h"
expect pass
put plug/p.cpp "ui/qt/w.h"
expect fail 'plug/p.cpp: includes "ui/qt/w.h" from the windowing backend'

reset
put host/model/b.cpp "../text/a.h"
expect fail 'which is in no layer'

if ((failures)); then
  echo "$failures case(s) failed" >&2
  exit 1
fi
echo "include check: every case behaves"
