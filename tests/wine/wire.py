#!/usr/bin/env python3
"""Runs one Windows test program under Wine with COM1 on a pseudo-terminal of its own.

Wine maps COM1 to a link of the test prefix's (made by make-prefix.sh), which points here at the
slave side of a new pseudo-terminal; this program holds the master side and answers the test's
PtyPair over a socket on the loopback (CORVANTIS_WIRE), as a Windows program cannot read a
pseudo-terminal itself. Its exit status is the test's.

    wire.py PREFIX PROGRAM [ARGUMENTS...]
"""
import fcntl, os, select, socket, struct, subprocess, sys, termios, threading, time

TIOCPKT = 0x5420
TIOCPKT_FLUSHWRITE = 2
TCXONC_REQ = 0x540A
TIOCGEXCL = 0x80045440
TCGETS2 = 0x802C542A


class Line:
    """One pseudo-terminal standing in for the adapter on COM1."""

    def __init__(self, link, hold):
        self.master, slave = os.openpty()
        self.device = os.ttyname(slave)
        os.close(slave)
        self.keep = os.open(self.device, os.O_RDWR | os.O_NOCTTY | os.O_NONBLOCK) if hold else -1
        fl = fcntl.fcntl(self.master, fcntl.F_GETFL)
        fcntl.fcntl(self.master, fcntl.F_SETFL, fl | os.O_NONBLOCK)
        self.packets = False
        self.discards = False
        tmp = link + ".new"
        if os.path.lexists(tmp):
            os.unlink(tmp)
        os.symlink(self.device, tmp)
        os.replace(tmp, link)
        self.link = link

    def read(self, count, timeout_ms):
        deadline = time.monotonic() + timeout_ms / 1000
        data = b""
        while len(data) < count and self.master >= 0:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self.master], [], [], left)[0]:
                break
            try:
                chunk = os.read(self.master, 4096)
            except OSError:
                break
            if not chunk:
                break
            if not self.packets:
                data += chunk
            elif chunk[0] == 0:
                data += chunk[1:]
            else:
                self.discards = self.discards or bool(chunk[0] & TIOCPKT_FLUSHWRITE)
        return data

    def line(self):
        # termios2, which gives any rate as it is, not only those with a speed constant.
        raw = fcntl.ioctl(self.master, TCGETS2, bytes(44))
        iflag, oflag, cflag, lflag = struct.unpack_from("4I", raw)
        speed = struct.unpack_from("2I", raw, 36)[1]
        return [speed, int(cflag & termios.CBAUD == termios.B0), int(cflag & termios.CSIZE == termios.CS8),
                int(bool(cflag & termios.PARENB)), int(bool(cflag & termios.CSTOPB)),
                int(bool(cflag & termios.CRTSCTS)), int(bool(iflag & (termios.IXON | termios.IXOFF))),
                int(bool(oflag & termios.OPOST)), int(bool(lflag & termios.ICANON))]

    def exclusive(self):
        fd = self.keep if self.keep >= 0 else os.open(self.device, os.O_RDWR | os.O_NOCTTY | os.O_NONBLOCK)
        answer = fcntl.ioctl(fd, TIOCGEXCL, b"\0\0\0\0")
        if fd != self.keep:
            os.close(fd)
        return struct.unpack("i", answer)[0] != 0

    def set_speed(self, baud):
        attrs = termios.tcgetattr(self.master)
        code = getattr(termios, "B%d" % baud, None)
        if code is not None:
            attrs[4] = attrs[5] = code
            termios.tcsetattr(self.master, termios.TCSANOW, attrs)

    def stall(self):
        block = bytes(1024)
        while True:
            written = 0
            try:
                while True:
                    written += os.write(self.keep, block)
            except BlockingIOError:
                pass
            if written == 0:
                break
            time.sleep(0.02)
        fcntl.ioctl(self.keep, TCXONC_REQ, termios.TCOOFF)

    def resume(self):
        fcntl.ioctl(self.keep, TCXONC_REQ, termios.TCOON)

    def notice_discards(self):
        fcntl.ioctl(self.master, TIOCPKT, struct.pack("i", 1))
        self.packets = True

    def let_go(self):
        if self.keep >= 0:
            os.close(self.keep)
        self.keep = -1

    def remove(self):
        self.let_go()
        if self.master >= 0:
            os.close(self.master)
        self.master = -1
        if os.path.lexists(self.link) and os.readlink(self.link) == self.device:
            os.unlink(self.link)


def serve(connection, link):
    """One PtyPair of the test's: a line of text a request, a line (and bytes) an answer."""
    requests = connection.makefile("rb")
    line = None
    for request in requests:
        words = request.decode().split()
        reply, data = "ok", b""
        try:
            if words[0] == "new":
                line = Line(link, words[1] == "1")
                reply = line.device
            elif words[0] == "read":
                data = line.read(int(words[1]), int(words[2]))
                reply = "%d %d" % (len(data), int(line.discards))
            elif words[0] == "line":
                reply = " ".join(map(str, line.line()))
            elif words[0] == "exclusive":
                reply = str(int(line.exclusive()))
            elif words[0] == "speed":
                line.set_speed(int(words[1]))
            elif words[0] == "stall":
                line.stall()
            elif words[0] == "resume":
                line.resume()
            elif words[0] == "discards":
                line.notice_discards()
            elif words[0] == "letgo":
                line.let_go()
            elif words[0] == "remove":
                line.remove()
        except (OSError, AttributeError) as error:
            reply = "error %s" % error
        connection.sendall(reply.encode() + b"\n" + data)
    if line:
        line.remove()
    connection.close()


def main():
    prefix, program, arguments = sys.argv[1], sys.argv[2], sys.argv[3:]
    link = os.path.join(prefix, "ports", "com1")
    server = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    server.bind(("127.0.0.1", 0))
    server.listen(4)

    def accept():
        while True:
            connection, _ = server.accept()
            threading.Thread(target=serve, args=(connection, link), daemon=True).start()

    threading.Thread(target=accept, daemon=True).start()
    with open(os.path.join(prefix, "winepath")) as folders:
        winepath = folders.read()
    # English, whatever the machine's language: Wine takes Windows's display language from it.
    env = dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all", WINEPATH=winepath,
               CORVANTIS_WIRE="%d" % server.getsockname()[1], LC_ALL="C.UTF-8", LANGUAGE="")
    # Only a pty of ours may stand behind COM1, never a device of the machine's.
    if os.path.lexists(link):
        os.unlink(link)
    sys.exit(subprocess.run(["wine", program] + arguments, env=env).returncode)


if __name__ == "__main__":
    main()
