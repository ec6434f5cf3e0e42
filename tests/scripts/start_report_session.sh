#!/bin/bash
# One session of the windowed program, in an X server of its own: start PROGRAM,
# wait for its window, photograph it, click the Start button (8 + 260, 8 + 13 pixels into
# the window), wait for a second window and photograph that too. An error report instead
# of the preview ends the session, said in OUT/failure.
# Usage (inside xvfb-run): start_report_session.sh PROGRAM OUT
program="$1"
out="$2"
"$program" > "$out/program.log" 2>&1 &
pid=$!
visible() { xdotool search --onlyvisible --name '^Tallowmere$' 2>/dev/null; }
main=""
for i in $(seq 1 150); do main=$(visible | head -1); [ -n "$main" ] && break; sleep 0.2; done
if [ -z "$main" ]; then echo "the main window did not appear" > "$out/failure"; kill $pid; exit 0; fi
sleep 1
import -window root "$out/main.png"
xdotool mousemove --window "$main" 268 21 click 1
preview=""
for i in $(seq 1 300); do
  for w in $(visible); do [ "$w" != "$main" ] && preview="$w"; done
  [ -n "$preview" ] && break
  if xdotool search --onlyvisible --name '^Application Error' >/dev/null 2>&1; then
    import -window root "$out/error.png"
    echo "an error report appeared instead of the preview (see error.png)" > "$out/failure"
    kill $pid; exit 0
  fi
  sleep 0.2
done
echo "$preview" > "$out/preview"
sleep 1
import -window root "$out/preview.png"
kill $pid
wait $pid 2>/dev/null
exit 0
