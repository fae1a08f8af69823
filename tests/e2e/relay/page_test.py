"""The relay's page in a real headless browser, against the real server: it
draws the map under the camera and the dragon where it stands, follows the
dragon that ocre-bot's commands walk, lets a held key walk it only when the
relay lets browsers steer, and shows the world through a chain of two relays."""

import time
import unittest

import harness
from harness import DRAGON, chromium, page_url, passes_after

SETTLE_S = 0.6     # a few passes for the last step to show
PASSES_TIMEOUT_S = 30  # relays start slowly in sanitizer builds on a loaded machine


def dragon_x(page):
    return page.evaluate('window.ocreStatus.actors.find(a => a[0] == %d)[1]' % DRAGON)


def wait_still(page, timeout=15):
    """The dragon's x once it has stood still for SETTLE_S (None if it never does)."""
    x = dragon_x(page)
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        time.sleep(SETTLE_S)
        now = dragon_x(page)
        if now == x:
            return x
        x = now
    return None


class RelayPageTest(harness.RelayTestCase):
    def open_live_page(self, browser, relay, query='scale=1&hud=0'):
        page = browser.open_page(page_url(relay, query))
        self.assertTrue(page.wait_for('window.ocreStatus && window.ocreStatus.connected', PASSES_TIMEOUT_S),
                        'the page did not connect')
        self.assertTrue(passes_after(page, 5, PASSES_TIMEOUT_S), 'the page receives no passes: %r %r %r' % (
            page.evaluate('JSON.stringify(window.ocreStatus)'), relay.out(), relay.err()))
        return page

    def test_page_shows_the_world_follows_the_dragon_and_steers_only_when_allowed(self):
        self.start_server()
        watching = self.start_relay()
        steering = self.start_relay('--steer', '--login', 'steering')
        picture = self.map_picture()
        with chromium.Chromium() as browser:
            page = self.open_live_page(browser, watching)
            self.assertEqual(page.evaluate('[innerWidth, innerHeight, document.querySelector("canvas#world").width]'),
                             [640, 480, 640])
            start = harness.picture_check(self, page, picture)

            # Commands to the server walk the dragon; the page follows it,
            # far enough right that the camera leaves the map's edge.
            start_x = [a for a in start['actors'] if a[0] == DRAGON][0][1]
            self.bot_send('go_right', repeat=40, every_ms=30)
            walked = wait_still(page)
            self.assertGreater(walked, start_x + 300)
            harness.picture_check(self, page, picture)

            # Without --steer a held key is nothing to the server.
            page.key('ArrowRight', True)
            time.sleep(1.0)
            page.key('ArrowRight', False)
            self.assertEqual(wait_still(page), walked)
            self.assertFalse(page.evaluate('window.ocreStatus.steering'))

            # With --steer the first arrow key takes the controls and, held,
            # walks the dragon; let go, it stops at once.
            player = self.open_live_page(browser, steering)
            player.key('ArrowLeft', True)
            self.assertTrue(player.wait_for('window.ocreStatus.steering', 5), 'the page did not get the controls')
            self.assertTrue(page.wait_for('window.ocreStatus.actors.find(a => a[0] == %d)[1] < %d'
                                          % (DRAGON, walked), 5), 'a held key did not walk the dragon')
            time.sleep(0.3)
            player.key('ArrowLeft', False)
            released = dragon_x(player)
            stopped = wait_still(player)
            self.assertLessEqual(released - stopped, 2 * 30, 'the dragon walked on after the key was let go')

    def test_a_chain_of_two_relays_shows_the_world_to_as_many_pages_as_allowed(self):
        self.start_server()
        top = self.start_relay()
        below = self.start_relay('--upstream', 'ws://127.0.0.1:%d/live' % top.port, '--max-spectators', '1',
                                 name='below')
        picture = self.map_picture()
        with chromium.Chromium() as browser:
            page = self.open_live_page(browser, below)
            harness.picture_check(self, page, picture)
            self.bot_send('go_right', repeat=5, every_ms=30)
            self.assertTrue(page.wait_for('window.ocreStatus.actors.find(a => a[0] == %d)[1] > 50' % DRAGON, 5),
                            'the chained page does not follow the world')
            # One spectator too many: refused, and its page says so.
            extra = browser.open_page(page_url(below))
            self.assertTrue(extra.wait_for('window.ocreStatus && window.ocreStatus.full', PASSES_TIMEOUT_S),
                            'the page of a spectator too many does not say the relay is full')
            self.assertEqual(extra.evaluate('window.ocreStatus.passes'), 0)
            self.assertTrue(extra.evaluate('/full/i.test(document.body.innerText)'), 'no notice on the page')
        # Only the top relay holds a slot of the server.
        self.assertEqual(self.processes[0].out().count(b'Connexion du client'), 1)


if __name__ == '__main__':
    unittest.main()
