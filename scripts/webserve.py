#!/usr/bin/env python3
"""Serves the built site on the loopback address, for playing and for tests.

Usage: webserve.py SITE_DIR [--port 8080] [--bind 127.0.0.1]

The site is static; this server only adds what a plain one may lack: the
WebAssembly and manifest types, gzip for whoever accepts it (what a web
server in front of the site would do), no-cache with an ETag so that a new
build and its service worker are seen at once and an unchanged file is not
sent twice, and cross-origin isolation.
"""
import argparse
import gzip
import http.server
import os
import sys
import threading
import urllib.parse

TYPES = {
    '.html': 'text/html; charset=utf-8',
    '.js': 'text/javascript; charset=utf-8',
    '.css': 'text/css; charset=utf-8',
    '.json': 'application/json',
    '.webmanifest': 'application/manifest+json',
    '.wasm': 'application/wasm',
    '.svg': 'image/svg+xml',
}
# Binary sound banks and voice data compress well too; images and archives do not.
UNCOMPRESSED = {'.png', '.jpg', '.gz', '.zip'}
MAX_FILE = 256 * 1024 * 1024

_cache = {}
_lock = threading.Lock()


def compressed(path, stat):
    key = (path, stat.st_mtime_ns, stat.st_size)
    with _lock:
        hit = _cache.get(key)
    if hit is None:
        with open(path, 'rb') as f:
            hit = gzip.compress(f.read(), 6, mtime=0)
        with _lock:
            _cache[key] = hit
    return hit


class Handler(http.server.BaseHTTPRequestHandler):
    server_version = 'drum-webserve'
    protocol_version = 'HTTP/1.1'

    def log_message(self, fmt, *args):
        if self.server.verbose:
            super().log_message(fmt, *args)

    def resolve(self):
        rel = urllib.parse.unquote(urllib.parse.urlsplit(self.path).path)
        parts = [p for p in rel.split('/') if p not in ('', '.')]
        if '..' in parts:
            return None
        path = os.path.join(self.server.root, *parts)
        if os.path.isdir(path):
            path = os.path.join(path, 'index.html')
        real = os.path.realpath(path)
        if not (real == self.server.root or real.startswith(self.server.root + os.sep)):
            return None
        return real if os.path.isfile(real) else None

    def send_common(self):
        self.send_header('Vary', 'Accept-Encoding')
        self.send_header('Cache-Control', 'no-cache')
        self.send_header('X-Content-Type-Options', 'nosniff')
        self.send_header('Cross-Origin-Opener-Policy', 'same-origin')
        self.send_header('Cross-Origin-Embedder-Policy', 'require-corp')
        self.send_header('Cross-Origin-Resource-Policy', 'same-origin')

    def do_HEAD(self):
        self.respond(body=False)

    def do_GET(self):
        self.respond(body=True)

    def respond(self, body):
        path = self.resolve()
        if path is None:
            data = b'not found\n'
            self.send_response(404)
            self.send_header('Content-Type', 'text/plain')
            self.send_header('Content-Length', str(len(data)))
            self.end_headers()
            if body:
                self.wfile.write(data)
            return
        stat = os.stat(path)
        if stat.st_size > MAX_FILE:
            self.send_error(413)
            return
        ext = os.path.splitext(path)[1].lower()
        gz = ext not in UNCOMPRESSED and 'gzip' in self.headers.get('Accept-Encoding', '')
        # A validator, so that a revalidation (the service worker's copy of
        # what the page has just fetched) costs no second download.
        etag = f'"{stat.st_mtime_ns:x}-{stat.st_size:x}{"-gz" if gz else ""}"'
        if etag in [t.strip() for t in self.headers.get('If-None-Match', '').split(',')]:
            self.send_response(304)
            self.send_header('ETag', etag)
            self.send_common()
            self.end_headers()
            return
        if gz:
            data = compressed(path, stat)
        else:
            with open(path, 'rb') as f:
                data = f.read()
        self.send_response(200)
        self.send_header('Content-Type', TYPES.get(ext, 'application/octet-stream'))
        self.send_header('Content-Length', str(len(data)))
        if gz:
            self.send_header('Content-Encoding', 'gzip')
        self.send_header('ETag', etag)
        self.send_common()
        self.end_headers()
        if body:
            self.wfile.write(data)


def main():
    ap = argparse.ArgumentParser(description='Serves the drum site on the loopback address.')
    ap.add_argument('site')
    ap.add_argument('--port', type=int, default=8080)
    ap.add_argument('--bind', default='127.0.0.1')
    ap.add_argument('--verbose', action='store_true')
    args = ap.parse_args()
    root = os.path.realpath(args.site)
    if not os.path.isfile(os.path.join(root, 'index.html')):
        sys.exit(f'webserve: no index.html in {root}')
    httpd = http.server.ThreadingHTTPServer((args.bind, args.port), Handler)
    httpd.daemon_threads = True
    httpd.root = root
    httpd.verbose = args.verbose
    print(f'http://{args.bind}:{httpd.server_address[1]}/', flush=True)
    try:
        httpd.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == '__main__':
    main()
