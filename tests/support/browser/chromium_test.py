"""The browser driver against a static page served by Python's own HTTP server:
pages load at the asked viewport, scripts run, canvas pixels read back as
drawn, typed keys reach the page, and closing leaves no browser behind."""

import os
import socket
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import chromium  # noqa: E402

PAGE = '''<!doctype html><html><body style="margin:0">
<canvas id="c" width="4" height="2"></canvas>
<script>
const g = document.getElementById('c').getContext('2d');
g.fillStyle = 'rgb(255,0,0)'; g.fillRect(0, 0, 2, 2);
g.fillStyle = 'rgb(0,0,255)'; g.fillRect(2, 0, 2, 2);
window.keys = [];
addEventListener('keydown', e => keys.push('+' + e.key));
addEventListener('keyup', e => keys.push('-' + e.key));
</script></body></html>'''


def free_port():
    with socket.socket() as s:
        s.bind(('127.0.0.1', 0))
        return s.getsockname()[1]


class ChromiumDriverTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        with open(os.path.join(cls.folder.name, 'index.html'), 'w') as f:
            f.write(PAGE)
        cls.port = free_port()
        cls.server = subprocess.Popen([sys.executable, '-m', 'http.server', str(cls.port), '--bind', '127.0.0.1'],
                                      cwd=cls.folder.name, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline:
            try:
                socket.create_connection(('127.0.0.1', cls.port), timeout=1).close()
                break
            except OSError:
                time.sleep(0.05)

    @classmethod
    def tearDownClass(cls):
        cls.server.kill()
        cls.server.wait()
        cls.folder.cleanup()

    def test_page_script_pixels_and_keys(self):
        with chromium.Chromium() as browser:
            page = browser.open_page('http://127.0.0.1:%d/' % self.port, width=320, height=200)
            self.assertEqual(page.evaluate('[innerWidth, innerHeight]'), [320, 200])
            self.assertEqual(page.evaluate('Promise.resolve(6 * 7)'), 42)
            pixels = page.canvas_pixels('canvas#c', 1, 0, 2, 1)
            self.assertEqual(list(pixels), [255, 0, 0, 255, 0, 0, 255, 255])
            page.key('ArrowRight', True)
            page.key('ArrowRight', False)
            self.assertEqual(page.wait_for('keys.length >= 2 && keys', 5), ['+ArrowRight', '-ArrowRight'])
            with self.assertRaises(chromium.BrowserError):
                page.evaluate('no_such_name')
            with self.assertRaises(chromium.BrowserError):
                page.canvas_pixels('canvas#missing', 0, 0, 1, 1)

    def test_close_kills_the_browser_and_its_profile(self):
        browser = chromium.Chromium()
        group = browser._process.pid
        profile = browser._profile
        browser.close()
        with self.assertRaises(ProcessLookupError):
            os.killpg(group, 0)
        self.assertFalse(os.path.exists(profile))


if __name__ == '__main__':
    unittest.main()
