#!/usr/bin/env python3
"""How long a preview of the level example takes on loopback while clients try to wear the editor
down: 64 idle connections; a client sending its head a byte every 0.5 s; a 32 MiB chunked body and
a body told as 32 MiB; two million headers. Prints the median and the slowest of the previews made
during each attack, and the server's resident memory before and after.
Usage: serve_attacks.py LWALL [ROUNDS]"""
import json
import os
import pathlib
import shutil
import socket
import statistics
import subprocess
import sys
import tempfile
import threading
import time
import urllib.request

ROOT = pathlib.Path(__file__).resolve().parent.parent
exe = os.path.abspath(sys.argv[1])
rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 20


def resident_kib(pid):
    for line in open(f"/proc/{pid}/status"):
        if line.startswith("VmRSS:"):
            return int(line.split()[1])
    return 0


def raw(port):
    s = socket.create_connection(("127.0.0.1", port))
    s.settimeout(30)
    return s


def answer_status(s):
    data = b""
    try:
        while True:
            chunk = s.recv(4096)
            if not chunk:
                break
            data += chunk
    except OSError:
        pass
    return int(data[9:12]) if data.startswith(b"HTTP/1.1 ") else None


def main():
    with tempfile.TemporaryDirectory() as tmp:
        folder = pathlib.Path(tmp)
        for name in ("PlenkL.dat", "GasouL.dat"):
            shutil.copy(ROOT / "examples/level" / name, folder)
        server = subprocess.Popen([exe, "serve", "--port", "0", "--lang", "en"], cwd=folder, stdout=subprocess.PIPE,
                                  text=True)
        url = server.stdout.readline().split()[-1]
        port = int(url.rsplit(":", 1)[1].strip("/"))
        host = f"127.0.0.1:{port}"
        wall = (folder / "PlenkL.dat").read_text()
        layers = (folder / "GasouL.dat").read_text()
        body = json.dumps({"wall": wall, "layers": layers}).encode()

        def preview():
            began = time.perf_counter()
            req = urllib.request.Request(url + "api/preview", data=body, headers={"Content-Type": "application/json"})
            with urllib.request.urlopen(req, timeout=60) as r:
                assert json.load(r)["status"] == 0
            return time.perf_counter() - began

        def during(name, attack):
            """Previews while `attack` runs in a thread of its own."""
            before = resident_kib(server.pid)
            done = threading.Event()
            result = {}
            t = threading.Thread(target=lambda: (result.update(status=attack()), done.set()))
            t.start()
            time.sleep(0.2)
            times = [preview() for _ in range(rounds)]
            t.join()
            after = resident_kib(server.pid)
            print(f"| {name} | {statistics.median(times) * 1000:.1f} ms | {max(times) * 1000:.1f} ms | "
                  f"{result.get('status')} | {before / 1024:.1f} → {after / 1024:.1f} MB |")

        try:
            for _ in range(5):
                preview()
            print("| while | median | slowest | refused with | server memory |")
            print("|---|---|---|---|---|")
            during("nothing", lambda: None)

            def idle():
                conns = [raw(port) for _ in range(64)]
                time.sleep(rounds * 0.05 + 1)
                for c in conns:
                    c.close()
                return "kept 2 s, then closed"
            during("64 idle connections", idle)

            def slow():
                s = raw(port)
                head = f"POST /api/preview HTTP/1.1\r\nHost: {host}\r\nX-Padding: {'a' * 40}".encode()
                began = time.monotonic()
                for b in head:
                    try:
                        s.send(bytes([b]))
                    except OSError:
                        break
                    time.sleep(0.5)
                    if time.monotonic() - began > 12:
                        break
                return f"{answer_status(s)} after {time.monotonic() - began:.1f} s"
            during("a head sent a byte every 0.5 s", slow)

            def bodies():
                chunked, told = raw(port), raw(port)
                chunked.sendall(f"POST /api/preview HTTP/1.1\r\nHost: {host}\r\nContent-Type: application/json\r\n"
                                "Transfer-Encoding: chunked\r\n\r\n".encode())
                chunk = b"10000\r\n" + b" " * 0x10000 + b"\r\n"
                try:
                    for _ in range(512):
                        chunked.sendall(chunk)
                except OSError:
                    pass
                told.sendall(f"POST /api/preview HTTP/1.1\r\nHost: {host}\r\nContent-Type: application/json\r\n"
                             "Content-Length: 33554432\r\n\r\n".encode())
                return f"{answer_status(chunked)}, {answer_status(told)}"
            during("a 32 MiB chunked body and a body told as 32 MiB", bodies)

            def headers():
                s = raw(port)
                s.sendall(f"GET /api/fields HTTP/1.1\r\nHost: {host}\r\n".encode())
                lines = b"X-A: b\r\n" * 10000
                try:
                    for _ in range(200):
                        s.sendall(lines)
                except OSError:
                    pass
                return answer_status(s)
            during("two million headers", headers)
        finally:
            server.terminate()
            server.wait(timeout=20)


main()
