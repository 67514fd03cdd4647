#!/usr/bin/python3
"""A stand-in of the SMS vote service on 127.0.0.1 for tests and the demo.
Every GET, whatever its path, is answered with the text of the answer file,
read again for each request, so the answers can change between polls; the
status file, when it holds a number, gives the HTTP status (200 otherwise).
Each request line is appended to the request log before the answer goes
out. It picks a free port itself and writes it to the ready file."""

import argparse
import http.server
import os


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--answer", required=True, help="file whose bytes are served")
    parser.add_argument("--status", required=True, help="file with the HTTP status to answer")
    parser.add_argument("--log", required=True, help="log of received request lines")
    parser.add_argument("--ready", required=True, help="file that receives the port")
    args = parser.parse_args()

    log = open(args.log, "a", encoding="latin-1", buffering=1)

    def read(path, default):
        try:
            with open(path, "rb") as f:
                return f.read()
        except OSError:
            return default

    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def do_GET(self):
            log.write(self.requestline + "\n")
            body = read(args.answer, b"")
            try:
                status = int(read(args.status, b"200").strip() or b"200")
            except ValueError:
                status = 200
            self.send_response(status)
            self.send_header("Content-Type", "text/html")
            self.send_header("Content-Length", str(len(body)))
            self.send_header("Cache-Control", "no-store")
            self.end_headers()
            self.wfile.write(body)

        def log_message(self, *unused):
            pass

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    ready_tmp = args.ready + ".tmp"
    with open(ready_tmp, "w") as ready:
        ready.write("%d\n" % server.server_address[1])
    os.replace(ready_tmp, args.ready)
    server.serve_forever()


if __name__ == "__main__":
    main()
