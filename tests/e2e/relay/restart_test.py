"""An open page outlives a restart of the server and a restart of the relay:
it picks the passes up again by itself, without being reloaded."""

import signal
import socket
import time
import unittest

import harness
from harness import chromium, page_url, passes_after

RECOVERY_TIMEOUT_S = 20


class RelayRestartTest(harness.RelayTestCase):
    def test_an_open_page_picks_up_a_restarted_server_and_a_restarted_relay(self):
        server = self.start_server()
        http_port = harness.free_port()
        udp_port = harness.free_port(socket.SOCK_DGRAM)
        relay = self.start_relay(http_port=http_port, udp_port=udp_port)
        with chromium.Chromium() as browser:
            page = browser.open_page(page_url(relay))
            self.assertTrue(passes_after(page, 10, RECOVERY_TIMEOUT_S), 'the page receives no passes')
            # Gone if the page is ever loaded again.
            page.evaluate('window.sameDocument = true')

            server.stop()
            time.sleep(1.5)
            stalled_at = page.evaluate('window.ocreStatus.passes')
            time.sleep(0.5)
            self.assertEqual(page.evaluate('window.ocreStatus.passes'), stalled_at, 'passes without a server')
            self.start_server()
            self.assertTrue(passes_after(page, 10, RECOVERY_TIMEOUT_S), 'the restarted server was not picked up')

            self.assertEqual(relay.stop(signal.SIGTERM), 0, relay.err())
            self.assertTrue(page.wait_for('!window.ocreStatus.connected', 10), 'the page did not see the relay go')
            self.start_relay(http_port=http_port, udp_port=udp_port, name='relay-again')
            self.assertTrue(page.wait_for('window.ocreStatus.connected', RECOVERY_TIMEOUT_S),
                            'the page did not reconnect to the restarted relay')
            self.assertTrue(passes_after(page, 10, RECOVERY_TIMEOUT_S), 'no passes through the restarted relay')
            self.assertTrue(page.evaluate('window.sameDocument === true'), 'the page was reloaded')


if __name__ == '__main__':
    unittest.main()
