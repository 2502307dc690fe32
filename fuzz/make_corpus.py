#!/usr/bin/env python3
"""Build the seed corpus of each fuzz target (corpus/<target>/) from the
test fixtures and the shapes the tests write: PPDs, print settings, profile
lists (XML and binary), nibble texts and device URIs. Run it again after a
fixture changes; the seeds are checked in."""
import os
import plistlib
import shutil

HERE = os.path.dirname(os.path.abspath(__file__))
TOP = os.path.dirname(HERE)


def target_dir(name):
    d = os.path.join(HERE, "corpus", name)
    shutil.rmtree(d, ignore_errors=True)
    os.makedirs(d)
    return d


def write(d, name, data):
    with open(os.path.join(d, name), "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode())


def nibble(text):
    return "".join(chr(0x30 + (b >> 4)) + chr(0x30 + (b & 15)) for b in text.encode())


def profile_list(entries_by_class, broken=None):
    """A list file: entries are (index, in_menu, file, location, class, name)."""
    root = {"PlistVersion": 1}
    for key, entries in entries_by_class.items():
        fields = {k: {} for k in ("IndexOnDevice", "InMenu", "ProfileClass", "Location", "FileName", "ProfileName")}
        for slot, (index, in_menu, file, location, cls, name) in enumerate(entries):
            for field, value in (("IndexOnDevice", index), ("InMenu", in_menu), ("ProfileClass", cls),
                                 ("Location", location), ("FileName", file), ("ProfileName", name)):
                fields[field]["%s%04d" % (field, slot)] = value
        root[key] = dict(fields, iNum=len(entries))
    if broken:
        del root[broken[0]][broken[1]]
    return root


def profile_lists():
    d = target_dir("profile_list_read")
    full = profile_list({
        "RGB": [(3, 4, "RGB1.ICC", 4, 1, "Vivid RGB"), (-7, 6, "MINE.ICM", 5, 2, "Négatif"), (2, 2, "B.icc", 5, 1, "")],
        "SIM": [(12, 2, "SIM.ICC", 5, 3, "Press")],
        "DST": [(501, 3, "DST.ICC", 4, 3, "Glossy"), (0, 1, "A" * 40, 4, 3, "long name")],
    })
    write(d, "list.xml", plistlib.dumps(full, fmt=plistlib.FMT_XML))
    write(d, "list.bin", plistlib.dumps(full, fmt=plistlib.FMT_BINARY))
    write(d, "no_location.xml", plistlib.dumps(profile_list({"RGB": [], "SIM": [], "DST": []}, ("SIM", "Location"))))
    counted_wrong = profile_list({"RGB": [(1, 6, "A.icc", 4, 2, "A")], "SIM": [], "DST": []})
    counted_wrong["RGB"]["iNum"] = 5
    write(d, "count.bin", plistlib.dumps(counted_wrong, fmt=plistlib.FMT_BINARY))


def ppds():
    d = target_dir("ppd_dialog")
    shutil.copy(os.path.join(TOP, "resources", "TLQ770-1.ppd"), d)
    fixtures = os.path.join(TOP, "tests", "fixtures")
    for name in sorted(os.listdir(fixtures)):
        if name.endswith(".ppd"):
            shutil.copy(os.path.join(fixtures, name), d)


def print_settings():
    d = target_dir("print_settings")
    office = {
        "ZNQuickColor": "_Custom", "ZNBrightness": "Plus10", "ZNColorAsGray": "False", "ZNEconoMode": "True",
        "ZNEdgeType": "Standard", "ZNGlossyMode": "False", "ZNTextHalftone": "Smooth",
        "ZNImageRGBSource": "None", "ZNImageRGBSourceCustom": "True",
        "ZNImageRGBSourceCustomFilename": nibble("/ataCf1a/data/USfiles/Profiles/C.icc"),
        "ZNSimSourceCustom": "true", "ZNSimSourceCustomFilename": "414",
    }
    settings = {"TLQ770-1": {"Office": office}, "ZNQuickColor": "_Custom"}
    write(d, "custom.xml", plistlib.dumps(settings, fmt=plistlib.FMT_XML))
    write(d, "custom.bin", plistlib.dumps(settings, fmt=plistlib.FMT_BINARY))
    write(d, "other_types.xml", plistlib.dumps({"TLQ770-1": {"Office": {"ZNBrightness": 3, "ZNEconoMode": True}}}))


def nibble_texts():
    d = target_dir("nibble_text")
    write(d, "path", nibble("/ata1a/data/USfiles/Profiles/A.icc"))
    write(d, "utf8", nibble("Größe.icc"))
    write(d, "odd", "414")
    write(d, "not_utf8", "?0")


def device_uris():
    d = target_dir("device_uri")
    for i, uri in enumerate(["lpd://192.0.2.20:515/queue", "dnssd://Office%20Printer._printer._tcp.local./?bidi",
                             "mdns://A%2eB._pdl-datastream._tcp.local.", "ipp://192.0.2.7/ipp", "usb://Maker/TLQ",
                             "pap://zone/name", "lpd://[2001:db8::1]:515/q"]):
        write(d, "uri%d" % i, uri)


if __name__ == "__main__":
    profile_lists()
    ppds()
    print_settings()
    nibble_texts()
    device_uris()
