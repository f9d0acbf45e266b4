#!/usr/bin/env python3
"""The Ansible examples run with ansible-playbook against two benches on this
machine (connection local, each with its own folders and three simulated
units): the provisioning report and the status file they gather, and a bench
whose units refuse the profile failing the play by its name.

usage: ansible_examples_test.py WAYRUNNER_CLI EXAMPLES_DIR
Exits 77 (skipped) when ansible-playbook is not installed.
"""
import csv
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

PLAYBOOK = shutil.which("ansible-playbook")
if not PLAYBOOK:
    print("SKIP: ansible-playbook is not installed (Debian package ansible-core)")
    sys.exit(77)

CLI, EXAMPLES = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
BENCHES = ["bench-a", "bench-b"]
failures = []


def expect(condition, what):
    if not condition:
        failures.append(what)
    return condition


def inventory(folder, name, per_bench=None):
    """An inventory of the two benches; per_bench adds variables by bench."""
    hosts = {}
    for bench in BENCHES:
        home = os.path.join(folder, bench)
        os.makedirs(os.path.join(home, "data"), exist_ok=True)
        hosts[bench] = {
            "bench_dir": home,
            "wayrunner_environment": {"WAYRUNNER_DATA_DIR": os.path.join(home, "data")},
        }
        hosts[bench].update((per_bench or {}).get(bench, {}))
    content = {"benches": {"hosts": hosts, "vars": {
        "ansible_connection": "local",
        "ansible_python_interpreter": sys.executable,
        "wayrunner_cli": CLI,
        "wayrunner_options": ["--simulate=3"],
        "provision_count": 3,
    }}}
    path = os.path.join(folder, name)
    with open(path, "w") as f:
        json.dump(content, f)  # JSON is YAML
    return path


def play(folder, playbooks, inventory_path, extra):
    config = os.path.join(folder, "ansible.cfg")
    with open(config, "w") as f:
        # None of the machine's own settings; modules run without temporary files.
        f.write("[defaults]\n[connection]\npipelining = True\n")
    env = dict(os.environ, ANSIBLE_LOCAL_TEMP=os.path.join(folder, "ansible-tmp"),
               ANSIBLE_REMOTE_TEMP=os.path.join(folder, "ansible-tmp"),
               ANSIBLE_HOME=os.path.join(folder, "ansible-home"), ANSIBLE_NOCOLOR="1",
               ANSIBLE_RETRY_FILES_ENABLED="0", ANSIBLE_CONFIG=config)
    started = time.monotonic()
    run = subprocess.run([PLAYBOOK, "-i", inventory_path, "-e", json.dumps(extra)]
                         + [os.path.join(EXAMPLES, p) for p in playbooks], cwd=folder, env=env, stdin=subprocess.DEVNULL,
                         stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, timeout=120)
    print("%s: %.1f s" % (" ".join(playbooks), time.monotonic() - started))
    return run.returncode, run.stdout


def recap(output):
    """Each bench's failed count from the play recap."""
    return {m.group(1): int(m.group(2))
            for m in re.finditer(r"^(\S+)\s*:\s*ok=\d+.*?failed=(\d+)", output, re.M)}


def rows_of(path):
    with open(path, newline="", encoding="utf-8") as f:
        return list(csv.DictReader(f))


def main():
    with tempfile.TemporaryDirectory() as folder:
        benches = inventory(folder, "benches.yml")

        # Every unit of both benches provisioned and reported in one CSV,
        # then the status of every unit in one JSON file.
        report = os.path.join(folder, "provision.csv")
        status = os.path.join(folder, "status.json")
        rc, out = play(folder, ["provision.yml", "status.yml"], benches,
                       {"provision_report": report, "status_report": status,
                        "gather_dir": os.path.join(folder, "gathered")})
        if expect(rc == 0, "provision.yml, status.yml: exit %d\n%s" % (rc, out)):
            rows = rows_of(report)
            expect(len(rows) == 6, "provision report: %d rows, want 6" % len(rows))
            expect(sorted({r["bench"] for r in rows}) == BENCHES,
                   "provision report: benches %s" % sorted({r["bench"] for r in rows}))
            expect({r["result"] for r in rows} == {"ok"},
                   "provision report: results %s" % {r["result"] for r in rows})
            expect(len({(r["bench"], r["device_id"]) for r in rows if r["device_id"]}) == 6,
                   "provision report: not six units with device ids")
            expect(all("apn" in r["differences"].split() for r in rows),
                   "provision report: differences %s" % {r["differences"] for r in rows})
            logs = os.path.join(folder, "gathered", "logs")
            for bench in BENCHES:
                fetched = [n for n in os.listdir(logs) if n.startswith(bench + "-")]
                expect(len(fetched) == 1 and len(rows_of(os.path.join(logs, fetched[0]))) == 3,
                       "%s: its log was not fetched" % bench)

            with open(status, encoding="utf-8") as f:
                units = json.load(f)["units"]
            expect(len(units) == 6, "status file: %d units, want 6" % len(units))
            expect(sorted({u["bench"] for u in units}) == BENCHES, "status file: benches")
            expect(all(u["status"].get("connected") is True and u["status"].get("schema") == 1
                       and u["status"].get("device_id") for u in units),
                   "status file: a unit without its status: %s" % units)

        # A bench whose units refuse its profile (the unit keeps USSD codes
        # of at most 40 characters) fails, named with the units; the other
        # bench does not.
        refused = os.path.join(folder, "refused.ini")
        with open(refused, "w") as f:
            f.write("[settings]\nussd = %s\n" % ("1" * 41))
        # Its units wait to be plugged in again until the run is stopped.
        mixed = inventory(folder, "mixed.yml",
                          {"bench-b": {"profile": refused, "provision_timeout": 3}})
        report = os.path.join(folder, "mixed.csv")
        rc, out = play(folder, ["provision.yml"], mixed,
                       {"provision_report": report, "gather_dir": os.path.join(folder, "gathered")})
        expect(rc != 0, "a refused profile did not fail the play")
        expect(recap(out) == {"bench-a": 0, "bench-b": 1}, "failed per bench: %s\n%s" % (recap(out), out))
        failed = [line for line in out.splitlines() if line.startswith("fatal: [bench-b]")]
        expect(failed and re.search(r'"msg": "bench-b: unit WR\d{10} at \d{3}:\d{3}: (differs|interrupted)',
                                    failed[0]),
               "the failure does not name the bench and the unit:\n%s" % out)
        rows = rows_of(report) if os.path.exists(report) else []
        results = sorted((r["bench"], r["result"] if r["bench"] == "bench-a" else "refused")
                         for r in rows if r["bench"] == "bench-a" or r["result"] in ("differs", "interrupted"))
        expect(results == [("bench-a", "ok")] * 3 + [("bench-b", "refused")] * 3,
               "mixed report: %s" % [(r["bench"], r["result"]) for r in rows])

    for failure in failures:
        print("FAIL:", failure)
    print("%d passed, %d failed" % (2 - min(2, len(failures)), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
