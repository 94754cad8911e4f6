#!/usr/bin/env python3
# FTP server for the tests: ftp_server.py ROOT USER PASSWORD
# Serves ROOT read-only to that one account on 127.0.0.1 at a free port and prints "PORT <n>".
# Ends when its input closes, or after ten minutes.
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
    authorizer = DummyAuthorizer()
    # The client tries an anonymous login first; the usual pause after a refusal only slows the tests.
    auth_failed_timeout = 0.01


config_logging(level=logging.ERROR)
Handler.authorizer.add_user(user, password, root, perm="elr")
server = FTPServer(("127.0.0.1", 0), Handler)
print("PORT %d" % server.address[1], flush=True)
threading.Thread(target=lambda: (sys.stdin.read(), os._exit(0)), daemon=True).start()
threading.Timer(600, os._exit, [0]).start()
server.serve_forever()
