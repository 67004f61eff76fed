#!/usr/bin/env bash
# Ten virtual printers on one computer through the Ansible role (ansible-playbook -c local):
# the playbook's wall time, from its start to its end, against one printer's send-all minimum
# (the sum of the pauses of everything it sends, with a 400 x 200 logo). Gate 1.05: the role
# feeds the ten ports at once through one vorlandex-send.
# Usage: send_role.sh SOURCE_DIR VORLANDEX_SEND VORLANDEX_PRINTER
set -euo pipefail
src=$(realpath "$1") send=$(realpath "$2") printer=$(realpath "$3")
printers=10 gate=1.05
work=$(mktemp -d)
cleanup() {
  for pidfile in "$work"/*.pid; do [[ -f $pidfile ]] && kill "$(cat "$pidfile")" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/pair" "$work/results"
python3 "$src/tests/ansible/make_pair.py" "$src" "$work/pair" 400 200 --logo 400 200
minimum=$("$send" "$work/pair/clinica.cfg" --dry-run -o /dev/null --timing | sed -n 's/^ *\([0-9]*\) ms  end$/\1/p')

ports=()
for i in $(seq $printers); do
  "$printer" >"$work/p$i.log" 2>/dev/null &
  echo $! >"$work/p$i.pid"
  for _ in $(seq 100); do grep -q '^VORLANDEX_COM1=' "$work/p$i.log" && break; sleep 0.1; done
  ports+=("\"$(sed -n 's/^VORLANDEX_COM1=//p' "$work/p$i.log")\"")
done

cat >"$work/inventory.yml" <<YML
---
reception:
  hosts:
    site:
      ansible_connection: local
      ansible_python_interpreter: "{{ ansible_playbook_python }}"
      vorlandex_pair: $work/pair/clinica.cfg
      vorlandex_install: false
      vorlandex_send: $send
      vorlandex_pair_dir: $work/site
      vorlandex_state_home: $work/state
      vorlandex_results_dir: $work/results
      vorlandex_ports: [$(IFS=,; echo "${ports[*]}")]
YML
printf -- '---\n- name: Send\n  hosts: reception\n  gather_facts: false\n  roles: [vorlandex]\n' >"$work/site.yml"

start=$(date +%s%N)
ANSIBLE_PIPELINING=1 ANSIBLE_ROLES_PATH="$src/contrib/ansible/roles" ANSIBLE_HOME="$work/ansible" ANSIBLE_LOCAL_TEMP="$work/tmp" \
  ansible-playbook -i "$work/inventory.yml" "$work/site.yml" >"$work/play.log" 2>&1 || { cat "$work/play.log"; echo "GATE MISSED"; exit 1; }
wall=$(( ($(date +%s%N) - start) / 1000000 ))
read -r sent sender < <(python3 -c 'import json,sys; d=json.load(open(sys.argv[1]))["summary"]; print(d["ports_changed"] if d["ok"] else -1, round(d["seconds"] * 1000))' "$work/results/site.json")
ratio=$(python3 -c "print(f'{$wall / $minimum:.4f}')")
echo "$printers printers through the role: $sent received everything; playbook $wall ms against one printer's send-all minimum $minimum ms: ratio $ratio (gate $gate)"
echo "  of which vorlandex-send feeding the ports: $sender ms (ratio $(python3 -c "print(f'{$sender / $minimum:.4f}')")); Ansible around it: $((wall - sender)) ms"
if [[ $sent -eq $printers ]] && python3 -c "import sys; sys.exit(0 if $ratio <= $gate else 1)"; then
  echo "all gates met"
else
  echo "GATE MISSED"
  exit 1
fi
