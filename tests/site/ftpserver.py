#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# A throw-away FTP server for the upload tests: one user with a home folder, on 127.0.0.1 and a port the
# system picks, printed as "PORT n" once the server listens. It runs until its standard input closes.
import argparse
import logging
import os
import sys
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import DTPHandler, FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer

parser = argparse.ArgumentParser()
parser.add_argument("--home", required=True)
parser.add_argument("--user", default="user")
parser.add_argument("--password", default="secret")
# Folders (relative to the home) the user may list but not write in.
parser.add_argument("--readonly", action="append", default=[])
# Every upload is cut off, data and control connection both, once this many bytes have arrived.
parser.add_argument("--drop-after", type=int, default=0)
# Uploads arrive at no more than this many bytes a second, so a test can act while one is under way.
parser.add_argument("--read-limit", type=int, default=0)
args = parser.parse_args()
logging.basicConfig(level=logging.WARNING)

authorizer = DummyAuthorizer()
authorizer.add_user(args.user, args.password, args.home, perm="elradfmwMT")
for folder in args.readonly:
    os.makedirs(os.path.join(args.home, folder), exist_ok=True)
    authorizer.override_perm(args.user, os.path.join(args.home, folder), perm="elr", recursive=True)


class DroppingDTPHandler(DTPHandler):
    def handle_read(self):
        if self.tot_bytes_received >= args.drop_after:
            control = self.cmd_channel
            self.close()
            control.close()
            return
        super().handle_read()

    handle_read_event = handle_read


class Handler(FTPHandler):
    pass


Handler.authorizer = authorizer
Handler.passive_ports = None
if args.drop_after > 0:
    Handler.dtp_handler = DroppingDTPHandler
elif args.read_limit > 0:
    ThrottledDTPHandler.read_limit = args.read_limit
    Handler.dtp_handler = ThrottledDTPHandler

server = FTPServer(("127.0.0.1", 0), Handler)
print("PORT", server.socket.getsockname()[1], flush=True)


def stop_when_stdin_closes():
    sys.stdin.read()
    server.close_all()
    os._exit(0)


threading.Thread(target=stop_when_stdin_closes, daemon=True).start()
server.serve_forever(handle_exit=False)
