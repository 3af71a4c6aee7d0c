#!/bin/sh
# Runs "$@" with DISPLAY pointing at an Xvfb server of its own, started here and
# stopped afterwards. Several of these may run at once: each takes a free number.
# XVFB_SCREEN may set the screen geometry (default 1024x768x24).
screen=${XVFB_SCREEN:-1024x768x24}
if ! command -v xdpyinfo >/dev/null 2>&1; then
  echo "with_xvfb: xdpyinfo (package x11-utils) is needed to know when the server takes clients" >&2
  exit 1
fi
try=0
while [ $try -lt 40 ]; do
  n=$(( ( $$ * 7 + try * 13 ) % 600 + 100 ))
  try=$((try + 1))
  [ -e /tmp/.X$n-lock ] && continue
  [ -e /tmp/.X11-unix/X$n ] && continue
  Xvfb :$n -screen 0 "$screen" -nolisten tcp -noreset >/dev/null 2>&1 &
  pid=$!
  i=0
  while [ $i -lt 100 ]; do
    [ -S /tmp/.X11-unix/X$n ] && break
    kill -0 $pid 2>/dev/null || break
    sleep 0.05
    i=$((i + 1))
  done
  # The socket comes before the server takes clients: wait until one can connect
  # (a program started too early finds no display at all).
  while [ $i -lt 200 ] && [ -S /tmp/.X11-unix/X$n ] && kill -0 $pid 2>/dev/null; do
    xdpyinfo -display :$n >/dev/null 2>&1 && break
    sleep 0.05
    i=$((i + 1))
  done
  if [ -S /tmp/.X11-unix/X$n ] && kill -0 $pid 2>/dev/null && xdpyinfo -display :$n >/dev/null 2>&1; then
    DISPLAY=:$n "$@"
    rc=$?
    kill $pid 2>/dev/null
    wait $pid 2>/dev/null
    exit $rc
  fi
  kill $pid 2>/dev/null
  wait $pid 2>/dev/null
done
echo "with_xvfb: could not start an X server" >&2
exit 1
