#!/usr/bin/python3
"""A small FTP server for tests, on pyftpdlib.

Serves one folder to the anonymous user with read, write, rename and delete,
on 127.0.0.1 and a free port (or --port). Prints "PORT <n>" on stdout once it accepts
connections. Exits by itself when its parent process goes away or after
--lifetime seconds.

Faults are read from the file <control>/faults (one name a line) before each
command, so a test can change them while a client stays connected:

  refuse-stor         STOR answers 550 and stores nothing
  refuse-dele         DELE answers 550
  refuse-rename-over  RNTO onto an existing file answers 550
  refuse-rename       RNFR answers 502 (renaming not offered at all)
  drop-mid-transfer   RETR/STOR move part of the data, then the server drops
                      the control and the data connection
  stall-banner        a new connection never gets its 220 greeting
  stall-data          RETR/STOR open the data channel and then move nothing
  refuse-connections  (at start only) report a port on which nothing listens

Every command received is appended to <control>/commands.log, together with
"CONNECT" and "DISCONNECT" lines for the control connections.
"""

import argparse
import logging
import os
import socket
import sys
import time
import warnings

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler
from pyftpdlib.servers import FTPServer

CONTROL = None
_faults_cache = {"mtime": None, "faults": frozenset()}
_log = None


def faults():
    path = os.path.join(CONTROL, "faults")
    try:
        mtime = os.stat(path).st_mtime_ns
    except FileNotFoundError:
        _faults_cache["mtime"] = None
        _faults_cache["faults"] = frozenset()
        return _faults_cache["faults"]
    if mtime != _faults_cache["mtime"]:
        with open(path) as f:
            _faults_cache["faults"] = frozenset(l.strip() for l in f if l.strip())
        _faults_cache["mtime"] = mtime
    return _faults_cache["faults"]


def log(line):
    _log.write(line + "\n")
    _log.flush()


class FaultyDTPHandler(DTPHandler):
    """Drops everything after half of a chunk has moved, when told to."""

    def send(self, data):
        if "drop-mid-transfer" in faults() and len(data) > 1:
            sent = DTPHandler.send(self, data[: len(data) // 2])
            self.cmd_channel.close()
            return sent
        return DTPHandler.send(self, data)

    def handle_read(self):
        if "stall-data" in faults():
            # Stop reading; the client's data piles up and then waits.
            self.modify_ioloop_events(0)
            return
        if "drop-mid-transfer" in faults():
            try:
                chunk = self.recv(self.ac_in_buffer_size)
            except Exception:
                chunk = b""
            if chunk and self.file_obj is not None:
                self.file_obj.write(chunk[: max(1, len(chunk) // 2)])
                self.file_obj.flush()
            self.cmd_channel.close()
            return
        DTPHandler.handle_read(self)

    handle_read_event = handle_read  # the base class binds the name early


class FaultyHandler(FTPHandler):
    dtp_handler = FaultyDTPHandler
    use_sendfile = False

    def handle(self):
        log("CONNECT")
        if "stall-banner" in faults():
            self.on_connect()
            return
        FTPHandler.handle(self)

    def close(self):
        if not self._closed:
            log("DISCONNECT")
        FTPHandler.close(self)

    def pre_process_command(self, line, cmd, arg):
        log(line)
        FTPHandler.pre_process_command(self, line, cmd, arg)

    def push_dtp_data(self, data, isproducer=False, file=None, cmd=None):
        # A listing or a fetch: the data channel opens, nothing moves.
        if "stall-data" in faults():
            self.respond("150 Data connection open.")
            return
        FTPHandler.push_dtp_data(self, data, isproducer, file, cmd)

    def ftp_STOR(self, file, mode="w"):
        if "refuse-stor" in faults():
            self.respond("550 Storing refused.")
            return
        return FTPHandler.ftp_STOR(self, file, mode)

    def ftp_DELE(self, path):
        if "refuse-dele" in faults():
            self.respond("550 Deleting refused.")
            return
        return FTPHandler.ftp_DELE(self, path)

    def ftp_RNFR(self, path):
        if "refuse-rename" in faults():
            self.respond("502 Renaming not implemented.")
            return
        return FTPHandler.ftp_RNFR(self, path)

    def ftp_RNTO(self, path):
        if "refuse-rename-over" in faults() and self.fs.lexists(path):
            self._rnfr = None
            self.respond("550 Target exists.")
            return
        return FTPHandler.ftp_RNTO(self, path)


def free_port():
    s = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    s.bind(("127.0.0.1", 0))
    port = s.getsockname()[1]
    s.close()
    return port


def main():
    global CONTROL, _log
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--control", required=True)
    parser.add_argument("--lifetime", type=float, default=600)
    parser.add_argument("--port", type=int, default=0, help="0: a free port")
    args = parser.parse_args()
    CONTROL = args.control
    _log = open(os.path.join(CONTROL, "commands.log"), "a")
    logging.basicConfig(level=logging.CRITICAL)
    parent = os.getppid()
    deadline = time.monotonic() + args.lifetime

    if "refuse-connections" in faults():
        port = free_port()
        print("PORT %d" % port, flush=True)
        while os.getppid() == parent and time.monotonic() < deadline:
            time.sleep(0.5)
        return

    warnings.filterwarnings("ignore")
    authorizer = DummyAuthorizer()
    authorizer.add_anonymous(args.root, perm="elradfmwMT")
    FaultyHandler.authorizer = authorizer
    FaultyHandler.banner = "test server ready"
    FaultyHandler.passive_ports = None
    server = FTPServer(("127.0.0.1", args.port), FaultyHandler)

    def watch():
        if os.getppid() != parent or time.monotonic() > deadline:
            _log.flush()
            os._exit(0)

    server.ioloop.call_every(0.5, watch)
    print("PORT %d" % server.address[1], flush=True)
    server.serve_forever(handle_exit=False)


if __name__ == "__main__":
    sys.exit(main())
