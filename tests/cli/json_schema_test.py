#!/usr/bin/env python3
"""Every JSON object wayrunner-cli prints, checked against the JSON Schema
installed for it: each command's document, the error object on failure, and
a document that a failure adds its error members to.

usage: json_schema_test.py WAYRUNNER_CLI SCHEMA_DIR
Exits 77 (skipped) when python3-jsonschema is not installed.
"""
import concurrent.futures
import json
import os
import signal
import subprocess
import sys
import tempfile
import time

try:
    import jsonschema
except ImportError:
    print("SKIP: python3-jsonschema is not installed")
    sys.exit(77)

CLI, SCHEMA_DIR = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
LONG_USSD = "1" * 41  # the unit keeps USSD codes of at most 40 characters

# (arguments after --json, schema, exit code, members the object must have
# with these values; None: the member must be there, any value).
CASES = [
    (["--simulate=2", "list"], "list", 0, {}),
    (["--simulate", "status"], "status", 0, {"connected": True}),
    (["--simulate", "settings", "get"], "settings", 0, {"apn": "internet", "track1": 21600}),
    (["--simulate", "settings", "set", "apn=fleet"], "settings-write", 0, {"result": "ok"}),
    (["--simulate", "settings", "set", "ussd=" + LONG_USSD], "settings-write", 1,
     {"result": "differs", "key": "ussd", "device": "001:002", "device_id": "WR0001234567"}),
    (["--simulate", "settings", "set", "colour=red"], "error", 2, {"key": "colour"}),
    (["--simulate", "profile", "save", "saved.ini"], "profile-save", 0, {"file": "saved.ini"}),
    (["--simulate", "profile", "diff", "fleet.ini"], "profile-diff", 1, {}),
    (["--simulate", "profile", "apply", "--dry-run", "fleet.ini"], "settings-write", 0,
     {"result": "dry-run"}),
    (["--simulate", "profile", "apply", "fleet.ini"], "settings-write", 0, {"result": "ok"}),
    (["--simulate", "profile", "apply", "bad.ini"], "error", 4, {"key": "colour"}),
    (["--simulate", "trips"], "trips", 0, {}),
    (["--simulate", "trips", "-o", "trips.kml"], "trips-export", 0, {"format": "kml", "written": 8}),
    (["--simulate", "trips", "delete", "--yes"], "control", 0, {"result": "ok"}),
    (["--simulate", "reboot"], "control", 0, {"result": "ok"}),
    (["--simulate", "output", "relay", "on"], "control", 0, {"result": "ok"}),
    (["--simulate", "send", "AT+TRACK?"], "send", 0, {"result": "ok"}),
    (["--simulate", "send", "AT+BOGUS"], "send", 1, {"result": "error"}),
    (["--simulate", "upgrade", "good.fw", "--yes", "--backup", "before.ini"], "upgrade", 0,
     {"firmware": "1.100"}),
    (["--simulate=3", "provision", "fleet.ini", "--count", "3"], "provision", 0,
     {"interrupted": False}),
    (["--simulate=2", "status"], "error", 3, {}),
    (["--simulate", "--device", "1:9", "--timeout", "0.1", "status"], "error", 3,
     {"device": "001:009"}),
    (["frobnicate"], "error", 2, {}),
    (["--simulate=0", "status"], "error", 2, {}),
    (["--simulate", "profile", "apply", "missing.ini"], "error", 4, {}),
]


def load_schemas():
    schemas = {}
    for name in sorted(os.listdir(SCHEMA_DIR)):
        if name.endswith(".schema.json"):
            with open(os.path.join(SCHEMA_DIR, name), encoding="utf-8") as f:
                schema = json.load(f)
            jsonschema.Draft202012Validator.check_schema(schema)
            schemas[name[: -len(".schema.json")]] = jsonschema.Draft202012Validator(schema)
    return schemas


def write_files(folder):
    def write(name, content, mode="w"):
        with open(os.path.join(folder, name), mode) as f:
            f.write(content)

    write("fleet.ini", "[settings]\napn = fleet\ntrip_stop_minutes = 7\n")
    write("refused.ini", "[settings]\nussd = %s\n" % LONG_USSD)
    write("bad.ini", "[settings]\ncolour = red\n")
    header = b"Wayrunner,1.100".ljust(256, b"\0")
    image = bytearray(b"\x5a" * (256 * 12))
    image[700:719] = b"WRFW-VERSION:1.100\0"
    write("good.fw", header + bytes(image), "wb")


def wait_for(condition, seconds):
    """Whether condition came true within seconds, looked at every 50 ms."""
    deadline = time.monotonic() + seconds
    while not condition():
        if time.monotonic() > deadline:
            return False
        time.sleep(0.05)
    return True


def run(folder, args, stop_after_line=False):
    env = dict(os.environ, WAYRUNNER_DATA_DIR=folder)
    process = subprocess.Popen([CLI, "--json"] + args, cwd=folder, env=env, stdin=subprocess.DEVNULL,
                               stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    if stop_after_line:
        first = process.stdout.readline()
        process.send_signal(signal.SIGINT)
        out, err = process.communicate(timeout=30)
        return process.returncode, first + out, err
    out, err = process.communicate(timeout=60)
    return process.returncode, out, err


def check(schemas, name, obj, want_code):
    """Problems with one printed object, as text lines."""
    problems = ["%s: %s" % (name, e.message) for e in schemas[name].iter_errors(obj)]
    if want_code != 0 and "error" in obj and name != "error":
        problems += ["error: %s" % e.message for e in schemas["error"].iter_errors(obj)]
    if want_code != 0 and "error" in obj:
        if obj.get("exit_code") != want_code:
            problems.append("exit_code %r, want %d" % (obj.get("exit_code"), want_code))
    return problems


def main():
    schemas = load_schemas()
    failures = []
    used = {"error"}
    with tempfile.TemporaryDirectory() as folder:
        write_files(folder)

        def one(case):
            args, name, code, members = case
            used.add(name)
            result = run(folder, args)
            rc, out, err = result
            problems = []
            if rc != code:
                problems.append("exit %d, want %d (stderr: %s)" % (rc, code, err.strip()))
            try:
                obj = json.loads(out)
            except ValueError as e:
                return case, result, problems + ["standard output is not one JSON object: %s" % e]
            problems += check(schemas, name, obj, code)
            for key, value in members.items():
                if key not in obj or (value is not None and obj[key] != value):
                    problems.append("%s is %r, want %r" % (key, obj.get(key), value))
            if (code == 0 or name == "profile-diff") and "error" in obj:
                problems.append("an error member without a failure")
            if code != 0 and name != "profile-diff" and "error" not in obj:
                problems.append("no error member on failure")
            return case, result, problems

        with concurrent.futures.ThreadPoolExecutor(max_workers=3) as pool:
            for case, _, problems in pool.map(one, CASES):
                failures += ["%s: %s" % (" ".join(case[0]), p) for p in problems]

        # Watching: one compact object per line, each a status; stopping
        # ends it with the error object on a line of its own.
        rc, out, _ = run(folder, ["--simulate", "status", "--watch"], stop_after_line=True)
        lines = out.splitlines()
        if rc != 5 or len(lines) < 2:
            failures.append("status --watch: exit %d, %d lines" % (rc, len(lines)))
        else:
            for line in lines[:-1]:
                failures += ["status --watch: " + p for p in check(schemas, "status", json.loads(line), 0)]
            last = json.loads(lines[-1])
            failures += ["status --watch, last line: " + p for p in check(schemas, "error", last, 5)]

        # A provisioning run whose unit refuses the profile waits for the
        # next unit until stopped; its object then lists the refused one.
        env = dict(os.environ, WAYRUNNER_DATA_DIR=folder)
        log = os.path.join(folder, "refused.csv")
        process = subprocess.Popen([CLI, "--json", "--simulate", "provision", "refused.ini",
                                    "--log", log], cwd=folder, env=env, stdin=subprocess.DEVNULL,
                                   stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        logged = wait_for(lambda: os.path.exists(log) and len(open(log).read().splitlines()) >= 2, 30)
        process.send_signal(signal.SIGINT)
        out, _ = process.communicate(timeout=30)
        obj = json.loads(out)
        failures += ["provision, refused: " + p for p in check(schemas, "provision", obj, 5)]
        if not logged or [u["result"] for u in obj.get("units", [])] != ["differs"]:
            failures.append("provision, refused: %s" % out)

    unused = sorted(set(schemas) - used)
    if unused:
        failures.append("schemas no case prints: %s" % ", ".join(unused))
    for failure in failures:
        print("FAIL:", failure)
    checks = [" ".join(case[0]) for case in CASES] + ["status --watch", "provision, refused",
                                                      "schemas no case prints"]
    failed = sum(any(f.startswith(c + ":") or f.startswith(c + ",") for f in failures) for c in checks)
    print("%d passed, %d failed" % (len(checks) - failed, failed))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
