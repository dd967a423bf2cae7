#!/usr/bin/env bash
# zarb-headless at the edges of what it reads and writes: huge or endless lines, a full disk, a
# closed or abandoned output, a folder as the script. Big inputs are made by pipelines here, never
# kept as files.
#
#   headless_limits.sh HEADLESS CASE LIMIT_MIB
#
# With LIMIT_MIB above 0 the program runs with that much address space at most, which holds
# whatever it keeps; builds with sanitizers reserve far more address space and pass 0.
set -u
headless=$1
case_name=$2
limit_mib=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Runs the program on standard input with the memory limit.
bounded() {
    if [ "$limit_mib" -gt 0 ]; then
        prlimit --as=$((limit_mib * 1024 * 1024)) "$headless" 2>"$work/err"
    else
        "$headless" 2>"$work/err"
    fi
}

fail() {
    echo "$case_name: $*"
    echo "standard error was:"
    head -c 2000 "$work/err"
    exit 1
}

expect_status() {
    [ "$1" -eq "$2" ] || fail "exit status $1, expected $2"
}

# Exactly one line on standard error, and it says what went wrong.
expect_one_error() {
    [ "$(wc -l <"$work/err")" -eq 1 ] || fail "expected one line on standard error"
    grep -q "^error: .*$1" "$work/err" || fail "expected an error saying '$1'"
}

# A line of exactly LENGTH bytes that asks for one value, padded with blanks.
padded_get() {
    printf "get frmZarb.Loaded%$(($1 - 18))s\n" ''
}

case $case_name in
long_line_is_skipped_and_the_script_goes_on)
    # A hundred megabytes of words on one line, between two lines that run.
    {
        echo 'get frmSplash.Loaded'
        yes 'get frmZarb.Loaded' | head -c 100000000 | tr -d '\n'
        printf '\nget frmZarb.Loaded\n'
    } | bounded >"$work/out"
    expect_status $? 1
    expect_one_error 'line 2: line longer than 65536 bytes'
    printf '%s\n' '{"frmSplash.Loaded":true}' '{"frmZarb.Loaded":false}' |
        cmp -s - "$work/out" || fail "the lines around the long one did not both run"
    ;;
endless_line_is_an_error)
    head -c 300000000 /dev/zero | bounded >/dev/null
    expect_status $? 1
    expect_one_error 'line 1: line longer than 65536 bytes'
    ;;
longest_line_runs_and_one_byte_more_is_an_error)
    { padded_get 65536; padded_get 65537; padded_get 65536; } | bounded >"$work/out"
    expect_status $? 1
    expect_one_error 'line 2: line longer than 65536 bytes'
    [ "$(grep -c '^{"frmZarb.Loaded":false}$' "$work/out")" -eq 2 ] ||
        fail "both lines of 65536 bytes should have printed their value"
    ;;
get_of_many_long_captions_is_answered_whole)
    # A Caption of 10000 bytes that prints as 60000, asked for 3600 times on one line: an answer
    # of 216 MB, far more than the program may hold.
    {
        printf 'cmdPlay_Click\nset lblLabel.Caption "'
        yes '\u0001' | head -n 10000 | tr -d '\n'
        printf '"\nget'
        yes ' lblLabel.Caption' | head -n 3600 | tr -d '\n'
        echo
    } | bounded | wc -c >"$work/out"
    expect_status "${PIPESTATUS[1]}" 0
    # Each name and its value, a comma or brace after each, the opening brace and the newline.
    [ "$(cat "$work/out")" -eq $((3600 * (19 + 60002 + 1) + 2)) ] ||
        fail "the answer should hold every Caption asked for"
    ;;
full_disk_stops_the_program)
    yes state | head -n 100000 | "$headless" >/dev/full 2>"$work/err"
    expect_status $? 2
    expect_one_error 'cannot write.*: No space left on device'
    "$headless" --help >/dev/full 2>"$work/err"
    expect_status $? 2
    expect_one_error 'cannot write the output: No space left on device'
    ;;
closed_output_stops_the_program)
    echo state | "$headless" 2>"$work/err" >&-
    expect_status $? 2
    expect_one_error 'cannot write'
    ;;
output_whose_reader_has_gone_stops_the_program)
    # With SIGPIPE ignored the writes themselves fail; the program must stop at the first, not
    # read on through the million lines behind it.
    trap '' PIPE
    yes state 2>/dev/null | head -n 1000000 2>/dev/null |
        { "$headless" 2>"$work/err"; echo $? >"$work/status"; } | head -n 1 >/dev/null
    expect_status "$(cat "$work/status")" 2
    expect_one_error 'cannot write'
    ;;
answer_comes_before_the_next_line_is_sent)
    # A program that plays through a named pipe as the script reads each answer before it
    # writes its next line.
    mkfifo "$work/script"
    coproc player { "$headless" "$work/script" 2>"$work/err"; }
    exec {lines}>"$work/script"
    echo 'get frmSplash.Loaded' >&"$lines"
    read -r -t 10 answer <&"${player[0]}" || fail "no answer while the next line was awaited"
    [ "$answer" = '{"frmSplash.Loaded":true}' ] || fail "answered $answer"
    exec {lines}>&-
    wait "$player_PID"
    expect_status $? 0
    ;;
last_line_of_one_byte_without_a_break_is_read)
    printf 'x' | bounded >/dev/null
    expect_status $? 1
    expect_one_error "line 1: unknown command 'x'"
    ;;
folder_as_script_cannot_be_read)
    "$headless" "$work" >"$work/out" 2>"$work/err"
    expect_status $? 2
    expect_one_error "cannot read $work"
    [ ! -s "$work/out" ] || fail "nothing should be printed"
    ;;
folder_as_standard_input_cannot_be_read)
    "$headless" <"$work" >"$work/out" 2>"$work/err"
    expect_status $? 2
    expect_one_error 'cannot read standard input'
    ;;
missing_script_cannot_be_read)
    "$headless" "$work/no-such.zs" >"$work/out" 2>"$work/err"
    expect_status $? 2
    expect_one_error "cannot read $work/no-such.zs"
    ;;
*)
    echo "unknown case $case_name"
    exit 1
    ;;
esac
