// The browser front end's figures, in Debian's Chromium with the real core
// (run by bench/web.sh): page load to the first key taken, bytes on the
// wire, key to the letter heard at the null sink, a key to silence, and the
// lengths of SOUND notes as heard.
import { launch, seed, gameImage } from '../tests/web/browser.mjs';
import { Sink } from '../tests/web/sink.mjs';

const url = process.argv[2];
const only = process.argv[3] || 'all';
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));
const pct = (a, p) => {
  const s = [...a].sort((x, y) => x - y);
  return s[Math.min(s.length - 1, Math.floor((p / 100) * s.length))];
};
const f1 = (x) => x.toFixed(1);
const ini = (sounds) => Buffer.from(`[sounds]\noskirasounds=${sounds}\nsndvolume=0\n`, 'latin1');

const sink = new Sink(process.env.DRUM_NULL_SINK);
await sink.ready();

async function quiet(ms = 300, level = 0.003, max = 20000) {
  const end = performance.now() + max;
  while (performance.now() < end) {
    await sleep(50);
    const now = performance.now();
    if (sink.rms(now - ms, now) < level) return;
  }
}

// The gaps the AudioWorklet played because the core had not written them yet.
let atStart = 0;
async function underruns(page) {
  const n = await page.evaluate(() => globalThis.drumPage.underruns());
  console.log(`  underruns in that game: ${n} (${atStart} of them before its first key)`);
}

async function fresh(files) {
  const b = await launch();
  const cdp = await b.page.context().newCDPSession(b.page);
  if (files) await seed(b.page, url, files);
  return { ...b, cdp };
}

async function started(page) {
  await page.goto(url);
  await page.waitForSelector('#menubar [role="menuitem"]', { timeout: 30000 });
  await page.keyboard.press('Shift');
  await page.waitForFunction(() => globalThis.drumPage.audioTime() >= 0);
  await page.keyboard.press('Control+s');
  await page.waitForFunction(() => document.getElementById('screen').textContent.includes('otazník'), null, { timeout: 30000 });
  await quiet(500);
  atStart = await page.evaluate(() => globalThis.drumPage.underruns());
}

if (only === 'all' || only === 'load') {
  // First visit: nothing cached. Second visit: the service worker's cache.
  const { page, cdp, close } = await fresh();
  await cdp.send('Network.enable');
  let bytes = 0;
  cdp.on('Network.loadingFinished', (e) => { bytes += e.encodedDataLength; });
  const times = [];
  for (let visit = 0; visit < 2; ++visit) {
    await page.goto(url, { waitUntil: 'commit' });
    // Ctrl+S as soon as the page takes keys; taken when the core disables Start.
    await page.waitForSelector('#menubar [role="menuitem"]', { timeout: 30000 });
    await page.keyboard.press('Control+s');
    await page.waitForSelector('[data-id="Startsubmenu"][aria-disabled="true"]', { state: 'attached', timeout: 30000 });
    times.push(await page.evaluate(() => performance.now()));
    if (visit === 0) {
      // The service worker fetches the rest of the site for offline play.
      await page.waitForFunction(async () => (await navigator.serviceWorker.ready) && true, null, { timeout: 30000 });
      await sleep(1500);
      console.log(`bytes transferred on the first visit (as served, gzip): ${(bytes / 1e6).toFixed(2)} MB`);
    }
  }
  console.log(`page load to the first key taken: first visit ${Math.round(times[0])} ms, from the cache ${Math.round(times[1])} ms`);
  await close();
}

if (only === 'all' || only === 'key') {
  // The letters with the game's sounds off (the key wait's click would be
  // heard first), the cursor at the crossing; Right and Left in turn.
  const { page, close } = await fresh({ 'ram.dat': gameImage('LMABCDEFGHIJK', 'NOPQRSETUVXYZ'), 'drum.ini': ini(0) });
  await started(page);
  await page.keyboard.down('Space');
  await sleep(60);
  await page.keyboard.up('Space');
  await quiet();
  const lat = [];
  for (let i = 0; i < 40; ++i) {
    const key = i % 2 ? 'ArrowLeft' : 'ArrowRight';
    const t = performance.now();
    await page.keyboard.down(key);
    await sleep(60);
    await page.keyboard.up(key);
    await sleep(500);
    const on = sink.onset(t, 0.00316);   // -50 dBFS
    if (on !== null) lat.push(on - t);
    await quiet(200);
  }
  console.log(`key to the letter at the null sink, ${lat.length} of 40 keys: p50 ${f1(pct(lat, 50))} ms, p90 ${f1(pct(lat, 90))} ms, worst ${f1(Math.max(...lat))} ms`);

  // A key during a long line of the rules, while the voice sounds: to the
  // start of 20 ms below -50 dBFS (the next line follows soon after).
  const stop = [];
  for (let i = 0; i < 10; ++i) {
    await page.keyboard.down('p');
    await sleep(60);
    await page.keyboard.up('p');
    await page.waitForFunction(() => document.getElementById('screen').textContent.includes('tvojou úlohou'), null, { timeout: 20000 });
    await sleep(1500);
    let t = performance.now();
    for (let k = 0; k < 40 && sink.rms(t - 30, t) < 0.01; ++k) {
      await sleep(7);
      t = performance.now();
    }
    await page.keyboard.press('Shift');
    await sleep(500);
    const s = sink.samples();
    const at = (ms) => Math.floor(((ms - sink.origin) / 1000) * 16000);
    const win = 0.02 * 16000;
    for (let j = at(t); j + win < at(t + 500); j += 16) {
      let peak = 0;
      for (let k = j; k < j + win; ++k) peak = Math.max(peak, Math.abs(s[k]) / 32768);
      if (peak < 0.00316) { stop.push(((j - at(t)) / 16000) * 1000); break; }
    }
    // Through the rest of the rules, a line a key, until the screen stays as it is.
    for (let n = 0, same = 0, last = ''; n < 120 && same < 5; ++n) {
      await page.keyboard.press('Shift');
      await sleep(300);
      const now = await page.textContent('#screen');
      same = now === last ? same + 1 : 0;
      last = now;
    }
    await quiet(500);
  }
  if (stop.length) console.log(`key to silence during speech, ${stop.length} of 10: median ${f1(pct(stop, 50))} ms, worst ${f1(Math.max(...stop))} ms`);
  await underruns(page);
  await close();
}

if (only === 'all' || only === 'sound') {
  // "s" says the moves after a jingle: a rest of 200 ms, three notes of 70 ms
  // (700, 900, 1,100 Hz), a rest of 200 ms. Heard length: from the first to
  // the last sample above half the notes' peak.
  const { page, close } = await fresh({ 'ram.dat': gameImage('LMABCDEFGHIJK', 'NOPQRSETUVXYZ'), 'drum.ini': ini(1) });
  await started(page);
  const err = [];
  for (let i = 0; i < 20; ++i) {
    const t = performance.now();
    await page.keyboard.down('s');
    await sleep(60);
    await page.keyboard.up('s');
    await sleep(640);
    const s = sink.samples();
    const from = Math.floor(((t - sink.origin) / 1000) * 16000);
    const to = from + Math.floor(0.7 * 16000);
    let peak = 0;
    let first = -1;
    for (let j = from; j < to; ++j) if (Math.abs(s[j]) > 1000) { first = j; break; }
    if (first < 0) continue;
    for (let j = first; j < first + 0.21 * 16000; ++j) peak = Math.max(peak, Math.abs(s[j]));
    let start = -1;
    let end = -1;
    for (let j = first; j < to; ++j) {
      if (Math.abs(s[j]) > peak / 2) {
        if (start < 0) start = j;
        end = j;
      } else if (start >= 0 && j - end > 0.05 * 16000) break;   // the rest after the notes
    }
    err.push(((end - start) / 16000) * 1000 - 210);
    await quiet(400);
  }
  const abs = err.map(Math.abs);
  console.log(`SOUND: three notes of 70 ms heard as one 210 ms jingle, ${err.length} of 20: median |error| ${f1(pct(abs, 50))} ms, worst ${f1(Math.max(...abs))} ms, median error ${f1(pct(err, 50))} ms`);
  await underruns(page);
  await close();
}
sink.stop();
