"""What a PSD document holds, as psd-tools reads it: the independent side of the interoperability tests.

Pixels are built from the raw stored channels that psd-tools decompresses, never from its compositor,
and laid out the way the library delivers them: every byte starts at 255, each channel fills its lane
in stored order, and an enabled user mask scales alpha (floor(a * m / 255) inside the mask rectangle,
the mask's default colour outside it). Arrays are height x width x 4 in R, G, B, A order, as a PNG holds
them.
"""
import io
import logging
import warnings

import numpy as np
from psd_tools import PSDImage
from psd_tools.constants import Resource, Tag

logging.getLogger("psd_tools").setLevel(logging.CRITICAL)  # its notes on unknown blocks are not ours

MASK_DISABLED = 0x02
NAME_BYTES = 68


def open_psd(path):
    # latin-1 keeps every name byte as the character of the same value, as the library stores names.
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")
        return PSDImage.open(path, encoding="latin-1")


def _byte_of(flags_element):
    out = io.BytesIO()
    flags_element.write(out)
    return out.getvalue()[0]


def _rect(top, left, bottom, right):
    return (left, top, right, bottom)


def expected_name(record):
    """The 68-byte name field: the Pascal name cut to 67 bytes, then the Unicode name written over it
    from the start until a unit above 255 stops it (a Unicode name of Latin-1 units wins whole)."""
    field = bytearray(NAME_BYTES)
    pascal = record.name.encode("latin-1")[:NAME_BYTES - 1]
    field[:len(pascal)] = pascal
    blocks = record.tagged_blocks
    unicode_name = blocks.get_data(Tag.UNICODE_LAYER_NAME) if blocks else None
    if unicode_name is not None:
        units = unicode_name.encode("utf-16-be", "surrogatepass")  # psd-tools keeps lone surrogates
        units = [int.from_bytes(units[i:i + 2], "big") for i in range(0, len(units), 2)][:NAME_BYTES - 1]
        written = 0
        for unit in units:
            if unit == 0:
                field[written] = 0
                break
            if unit > 255:
                break
            field[written] = unit
            written += 1
        else:
            field[written] = 0
    return bytes(field[:field.index(0)]).decode("latin-1")


def _scale(alpha, factor):
    return (alpha.astype(np.uint32) * np.uint32(factor) // 255).astype(np.uint8)


def _intersect(a, b):
    left, top = max(a[0], b[0]), max(a[1], b[1])
    right, bottom = min(a[2], b[2]), min(a[3], b[3])
    if left >= right or top >= bottom:
        return None
    return (left, top, right, bottom)


def _plane(channel_data, rect, depth, version):
    width, height = rect[2] - rect[0], rect[3] - rect[1]
    if width <= 0 or height <= 0:
        return np.zeros((0, 0), np.uint8)
    data = channel_data.get_data(width, height, depth, version)
    return np.frombuffer(data, np.uint8)[:width * height].reshape(height, width)


LANE = {0: 0, 1: 1, 2: 2, -1: 3}  # channel id -> RGBA lane


def layer_pixels(record, channels, header):
    bounds = _rect(record.top, record.left, record.bottom, record.right)
    width, height = bounds[2] - bounds[0], bounds[3] - bounds[1]
    if width <= 0 or height <= 0:
        return None
    pixels = np.full((height, width, 4), 255, np.uint8)
    mask = record.mask_data
    mask_rect = _rect(mask.top, mask.left, mask.bottom, mask.right) if mask else (0, 0, 0, 0)
    mask_enabled = not (mask and _byte_of(mask.flags) & MASK_DISABLED)
    default_color = mask.background_color if mask else 0
    for info, data in zip(record.channel_info, channels):
        channel_id = int(info.id)
        if channel_id not in LANE and channel_id != -2:
            continue  # other channels (such as -3, the real user mask) leave the pixels alone
        rect = bounds if channel_id >= -1 else mask_rect
        plane = _plane(data, rect, header.depth, header.version)
        if channel_id in LANE:
            pixels[:, :, LANE[channel_id]] = plane
        elif channel_id == -2 and mask_enabled:
            alpha = pixels[:, :, 3]
            outside = np.ones((height, width), bool)
            inside = _intersect(mask_rect, bounds)
            if inside:
                ys = slice(inside[1] - bounds[1], inside[3] - bounds[1])
                xs = slice(inside[0] - bounds[0], inside[2] - bounds[0])
                ms = plane[inside[1] - mask_rect[1]:inside[3] - mask_rect[1],
                           inside[0] - mask_rect[0]:inside[2] - mask_rect[0]]
                alpha[ys, xs] = (alpha[ys, xs].astype(np.uint32) * ms // 255).astype(np.uint8)
                outside[ys, xs] = False
            alpha[outside] = _scale(alpha[outside], default_color)
    return pixels


def merged_pixels(psd_record):
    header = psd_record.header
    pixels = np.full((header.height, header.width, 4), 255, np.uint8)
    planes = psd_record.image_data.get_data(header)
    for k, plane in enumerate(planes):
        lane = k if k < 3 else 3  # every channel past blue lands in alpha; the last one wins
        pixels[:, :, lane] = np.frombuffer(plane, np.uint8).reshape(header.height, header.width)
    return pixels


def group_ids(psd_record, count):
    ids = psd_record.image_resources.get_data(Resource.LAYER_GROUP_INFO)
    if ids is None:
        return [0] * count
    return [-1 if value == 0 else value for value in list(ids)[:count]]


def expected_open_failure(path):
    """The code the library must refuse the document with (header and compression checks), or None."""
    psd = open_psd(path)
    header = psd._record.header
    # The library checks in this order and reports the first fault.
    if header.version != 1 or header.channels >= 24:
        return 305
    if header.width > 30001 or header.height > 30001:
        return 306
    if header.depth != 8:
        return 308
    if header.color_mode.value != 3:
        return 307
    layer_info = psd._record.layer_and_mask_information.layer_info
    for channels in (layer_info.channel_image_data or []) if layer_info else []:
        if any(int(data.compression) not in (0, 1) for data in channels):
            return 1
    return None


def describe(path):
    """Everything the library should report for the document at path."""
    psd = open_psd(path)
    record = psd._record
    header = record.header
    layer_info = record.layer_and_mask_information.layer_info
    records = list(layer_info.layer_records) if layer_info and layer_info.layer_records else []
    channel_data = list(layer_info.channel_image_data) if records else []
    groups = group_ids(record, len(records))
    layers = []
    for index, (layer, channels) in enumerate(zip(records, channel_data)):
        flags = _byte_of(layer.flags)
        mask_flags = _byte_of(layer.mask_data.flags) if layer.mask_data else 0
        layers.append({
            "index": index,
            "name": expected_name(layer),
            "bounds": {"left": layer.left, "top": layer.top, "right": layer.right, "bottom": layer.bottom},
            "visible": not flags & 0x02,
            "opacity": layer.opacity,
            "blendMode": layer.blend_mode.value.decode("latin-1"),
            "clipping": int(layer.clipping.value),
            "flags": flags,
            "maskEnabled": not mask_flags & MASK_DISABLED,
            "groupId": groups[index],
            "pixels": layer_pixels(layer, channels, header),
        })
    return {
        "width": header.width,
        "height": header.height,
        "layers": layers,
        "merged": merged_pixels(record),
    }


def crop_to_canvas(pixels, bounds, width, height):
    """pixels covering bounds (left, top, right, bottom), cut to the canvas; (None, rect) when empty."""
    inside = _intersect(bounds, (0, 0, width, height)) if pixels is not None else None
    if inside is None:
        return None, (0, 0, 0, 0)
    return (pixels[inside[1] - bounds[1]:inside[3] - bounds[1], inside[0] - bounds[0]:inside[2] - bounds[0]],
            inside)


def trim_to_visible(pixels, bounds):
    """The bounding box of alpha > 1, when it spans two columns and two rows; else unchanged."""
    if pixels is None:
        return None, bounds
    ys, xs = np.nonzero(pixels[:, :, 3] > 1)
    if len(xs) == 0 or xs.max() - xs.min() < 1 or ys.max() - ys.min() < 1:
        return pixels, bounds
    trimmed = pixels[ys.min():ys.max() + 1, xs.min():xs.max() + 1]
    return trimmed, (bounds[0] + xs.min(), bounds[1] + ys.min(), bounds[0] + xs.max() + 1,
                     bounds[1] + ys.max() + 1)
