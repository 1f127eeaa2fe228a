#!/usr/bin/env python3
"""Opens a web catalogue (index.html) in headless Chromium through chromedriver, on 127.0.0.1
only, and prints the time until the page is ready and the time of one search keystroke; with
a folder for screenshots, takes them at 1280x800 and 390x844 (list and detail view).
    bench/web_measure.py CATALOGUE/index.html WORD [SHOTS_FOLDER]"""
import base64, json, os, socket, subprocess, sys, time, urllib.request

# Only ever 127.0.0.1: whatever proxy the environment names is not asked.
NO_PROXY = urllib.request.build_opener(urllib.request.ProxyHandler({}))


def free_port():
    with socket.socket() as s:
        s.bind(('127.0.0.1', 0))
        return s.getsockname()[1]


class Driver:
    def __init__(self, width, height, phone):
        self.port = free_port()
        self.server = subprocess.Popen(['chromedriver', f'--port={self.port}'], stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL)
        for _ in range(100):
            try:
                self.call('GET', '/status')
                break
            except OSError:
                time.sleep(0.1)
        options = {'binary': '/usr/bin/chromium',
                   'args': ['--headless=new', '--no-sandbox', '--disable-gpu', f'--window-size={width},{height}']}
        # The viewport itself at that size: a headless window is never narrower than 500 pixels.
        options['mobileEmulation'] = {'deviceMetrics': {'width': width, 'height': height, 'pixelRatio': 1,
                                                        'mobile': phone, 'touch': phone}}
        answer = self.call('POST', '/session', {'capabilities': {'alwaysMatch': {'goog:chromeOptions': options}}})
        self.session = '/session/' + answer['sessionId']

    def call(self, method, path, body=None):
        data = json.dumps(body).encode() if body is not None else None
        request = urllib.request.Request(f'http://127.0.0.1:{self.port}{path}', data, method=method,
                                         headers={'Content-Type': 'application/json'})
        with NO_PROXY.open(request, timeout=600) as reply:
            return json.loads(reply.read())['value']

    def run(self, script, *args):
        return self.call('POST', self.session + '/execute/sync', {'script': script, 'args': list(args)})

    def wait(self, script, *args):
        while not self.run(script, *args):
            time.sleep(0.02)

    def element(self, css):
        found = self.call('POST', self.session + '/element', {'using': 'css selector', 'value': css})
        return self.session + '/element/' + next(iter(found.values()))

    def shot(self, path):
        with open(path, 'wb') as f:
            f.write(base64.b64decode(self.call('GET', self.session + '/screenshot')))

    def close(self):
        self.call('DELETE', self.session)
        self.server.terminate()


def main():
    page, word = os.path.abspath(sys.argv[1]), sys.argv[2]
    shots = sys.argv[3] if len(sys.argv) > 3 else None
    for width, height in ((1280, 800), (390, 844)):
        d = Driver(width, height, width < 500)
        d.call('POST', d.session + '/url', {'url': 'file://' + page})
        d.wait('return document.documentElement.dataset.ready')
        shown, ready = d.run('const s = document.documentElement.dataset; return [+s.shown, +s.ready]')
        if width == 1280:
            print(f'page size {os.path.getsize(page) / 1e6:.1f} MB, table shown after {shown} ms, '
                  f'search ready after {ready} ms')
            search = d.element('#search')
            began = time.monotonic()
            d.call('POST', search + '/value', {'text': word})
            d.wait("return document.getElementById('count').dataset.query === arguments[0]", word)
            took = (time.monotonic() - began) * 1000
            count = d.run("const c = document.getElementById('count'); return [c.textContent, +c.dataset.ms]")
            print(f'search "{word}": {count[0]}; the answer took {count[1]} ms of the page, '
                  f'{took:.0f} ms from the keystroke to the rows (with the 120 ms pause and the driver)')
        if shots:
            os.makedirs(shots, exist_ok=True)
            d.shot(f'{shots}/list-{width}x{height}.png')
            d.call('POST', d.element('#rows tr') + '/click', {})
            d.shot(f'{shots}/detail-{width}x{height}.png')
        d.close()


if __name__ == '__main__':
    main()
