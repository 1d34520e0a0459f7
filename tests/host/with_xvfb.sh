#!/bin/bash
# Runs a command under a virtual X server of its own. The server picks a
# free display itself and says which (-displayfd), so runs side by side
# never take the same one; it is ended when the command ends. Its screen
# is XVFB_SCREEN, 1024x768x24 by default.
# Usage: with_xvfb.sh COMMAND ARGS...
set -u
number=$(mktemp)
Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1024x768x24}" -nolisten tcp 3>"$number" 2>/dev/null &
server=$!
for _ in $(seq 100); do [ -s "$number" ] && break; kill -0 "$server" 2>/dev/null || break; sleep 0.1; done
display=$(head -1 "$number")
rm -f "$number"
if [ -z "$display" ]; then
  echo "with_xvfb: the virtual X server did not start" >&2
  kill "$server" 2>/dev/null
  exit 1
fi
DISPLAY=":$display" "$@"
status=$?
kill "$server" 2>/dev/null
wait "$server" 2>/dev/null
exit $status
