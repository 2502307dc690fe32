#!/usr/bin/env python3
"""Figures of the profile helper service under a hostile local user.

Usage: bench/service_hostile.py [BUILD_DIR]   (as root; builds nothing)

Starts the service of BUILD_DIR under a temporary system root and prints:
  - its resident memory and thread count at rest, under 50 connections that
    each announce a 16 MiB request and send nothing more, and under 500 idle
    connections of one user;
  - how long a new client then waits for an answer;
  - how long hostile walks hold the walk queue: a silent host with -t 20, a
    silent host with -t 5 -r 3, a table that never ends (a small agent).
Works on any build of the service, so an older one can be measured beside.
"""
import os
import signal
import socket
import struct
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
BUILD = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "build"))
SERVICE = os.path.join(BUILD, "bin", "profilehelper")
RELAY = os.path.join(BUILD, "bin", "TLQ770-1Helper")
AGENT = os.path.join(HERE, "..", "tests", "integration", "scripted_agent.py")
FOLDER = "Library/Printers/GENERIC/Preferences/quorlin.printers.TLQ770-1"
TABLE = "1.3.6.1.4.1.32473.1.1.1.1.6.13.1.1"
WALK_WAIT = 90  # seconds a walk is waited for at most


def status(pid, field):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith(field + ":"):
                return int(line.split()[1])
    return -1


def footprint(pid):
    return f"{status(pid, 'VmRSS') / 1024:.1f} MB resident, {status(pid, 'Threads')} threads"


def frame(data):
    return struct.pack(">I", len(data)) + data


def connect(path):
    s = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    s.connect(path)
    return s


def answer_time(path):
    """Seconds for one complete request from a new client (root)."""
    start = time.monotonic()
    try:
        s = connect(path)
        s.settimeout(30)
        s.sendall(frame(b"znPListExistProfile_XPC") + frame(b"/nonexistent"))
        s.recv(64)
        s.close()
    except OSError as e:
        return f"no answer ({e.__class__.__name__})"
    return f"{(time.monotonic() - start) * 1000:.1f} ms"


def walk_seconds(sock, args):
    env = dict(os.environ, TLQ770_HELPER_SOCKET=sock)
    start = time.monotonic()
    try:
        out = subprocess.run(["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups", RELAY,
                              "mibwalk_XPC", "TLQ770-1", "nobody"] + args,
                             env=env, capture_output=True, text=True, timeout=WALK_WAIT).stdout.strip()
    except subprocess.TimeoutExpired:
        return f"more than {WALK_WAIT} s (still running)"
    return f"{time.monotonic() - start:.1f} s ({out or 'no reply'})"


def main():
    work = tempfile.mkdtemp(prefix="service_hostile.")
    os.chmod(work, 0o755)
    root = os.path.join(work, "root")
    os.makedirs(os.path.join(root, FOLDER))
    conf = os.path.join(work, "conf")
    os.makedirs(conf)
    with open(os.path.join(conf, "snmp.conf"), "w") as f:
        f.write("mibs :\n")
    sock = os.path.join(work, "helper.sock")
    env = dict(os.environ, TLQ770_ROOT=root, SNMPCONFPATH=conf)
    service = subprocess.Popen([SERVICE, "--socket", sock], env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    children = []
    try:
        for _ in range(500):
            if os.path.exists(sock):
                break
            time.sleep(0.01)
        time.sleep(0.2)
        print(f"service at rest: {footprint(service.pid)}")

        headers = []
        for _ in range(50):
            s = connect(sock)
            s.sendall(frame(b"writeDictionaryToPlistFile_XPC") + struct.pack(">I", 16 << 20))
            headers.append(s)
        time.sleep(0.5)
        print(f"50 connections announcing 16 MiB requests: {footprint(service.pid)}; "
              f"a new client is answered in {answer_time(sock)}")
        for s in headers:
            s.close()
        time.sleep(0.5)

        ready_r, ready_w = os.pipe()
        flooder = os.fork()
        if flooder == 0:
            os.close(ready_r)
            os.setgroups([])
            os.setgid(65534)
            os.setuid(65534)
            idle = []
            for _ in range(500):
                try:
                    idle.append(connect(sock))
                except OSError:
                    pass
            os.write(ready_w, b"x")
            signal.pause()
            os._exit(0)
        children.append(flooder)
        os.close(ready_w)
        os.read(ready_r, 1)
        time.sleep(0.5)
        print(f"500 idle connections of one user: {footprint(service.pid)}; "
              f"a new client is answered in {answer_time(sock)}")
        os.kill(flooder, signal.SIGKILL)
        os.waitpid(flooder, 0)
        children.remove(flooder)
        time.sleep(0.5)

        port_file = os.path.join(work, "agent.port")
        agent = subprocess.Popen([sys.executable, AGENT, "endless", port_file])
        children.append(agent.pid)
        for _ in range(500):
            if os.path.exists(port_file) and open(port_file).read():
                break
            time.sleep(0.01)
        port = open(port_file).read()
        common = ["snmpwalk", "-c", "public", "-v", "1"]
        print("walk of a silent host with -t 20:", walk_seconds(sock, common + ["-t", "20", "127.0.0.2", TABLE]))
        print("walk of a silent host with -t 5 -r 3:",
              walk_seconds(sock, common + ["-t", "5", "-r", "3", "127.0.0.2", TABLE]))
        print("walk of a table that never ends:", walk_seconds(sock, common + [f"127.0.0.1:{port}", TABLE]))
        print(f"service afterwards: {footprint(service.pid)}")
    finally:
        for pid in children:
            try:
                os.kill(pid, signal.SIGKILL)
            except OSError:
                pass
        service.kill()
        service.wait()
        subprocess.run(["rm", "-rf", work])


if __name__ == "__main__":
    main()
