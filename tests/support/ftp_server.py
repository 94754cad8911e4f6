#!/usr/bin/env python3
"""FTP server for the tests: ftp_server.py ROOT USER PASSWORD

Serves ROOT read-only to that one account on 127.0.0.1 at a free port. Prints "PORT <n>" once it
listens, then "SENT <path>" (relative to ROOT) for every file it sent in full. Ends when its standard
input closes, and after ten minutes in any case."""
import logging
import os
import sys
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.log import config_logging
from pyftpdlib.servers import FTPServer

root, user, password = sys.argv[1:4]


class Handler(FTPHandler):
    def on_file_sent(self, file):
        print("SENT " + os.path.relpath(file, root), flush=True)


def stop_when_stdin_closes():
    sys.stdin.read()
    os._exit(0)


config_logging(level=logging.ERROR)
authorizer = DummyAuthorizer()
authorizer.add_user(user, password, root, perm="elr")
Handler.authorizer = authorizer
# The client first tries an anonymous login; the usual pause after a refused login only slows the tests.
Handler.auth_failed_timeout = 0.01
server = FTPServer(("127.0.0.1", 0), Handler)
print("PORT %d" % server.address[1], flush=True)
threading.Thread(target=stop_when_stdin_closes, daemon=True).start()
threading.Timer(600, lambda: os._exit(0)).start()
server.serve_forever()
