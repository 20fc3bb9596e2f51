# Sourced: gives the caller an X display. Keeps DISPLAY when one answers,
# otherwise starts Xvfb on a free display number and stops it on exit.
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  for n in $(seq 90 130); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
  done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  QN_XVFB_PID=$!
  trap 'kill $QN_XVFB_PID 2>/dev/null || true' EXIT
  export DISPLAY=":$n"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  QN_VIRTUAL_DISPLAY=1
fi
