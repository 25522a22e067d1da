#!/usr/bin/env python3
"""Checks of the soak's own helpers (soak-services.py, soak-ui.py), run by
scripts/soak before it builds: a wrong stand-in or a wrong click position
would otherwise show up as rounds that fail for no fault of the program."""

import base64
import hashlib
import http.client
import importlib.util
import json
import os
import socket
import struct
import tempfile
import threading
import time
import unittest
import zlib
from http.server import ThreadingHTTPServer

HERE = os.path.dirname(os.path.abspath(__file__))


def load(name):
    spec = importlib.util.spec_from_file_location(name.replace("-", "_"),
                                                  os.path.join(HERE, name + ".py"))
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    return module


services = load("soak-services")
ui = load("soak-ui")

HOSTS = {name: "127.0.0.%d:1" % (10 + i) for i, name in enumerate(
    ["official", "skinme", "store", "mirror", "lookup", "fallback", "session", "manifest", "site",
     "files"])}


def body(catalogue, host, path):
    return catalogue.routes[(host, path)][2]


def local_path(url):
    return "/" + url.split("/", 3)[3]


class PngTest(unittest.TestCase):
    def test_png_chunks_and_pixels(self):
        png = services.solid_png((1, 2, 3), 5, 4)
        self.assertEqual(png[:8], b"\x89PNG\r\n\x1a\n")
        at, chunks = 8, {}
        while at < len(png):
            length, = struct.unpack(">I", png[at:at + 4])
            kind, data = png[at + 4:at + 8], png[at + 8:at + 8 + length]
            crc, = struct.unpack(">I", png[at + 8 + length:at + 12 + length])
            self.assertEqual(crc, zlib.crc32(kind + data), kind)
            chunks[kind] = data
            at += 12 + length
        self.assertEqual(struct.unpack(">II", chunks[b"IHDR"][:8]), (5, 4))
        self.assertEqual(zlib.decompress(chunks[b"IDAT"]), (b"\x00" + bytes((1, 2, 3)) * 5) * 4)
        self.assertIn(b"IEND", chunks)


class CatalogueTest(unittest.TestCase):
    def setUp(self):
        self.catalogue = services.Catalogue(HOSTS)
        manifest = json.loads(body(self.catalogue, "manifest", "/mc/game/version_manifest_v2.json"))
        self.entries = {entry["id"]: entry for entry in manifest["versions"]}

    def version_json(self, version):
        entry = self.entries[version]
        text = body(self.catalogue, "files", local_path(entry["url"]))
        self.assertEqual(hashlib.sha1(text).hexdigest(), entry["sha1"])
        return json.loads(text)

    def test_profile_names_served_textures(self):
        answer = json.loads(body(self.catalogue, "lookup",
                                 "/minecraft/profile/lookup/name/" + services.PLAYER))
        profile = json.loads(body(self.catalogue, "session",
                                  "/session/minecraft/profile/" + answer["id"]))
        textures = json.loads(base64.b64decode(profile["properties"][0]["value"]))["textures"]
        for kind in ("SKIN", "CAPE"):
            url = textures[kind]["url"]
            self.assertTrue(url.startswith("http://" + HOSTS["files"] + "/"), url)
            self.assertTrue(body(self.catalogue, "files", local_path(url)).startswith(b"\x89PNG"))

    def test_good_jar_matches_its_description_on_both_routes(self):
        server = self.version_json(services.GOOD_VERSION)["downloads"]["server"]
        store = body(self.catalogue, "files", local_path(server["url"]))
        node = body(self.catalogue, "files", "/node/server-" + services.GOOD_VERSION)
        self.assertEqual(store, node)
        self.assertEqual((hashlib.sha1(store).hexdigest(), len(store)),
                         (server["sha1"], server["size"]))
        self.assertEqual(self.catalogue.expected["server-%s.jar" % services.GOOD_VERSION], store)

    def test_bad_jar_differs_only_in_its_sha1(self):
        server = self.version_json(services.BAD_VERSION)["downloads"]["server"]
        store = body(self.catalogue, "files", local_path(server["url"]))
        self.assertEqual(len(store), server["size"])
        self.assertNotEqual(hashlib.sha1(store).hexdigest(), server["sha1"])

    def test_slow_jar_is_described_and_sent_slowly(self):
        server = self.version_json(services.SLOW_VERSION)["downloads"]["server"]
        slow = self.catalogue.slow[("files", "/node/server-" + services.SLOW_VERSION)]
        self.assertEqual((hashlib.sha1(slow).hexdigest(), len(slow)),
                         (server["sha1"], server["size"]))
        # Long enough to be caught part way.
        self.assertGreater(len(slow) / services.SLOW_RATE, 8)

    def test_mirror_redirects_to_the_node(self):
        status, _, _, headers = self.catalogue.routes[
            ("mirror", "/version/%s/server" % services.GOOD_VERSION)]
        self.assertEqual(status, 302)
        self.assertEqual(dict(headers)["Location"],
                         "http://%s/node/server-%s" % (HOSTS["files"], services.GOOD_VERSION))


class SlowSendTest(unittest.TestCase):
    def test_closed_connection_ends_the_send_and_is_logged(self):
        with tempfile.TemporaryDirectory() as folder:
            log = services.Log(os.path.join(folder, "log"))
            catalogue = services.Catalogue(HOSTS)
            server = ThreadingHTTPServer(("127.0.0.1", 0),
                                         services.handler_for("files", catalogue, log))
            server.daemon_threads = True
            threading.Thread(target=server.serve_forever, daemon=True).start()
            try:
                client = socket.create_connection(server.server_address, timeout=5)
                client.sendall(("GET /node/server-%s HTTP/1.1\r\nHost: x\r\n\r\n"
                                % services.SLOW_VERSION).encode())
                received = 0
                while received < 64 * 1024:
                    received += len(client.recv(65536))
                client.close()
                deadline = time.monotonic() + 10
                lines = ""
                while time.monotonic() < deadline and "ABORTED" not in lines:
                    time.sleep(0.1)
                    with open(os.path.join(folder, "log"), encoding="utf-8") as read:
                        lines = read.read()
                self.assertIn("ABORTED files /node/server-" + services.SLOW_VERSION, lines)
                self.assertNotIn("SENT", lines)
            finally:
                server.shutdown()
                server.server_close()


class RoundPatternTest(unittest.TestCase):
    def test_every_other_round_refuses_each_way_in_turn_or_lies(self):
        hows = [services.mirror_for_round(n) for n in range(1, 21)]
        self.assertEqual(hows[0::2], ["none"] * 10)
        self.assertEqual(hows[1:10:2], list(services.REFUSALS) + ["lies"])
        self.assertEqual(hows[1::2], services.MIRROR_WAYS * 2)
        self.assertEqual(hows[1], "503")
        # Ten rounds in a hundred meet a lying mirror.
        self.assertEqual([services.mirror_for_round(n) for n in range(1, 101)].count("lies"), 10)


class ManifestWaysTest(unittest.TestCase):
    def test_one_round_in_ten_lies_and_every_lie_is_no_plain_id(self):
        ways = [services.manifest_for_round(n) for n in range(1, 101)]
        self.assertEqual([n for n, way in enumerate(ways, 1) if way == "lies"],
                         list(range(10, 101, 10)))
        catalogue = services.Catalogue(HOSTS)
        catalogue.manifest_way = "lies"
        status, _, lies, _ = catalogue.answer(("mirror", services.MANIFEST_PATH))
        ids = [entry["id"] for entry in json.loads(lies)["versions"]]
        self.assertEqual(status, 200)
        self.assertTrue(ids)
        for listed in ids:
            self.assertTrue(set(listed) & set("/?#\u0007\u202e"), listed)
        catalogue.manifest_way = "huge"
        self.assertEqual(len(catalogue.answer(("mirror", services.MANIFEST_PATH))[2]),
                         5 * 1024 * 1024)
        catalogue.manifest_way = "good"
        self.assertEqual(catalogue.answer(("mirror", services.MANIFEST_PATH))[2],
                         catalogue.answer(("manifest", services.MANIFEST_PATH))[2])


class MirrorRefusalTest(unittest.TestCase):
    """The mirror stand-in, told through its control path as the soak tells it."""

    def setUp(self):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        self.log_path = os.path.join(folder.name, "log")
        log = services.Log(self.log_path)
        self.addCleanup(log.file.close)
        catalogue = services.Catalogue(HOSTS)
        self.servers = {}
        for name in ("mirror", "files", "manifest"):
            server = ThreadingHTTPServer(("127.0.0.1", 0),
                                         services.handler_for(name, catalogue, log))
            server.daemon_threads = True
            threading.Thread(target=server.serve_forever, daemon=True).start()
            self.addCleanup(server.server_close)
            self.addCleanup(server.shutdown)
            self.servers[name] = "127.0.0.1:%d" % server.server_address[1]

    def get(self, host, path):
        """(status, headers, body), or None when the connection closed unanswered."""
        address, port = self.servers[host].split(":")
        connection = http.client.HTTPConnection(address, int(port), timeout=5)
        try:
            connection.request("GET", path)
            response = connection.getresponse()
            return response.status, dict(response.getheaders()), response.read()
        except http.client.RemoteDisconnected:
            return None
        finally:
            connection.close()

    def good(self):
        return self.get("mirror", "/version/%s/server" % services.GOOD_VERSION)

    def logged(self):
        with open(self.log_path, encoding="utf-8") as read:
            return read.read().splitlines()

    def test_sends_the_jar_on_until_told_otherwise(self):
        status, headers, _ = self.good()
        self.assertEqual(status, 302)
        self.assertEqual(headers["Location"], "http://%s/node/server-%s"
                         % (HOSTS["files"], services.GOOD_VERSION))

    def test_each_refusal_then_back_to_sending_it_on(self):
        for how in ("503", "403"):
            services.tell_mirror(self.servers["mirror"], how)
            status, headers, _ = self.good()
            self.assertEqual(status, int(how))
            self.assertNotIn("Location", headers)
        services.tell_mirror(self.servers["mirror"], "429")
        status, headers, _ = self.good()
        self.assertEqual(status, 429)
        self.assertGreater(int(headers["Retry-After"]), 0)
        services.tell_mirror(self.servers["mirror"], "none")
        self.assertEqual(self.good()[0], 302)

    def test_closed_connection_sends_nothing(self):
        services.tell_mirror(self.servers["mirror"], "close")
        address, port = self.servers["mirror"].split(":")
        client = socket.create_connection((address, int(port)), timeout=5)
        try:
            client.sendall(("GET /version/%s/server HTTP/1.1\r\nHost: x\r\n\r\n"
                            % services.GOOD_VERSION).encode())
            self.assertEqual(client.recv(65536), b"")
        finally:
            client.close()
        self.assertIsNone(self.good())
        self.assertIn("GET mirror /version/%s/server closed" % services.GOOD_VERSION,
                      self.logged())

    def test_only_the_good_server_jar_is_refused(self):
        services.tell_mirror(self.servers["mirror"], "503")
        self.assertEqual(self.good()[0], 503)
        slow = self.get("mirror", "/version/%s/server" % services.SLOW_VERSION)
        self.assertEqual(slow[0], 302)
        description = self.get("mirror", "/version/%s/json" % services.GOOD_VERSION)
        self.assertEqual(description[0], 200)
        # The store's copy, which the program falls back to, is still there.
        status, _, jar = self.get("files", "/objects/server-" + services.GOOD_VERSION)
        self.assertEqual(status, 200)
        self.assertEqual(jar, services.Catalogue(HOSTS).expected[
            "server-%s.jar" % services.GOOD_VERSION])
        self.assertIn("CONTROL mirror refuses 503", self.logged())
        self.assertIn("GET mirror /version/%s/server 503" % services.GOOD_VERSION,
                      self.logged())

    def test_lying_mirror_vouches_for_its_own_jar_before_the_official_list(self):
        services.tell_mirror(self.servers["mirror"], "lies")
        manifest = {}
        asking = threading.Thread(target=lambda: manifest.update(
            answer=self.get("manifest", "/mc/game/version_manifest_v2.json")))
        asking.start()
        deadline = time.monotonic() + 5
        while not any(line.startswith("HELD manifest") for line in self.logged()):
            self.assertLess(time.monotonic(), deadline, "the official list was not held")
            time.sleep(0.05)
        self.assertEqual(manifest, {})
        status, _, jar = self.good()
        asking.join(5)
        self.assertEqual(manifest["answer"][0], 200)
        # Answered once the jar was sent.
        lines = [line.split()[:2] for line in self.logged()]
        self.assertLess(lines.index(["SENT", "mirror"]), lines.index(["GET", "manifest"]))
        official = services.Catalogue(HOSTS).expected["server-%s.jar" % services.GOOD_VERSION]
        self.assertEqual(status, 200)
        self.assertEqual(len(jar), len(official))
        self.assertNotEqual(jar, official)
        _, _, description = self.get("mirror", "/version/%s/json" % services.GOOD_VERSION)
        server = json.loads(description)["downloads"]["server"]
        self.assertEqual((server["sha1"], server["size"]),
                         (hashlib.sha1(jar).hexdigest(), len(jar)))

    def test_unknown_refusal_is_an_error_and_changes_nothing(self):
        services.tell_mirror(self.servers["mirror"], "403")
        with self.assertRaises(SystemExit):
            services.tell_mirror(self.servers["mirror"], "500")
        self.assertEqual(self.good()[0], 403)

    def test_control_path_is_the_mirror_own(self):
        self.assertEqual(self.get("files", services.CONTROL + "503")[0], 404)
        self.assertEqual(self.good()[0], 302)

    def test_tells_only_loopback_addresses(self):
        with self.assertRaises(SystemExit):
            services.tell_mirror("192.0.2.1:80", "503")


class RectTest(unittest.TestCase):
    LAYOUT = """<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0"><widget class="QWidget" name="top">
 <property name="geometry"><rect><x>7</x><y>9</y><width>300</width><height>200</height></rect></property>
 <widget class="QGroupBox" name="box">
  <property name="geometry"><rect><x>40</x><y>50</y><width>200</width><height>100</height></rect></property>
  <widget class="QWidget" name="inner">
   <property name="geometry"><rect><x>5</x><y>6</y><width>150</width><height>80</height></rect></property>
   <widget class="QLabel" name="leaf">
    <property name="geometry"><rect><x>1</x><y>2</y><width>30</width><height>20</height></rect></property>
   </widget>
  </widget>
 </widget>
 <widget class="QLabel" name="plain">
  <property name="geometry"><rect><x>11</x><y>12</y><width>13</width><height>14</height></rect></property>
 </widget>
</widget></ui>
"""

    def test_offsets_of_parents_add_up_but_not_the_window_own(self):
        with tempfile.NamedTemporaryFile("w", suffix=".ui", delete=False) as layout:
            layout.write(self.LAYOUT)
        try:
            self.assertEqual(ui.widget_rect(layout.name, "leaf"), (46, 58, 30, 20))
            self.assertEqual(ui.widget_rect(layout.name, "plain"), (11, 12, 13, 14))
            with self.assertRaises(SystemExit):
                ui.widget_rect(layout.name, "missing")
        finally:
            os.unlink(layout.name)


def ppm(width, height, paint):
    pixels = bytearray(b"\xef\xef\xef" * width * height)
    for x, y, colour in paint:
        at = (y * width + x) * 3
        pixels[at:at + 3] = bytes(colour)
    return b"P6\n%d %d\n255\n" % (width, height) + bytes(pixels)


def rectangle(left, top, right, bottom, colour):
    return [(x, y, colour) for y in range(top, bottom + 1) for x in range(left, right + 1)]


def text(left, top, right, bottom):
    """Glyph-like strokes: three pixels on, two off, along every row."""
    return [(x, y, (0, 0, 0)) for y in range(top, bottom + 1)
            for x in range(left, right + 1) if (x - left) % 5 < 3]


class ButtonTest(unittest.TestCase):
    def centre_of(self, image):
        with tempfile.NamedTemporaryFile(suffix=".ppm", delete=False) as shot:
            shot.write(image)
        try:
            return ui.button_centre(shot.name)
        finally:
            os.unlink(shot.name)

    def test_button_under_text_is_found(self):
        # Text over most of the width, the button below it at the right.
        paint = text(10, 100, 300, 110) + rectangle(280, 124, 359, 148, (90, 90, 90))
        self.assertEqual(self.centre_of(ppm(380, 160, paint)), (319, 136))

    def test_header_comment_is_skipped(self):
        image = ppm(100, 60, rectangle(60, 30, 95, 50, (1, 1, 1)))
        image = image.replace(b"P6\n", b"P6\n# made by hand\n", 1)
        self.assertEqual(self.centre_of(image), (77, 40))

    def test_no_button_is_an_error(self):
        with self.assertRaises(SystemExit):
            self.centre_of(ppm(380, 160, text(10, 100, 300, 125)))
        # A dot is not a button either.
        with self.assertRaises(SystemExit):
            self.centre_of(ppm(380, 160, rectangle(350, 150, 352, 152, (0, 0, 0))))


if __name__ == "__main__":
    unittest.main()
