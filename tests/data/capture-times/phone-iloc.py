"""Rewrites the item locations ('iloc') of a HEIF file heif-enc wrote the way
phones write them: no base offsets, each item's file offset in its extent.
heif-enc writes version 0 or 1 with 4-byte offsets, lengths and base offsets
and one extent an item; the box, and the 'meta' box around it, become 4 bytes an item
shorter, so offsets into the file after them move back by as much."""
import sys

path = sys.argv[1]
data = bytearray(open(path, 'rb').read())
meta = data.index(b'meta') - 4
iloc = data.index(b'iloc') - 4
body = iloc + 12  # past size, type, version and flags
version = data[iloc + 8]
assert version in (0, 1) and data[body] == 0x44 and data[body + 1] == 0x40, 'another iloc layout'
method_size = 2 if version == 1 else 0
count = int.from_bytes(data[body + 2:body + 4], 'big')
shrink = 4 * count
end = iloc + int.from_bytes(data[iloc:iloc + 4], 'big')
entries = bytearray()
at = body + 4
for _ in range(count):
    item, method = data[at:at + 2], data[at + 2:at + 2 + method_size]
    at += 2 + method_size
    dref, base, extents = data[at:at + 2], int.from_bytes(data[at + 2:at + 6], 'big'), data[at + 6:at + 8]
    offset, length = int.from_bytes(data[at + 8:at + 12], 'big'), data[at + 12:at + 16]
    assert extents == b'\x00\x01', 'one extent an item'
    position = base + offset
    if (not method or method[1] == 0) and position > iloc:
        position -= shrink  # in the file, after the shortened boxes
    entries += item + method + dref + extents + position.to_bytes(4, 'big') + length
    at += 16
new = bytearray(data[iloc:body]) + bytes([0x44, 0x00]) + count.to_bytes(2, 'big') + entries
new[0:4] = len(new).to_bytes(4, 'big')
data[iloc:end] = new
data[meta:meta + 4] = (int.from_bytes(data[meta:meta + 4], 'big') - shrink).to_bytes(4, 'big')
open(path, 'wb').write(data)
