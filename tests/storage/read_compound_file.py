# Lists a compound file as an outside reader sees it, one line per element:
#   root <clsid>
#   storage <path> <clsid>
#   stream <path> <size> <sum of bytes mod 2^32>
# Paths join names with '/', with control characters escaped as \xNN.
import sys

import olefile


def escape(path):
    return "".join(c if 32 <= ord(c) < 127 else "\\x%02x" % ord(c) for c in path)


ole = olefile.OleFileIO(sys.argv[1])
print("root", ole.root.clsid)
for entry in sorted(ole.listdir(streams=True, storages=True)):
    path = "/".join(entry)
    if ole.get_type(path) == olefile.STGTY_STORAGE:
        print("storage", escape(path), ole.getclsid(path))
    else:
        data = ole.openstream(path).read()
        print("stream", escape(path), len(data), sum(data) & 0xFFFFFFFF)
