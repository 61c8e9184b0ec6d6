"""A minimal PSD writer for the command-line tests: just enough to make documents of a chosen size,
layer names given as raw bytes, and run-length rows that are wrong on purpose."""
import struct


def rle_row(row):
    """PackBits: runs of equal bytes as repeats, the rest as literals, at most 128 bytes a packet."""
    out, i = bytearray(), 0
    while i < len(row):
        run = 1
        while i + run < len(row) and run < 128 and row[i + run] == row[i]:
            run += 1
        if run > 1:
            out += bytes([257 - run, row[i]])
            i += run
            continue
        start = i
        while i < len(row) and i - start < 128 and (i + 1 >= len(row) or row[i + 1] != row[i]):
            i += 1
        out += bytes([i - start - 1]) + bytes(row[start:i])
    return bytes(out)


def rle_channel(plane, width, height, broken_row=None):
    """Compression code 1, the row counts and the rows. broken_row: that row gets one byte too many."""
    rows = []
    for y in range(height):
        row = rle_row(plane[y * width:(y + 1) * width])
        if y == broken_row:
            row += bytes([0, 0])  # a literal packet of one more byte than the row holds
        rows.append(row)
    return struct.pack(">H", 1) + b"".join(struct.pack(">H", len(r)) for r in rows) + b"".join(rows)


def raw_channel(plane):
    return struct.pack(">H", 0) + bytes(plane)


class Layer:
    def __init__(self, rect, name=b"", channels=None, flags=0, opacity=255):
        self.rect = rect  # left, top, right, bottom
        self.name = name  # Pascal name bytes
        self.channels = channels or []  # (id, stored bytes including the compression code)
        self.flags = flags
        self.opacity = opacity


def layer_record(layer):
    left, top, right, bottom = layer.rect
    out = struct.pack(">iiiih", top, left, bottom, right, len(layer.channels))
    for channel_id, data in layer.channels:
        out += struct.pack(">hI", channel_id, len(data))
    name = bytes([len(layer.name)]) + layer.name
    name += b"\0" * (-len(name) % 4)
    extra = struct.pack(">II", 0, 0) + name
    out += b"8BIM" + b"norm" + struct.pack(">BBBBI", layer.opacity, 0, layer.flags, 0, len(extra)) + extra
    return out


def document(width, height, layers, merged_planes, depth=8, color_mode=3):
    header = b"8BPS" + struct.pack(">H6xHIIHH", 1, len(merged_planes), height, width, depth, color_mode)
    info = b""
    if layers:
        info = struct.pack(">h", len(layers)) + b"".join(layer_record(l) for l in layers)
        info += b"".join(data for l in layers for _, data in l.channels)
        info += b"\0" * (len(info) % 2)
        info = struct.pack(">I", len(info)) + info
    body = info + struct.pack(">I", 0) if info else b""  # the layer info, then an empty global mask info
    layer_and_mask = struct.pack(">I", len(body)) + body
    merged = struct.pack(">H", 0) + b"".join(bytes(p) for p in merged_planes)
    return header + struct.pack(">I", 0) + struct.pack(">I", 0) + layer_and_mask + merged


def flat(width, height, value):
    return bytes([value]) * (width * height)


def ramp(width, height, seed=0):
    return bytes((seed + i) % 256 for i in range(width * height))
