#!/usr/bin/env bash
# Runs one zarb-headless script case and compares what it prints with what the case expects.
#
# A case is a script whose own comment lines say what must come out:
#   #> {"imgBall.Left":5920}     the next line on standard output, exactly
#   #!                           the line above is an error (reported on standard error)
#   #! extra argument 'x'        ... and this is what the error says of it
# The exit status must be 1 when the case expects an error, otherwise 0.
set -u
headless=$1
case_file=$2

expected_out=$(sed -n 's/^[[:space:]]*#> //p' "$case_file")
expected_errors=$(awk '/^[[:space:]]*#!/ { print NR - 1 }' "$case_file")
expected_messages=$(awk '/^[[:space:]]*#! / { sub(/^[[:space:]]*#! /, ""); print "error: line " NR - 1 ": " $0 }' "$case_file")

err_file=$(mktemp)
trap 'rm -f "$err_file"' EXIT
actual_out=$(timeout 60 "$headless" "$case_file" 2>"$err_file")
status=$?
actual_errors=$(sed -n 's/^error: line \([0-9][0-9]*\): .*/\1/p' "$err_file")

failed=0
if [ "$actual_out" != "$expected_out" ]; then
    echo "standard output differs (expected, then actual):"
    diff <(printf '%s\n' "$expected_out") <(printf '%s\n' "$actual_out")
    failed=1
fi
if [ "$actual_errors" != "$expected_errors" ]; then
    echo "error lines differ: expected [${expected_errors//$'\n'/ }], got [${actual_errors//$'\n'/ }]"
    cat "$err_file"
    failed=1
fi
while IFS= read -r message; do
    if [ -n "$message" ] && ! grep -Fxq -- "$message" "$err_file"; then
        echo "missing on standard error: $message"
        failed=1
    fi
done <<<"$expected_messages"
want_status=0
[ -n "$expected_errors" ] && want_status=1
if [ "$status" -ne "$want_status" ]; then
    echo "exit status $status, expected $want_status"
    failed=1
fi
exit $failed
