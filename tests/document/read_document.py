# Reads a document file with outside readers: the trailer by hand, the zip archive with
# zipfile and its single entry with olefile. Prints the entry's name, the compound file's
# stream names, one a line, and "contents <hex>" for the "Contents" stream.
import io
import struct
import sys
import zipfile

import olefile

data = open(sys.argv[1], "rb").read()
(length,) = struct.unpack("<I", data[-4:])
png = data[-4 - length:-4]
assert png[:8] == b"\x89PNG\r\n\x1a\n", "no PNG before the length"
archive = zipfile.ZipFile(io.BytesIO(data[:-4 - length]))
names = archive.namelist()
assert len(names) == 1, names
print("entry", names[0])
ole = olefile.OleFileIO(archive.read(names[0]))
for entry in ole.listdir(streams=True, storages=True):
    print("stream", "/".join(entry).replace("\x05", "\\x05"))
print("contents", ole.openstream("Contents").read().hex())
