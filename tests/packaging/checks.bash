# Shared by the packaging tests: one line per check ("ok - ..." or "not ok - ..."), a summary at
# the end, and the exit status 1 if any check failed. Source it, call `check_end` last.

checks_run=0
checks_failed=0

pass() {
    checks_run=$((checks_run + 1))
    echo "ok - $1"
}

# fail WHAT [DETAILS]: DETAILS (a tool's output, say) is shown indented under the line.
fail() {
    checks_run=$((checks_run + 1))
    checks_failed=$((checks_failed + 1))
    echo "not ok - $1"
    if [[ -n "${2:-}" ]]; then
        local line
        while IFS= read -r line; do
            echo "    $line"
        done <<<"$2"
    fi
}

# expect WHAT EXPECTED ACTUAL
expect() {
    if [[ "$2" == "$3" ]]; then
        pass "$1"
    else
        fail "$1 (expected $2, got $3)"
    fi
}

# The paths listed in installed-files beside this file, comments and blank lines left out.
expected_files() {
    grep -v -e '^#' -e '^$' "$(dirname "${BASH_SOURCE[0]}")/installed-files" | sort
}

require_tools() {
    local tool
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "$0: $tool is missing (scripts/install-deps test installs it)" >&2
            exit 2
        fi
    done
}

check_end() {
    echo "$((checks_run - checks_failed)) passed, $checks_failed failed"
    [[ $checks_failed -eq 0 ]]
}
