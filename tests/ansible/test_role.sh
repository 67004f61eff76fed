#!/usr/bin/env bash
# The Ansible role as an installer runs it, on this computer (-c local): two sites, each with a
# virtual printer on a pseudo-terminal. The first run sends and reports the sites changed; the
# second sends nothing and reports them ok; one changed line of button 2 sends that button's
# text job and the clock, nothing else; a printer that is gone fails its site, named. Before
# that, the package each host would install: the one of its own architecture, as its dpkg says
# or as set for it (an arm64 host), and a host of an architecture without one fails, named.
# Usage: test_role.sh SOURCE_DIR VORLANDEX_SEND VORLANDEX_PRINTER
set -euo pipefail
src=$(realpath "$1") send=$(realpath "$2") printer=$(realpath "$3")
work=$(mktemp -d)
cleanup() {
  for pidfile in "$work"/*.pid; do [[ -f $pidfile ]] && kill "$(cat "$pidfile")" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "test_role: $*" >&2; exit 1; }

# A virtual printer in the background; prints the pseudo-terminal it listens on.
start_printer() {
  # Started from a command substitution: its pid file is how the cleanup finds it.
  "$printer" >"$work/$1.log" 2>"$work/$1.err" &
  echo $! >"$work/$1.pid"
  for _ in $(seq 100); do
    line=$(grep -m1 '^VORLANDEX_COM1=' "$work/$1.log" 2>/dev/null || true)
    [[ -n $line ]] && { echo "${line#VORLANDEX_COM1=}"; return; }
    sleep 0.1
  done
  fail "the virtual printer $1 did not start"
}
# Each printer is named by a link, as /dev/serial/by-id names an adapter; like that link, it
# goes away with the printer (a freed pseudo-terminal's number is soon taken by another).
mkdir -p "$work/by-id"
port_a=$work/by-id/printer-a port_b=$work/by-id/printer-b
ln -s "$(start_printer a)" "$port_a"
ln -s "$(start_printer b)" "$port_b"

# The pair: the program's defaults (a saved file), with a small logo picture.
mkdir -p "$work/pair" "$work/results"
python3 "$src/tests/ansible/make_pair.py" "$src" "$work/pair" 8 8

cat >"$work/inventory.yml" <<YML
---
reception:
  vars:
    ansible_connection: local
    ansible_python_interpreter: "{{ ansible_playbook_python }}"
    vorlandex_pair: $work/pair/clinica.cfg
    vorlandex_install: false
    vorlandex_send: $send
    vorlandex_send_args: ["--no-logo"]
    vorlandex_results_dir: $work/results
  hosts:
    site-a:
      vorlandex_ports: ["$port_a"]
      vorlandex_pair_dir: $work/site-a
      vorlandex_state_home: $work/site-a/state
    site-b:
      vorlandex_ports: ["$port_b"]
      vorlandex_pair_dir: $work/site-b
      vorlandex_state_home: $work/site-b/state
YML
cat >"$work/site.yml" <<YML
---
- name: Send the ticket printers' configuration
  hosts: reception
  gather_facts: false
  roles:
    - role: vorlandex
YML

# Runs the playbook; leaves the recap line of each site in $work/recap-SITE.
play() {
  set +e
  ANSIBLE_ROLES_PATH="$src/contrib/ansible/roles" ANSIBLE_NOCOLOR=1 ANSIBLE_LOCAL_TEMP="$work/tmp" \
    ANSIBLE_HOME="$work/ansible" ansible-playbook -i "$work/inventory.yml" "$work/site.yml" >"$work/play.log" 2>&1
  local rc=$?
  set -e
  for site in site-a site-b; do
    grep -E "^$site +:" "$work/play.log" >"$work/recap-$site" || { cat "$work/play.log" >&2; fail "no recap for $site"; }
  done
  return $rc
}
recap() { sed -E "s/.* $2=([0-9]+).*/\1/" "$work/recap-$1"; }
# The results of SITE's jobs from the JSON left on the controller: "settings=sent clock=sent ...".
jobs() {
  python3 - "$work/results/$1.json" <<'PY'
import json, sys
doc = json.load(open(sys.argv[1]))
print(" ".join(j["job"] + (str(j["button"]) if "button" in j else "") + "=" + j["result"]
               for j in doc["ports"][0]["jobs"]))
PY
}
expect_jobs() {
  local got
  got=$(jobs "$1")
  [[ $got == "$2" ]] || { cat "$work/play.log" >&2; fail "$1: jobs '$got', expected '$2'"; }
}

# The package each host would install, from the amd64 and the arm64 build.
cat >"$work/choice-inventory.yml" <<YML
---
choosers:
  vars:
    ansible_connection: local
    ansible_python_interpreter: "{{ ansible_playbook_python }}"
    vorlandex_debs: [$work/build/vorlandex_1.0_amd64.deb, $work/build-arm64/vorlandex_1.0_arm64.deb]
  hosts:
    this-computer: {expected: "$work/build/vorlandex_1.0_$(dpkg --print-architecture).deb"}
    arm64-host: {vorlandex_architecture: arm64, expected: $work/build-arm64/vorlandex_1.0_arm64.deb}
    armhf-host: {vorlandex_architecture: armhf, expected: ""}
YML
cat >"$work/choice.yml" <<YML
---
- name: Choose each host's package
  hosts: choosers
  gather_facts: false
  tasks:
    - name: Choose
      ansible.builtin.include_role:
        name: vorlandex
        tasks_from: package_choice.yml
    - name: Compare
      ansible.builtin.assert:
        that: vorlandex_package_file == expected
YML
set +e
ANSIBLE_ROLES_PATH="$src/contrib/ansible/roles" ANSIBLE_NOCOLOR=1 ANSIBLE_LOCAL_TEMP="$work/tmp" \
  ANSIBLE_HOME="$work/ansible" ansible-playbook -i "$work/choice-inventory.yml" "$work/choice.yml" >"$work/choice.log" 2>&1
set -e
for host_failed in this-computer:0 arm64-host:0 armhf-host:1; do
  grep -qE "^${host_failed%:*} +:.* failed=${host_failed#*:} " "$work/choice.log" ||
    { cat "$work/choice.log" >&2; fail "package choice: ${host_failed%:*} should have failed=${host_failed#*:}"; }
done
grep -q "No package for armhf-host's architecture armhf" "$work/choice.log" ||
  { cat "$work/choice.log" >&2; fail "the host without a package is not named"; }

# Clock timers for a port named COM1 would start a service on /dev/COM1: refused before anything
# is sent, with the port named (COM1 leads to printer a, never to this computer's own port).
set +e
VORLANDEX_COM1=$port_a ANSIBLE_ROLES_PATH="$src/contrib/ansible/roles" ANSIBLE_NOCOLOR=1 ANSIBLE_LOCAL_TEMP="$work/tmp" \
  ANSIBLE_HOME="$work/ansible" ansible-playbook -i "$work/inventory.yml" "$work/site.yml" --limit site-a \
  -e '{"vorlandex_clock_timer": true, "vorlandex_ports": ["COM1", "'"$port_a"'"]}' >"$work/clock.log" 2>&1
set -e
grep -q "needs each printer's device path: give COM1, $port_a as" "$work/clock.log" && [[ ! -e $work/site-a ]] ||
  { cat "$work/clock.log" >&2; fail "clock timers for COM1 were not refused before sending"; }

play || { cat "$work/play.log" >&2; fail "the first run failed"; }
for site in site-a site-b; do
  [[ $(recap $site changed) -ge 1 && $(recap $site failed) -eq 0 ]] || fail "first run: $(cat "$work/recap-$site")"
  expect_jobs $site "settings=sent clock=sent texts1=sent texts2=sent texts3=sent texts4=sent"
done

play || { cat "$work/play.log" >&2; fail "the second run failed"; }
for site in site-a site-b; do
  [[ $(recap $site changed) -eq 0 && $(recap $site failed) -eq 0 ]] || fail "second run: $(cat "$work/recap-$site")"
  expect_jobs $site "settings=skipped clock=skipped texts1=skipped texts2=skipped texts3=skipped texts4=skipped"
done

# Button 2's first ticket line (line 29 + 6 of the file).
sed -i '35s/.*/  BEM-VINDO AO GUICHE 2\r/' "$work/pair/clinica.cfg"
play || { cat "$work/play.log" >&2; fail "the run after a changed line failed"; }
for site in site-a site-b; do
  [[ $(recap $site changed) -ge 1 && $(recap $site failed) -eq 0 ]] || fail "changed line: $(cat "$work/recap-$site")"
  expect_jobs $site "settings=skipped clock=sent texts1=skipped texts2=sent texts3=skipped texts4=skipped"
done
grep -q 'BEM-VINDO AO GUICHE 2' "$work/a.log" || fail "printer a did not print the new line"

# Printer b goes away: its site fails and names the port; site a is not touched.
# Button 1's first line, which is sent (a change only in lines that are switched off sends
# nothing and would not even open the port).
sed -i '6s/.*/  SEJA BEM-VINDO\r/' "$work/pair/clinica.cfg"
kill "$(cat "$work/b.pid")"
rm "$port_b"
if play; then cat "$work/play.log" "$work/b.err" >&2; fail "a run with a printer gone succeeded"; fi
[[ $(recap site-b failed) -eq 1 ]] || fail "vanished port: $(cat "$work/recap-site-b")"
[[ $(recap site-a failed) -eq 0 ]] || fail "vanished port failed the other site: $(cat "$work/recap-site-a")"
grep -q "$port_b: cannot open" "$work/play.log" || { cat "$work/play.log" >&2; fail "the failure does not name $port_b"; }
echo "test_role: the role sends what changed, reports it, and names a printer that is gone"
