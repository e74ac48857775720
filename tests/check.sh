# The shell tests' one assertion: prints "ok" or "FAIL" with what differed, and counts the
# failures in $fails. Sourced by the shell tests.
fails=0
check() { # description, expected, actual
    if [ "$2" == "$3" ]; then echo "ok: $1"; else echo "FAIL: $1: expected [$2] got [$3]"; fails=$((fails + 1)); fi
}
