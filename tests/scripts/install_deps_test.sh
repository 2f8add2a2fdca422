#!/usr/bin/env bash
# Runs scripts/install-deps.sh against stand-ins for dpkg-query, apt-get and
# sudo, with the policy file in a scratch folder, and checks its exit status
# and what it leaves of the policy file.
#
# Usage: install_deps_test.sh <install-deps.sh>
set -uo pipefail

script=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

fail() { echo "FAIL [$case_name]: $*"; failures=$((failures + 1)); }

# Stand-ins: dpkg-query answers "installed" for the names in $STUB/installed;
# apt-get logs its calls, notes whether our policy file blocks service
# starts while it installs, and fails when $STUB/apt-fails exists; sudo runs
# its command.
make_stubs() {
  local bin=$1/bin
  mkdir -p "$bin"
  cat >"$bin/dpkg-query" <<'EOF'
#!/usr/bin/env bash
name=${!#}
if grep -qx "$name" "$STUB/installed" 2>/dev/null; then printf 'install ok installed'; exit 0; fi
exit 1
EOF
  cat >"$bin/apt-get" <<'EOF'
#!/usr/bin/env bash
echo "apt-get $*" >>"$STUB/apt.log"
if [ "$1" = install ]; then
  "$LEDRIX_POLICY_RC_D" >/dev/null 2>&1
  if [ $? -eq 101 ]; then
    echo blocked >>"$STUB/policy-during-install"
  else
    echo open >>"$STUB/policy-during-install"
  fi
  [ -e "$STUB/apt-fails" ] && exit 100
fi
exit 0
EOF
  printf '#!/usr/bin/env bash\nexec "$@"\n' >"$bin/sudo"
  chmod +x "$bin"/*
}

run_case() {
  case_name=$1
  local stub=$scratch/$case_name
  mkdir -p "$stub"
  make_stubs "$stub"
  STUB=$stub LEDRIX_POLICY_RC_D=$stub/policy-rc.d PATH="$stub/bin:$PATH" \
    bash "$script" >"$stub/out.txt" 2>&1
  status=$?
}

all_packages() {
  sed -n '/^packages=(/,/^)/p' "$script" | sed '1d;$d' | tr ' ' '\n' | sed '/^$/d'
}

# Nothing missing: no apt call, status 0, no policy file made.
case_name=nothing-missing; mkdir -p "$scratch/$case_name"
all_packages >"$scratch/$case_name/installed"
run_case nothing-missing
[ "$status" -eq 0 ] || fail "status $status"
[ ! -e "$scratch/nothing-missing/apt.log" ] || fail "apt-get was called"
[ ! -e "$scratch/nothing-missing/policy-rc.d" ] || fail "a policy file was left"

# Something missing, no policy file before: installs with starts blocked,
# status 0, no policy file afterwards.
case_name=missing-no-policy; mkdir -p "$scratch/$case_name"
all_packages | grep -vx 'xvfb' >"$scratch/$case_name/installed"
run_case missing-no-policy
[ "$status" -eq 0 ] || fail "status $status: $(cat "$scratch/$case_name/out.txt")"
grep -q 'install .*xvfb' "$scratch/$case_name/apt.log" || fail "xvfb was not installed"
grep -q 'install .*g++' "$scratch/$case_name/apt.log" && fail "an installed package was installed again"
[ "$(cat "$scratch/$case_name/policy-during-install" 2>/dev/null)" = blocked ] || fail "service starts were not blocked"
[ ! -e "$scratch/$case_name/policy-rc.d" ] || fail "our policy file was left behind"

# Something missing, the machine has a policy file of its own (one that
# allows starts): starts are still blocked while installing, status 0, and
# the machine's file is back byte for byte with its mode.
case_name=missing-own-policy; mkdir -p "$scratch/$case_name"
all_packages | grep -vx 'xvfb' >"$scratch/$case_name/installed"
printf '#!/bin/sh\n# the machine'"'"'s own\nexit 0\n' >"$scratch/$case_name/policy-rc.d"
chmod 750 "$scratch/$case_name/policy-rc.d"
cp -p "$scratch/$case_name/policy-rc.d" "$scratch/$case_name/policy-before"
run_case missing-own-policy
[ "$status" -eq 0 ] || fail "status $status: $(cat "$scratch/$case_name/out.txt")"
[ "$(cat "$scratch/$case_name/policy-during-install" 2>/dev/null)" = blocked ] || fail "service starts were not blocked"
cmp -s "$scratch/$case_name/policy-rc.d" "$scratch/$case_name/policy-before" || fail "the machine's policy file was not put back"
[ "$(stat -c %a "$scratch/$case_name/policy-rc.d")" = 750 ] || fail "the machine's policy file lost its mode"
[ ! -e "$scratch/$case_name/policy-rc.d.ledrix-saved" ] || fail "the saved copy was left behind"

# A failing install: non-zero status, the policy file put back as it was,
# with and without one of the machine's own.
for own in yes no; do
  case_name=failing-install-own-$own; mkdir -p "$scratch/$case_name"
  all_packages | grep -vx 'xvfb' >"$scratch/$case_name/installed"
  touch "$scratch/$case_name/apt-fails"
  if [ "$own" = yes ]; then
    printf '#!/bin/sh\nexit 0\n' >"$scratch/$case_name/policy-rc.d"
    chmod +x "$scratch/$case_name/policy-rc.d"
    cp -p "$scratch/$case_name/policy-rc.d" "$scratch/$case_name/policy-before"
  fi
  run_case "$case_name"
  [ "$status" -ne 0 ] || fail "a failed install answered 0"
  if [ "$own" = yes ]; then
    cmp -s "$scratch/$case_name/policy-rc.d" "$scratch/$case_name/policy-before" || fail "the machine's policy file was not put back"
  else
    [ ! -e "$scratch/$case_name/policy-rc.d" ] || fail "our policy file was left behind"
  fi
done

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all install-deps cases passed"
