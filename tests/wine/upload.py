#!/usr/bin/env python3
"""Sends the start-up settings with a Windows program's --upload under Wine to a COM port that
stands on a pseudo-terminal of this script's, and checks that the 41 bytes of the upload arrive
at 9600 baud. The port's link in the prefix (make-prefix.sh's for COM1, a dosdevices link of its
own for any other) is pointed at the pseudo-terminal for the run.

    upload.py PROGRAM PORT      (WINEPREFIX set; PORT as the user gives it: COM1, COM10)
"""
import os, select, struct, subprocess, sys, tempfile, termios

program, port = sys.argv[1:]
work = tempfile.mkdtemp()
path = os.path.join(work, "start-up.svo")
with open(path, "wb") as f:
    f.write(b"Servo1.3" + struct.pack("<4i", 0, 9600, 1, 0) + struct.pack("<2i", 1843, 5529) * 8)
master, slave = os.openpty()
prefix = os.environ["WINEPREFIX"]
link = os.path.join(prefix, "dosdevices", port.lower())
if os.path.islink(link) and os.readlink(link) == os.path.join(prefix, "ports", port.lower()):
    link = os.readlink(link)
if os.path.lexists(link):
    os.unlink(link)
os.symlink(os.ttyname(slave), link)
run = subprocess.run(["wine", program, "--upload", "Z:" + path.replace("/", "\\"), "--port", port],
                     capture_output=True, timeout=60)
os.unlink(link)
received = b""
while select.select([master], [], [], 0.3)[0]:
    received += os.read(master, 4096)
expected = bytes.fromhex("FFFFFFFFFF00005F00" + "660E" * 16)
speed = termios.tcgetattr(master)[5]
if run.returncode != 0 or received != expected or speed != termios.B9600:
    sys.exit(f"FAIL: --upload to {port} exited {run.returncode} ({run.stderr.decode().strip()}), "
             f"sent {received.hex(' ')} at speed code {speed}")
print(f"{os.path.basename(program)} sent the 41 bytes of the upload to {port} at 9600 baud")
