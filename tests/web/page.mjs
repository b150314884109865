// The page in Debian's Chromium with the real core, as a player meets it:
// the first key starts the sound, Ctrl+S the game (its greeting heard at the
// null sink), a cursor key reads a letter, a chord makes a move, a key cuts
// the speech short, Export gives the memory image, a reload offline (the service
// worker's cache) keeps the game, Import takes a game file and refuses a
// damaged one;
// then the screen-reader setting sends the game's texts to the live region
// (seen in the accessibility tree), and axe finds nothing wrong with the page
// and each of its dialogs open.
import { launch, openPage, axe, seed, gameImage } from './browser.mjs';
import { Sink } from './sink.mjs';
import { readFileSync } from 'node:fs';

const url = process.argv[2];
let failed = 0;
let passed = 0;
function check(ok, what, detail = '') {
  if (ok) { passed++; console.log(`ok - ${what}`); }
  else { failed++; console.log(`not ok - ${what}${detail ? `: ${detail}` : ''}`); }
}
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

if (!process.env.DRUM_NULL_SINK || !process.env.DISPLAY) {
  console.log('SKIPPED: no PulseAudio null sink or no display (run under scripts/with-servers.sh)');
  process.exit(77);
}
const sink = new Sink(process.env.DRUM_NULL_SINK);
await sink.ready();
const { page, close } = await launch();
page.on('pageerror', (e) => console.log(`page error: ${e.message}`));
const cdp = await page.context().newCDPSession(page);

const screenText = () => page.$eval('#screen', (e) => e.textContent);
async function waitScreen(text, ms = 20000) {
  try {
    await page.waitForFunction((t) => document.getElementById('screen').textContent.includes(t), text, { timeout: ms });
    return true;
  } catch { return false; }
}
// Until the sink has been quiet for `quiet` ms (the game waits for a key).
async function waitQuiet(quiet = 400, ms = 20000) {
  const end = performance.now() + ms;
  while (performance.now() < end) {
    await sleep(100);
    const now = performance.now();
    if (sink.rms(now - quiet, now) < 0.003) return true;
  }
  return false;
}
async function menu(item) {
  const top = await page.$(`#menubar li:has([data-id="${item}"]) > [aria-haspopup]`);
  await top.click();
  await page.click(`[data-id="${item}"]`);
}
async function exportGame() {
  const [download] = await Promise.all([page.waitForEvent('download', { timeout: 10000 }), menu('export')]);
  return readFileSync(await download.path());
}
// The game's state in the memory image: the two rows and the move count,
// kept as its digits plus ten.
function game(ram) {
  const text = (at, n) => ram.subarray(at, at + n).toString('latin1');
  return { rows: text(262, 26), moves: Number(text(288, 5).replace(/\0.*$/s, '')) - 10 };
}
// A game key held as a finger holds it: the game takes a key while it is down.
async function tap(key) {
  await page.keyboard.down(key);
  await sleep(80);
  await page.keyboard.up(key);
}
const checked = (item) => page.getAttribute(`[data-id="${item}"]`, 'aria-checked');

try {
  // A stored game in play: the horizontal row shifted twice, no moves yet.
  await seed(page, url, { 'ram.dat': gameImage('LMABCDEFGHIJK', 'NOPQRSETUVXYZ') });
  await openPage(page, url);
  check((await page.textContent('#hint')).trim() !== '', 'the page asks for a key to start the sound');
  check((await axe(page)).length === 0, 'axe: the page', (await axe(page)).join('; '));

  await page.keyboard.press('Shift');
  await page.waitForFunction(() => globalThis.drumPage.audioTime() >= 0, null, { timeout: 5000 });
  check((await page.textContent('#hint')).trim() === '', 'a key starts the sound');

  let t = performance.now();
  await page.keyboard.press('Control+s');
  check(await waitScreen('otazník'), 'Ctrl+S starts the game');
  await waitQuiet();
  check(sink.rms(t, performance.now()) > 0.01, 'the greeting is heard', `RMS ${sink.rms(t, performance.now())}`);

  await tap('Space');      // the cursor to the crossing
  await waitQuiet();
  t = performance.now();
  await tap('ArrowRight');
  await sleep(1000);
  check(sink.onset(t, 0.01) !== null, 'Right reads a letter aloud');
  await waitQuiet();

  await page.keyboard.press('Control+b');
  await page.waitForTimeout(300);
  check(await checked('braillekeyboarditem') === 'true', 'Ctrl+B checks the Braille keyboard item');
  // d and k are the dots 2 and 5: ":", the vertical row down.
  const middle = (await screenText()).split('\n').filter((l) => l.trim()).length;
  await page.keyboard.down('d');
  await page.keyboard.down('k');
  await sleep(80);
  await page.keyboard.up('d');
  await page.keyboard.up('k');
  check(await page.waitForFunction((n) => document.getElementById('screen').textContent.split('\n')
    .filter((l) => l.trim()).length > n, middle, { timeout: 5000 }).then(() => true, () => false),
  'the chord d+k makes a move (the middle letter is printed)');
  await waitQuiet();
  await page.keyboard.press('Control+b');
  await waitQuiet();

  // A key cuts the speech short: the rules go on to their next line at once.
  await tap('p');
  check(await waitScreen('tvojou úlohou'), 'p reads the rules');
  await sleep(1200);
  t = performance.now();
  await page.keyboard.press('Shift');
  check(await waitScreen('vo vodorovnom', 2500), 'a key stops the speech',
    `${Math.round(performance.now() - t)} ms`);
  // Through the rest of the rules, a line a key, until the screen stays as it is.
  for (let i = 0, same = 0, last = ''; i < 120 && same < 5; ++i) {
    await page.keyboard.press('Shift');
    await sleep(400);
    const now = await screenText();
    same = now === last ? same + 1 : 0;
    last = now;
  }
  await waitQuiet();
  await tap('Escape');                     // the game saves and ends
  check(await waitScreen('hotovo'), 'Esc ends the game', await screenText());
  await waitQuiet();
  const ram = await exportGame();
  check(ram.length === 65536, 'Export gives 65,536 bytes', `${ram.length}`);
  check(game(ram).moves === 1 && game(ram).rows === 'LMABCDSFGHIJKZNOPQRSETUVXY', 'the exported game holds the move',
    JSON.stringify(game(ram)));

  // Offline: the service worker has kept the whole site.
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null, null, { timeout: 30000 });
  await page.context().setOffline(true);
  await page.reload();
  const offline = await page.waitForSelector('#menubar [role="menuitem"]', { timeout: 30000 }).then(() => true, () => false);
  check(offline, 'the page plays offline after the first visit');
  const kept = game(await exportGame());
  check(kept.rows === game(ram).rows && kept.moves === 1, 'a reload keeps the game', JSON.stringify(kept));
  await page.context().setOffline(false);

  // Import, from the menu's file chooser: a damaged file is refused in words
  // and the game stays; another game replaces it; the first one back.
  const importGame = async (bytes) => {
    const [chooser] = await Promise.all([page.waitForEvent('filechooser', { timeout: 10000 }), menu('import')]);
    await chooser.setFiles({ name: 'ram.dat', mimeType: 'application/octet-stream', buffer: bytes });
    await page.waitForSelector('#message[open]', { timeout: 10000 });
    const said = await page.textContent('#message-text');
    await page.click('#message-ok');
    await page.waitForSelector('#message[open]', { state: 'detached', timeout: 5000 }).catch(() => {});
    return said;
  };
  const refused = await importGame(Buffer.alloc(1000, 7));
  check(refused.includes('ram.dat') && refused.includes('65'), 'Import of a file of the wrong size says why', refused);
  check(JSON.stringify(game(await exportGame())) === JSON.stringify(kept), 'a refused import keeps the game');
  await importGame(gameImage('NOPQRSETUVXYZ', 'LMABCDEFGHIJK'));
  const other = game(await exportGame());
  check(other.rows === 'NOPQRSETUVXYZLMABCDEFGHIJK' && other.moves === 0, 'Import replaces the game', JSON.stringify(other));
  await importGame(ram);
  check(JSON.stringify(game(await exportGame())) === JSON.stringify(kept), 'Import brings an exported game back');

  // The screen-reader setting: the game's texts go to the live region.
  await page.keyboard.press('Shift');
  await page.keyboard.press('Control+p');
  await page.waitForTimeout(300);
  check(await checked('usesapi5submenu') === 'true', 'Ctrl+P checks the screen-reader item');
  await page.evaluate(() => {
    globalThis.liveTexts = [];
    new MutationObserver((records) => {
      for (const r of records) for (const n of r.addedNodes) globalThis.liveTexts.push(n.textContent);
    }).observe(document.getElementById('live'), { childList: true });
  });
  await page.keyboard.press('Control+s');
  await waitScreen('otazník');
  await sleep(500);
  const heard = await page.evaluate(() => globalThis.liveTexts);
  // The greeting's first line says the time of day.
  const greeting = ['hra drúm.', 'keď chceš kódy, napíš otazník.'];
  check(heard.length === 3 && heard[0].startsWith('dobr') && JSON.stringify(heard.slice(1).map((t) => t.trim())) === JSON.stringify(greeting),
    'the live region receives each text', JSON.stringify(heard));
  // The menu's check items, with the Settings menu open.
  await page.click('#menubar li:has([data-id="usesapi5submenu"]) > [aria-haspopup]');
  const { nodes } = await cdp.send('Accessibility.getFullAXTree');
  await page.keyboard.press('Escape');
  const prop = (n, name) => (n.properties || []).find((p) => p.name === name)?.value?.value;
  const region = nodes.find((n) => prop(n, 'live') === 'assertive' && !nodes.some((m) => m.childIds?.includes(n.nodeId) && prop(m, 'live') === 'assertive'));
  const texts = [];
  const collect = (id) => {
    const n = nodes.find((m) => m.nodeId === id);
    if (!n) return;
    if (n.role?.value === 'StaticText') texts.push(n.name?.value || '');
    (n.childIds || []).forEach(collect);
  };
  if (region) collect(region.nodeId);
  check(region && texts.length > 0 && texts[texts.length - 1].trim() === greeting[1],
    'the accessibility tree: an assertive live region with the last text', JSON.stringify(texts));
  const boxes = nodes.filter((n) => n.role?.value === 'menuitemcheckbox');
  check(boxes.length === 2 && boxes.every((n) => ['true', 'false'].includes(String(prop(n, 'checked')))),
    'the accessibility tree: the menu\'s two check items are checkable', JSON.stringify(boxes.map((n) => n.name?.value)));
  await tap('Escape');                     // the game saves and ends
  await waitScreen('hotovo');
  await page.keyboard.press('Control+p');

  // The dialogs, each open in turn, and axe on the page with it.
  for (const [open, name] of [['Control+e', 'environment'], ['Control+d', 'sounds'], ['Control+h', 'voice'], ['ArrowUp', 'review']]) {
    await page.keyboard.press(open);
    const shown = await page.waitForSelector('dialog[open]', { timeout: 5000 }).then(() => true, () => false);
    const v = shown ? await axe(page) : ['not open'];
    check(v.length === 0, `axe: the ${name} dialog`, v.join('; '));
    await page.keyboard.press('Escape');
    await page.waitForSelector('dialog[open]', { state: 'detached', timeout: 5000 }).catch(() => {});
    await page.waitForTimeout(300);
  }
  await menu('aboutsubmenu');
  await page.waitForSelector('dialog[open]', { timeout: 5000 }).catch(() => {});
  const v = await axe(page);
  check(v.length === 0, 'axe: the About box', v.join('; '));
} catch (e) {
  check(false, 'the session ran to its end', e.stack);
} finally {
  await close();
  sink.stop();
}
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
