// What the page tests and the README's phone picture share: the built page served from a folder
// on a port of its own, and Debian's Chromium driven headless.
import { existsSync, readFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { extname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';

const root = fileURLToPath(new URL('../..', import.meta.url));
export const builtSite = resolve(process.env.ZARB_WEB_DIR ?? join(root, 'build-web'));
const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css',
  '.wasm': 'application/wasm', '.gif': 'image/gif', '.png': 'image/png',
  '.webmanifest': 'application/manifest+json' };

// Serves a folder (the page's by default) until stopped.
export async function serve(site = builtSite) {
  const server = createServer((request, response) => {
    const asked = new URL(request.url, 'http://page').pathname;
    const path = join(site, asked.endsWith('/') ? `${asked}index.html` : asked);
    if (!path.startsWith(site) || !existsSync(path)) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { 'Content-Type': types[extname(path)] ?? 'application/octet-stream' });
    response.end(readFileSync(path));
  });
  await new Promise((done) => server.listen(0, '127.0.0.1', done));
  return { url: `http://127.0.0.1:${server.address().port}/`,
    stop: () => new Promise((done) => {
      server.closeAllConnections();
      server.close(done);
    }) };
}

export function launchBrowser() {
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--font-render-hinting=none'],
  });
}
