# Prints the summary properties of a compound file as an outside reader decodes them,
# one line per PID in ascending order: "<pid> <value>", texts as hexadecimal bytes,
# times in whole seconds since 1601. The dictionary (PID 0) is left out.
import sys

import olefile

ole = olefile.OleFileIO(sys.argv[1])
properties = ole.getproperties("\x05SummaryInformation")
for pid in sorted(properties):
    if pid == 0:
        continue
    value = properties[pid]
    if isinstance(value, bytes):
        value = "text:" + value.hex()
    print(pid, value)
