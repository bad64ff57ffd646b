# Shared by the Windows checks: a failure ends the check, and a condition is polled for.
fail() { echo "FAIL: $*" >&2; exit 1; }

wait_until() { # seconds, command...
    local deadline=$((SECONDS + $1))
    until "${@:2}"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}
