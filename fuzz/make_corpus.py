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


def service_requests():
    """First byte: the operation (low four bits; 15 a walk) and the caller
    (0x10: a user, else root); then the request text."""
    d = target_dir("service_request")
    folder = "/Library/Printers/GENERIC/Preferences/quorlin.printers.TLQ770-1/"
    mine = folder + "nobody-TLQ770-1-profile"
    write(d, "is_admin", b"\x00" + (mine + ".plist").encode())
    write(d, "swap", b"\x11" + ("2:ARG_iSwapType%s.plist:ARG_cFooCurrentString%s.prev.plist:ARG_cFooPrevString"
                                % (mine, mine)).encode())
    write(d, "exist", b"\x12" + (mine + ".plist").encode())
    write(d, "remove", b"\x03" + (folder + "../x").encode())
    write(d, "write", b"\x14file://" + (mine + ".plist:AddURL:END<plist/>").encode())
    write(d, "chunk", b"\x15file://" + (mine + ".plist:AddURL:ENDABC").encode())
    write(d, "rename", b"\x16file://" + (mine + ".plist").encode())
    write(d, "walk", b"\x1fTLQ770-1:ModelName:ENDnobody:USErName:ENDsnmpwalk:arg:-Os:arg:-c:arg:public:arg:-v:arg:"
                     b"1:arg:printer.local:arg:1.3.6.1.4.1.32473.1.1.1.1.6.13.1.1:arg:")
    write(d, "walk_hostile", b"\x0fTLQ770-1:ModelName:ENDroot:USErName:ENDsnmpwalk:arg:-Lf:arg:/etc/x:arg:"
                             b"[fe80::1%eth0]:161:arg:")


def walk_spools():
    """A flag byte (1: a failed walk; 0x0E: spool only unless all clear;
    0x10: start without a list), then variables:
    column, 17th number, row (2 bytes), name cut, type, length, value
    bytes, integer (4 bytes)."""
    d = target_dir("walk_spool")

    def variable(column, row, type_index, value=b"", integer=0):
        return (bytes([column, 1]) + row.to_bytes(2, "big") + bytes([1, type_index, len(value)]) + value
                + integer.to_bytes(4, "big", signed=True))

    rows = b""
    for row, (file, name, location, cls) in enumerate([(b"RGB1.ICC", b"Office", 4, 1), (b"SIM.ICC", b"Press", 5, 3),
                                                       (b"MY FILE.ICC", b"Blank", 4, 2)], start=1):
        rows += (variable(1, row, 0, integer=row) + variable(2, row, 0, integer=location)
                 + variable(3, row, 1, name) + variable(4, row, 1, file) + variable(5, row, 0, integer=cls)
                 + variable(7, row, 0, integer=1))
    write(d, "three_rows", b"\x10" + rows)
    write(d, "failed_walk", b"\x01" + rows)
    write(d, "spool_only", b"\x02" + rows)
    write(d, "row_without_slot", b"\x10" + variable(1, 501, 0, integer=501) + variable(4, 0, 1, b"Z.ICC"))


def credentials():
    d = target_dir("credential_codec")
    write(d, "name", "Anna Müller")
    write(d, "hex", "416E6E61204DC3BC6C6C6572")
    write(d, "cipher", "D90C7CE7470FE4561912D7C958DB0AA9")
    write(d, "plus", "ab+cd")
    write(d, "odd_hex", "ABC")


if __name__ == "__main__":
    profile_lists()
    ppds()
    print_settings()
    nibble_texts()
    device_uris()
    service_requests()
    walk_spools()
    credentials()
