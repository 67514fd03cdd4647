#!/usr/bin/env python3
"""A simulated motion-control device on one end of a pty pair.

Commands are ASCII lines ending in CR, optionally followed (before the CR) by
a two-digit checksum: the sum of the command's bytes modulo 256 as uppercase
hexadecimal. Every received line is logged as the hexadecimal of its bytes,
terminator included, and the checksum verdict ("ok", "bad", "none").

Commands and answers (an answer ends in CR; a command that came with a valid
checksum is answered with one too):
  PING, AB   "OK"
  FAIL       "E1" (the device's error answer)
  QUIET      nothing at all
  STREAM     five records STX "REC<n>" ETX, with noise before and between
  BURST      200 records STX <98 bytes> ETX (20,000 bytes) in one write
  FLOOD      STX "FLOOD<n>" ETX records without pause for a few seconds,
             dropped when nobody reads
  HOLD       "OK", then reads nothing, so writes to the device block, until
             a file "release" appears beside the log; what arrived meanwhile
             is dropped, "released" is logged and commands are served again
A wrong checksum is answered "E2", an unknown command "E3".
"""
import argparse
import os
import sys
import termios
import time
import tty

STX, ETX, CR = b"\x02", b"\x03", b"\r"
KNOWN = {b"PING", b"AB", b"FAIL", b"QUIET", b"STREAM", b"BURST", b"FLOOD", b"HOLD"}
HEX = b"0123456789ABCDEF"
FLOOD_SECONDS = 3.0
# Input that arrives within this much silence after a release is dropped.
DRAIN_QUIET_SECONDS = 0.2


def checksum(data: bytes) -> bytes:
    return b"%02X" % (sum(data) % 256)


def parse(line: bytes):
    """(command, verdict) for one received line without its CR."""
    if line in KNOWN:
        return line, "none"
    body, tail = line[:-2], line[-2:]
    if len(line) > 2 and body in KNOWN and all(c in HEX for c in tail):
        return body, "ok" if checksum(body) == tail else "bad"
    return line, "none"


def burst_payload(i: int) -> bytes:
    head = b"B%03d:" % i
    body = bytes(0x20 + (i * 7 + k) % 0x5F for k in range(98 - len(head)))
    return head + body


class Device:
    def __init__(self, fd: int, log, release: str):
        self.fd = fd
        self.log = log
        self.release = release
        self.holding = False

    def write_all(self, data: bytes):
        while data:
            n = os.write(self.fd, data)
            data = data[n:]

    def answer(self, text: bytes, with_checksum: bool):
        self.write_all(text + (checksum(text) if with_checksum else b"") + CR)

    def flood(self):
        os.set_blocking(self.fd, False)
        end = time.monotonic() + FLOOD_SECONDS
        n = 0
        try:
            while time.monotonic() < end:
                try:
                    os.write(self.fd, STX + b"FLOOD%d" % n + ETX)
                except BlockingIOError:
                    time.sleep(0.01)
                n += 1
        finally:
            os.set_blocking(self.fd, True)

    def handle(self, line: bytes):
        command, verdict = parse(line)
        self.log.write("%s %s\n" % ((line + CR).hex().upper(), verdict))
        self.log.flush()
        signed = verdict == "ok"
        if verdict == "bad":
            self.answer(b"E2", False)
        elif command in (b"PING", b"AB"):
            self.answer(b"OK", signed)
        elif command == b"FAIL":
            self.answer(b"E1", signed)
        elif command == b"QUIET":
            pass
        elif command == b"STREAM":
            self.write_all(b"zz" + b"".join(STX + b"REC%d" % i + ETX + b"." for i in range(1, 6)))
        elif command == b"BURST":
            self.write_all(b"".join(STX + burst_payload(i) + ETX for i in range(200)))
        elif command == b"FLOOD":
            self.flood()
        elif command == b"HOLD":
            self.answer(b"OK", signed)
            self.holding = True
        else:
            self.answer(b"E3", False)

    def hold(self):
        """Reads nothing until released, then drops what had arrived."""
        while not os.path.exists(self.release):
            time.sleep(0.02)
        os.remove(self.release)
        os.set_blocking(self.fd, False)
        try:
            quiet_until = time.monotonic() + DRAIN_QUIET_SECONDS
            while time.monotonic() < quiet_until:
                try:
                    if os.read(self.fd, 65536):
                        quiet_until = time.monotonic() + DRAIN_QUIET_SECONDS
                        continue
                except (BlockingIOError, OSError):
                    pass
                time.sleep(0.01)
        finally:
            os.set_blocking(self.fd, True)
        self.holding = False
        self.log.write("released\n")
        self.log.flush()

    def run(self):
        pending = b""
        while True:
            if self.holding:
                self.hold()
                pending = b""
            try:
                data = os.read(self.fd, 4096)
            except OSError:
                time.sleep(0.05)  # the other end is closed for now
                continue
            if not data:
                time.sleep(0.05)
                continue
            pending += data
            while CR in pending and not self.holding:
                line, pending = pending.split(CR, 1)
                self.handle(line)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tty", required=True, help="the device's end of the pty pair")
    parser.add_argument("--log", required=True, help="file receiving one line per command")
    args = parser.parse_args()
    fd = os.open(args.tty, os.O_RDWR | os.O_NOCTTY)
    tty.setraw(fd, termios.TCSANOW)
    with open(args.log, "a", encoding="ascii") as log:
        log.write("ready\n")
        log.flush()
        release = os.path.join(os.path.dirname(os.path.abspath(args.log)), "release")
        Device(fd, log, release).run()


if __name__ == "__main__":
    sys.exit(main())
