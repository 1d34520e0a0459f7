#!/bin/sh
# Layering check: fails when a file under src/<folder>/ or tests/<folder>/
# includes a header of a folder above its own (a test may include its own
# folder and lower ones). The order is the README's layout table, bottom
# first; it is also TOLV_SUBSYSTEMS in CMakeLists.txt.
# Usage: tools/check_layers.sh [repository root]
order="base script files compiler audio world render objects physics stat game editors host"
cd "${1:-.}" || exit 2
find src tests -name '*.h' -o -name '*.cpp' | sort |
  xargs grep -H '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' |
  awk -v order="$order" '
    BEGIN { n = split(order, o, " "); for (i = 1; i <= n; i++) rank[o[i]] = i }
    {
      file = substr($0, 1, index($0, ":") - 1)
      split(file, p, "/"); own = p[2]
      if (!(own in rank)) { print file ": folder " own " is not in the layer order"; bad++; next }
      match($0, /"[^"]+"/); inc = substr($0, RSTART + 1, RLENGTH - 2)
      sub(/^(\.\.\/)+/, "", inc)
      if (index(inc, "/") == 0) next
      dep = substr(inc, 1, index(inc, "/") - 1)
      if ((dep in rank) && rank[dep] > rank[own]) { print file ": includes " inc " (" dep " is above " own ")"; bad++ }
    }
    END { if (bad) { print bad " upward include(s)"; exit 1 } }'
