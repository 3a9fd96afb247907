#!/usr/bin/env python3
# Loopback FTP server for the update-check tests: serves the folder ROOT to
# the account ovrak/mirasolva on 127.0.0.1 and prints its port as the first
# line. Exits with 3 when pyftpdlib is missing, and when its standard input
# closes, so a crashed test leaves no server behind.
import os
import sys
import threading

try:
    from pyftpdlib.authorizers import DummyAuthorizer
    from pyftpdlib.handlers import FTPHandler
    from pyftpdlib.servers import FTPServer
except ImportError:
    sys.stderr.write("pyftpdlib is not installed\n")
    sys.exit(3)


def main():
    root = sys.argv[1]
    authorizer = DummyAuthorizer()
    authorizer.add_user("ovrak", "mirasolva", root, perm="elr")
    handler = FTPHandler
    handler.authorizer = authorizer
    server = FTPServer(("127.0.0.1", 0), handler)
    print(server.socket.getsockname()[1], flush=True)

    def watch_stdin():
        sys.stdin.read()
        os._exit(0)

    threading.Thread(target=watch_stdin, daemon=True).start()
    server.serve_forever()


if __name__ == "__main__":
    main()
