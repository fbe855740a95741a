#!/usr/bin/env python3
"""A read-only pass-through file system that reads slowly, for the desktop tests.

    slowfs.py SOURCE MOUNTPOINT --log FILE [--delay-ms N] [--stall-until FILE]

Each read waits N ms for every 4 KiB it asks for, one read at a time, as a slow network share
does. With --stall-until, reads wait until that file exists, as a share that stopped answering.
Each opening of a file is a line in the log. Runs until SIGTERM, then unmounts. Ends with status
77 and the reason on standard error where FUSE cannot be used on this machine.
"""
import argparse
import errno
import os
import sys
import threading
import time


def skip(reason):
    print("SKIP: " + reason, file=sys.stderr, flush=True)
    sys.exit(77)


try:
    import fusepy as fuse  # Debian's python3-fusepy
except ImportError:
    try:
        import fuse
    except ImportError:
        skip("python3-fusepy is not installed")
    except OSError as error:  # fusepy loads libfuse on import
        skip("libfuse cannot be loaded: %s" % error)
except OSError as error:
    skip("libfuse cannot be loaded: %s" % error)


class SlowPassThrough(fuse.Operations):
    def __init__(self, root, delay, stall, log):
        self.root = root
        self.delay = delay
        self.stall = stall
        self.log = log
        self.reading = threading.Lock()

    def _path(self, path):
        return os.path.join(self.root, path.lstrip("/"))

    def getattr(self, path, fh=None):
        st = os.lstat(self._path(path))
        keys = ("st_mode", "st_size", "st_nlink", "st_uid", "st_gid", "st_atime", "st_mtime", "st_ctime")
        return {key: getattr(st, key) for key in keys}

    def readdir(self, path, fh):
        return [".", ".."] + os.listdir(self._path(path))

    def open(self, path, flags):
        if flags & (os.O_WRONLY | os.O_RDWR):
            raise fuse.FuseOSError(errno.EROFS)
        with open(self.log, "a") as log:
            log.write(path + "\n")
        return os.open(self._path(path), os.O_RDONLY)

    def read(self, path, size, offset, fh):
        with self.reading:
            while self.stall and not os.path.exists(self.stall):
                time.sleep(0.05)
            time.sleep(self.delay * ((size + 4095) // 4096))
            return os.pread(fh, size, offset)

    def release(self, path, fh):
        os.close(fh)
        return 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("source")
    parser.add_argument("mountpoint")
    parser.add_argument("--log", required=True)
    parser.add_argument("--delay-ms", type=int, default=0)
    parser.add_argument("--stall-until")
    args = parser.parse_args()
    if not os.path.exists("/dev/fuse"):
        skip("no /dev/fuse")
    try:
        os.close(os.open("/dev/fuse", os.O_RDWR))
    except OSError as error:
        skip("/dev/fuse cannot be opened: %s" % error.strerror)
    operations = SlowPassThrough(os.path.abspath(args.source), args.delay_ms / 1000.0, args.stall_until, args.log)
    try:
        fuse.FUSE(operations, args.mountpoint, foreground=True, ro=True, nothreads=False)
    except RuntimeError:
        skip("FUSE cannot mount here")


if __name__ == "__main__":
    main()
