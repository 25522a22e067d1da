#!/usr/bin/env python3
"""Stand-ins of the skin and version services for scripts/soak.

One listener per configured host, all on loopback: the old hosts the windows
still build on, today's look-up, profile and manifest services, and a file
host that the answers point at (textures, version JSONs, jars). Each request
and the end of each file sent is logged as a line to --log, so the soak can
wait for what the program asked. The files a round should end up with are
written to --expect, to compare byte for byte.

Stops by itself after --lifetime seconds, or as soon as --parent is gone.

  soak-services.py round N ADDRESS   sets the mirror at ADDRESS (running
                                     stand-ins) as round N of the soak meets
                                     it, and prints how: "none", how it
                                     refuses the good server jar, or "lies"
  soak-services.py manifest HOW ADDRESS
                                     sets how the mirror at ADDRESS answers
                                     for its copy of the version manifest
                                     (one of MANIFEST_WAYS; "round-N" for
                                     round N's way) and prints it
"""

import argparse
import base64
import hashlib
import http.client
import json
import os
import re
import struct
import sys
import threading
import time
import zlib
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from pathlib import Path

# The answers the tests also read; see the README there for the placeholders.
ANSWERS = Path(__file__).resolve().parent.parent / "tests/data/answers"

SKIN_COLOUR = (0x12, 0xC4, 0x5A)
CAPE_COLOUR = (0xC4, 0x12, 0x5A)
# The skin site that stands in for Skinme has a skin (and a cape) of its own
# for the player.
SITE_SKIN_COLOUR = (0x5A, 0x12, 0xC4)
SITE_SKIN_HASH = "5a12c4" * 8
SITE_CAPE_HASH = "c4125a" * 8
PLAYER = "Creeper"

# The three downloads of a round: a good server jar over the mirror (in some
# rounds the mirror refuses it and it comes from the store), a corrupted one
# over the store, and a slow one over the mirror to cancel.
GOOD_VERSION = "1.7.2"
BAD_VERSION = "1.6.4"
SLOW_VERSION = "1.8.9"
SLOW_SIZE = 4 * 1024 * 1024
SLOW_RATE = 300 * 1024  # bytes a second
CHUNK = 16 * 1024

# How a refusing mirror answers the good server jar: "close" takes the
# request and closes the connection without a word.
REFUSALS = {
    "503": (503, "text/plain", b"busy, try later", []),
    "429": (429, "text/plain", b"too many requests", [("Retry-After", "120")]),
    "403": (403, "text/plain", b"not for you", []),
    "close": None,
}
# A lying mirror sends a good server jar of its own, not the official one,
# with a description of its own that matches it; the official list answers
# only once that jar has been sent, or after LIE_HOLD seconds (inside the
# soak build's 4 s time limit).
LIES = "lies"
LIE_HOLD = 3
# Every way the mirror may meet a round but "none".
MIRROR_WAYS = list(REFUSALS) + [LIES]
# Only the soak asks this, on the mirror: /soak-control/mirror-refuses/<how>.
CONTROL = "/soak-control/mirror-refuses/"

# The mirror's copy of the version manifest, which the downloader's list
# reads on the domestic route, and how the mirror may answer for it: as the
# official one, with a manifest whose every id is a lie (a folder, a query,
# a fragment, a control or format character), 5 MiB, never ending, or 503.
MANIFEST_PATH = "/mc/game/version_manifest_v2.json"
MANIFEST_WAYS = ["good", "lies", "huge", "endless", "refuses"]
MANIFEST_CONTROL = "/soak-control/manifest/"
LYING_IDS = ["../" + GOOD_VERSION, GOOD_VERSION + "?", GOOD_VERSION + "#x",
             GOOD_VERSION + "\u0007", GOOD_VERSION + "\u202e", GOOD_VERSION + "/server"]
HUGE_MANIFEST = 5 * 1024 * 1024
# Past the soak build's 4 s time limit, well before the 4 MiB bound.
ENDLESS_RATE = 16 * 1024  # bytes a second
ENDLESS_LIMIT = 60  # seconds


def manifest_for_round(round_number):
    """One round in ten meets a lying manifest on the mirror."""
    return "lies" if round_number % 10 == 0 else "good"


def mirror_for_round(round_number):
    """Odd rounds meet a mirror that sends the good server jar on to its
    node; even ones a mirror that refuses it, each refusal in turn, or lies."""
    if round_number % 2:
        return "none"
    return MIRROR_WAYS[(round_number // 2 - 1) % len(MIRROR_WAYS)]


def solid_png(colour, width, height):
    """A real PNG of one colour: IHDR, one zlib IDAT, IEND."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    row = b"\x00" + bytes(colour) * width  # filter byte "none", then RGB
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(row * height)) + chunk(b"IEND", b""))


def rgba_png(width, height, pixels):
    """A real PNG of RGBA rows (`pixels`, width * height * 4 bytes)."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    stride = width * 4
    rows = b"".join(b"\x00" + bytes(pixels[y * stride:(y + 1) * stride]) for y in range(height))
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


class Canvas:
    """An RGBA image to paint textures on, transparent at first."""

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = bytearray(width * height * 4)

    def fill(self, x, y, w, h, colour):
        rgba = bytes(colour) + (b"" if len(colour) == 4 else b"\xff")
        for row in range(y, y + h):
            at = (row * self.width + x) * 4
            self.pixels[at:at + w * 4] = rgba * w

    def box(self, corner, w, h, d, colour):
        """All six faces of a model box unfolded from `corner`: top and
        bottom, then right side, front, left side and back."""
        x, y = corner
        self.fill(x + d, y, 2 * w, d, colour)
        self.fill(x, y + d, 2 * (d + w), h, colour)

    def png(self):
        return rgba_png(self.width, self.height, self.pixels)


SKIN_TONE = (0xE0, 0xAC, 0x7E)
HAIR = (0x4A, 0x2C, 0x16)
SHIRT = (0x12, 0xA0, 0x8C)
JACKET = (0x3C, 0x2A, 0x6E)
TROUSERS = (0x2E, 0x46, 0xA8)
SHOES = (0x50, 0x50, 0x50)


def pictured_skin(arm):
    """A made-up player with arms `arm` wide: hair, a face, a shirt under an
    open jacket (the overlays), trousers and shoes."""
    c = Canvas(64, 64)
    c.box((0, 0), 8, 8, 8, SKIN_TONE)             # head
    c.fill(8, 0, 8, 8, HAIR)                      # top
    c.fill(0, 8, 32, 3, HAIR)                     # round the head, above the face
    c.fill(24, 8, 8, 8, HAIR)                     # back
    c.fill(9, 12, 2, 1, (0xFF, 0xFF, 0xFF))       # eyes, from the player's right
    c.fill(10, 12, 1, 1, (0x30, 0x50, 0xC0))
    c.fill(13, 12, 2, 1, (0xFF, 0xFF, 0xFF))
    c.fill(13, 12, 1, 1, (0x30, 0x50, 0xC0))
    c.fill(11, 14, 2, 1, (0x9C, 0x4A, 0x3A))      # mouth
    c.fill(40, 8, 8, 2, HAIR)                     # hat layer: a fringe over the face
    c.fill(56, 8, 8, 5, HAIR)                     # and longer at the back
    c.box((16, 16), 8, 12, 4, SHIRT)              # body
    c.fill(20, 30, 8, 2, (0x20, 0x20, 0x20))      # belt
    c.fill(32, 30, 8, 2, (0x20, 0x20, 0x20))
    c.fill(20, 36, 2, 12, JACKET)                 # jacket, open at the front
    c.fill(26, 36, 2, 12, JACKET)
    c.fill(32, 36, 8, 12, JACKET)                 # closed at the back
    for corner in ((40, 16), (32, 48)):           # arms: sleeves, then hands
        c.box(corner, arm, 12, 4, SHIRT)
        x, y = corner
        c.fill(x, y + 12, 2 * (4 + arm), 4, SKIN_TONE)
    for corner in ((40, 32), (48, 48)):           # jacket sleeves
        x, y = corner
        c.fill(x, y + 4, 2 * (4 + arm), 8, JACKET)
    for corner in ((0, 16), (16, 48)):            # legs
        c.box(corner, 4, 12, 4, TROUSERS)
        x, y = corner
        c.fill(x, y + 14, 16, 2, SHOES)
    c.fill(4, 36, 1, 10, (0x6A, 0x80, 0xD0))      # a seam on the trousers' layer
    c.fill(7, 52, 1, 10, (0x6A, 0x80, 0xD0))
    return c.png()


def pictured_cape():
    """A 64x32 cape: dark red, its outer face bordered in gold round a green
    creeper's face."""
    c = Canvas(64, 32)
    c.box((0, 0), 10, 16, 1, (0x7A, 0x10, 0x18))
    c.fill(1, 1, 10, 16, (0xD4, 0xA0, 0x20))
    c.fill(2, 2, 8, 14, (0x9E, 0x16, 0x22))
    c.fill(3, 5, 6, 6, (0x4C, 0xB0, 0x3C))
    for x, y, w, h in ((4, 6, 1, 1), (7, 6, 1, 1), (5, 8, 2, 2), (4, 9, 1, 2), (7, 9, 1, 2)):
        c.fill(x, y, w, h, (0x10, 0x20, 0x10))
    return c.png()


def generated(seed, size):
    """Bytes that differ from version to version, the same on every run."""
    out = bytearray()
    block = hashlib.sha256(seed.encode()).digest()
    while len(out) < size:
        block = hashlib.sha256(block).digest()
        out += block
    return bytes(out[:size])


def sha1(data):
    return hashlib.sha1(data).hexdigest()


def sample(file, **fills):
    """The sample answer `file` with each {{key}} replaced by its value as
    text; a key the file lacks, or a placeholder left over, is an error."""
    text = (ANSWERS / file).read_text(encoding="utf-8").strip()
    for key, value in fills.items():
        placeholder = "{{%s}}" % key
        if placeholder not in text:
            raise KeyError("%s has no %s" % (file, placeholder))
        text = text.replace(placeholder, str(value))
    left = re.search(r"\{\{[a-z0-9_]+\}\}", text)
    if left:
        raise KeyError("%s: %s left unfilled" % (file, left.group()))
    return text.encode()


class Catalogue:
    """Every route of every host: (host name, path) -> (status, type, body, headers)."""

    def __init__(self, hosts, pictured=False):
        self.hosts = hosts
        # Textures to look at rather than count by colour.
        self.pictured = pictured
        self.routes = {}
        self.slow = {}  # (host, path) -> body sent at SLOW_RATE
        self.expected = {}  # file name under --expect -> bytes
        # The one route a refusing mirror refuses, and how ("none": it does not).
        self.refusable = ("mirror", "/version/%s/server" % GOOD_VERSION)
        self.refusal = "none"
        # What a lying mirror sends for it and its description, and when it
        # has sent that jar.
        self.lie = {}
        self.lie_sent = threading.Event()
        # How the mirror answers for its copy of the manifest.
        self.manifest_way = "good"
        files = "http://" + hosts["files"]
        self.add_player(files)
        self.add_skin_site()
        self.add_versions(files)
        self.add_lie(files)

    def add(self, host, path, body, kind="application/octet-stream", status=200, headers=()):
        self.routes[(host, path)] = (status, kind, body, list(headers))

    def refuse(self, how):
        if how != "none" and how not in MIRROR_WAYS:
            raise ValueError("no refusal " + how)
        self.lie_sent.clear()
        self.refusal = how

    def answer(self, key):
        """What (host, path) answers now: (status, type, body, headers), or
        None for a connection closed unanswered."""
        if key == ("mirror", MANIFEST_PATH) and self.manifest_way != "good":
            return self.manifest_answer()
        if self.refusal == LIES and key in self.lie:
            return self.lie[key]
        if key == self.refusable and self.refusal != "none":
            return REFUSALS[self.refusal]
        return self.routes.get(key, (404, "text/plain", b"not here", []))

    def manifest_answer(self):
        if self.manifest_way == "lies":
            entry = {"type": "release", "url": "http://%s/nowhere.json" % self.hosts["files"],
                     "time": "2013-10-25T13:00:00+00:00",
                     "releaseTime": "2013-10-25T13:00:00+00:00"}
            lies = {"latest": {"release": LYING_IDS[0], "snapshot": LYING_IDS[1]},
                    "versions": [dict(entry, id=i) for i in LYING_IDS]}
            return 200, "application/json", json.dumps(lies).encode(), []
        if self.manifest_way == "huge":
            opening = b'{"versions": [], "padding": "'
            filler = b"x" * (HUGE_MANIFEST - len(opening) - 2)
            return 200, "application/json", opening + filler + b'"}', []
        return 503, "text/plain", b"busy, try later", []

    def holds_manifest(self):
        """Whether the official list waits for the lying mirror's jar."""
        return self.refusal == LIES and not self.lie_sent.is_set()

    def add_player(self, files):
        player_id = sha1(PLAYER.lower().encode())[:32]
        lookup = sample("lookup.json", id=player_id, name=PLAYER)
        self.add("lookup", "/minecraft/profile/lookup/name/" + PLAYER, lookup, "application/json")
        self.add("fallback", "/users/profiles/minecraft/" + PLAYER, lookup, "application/json")
        textures = sample("textures.json", id=player_id, name=PLAYER, textures=json.dumps(
            {"SKIN": {"url": files + "/texture/skin-" + PLAYER},
             "CAPE": {"url": files + "/texture/cape-" + PLAYER}}))
        self.add("session", "/session/minecraft/profile/" + player_id,
                 sample("profile.json", id=player_id, name=PLAYER,
                        textures_base64=base64.b64encode(textures).decode()),
                 "application/json")
        self.add("files", "/texture/skin-" + PLAYER, self.texture(SKIN_COLOUR, 64, 64, 4),
                 "image/png")
        self.add("files", "/texture/cape-" + PLAYER, self.texture(CAPE_COLOUR, 64, 32),
                 "image/png")

    def texture(self, colour, width, height, arm=0):
        """A texture of one colour, or pictured: a skin with arms `arm` wide,
        or a cape."""
        if not self.pictured:
            return solid_png(colour, width, height)
        return pictured_skin(arm) if arm else pictured_cape()

    def add_skin_site(self):
        # The CustomSkinAPI: the player's textures by name, then each by hash.
        # The site's skin is the slim one.
        self.add("site", "/csl/%s.json" % PLAYER,
                 sample("skinsite.json", name=PLAYER, model="slim", skin=SITE_SKIN_HASH,
                        cape=SITE_CAPE_HASH), "application/json")
        self.add("site", "/textures/" + SITE_SKIN_HASH, self.texture(SITE_SKIN_COLOUR, 64, 64, 3),
                 "image/png")
        self.add("site", "/textures/" + SITE_CAPE_HASH, self.texture(CAPE_COLOUR, 64, 32),
                 "image/png")

    def add_version(self, files, version, server):
        client = generated("client " + version, 2048)
        version_json = sample("version.json", version=version, client_sha1=sha1(client),
                              client_size=len(client),
                              client_url=files + "/objects/client-" + version,
                              server_sha1=sha1(server), server_size=len(server),
                              server_url=files + "/objects/server-" + version)
        json_path = "/v1/packages/%s/%s.json" % (sha1(version_json), version)
        self.add("files", json_path, version_json, "application/json")
        self.add("files", "/objects/client-" + version, client, "application/java-archive")
        self.add("files", "/objects/server-" + version, server, "application/java-archive")
        # The mirror has the same files; its server jars it sends on to a node.
        self.add("mirror", "/version/%s/client" % version, client, "application/java-archive")
        self.add("mirror", "/version/%s/json" % version, version_json, "application/json")
        self.add("mirror", "/version/%s/server" % version, b"", status=302,
                 headers=[("Location", "%s/node/server-%s" % (files, version))])
        self.add("files", "/node/server-" + version, server, "application/java-archive")
        # The manifest that lists this version alone.
        return json.loads(sample("manifest.json", version=version, url=files + json_path,
                                 sha1=sha1(version_json)))

    def add_lie(self, files):
        """The good jar with a byte changed, and a description that matches it."""
        good = bytearray(self.expected["server-" + GOOD_VERSION + ".jar"])
        good[1000] ^= 0x20
        lie = bytes(good)
        client = generated("client " + GOOD_VERSION, 2048)
        description = sample("version.json", version=GOOD_VERSION, client_sha1=sha1(client),
                             client_size=len(client),
                             client_url=files + "/objects/client-" + GOOD_VERSION,
                             server_sha1=sha1(lie), server_size=len(lie),
                             server_url=files + "/objects/server-" + GOOD_VERSION)
        self.lie[self.refusable] = (200, "application/java-archive", lie, [])
        self.lie[("mirror", "/version/%s/json" % GOOD_VERSION)] = (
            200, "application/json", description, [])

    def add_versions(self, files):
        good = generated("server " + GOOD_VERSION, 300 * 1024 + 7)
        official = generated("server " + BAD_VERSION, 200 * 1024 + 3)
        slow = generated("server " + SLOW_VERSION, SLOW_SIZE)
        manifest, *others = [self.add_version(files, GOOD_VERSION, good),
                             self.add_version(files, BAD_VERSION, official),
                             self.add_version(files, SLOW_VERSION, slow)]
        # One manifest, its latest release the good one, listing all three.
        manifest["versions"] += [listed["versions"][-1] for listed in others]
        # The store's copy of BAD_VERSION's server jar is not what its JSON describes.
        corrupted = bytearray(official)
        corrupted[len(corrupted) // 2] ^= 0xFF
        self.add("files", "/objects/server-" + BAD_VERSION, bytes(corrupted),
                 "application/java-archive")
        self.slow[("files", "/node/server-" + SLOW_VERSION)] = slow
        # Older and newer versions to choose from, of every kind, listed only.
        dates = {GOOD_VERSION: "2013-10-25", BAD_VERSION: "2013-09-19", SLOW_VERSION: "2014-12-09"}
        for entry in manifest["versions"]:
            if entry["id"] in dates:
                entry["releaseTime"] = dates[entry["id"]] + "T13:00:00+00:00"
        for listed, kind, date in (("14w34d", "snapshot", "2014-08-25"),
                                   ("b1.7.3", "old_beta", "2011-07-08"),
                                   ("a1.0.4", "old_alpha", "2010-07-09")):
            manifest["versions"].append({
                "id": listed, "type": kind, "url": "%s/v1/packages/%s.json" % (files, listed),
                "time": date + "T12:00:00+00:00", "releaseTime": date + "T12:00:00+00:00",
                "sha1": sha1(listed.encode())})
        manifest["latest"]["release"] = SLOW_VERSION
        served = json.dumps(manifest).encode()
        self.add("manifest", MANIFEST_PATH, served, "application/json")
        # The mirror's copy, which the downloader's list reads on the domestic route.
        self.add("mirror", MANIFEST_PATH, served, "application/json")
        self.expected["server-" + GOOD_VERSION + ".jar"] = good


class Log:
    def __init__(self, path):
        self.lock = threading.Lock()
        self.file = open(path, "a", buffering=1, encoding="utf-8")

    def line(self, *words):
        with self.lock:
            self.file.write(" ".join(str(w) for w in words) + "\n")


def handler_for(name, catalogue, log):
    class Handler(BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def log_message(self, *args):  # the event log says what matters
            pass

        def do_GET(self):
            path = self.path.split("?", 1)[0]
            if name == "mirror" and path.startswith(CONTROL):
                self.control(path[len(CONTROL):])
                return
            if name == "mirror" and path.startswith(MANIFEST_CONTROL):
                self.control_manifest(path[len(MANIFEST_CONTROL):])
                return
            if (name, path) == ("mirror", MANIFEST_PATH) and catalogue.manifest_way == "endless":
                self.send_endlessly(path)
                return
            key = (name, path)
            if key in catalogue.slow:
                self.send_slowly(path, catalogue.slow[key])
                return
            if name == "manifest" and catalogue.holds_manifest():
                log.line("HELD", name, path)
                catalogue.lie_sent.wait(LIE_HOLD)
            answer = catalogue.answer(key)
            if answer is None:
                log.line("GET", name, path, "closed")
                self.close_connection = True
                return
            status, kind, body, headers = answer
            log.line("GET", name, path, status)
            self.send_response(status)
            self.send_header("Content-Type", kind)
            self.send_header("Content-Length", str(len(body)))
            for header, value in headers:
                self.send_header(header, value)
            self.end_headers()
            try:
                self.wfile.write(body)
                log.line("SENT", name, path, len(body))
                if catalogue.refusal == LIES and key == catalogue.refusable:
                    catalogue.lie_sent.set()
            except OSError:
                log.line("ABORTED", name, path, 0)

        def control(self, how):
            try:
                catalogue.refuse(how)
            except ValueError as error:
                self.send_error(400, str(error))
                return
            log.line("CONTROL", name, "refuses", how)
            reply = ("mirror refuses: %s\n" % how).encode()
            self.send_response(200)
            self.send_header("Content-Type", "text/plain")
            self.send_header("Content-Length", str(len(reply)))
            self.end_headers()
            self.wfile.write(reply)

        def control_manifest(self, how):
            if how not in MANIFEST_WAYS:
                self.send_error(400, "no manifest way " + how)
                return
            catalogue.manifest_way = how
            log.line("CONTROL", name, "manifest", how)
            reply = ("manifest: %s\n" % how).encode()
            self.send_response(200)
            self.send_header("Content-Type", "text/plain")
            self.send_header("Content-Length", str(len(reply)))
            self.end_headers()
            self.wfile.write(reply)

        def send_endlessly(self, path):
            """A manifest that never ends: no length, a trickle of bytes until
            the client goes (or ENDLESS_LIMIT, so no thread is left behind)."""
            log.line("GET", name, path, "200 endless")
            self.send_response(200)
            self.send_header("Content-Type", "application/json")
            self.send_header("Connection", "close")
            self.end_headers()
            self.close_connection = True
            sent = 0
            deadline = time.monotonic() + ENDLESS_LIMIT
            try:
                self.wfile.write(b'{"versions": [')
                while time.monotonic() < deadline:
                    self.wfile.write(b" " * 1024)
                    self.wfile.flush()
                    sent += 1024
                    time.sleep(1024 / ENDLESS_RATE)
                log.line("ENDED", name, path, sent)
            except OSError:
                log.line("ABORTED", name, path, sent)

        def send_slowly(self, path, body):
            log.line("GET", name, path, 200)
            self.send_response(200)
            self.send_header("Content-Type", "application/java-archive")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            sent = 0
            # Bounded by the body's length; a closed connection ends it early.
            try:
                while sent < len(body):
                    self.wfile.write(body[sent:sent + CHUNK])
                    self.wfile.flush()
                    sent += min(CHUNK, len(body) - sent)
                    time.sleep(CHUNK / SLOW_RATE)
                log.line("SENT", name, path, sent)
            except OSError:
                log.line("ABORTED", name, path, sent)
                self.close_connection = True

    return Handler


def tell_mirror(address, how, control=CONTROL):
    """Sets how the running mirror stand-in at address answers."""
    host, _, port = address.rpartition(":")
    if not host.startswith("127."):
        sys.exit("soak-services: %s is not a loopback address" % address)
    # http.client straight, no proxy from the environment in between.
    connection = http.client.HTTPConnection(host, int(port), timeout=5)
    try:
        connection.request("GET", control + how)
        response = connection.getresponse()
        reply = response.read()
    finally:
        connection.close()
    if response.status != 200:
        sys.exit("soak-services: the mirror at %s took no \"%s\": %d %s"
                 % (address, how, response.status, reply.decode(errors="replace").strip()))


def parse_hosts(pairs):
    hosts = {}
    for pair in pairs:
        name, _, address = pair.partition("=")
        host, _, port = address.rpartition(":")
        if not host.startswith("127."):
            sys.exit("soak-services: %s is not a loopback address" % address)
        hosts[name] = (host, int(port))
    return hosts


def main():
    if len(sys.argv) > 1 and sys.argv[1] == "round":
        if len(sys.argv) != 4 or not sys.argv[2].isdigit() or int(sys.argv[2]) < 1:
            sys.exit("usage: soak-services.py round N ADDRESS")
        how = mirror_for_round(int(sys.argv[2]))
        tell_mirror(sys.argv[3], how)
        print(how)
        return
    if len(sys.argv) > 1 and sys.argv[1] == "manifest":
        if len(sys.argv) != 4:
            sys.exit("usage: soak-services.py manifest HOW ADDRESS")
        how = sys.argv[2]
        if how.startswith("round-") and how[6:].isdigit():
            how = manifest_for_round(int(how[6:]))
        tell_mirror(sys.argv[3], how, MANIFEST_CONTROL)
        print(how)
        return
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--log", required=True)
    parser.add_argument("--expect", required=True, help="folder for the expected files")
    parser.add_argument("--lifetime", type=float, default=3600)
    parser.add_argument("--parent", type=int, default=0, help="stop when this process is gone")
    parser.add_argument("--pictured", action="store_true",
                        help="skins and capes with a picture on them, to look at")
    parser.add_argument("hosts", nargs="+", help="name=127.x.y.z:port")
    args = parser.parse_args()

    hosts = parse_hosts(args.hosts)
    needed = {"official", "skinme", "store", "mirror", "lookup", "fallback", "session",
              "manifest", "site", "files"}
    if set(hosts) != needed:
        sys.exit("soak-services: want exactly the hosts %s" % " ".join(sorted(needed)))
    catalogue = Catalogue({name: "%s:%d" % address for name, address in hosts.items()},
                          args.pictured)
    os.makedirs(args.expect, exist_ok=True)
    for file_name, body in catalogue.expected.items():
        with open(os.path.join(args.expect, file_name), "wb") as out:
            out.write(body)

    log = Log(args.log)
    servers = []
    for name, address in sorted(hosts.items()):
        server = ThreadingHTTPServer(address, handler_for(name, catalogue, log))
        server.daemon_threads = True
        servers.append(server)
        threading.Thread(target=server.serve_forever, daemon=True).start()
    log.line("READY", len(servers))

    deadline = time.monotonic() + args.lifetime
    while time.monotonic() < deadline:
        if args.parent and not os.path.exists("/proc/%d" % args.parent):
            break
        time.sleep(0.5)
    for server in servers:
        server.shutdown()
        server.server_close()
    log.line("STOPPED")


if __name__ == "__main__":
    main()
