"""Layered 8-bit RGB documents written by other programs: ImageMagick's convert and psd-tools.

Each maker writes one document into a directory and returns its path. Pixel content comes from a
seeded generator, so every run writes the same files.
"""
import os
import shutil
import subprocess

import numpy as np
from PIL import Image
from psd_tools.constants import BlendMode, ChannelID, Clipping, ColorMode, Compression, Resource, Tag
from psd_tools.compression import compress
from psd_tools.psd import PSD
from psd_tools.psd.color_mode_data import ColorModeData
from psd_tools.psd.header import FileHeader
from psd_tools.psd.image_data import ImageData
from psd_tools.psd.image_resources import ImageResource, ImageResources, LayerGroupInfo
from psd_tools.psd.layer_and_mask import (ChannelData, ChannelDataList, ChannelImageData, ChannelInfo,
                                          LayerAndMaskInformation, LayerFlags, LayerInfo, LayerRecord,
                                          LayerRecords, MaskData, MaskFlags)
from psd_tools.psd.tagged_blocks import TaggedBlocks


def convert_program():
    # Debian's own binary, ahead of whatever else PATH may offer under the same name.
    return "/usr/bin/convert" if os.path.exists("/usr/bin/convert") else shutil.which("convert")


def random_rgba(rng, width, height, alpha="random", border=0):
    """A width x height RGBA picture. alpha: 'random' (0..255, 0 and 1 included), 'opaque', or a value.
    border: that many pixels around the edge get alpha 0 or 1, so trimming has work to do."""
    pixels = rng.integers(0, 256, (height, width, 4), dtype=np.uint8)
    if alpha == "opaque":
        pixels[:, :, 3] = 255
    elif alpha != "random":
        pixels[:, :, 3] = alpha
    if border:
        edge = np.ones((height, width), bool)
        edge[border:height - border, border:width - border] = False
        pixels[:, :, 3][edge] = rng.integers(0, 2, int(edge.sum()), dtype=np.uint8)
    return pixels


def _save_png(pixels, path, mode="RGBA"):
    image = Image.fromarray(pixels if mode == "RGBA" else pixels[:, :, :3], mode)
    image.save(path)
    return path


def imagemagick_document(directory, name, compression, composite_alpha=False, seed=1):
    """convert: the first picture is the stored composite, the others become layers, -page places them.
    Layers: an opaque background (three channels), a translucent layer at a negative offset, one that
    runs past the right and bottom edges, one with a transparent margin, one wholly outside the canvas."""
    rng = np.random.default_rng(seed)
    width, height = 24, 16
    work = os.path.join(directory, name + ".parts")
    os.makedirs(work, exist_ok=True)
    composite = _save_png(random_rgba(rng, width, height, "random" if composite_alpha else "opaque"),
                          os.path.join(work, "composite.png"), "RGBA" if composite_alpha else "RGB")
    background = _save_png(random_rgba(rng, width, height, "opaque"), os.path.join(work, "bg.png"), "RGB")
    layers = [
        (background, "+0+0", "Background"),
        (_save_png(random_rgba(rng, 12, 9), os.path.join(work, "a.png")), "-5-3", "Above left"),
        (_save_png(random_rgba(rng, 10, 8, 200), os.path.join(work, "b.png")), "+18+11", "Past the edge"),
        (_save_png(random_rgba(rng, 11, 7, 255, border=2), os.path.join(work, "c.png")), "+6+4", "Margin"),
        (_save_png(random_rgba(rng, 5, 4), os.path.join(work, "d.png")), "+30+20", "Outside"),
    ]
    args = [convert_program(), composite]
    for path, page, label in layers:
        args += ["(", path, "-set", "page", page, "-set", "label", label, ")"]
    path = os.path.join(directory, name + ".psd")
    args += ["-depth", "8", "-compress", compression, path]
    subprocess.run(args, check=True)
    return path


def _channel(compression, plane):
    height, width = plane.shape
    data = compress(plane.tobytes(), compression, width, height, 8, 1) if plane.size else b""
    return ChannelData(compression=compression, data=data)


def _layer(rng, name, rect, channels, compression, *, mask=None, flags=None, opacity=255, clipping=0,
           unicode_name=None, blend=BlendMode.NORMAL):
    """One record and its channel data. rect is (left, top, right, bottom); channels lists the ids in
    stored order; mask is (rect, default colour, disabled)."""
    left, top, right, bottom = rect
    infos, data = [], []
    for channel_id in channels:
        plane_rect = mask[0] if channel_id == -2 else rect
        plane_width = max(plane_rect[2] - plane_rect[0], 0)
        plane_height = max(plane_rect[3] - plane_rect[1], 0)
        plane = rng.integers(0, 256, (plane_height, plane_width), dtype=np.uint8)
        infos.append(ChannelInfo(id=ChannelID(channel_id), length=0))
        data.append(_channel(compression, plane))
    mask_data = None
    if mask:
        (mask_left, mask_top, mask_right, mask_bottom), default_color, disabled = mask
        mask_data = MaskData(top=mask_top, left=mask_left, bottom=mask_bottom, right=mask_right,
                             background_color=default_color, flags=MaskFlags(mask_disabled=disabled))
    blocks = TaggedBlocks()
    if unicode_name is not None:
        blocks.set_data(Tag.UNICODE_LAYER_NAME, unicode_name)
    record = LayerRecord(top=top, left=left, bottom=bottom, right=right, channel_info=infos, blend_mode=blend,
                         opacity=opacity, clipping=Clipping(clipping), flags=flags or LayerFlags(),
                         mask_data=mask_data, name=name, tagged_blocks=blocks)
    return record, ChannelDataList(data)


def psdtools_document(directory, name, seed=2):
    """Written with psd-tools' own record classes: user masks (default colour 0 and 255, partly outside
    the layer, disabled), a hidden layer, opacity and clipping, a layer without transparency, names in
    the Unicode block (Latin-1 and Cyrillic), raw and run-length channels, a zero-area layer, layer
    group ids and a four-channel run-length composite."""
    rng = np.random.default_rng(seed)
    width, height = 20, 14
    raw, rle = Compression.RAW, Compression.RLE
    layers = [
        _layer(rng, "Background", (0, 0, 20, 14), [0, 1, 2], rle),
        _layer(rng, "Masked dc0", (-4, 2, 12, 12), [-1, 0, 1, 2, -2], rle, mask=((2, 4, 9, 9), 0, False)),
        _layer(rng, "Masked dc255", (5, -3, 25, 8), [-1, 0, 1, 2, -2], raw, mask=((0, -6, 10, 4), 255, False)),
        _layer(rng, "Mask off", (1, 1, 9, 9), [-1, 0, 1, 2, -2], rle, mask=((2, 2, 6, 6), 0, True)),
        _layer(rng, "Mask first", (3, 3, 11, 10), [-2, -1, 0, 1, 2], raw, mask=((4, 4, 8, 8), 0, False)),
        _layer(rng, "Hidden", (2, 5, 15, 13), [-1, 0, 1, 2], rle, flags=LayerFlags(visible=False), opacity=128),
        _layer(rng, "Clipped", (0, 0, 6, 6), [-1, 0, 1, 2], raw, clipping=1, blend=BlendMode.MULTIPLY),
        _layer(rng, "Cafe", (8, 8, 16, 13), [-1, 0, 1, 2], rle, unicode_name="Caf\u00e9 cr\u00e8me"),
        _layer(rng, "Sloj", (10, 0, 20, 6), [-1, 0, 1, 2], raw, unicode_name="\u0421\u043b\u043e\u0439"),
        _layer(rng, "Empty", (7, 7, 7, 7), [-1, 0, 1, 2], raw),
    ]
    records = LayerRecords([record for record, _ in layers])
    channel_data = ChannelImageData([data for _, data in layers])
    header = FileHeader(version=1, channels=4, height=height, width=width, depth=8, color_mode=ColorMode.RGB)
    image_data = ImageData(compression=rle)
    image_data.set_data([rng.integers(0, 256, width * height, dtype=np.uint8).tobytes() for _ in range(4)],
                        header)
    resources = ImageResources.new()
    groups = LayerGroupInfo([0, 1, 1, 2, 0, 3, 65535, 7, 7, 0])
    resources[Resource.LAYER_GROUP_INFO] = ImageResource(key=Resource.LAYER_GROUP_INFO, data=groups)
    psd = PSD(header=header, color_mode_data=ColorModeData(), image_resources=resources,
              layer_and_mask_information=LayerAndMaskInformation(
                  layer_info=LayerInfo(layer_count=len(layers), layer_records=records,
                                       channel_image_data=channel_data)),
              image_data=image_data)
    path = os.path.join(directory, name + ".psd")
    with open(path, "wb") as out:
        psd.write(out, encoding="latin-1")
    return path


# Every interoperability document, by case name.
CASES = {
    "imagemagick-rle": lambda d: imagemagick_document(d, "imagemagick-rle", "RLE"),
    "imagemagick-raw": lambda d: imagemagick_document(d, "imagemagick-raw", "None"),
    "imagemagick-rgba-composite": lambda d: imagemagick_document(d, "imagemagick-rgba", "RLE",
                                                                 composite_alpha=True, seed=3),
    "psd-tools": lambda d: psdtools_document(d, "psd-tools"),
}
