#!/usr/bin/env bash
# Fails on an #include that climbs a layer or crosses the plugin boundary, so that the layering
# is kept by the build rather than by goodwill. The build passes the layer order (lowest first)
# and the plugin folders from CMake, where they are declared once:
#
#   check_include_layers.sh SOURCE_DIR --layers L... --plugins P... --public H... [--windows DIR FROM]
#
# Rules, for every "..." include of every .h and .cpp file under the layer folders:
# - a file includes only from its own folder or a lower layer; test code (*_test.cpp, test
#   fixtures, testing/ folders) of host/ sits above the whole document model and may use all
#   of it;
# - the program (app/) never includes a plugin: it creates the add-in and the engine through
#   the registry;
# - a plugin's code (its tests aside) includes from host/ only the public folders or headers
#   given by --public;
# - the windowing backend (--windows: its folder, inside a layer, and the lowest layer that may
#   show windows) is included only from that layer up, by tests, and by itself, so that what
#   runs in batch never links the windowing toolkit.
set -euo pipefail

src=$1
shift
layers="" plugins="" public="" windows="" list=""
while (($#)); do
  case $1 in
    --layers | --plugins | --public | --windows) list=${1#--} ;;
    *)
      case $list in
        layers) layers+=" $1" ;;
        plugins) plugins+=" $1" ;;
        public) public+=" $1" ;;
        windows) windows+=" $1" ;;
        *) echo "check_include_layers: unexpected argument $1" >&2; exit 2 ;;
      esac
      ;;
  esac
  shift
done

cd "$src"
dirs=$(for l in $layers; do if [[ -d $l ]]; then echo "$l"; fi; done)
# One "file:line:include" record per project include; awk applies the rules in one pass.
# shellcheck disable=SC2086
grep -rn --include='*.h' --include='*.cpp' -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' $dirs /dev/null |
  awk -v layers="$layers" -v plugins="$plugins" -v public="$public" -v windows="$windows" '
    BEGIN {
      n = split(layers, order, " ")
      for (i = 1; i <= n; i++) rank[order[i]] = i
      split(plugins, p, " "); for (i in p) isPlugin[p[i]] = 1
      npub = split(public, pub, " ")
      split(windows, w, " "); windowsDir = w[1]; windowsFrom = w[2]
    }
    # The layer of a path: the longest layer name that is one of its leading folders.
    function layerOf(path,   i, best) {
      best = ""
      for (i = 1; i <= n; i++)
        if (index(path, order[i] "/") == 1 && length(order[i]) > length(best)) best = order[i]
      return best
    }
    function isPublic(inc,   i) {
      for (i = 1; i <= npub; i++) if (inc == pub[i] || index(inc, pub[i] "/") == 1) return 1
      return 0
    }
    function isTest(file) {
      return file ~ /_test\.cpp$/ || file ~ /test_(support|fixture)\.h$/ || file ~ /(^|\/)testing\//
    }
    function fail(file, why) { print file ": " why > "/dev/stderr"; failures++ }
    {
      file = $0; sub(/:.*/, "", file)
      inc = $0; sub(/^[^"]*"/, "", inc); sub(/".*/, "", inc)
      files[file] = 1
      from = layerOf(file); if (from == "") next
      top = from; sub(/\/.*/, "", top)
      fromRank = rank[from]
      if (top == "host" && isTest(file) && ("host/testing" in rank)) fromRank = rank["host/testing"]
      if (windowsDir != "" && index(inc, windowsDir "/") == 1 && index(file, windowsDir "/") != 1 &&
          !isTest(file) && fromRank < rank[windowsFrom])
        fail(file, "includes \"" inc "\" from the windowing backend, which only " windowsFrom " and the layers above it use")
      to = layerOf(inc)
      if (to == "") { fail(file, "includes \"" inc "\", which is in no layer (include project headers by their path from the source root)"); next }
      if (to == from) next
      toTop = to; sub(/\/.*/, "", toTop)
      if (rank[to] > fromRank)
        fail(file, "includes \"" inc "\" from " to ", a higher layer than " from)
      else if (top == "app" && (toTop in isPlugin))
        fail(file, "includes \"" inc "\" from the plugin " toTop "; the program creates plugins through the registry")
      else if ((top in isPlugin) && toTop == "host" && !isPublic(inc) && !isTest(file))
        fail(file, "includes \"" inc "\", which is inside the document model; a plugin uses only its public headers")
    }
    END {
      if (failures) { print failures " include(s) break the layering" > "/dev/stderr"; exit 1 }
      print "checked the includes of " length(files) " files: each points down a layer"
    }'
