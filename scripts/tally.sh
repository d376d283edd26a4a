# Sourced by the scripts: what ctest's runs came to, test by test.

passed=0 failed=0 skipped=0 unpassed=()

# tally <label> <build folder>: adds the tests of the ctest run whose output
# is in <build folder>/ctest-summary.log to passed, failed and skipped, and
# names each test that did not pass in unpassed, a skipped one with the
# reason it gave ("SKIP: ..." in ctest's log of the run).
tally() {
    local label=$1 build=$2 line name status reason
    local test_line='^ *[0-9]+/[0-9]+ +Test +#[0-9]+: ([^ ]+) \.* *(\*\*\*)?([A-Za-z]+)'
    while IFS= read -r line; do
        [[ $line =~ $test_line ]] || continue
        name=${BASH_REMATCH[1]} status=${BASH_REMATCH[3]}
        case $status in
        Passed) passed=$((passed + 1)) ;;
        Skipped)
            skipped=$((skipped + 1))
            reason=$(awk -v test="$name" '
                $0 ~ "^[0-9]+/[0-9]+ Test: " && $3 == test { inside = 1; next }
                inside && /^<end of output>/ { exit }
                inside && sub(/^SKIP:? */, "") { print; exit }' \
                "$build/Testing/Temporary/LastTest.log" 2>/dev/null)
            unpassed+=("skipped: $label: $name${reason:+ ($reason)}")
            ;;
        *)
            failed=$((failed + 1))
            unpassed+=("failed: $label: $name ($status)")
            ;;
        esac
    done <"$build/ctest-summary.log"
}

# Prints the counts, and each test that did not pass on a line of its own.
print_tally() {
    echo "summary: $passed passed, $failed failed, $skipped skipped"
    [ ${#unpassed[@]} -eq 0 ] || printf '  %s\n' "${unpassed[@]}"
}
