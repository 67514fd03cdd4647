#!/usr/bin/python3
"""A real FTP server for the client tests: pyftpdlib on 127.0.0.1, one user
with full rights in one folder. It picks a free port itself and writes it to
the ready file; every command line it receives is appended to the command
log exactly as it arrived, so a test can prove what reached the server."""

import argparse
import logging
import os
import socket

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--user", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--ready", required=True, help="file that receives the port")
    parser.add_argument("--commands", required=True, help="log of received command lines")
    args = parser.parse_args()

    commands = open(args.commands, "a", encoding="utf-8", buffering=1)

    class LoggingHandler(FTPHandler):
        # Bytes map 1:1 to characters, so 8-bit names arrive unchanged.
        encoding = "latin-1"

        def pre_process_command(self, line, cmd, arg):
            commands.write(line + "\n")
            super().pre_process_command(line, cmd, arg)

    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.root, perm="elradfmwMT")
    LoggingHandler.authorizer = authorizer

    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", 0))
    listener.listen(16)
    server = FTPServer(listener, LoggingHandler)

    logging.basicConfig(level=logging.INFO, format="%(message)s")
    ready_tmp = args.ready + ".tmp"
    with open(ready_tmp, "w") as ready:
        ready.write("%d\n" % listener.getsockname()[1])
    os.replace(ready_tmp, args.ready)
    server.serve_forever()


if __name__ == "__main__":
    main()
