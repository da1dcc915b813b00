// Prints, for generated lessons of 100 KB, 1 MB and 10 MB of text, the size of the
// classic and the modern page, the time each takes in Debian's Chromium until the learner
// can answer and until the whole text is in, and what an answer costs once it is: a
// click with the mouse, and on the modern page a key (an arrow, then Enter) and a move
// to the next line, each from the input event to the next frame, the median over words
// near the start, the middle and the end of the text.
// Run by tools/bench-modern.sh; LEXIFIND_PAGE names the built lexifind-page.
// BENCH_SIZES (MB, comma-separated, default "0.1,1,10"), BENCH_STYLES (default
// "classique,moderne") and BENCH_TIMEOUT (s, default 600).
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { launchChromium } from '../tests/browser/chromium.mjs';

const tool = process.env.LEXIFIND_PAGE;
const sizes = (process.env.BENCH_SIZES ?? '0.1,1,10').split(',').map(Number);
const styles = (process.env.BENCH_STYLES ?? 'classique,moderne').split(',');
const timeout = Number(process.env.BENCH_TIMEOUT ?? 600) * 1000;
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'lexifind-bench-'));

const vocabulary = ('marché place village couleurs voix marchands étals fromager boulanger pain de campagne '
  + 'maraîchère pommes de terre poireaux cerises clients flânent goûtent morceau fromage prix voisins '
  + 'enfants poules cage midi parasols odeur rues matin soleil lever chaud vieille offre propose vend '
  + 'encore bien mûres comparent bavardent regardent replient redevient calme flotte arrivent installer').split(' ');
const entries = [['marchands', 'ceux qui vendent'], ['pain de campagne', 'gros pain rond'],
  ['pommes de terre', 'potatoes'], ['étals', 'stalls'], ['fromager', 'cheesemaker'],
  ['poireaux', 'leeks'], ['cerises', 'cherries'], ['flânent', 'stroll'], ['goûtent', 'taste'],
  ['parasols', 'sunshades']];

// A text of about megabytes MB in lines of twelve words and paragraphs of six lines,
// in windows-1252 as the program writes a French lesson.
function writeLesson(megabytes) {
  const lines = [];
  let size = 0, seed = 7;
  const random = n => (seed = (seed * 1103515245 + 12345) % 2147483648) % n;
  while (size < megabytes * 1e6) {
    const words = Array.from({ length: 12 }, () => vocabulary[random(vocabulary.length)]);
    const line = words.join(' ').replace(/^./, c => c.toUpperCase()) + '.';
    lines.push(line);
    if (lines.length % 7 === 6)
      lines.push('');
    size += line.length + 2;
  }
  const content = [String(lines.length), String(entries.length), ...lines,
                   ...entries.map(e => e[0]), ...entries.map(e => e[1])].map(l => l + '\r\n').join('');
  const file = path.join(work, `lesson-${megabytes}mb.lxf`);
  fs.writeFileSync(file, Buffer.from(content, 'latin1'));
  return file;
}

function writePage(project, style) {
  const out = path.join(work, `${path.basename(project, '.lxf')}-${style}`);
  const started = performance.now();
  const result = spawnSync(tool, ['--set', `PageStyle=${style}`, project, out], { encoding: 'utf8' });
  if (result.status !== 0)
    throw new Error(result.stderr);
  return { file: out + '.htm', writeMs: performance.now() - started };
}

// Milliseconds from the start of navigation until the page can be answered (the
// classic page after its load handlers, the modern page at its first progress event),
// and until the whole text is in the page (DOMContentLoaded); then the answers' costs.
async function measure(browser, file, style) {
  const context = await browser.newContext({ viewport: { width: 1366, height: 768 } });
  const page = await context.newPage();
  await page.addInitScript(() => {
    const mark = () => { if (window.readyAt === undefined) window.readyAt = performance.now(); };
    document.addEventListener('lexifind-progress', mark);
    window.addEventListener('load', () => setTimeout(mark, 0));
    // From the input event to the frame that shows its answer.
    window.costs = { click: [], keydown: [], line: [] };
    for (const type of ['click', 'keydown'])
      window.addEventListener(type, e => {
        const at = e.timeStamp, kind = e.key === 'ArrowDown' ? 'line' : type;
        requestAnimationFrame(() => setTimeout(() => window.costs[kind].push(performance.now() - at)));
      }, true);
  });
  page.setDefaultTimeout(timeout);
  const result = { ready: null, complete: null, clickMs: null, keyMs: null, lineMs: null };
  try {
    await page.goto(pathToFileURL(file).href, { waitUntil: 'commit', timeout });
    await page.waitForFunction(s => window.readyAt !== undefined
      && (s === 'classique' || document.getElementById('trad').textContent !== ''), style, { timeout, polling: 50 });
    result.ready = await page.evaluate(() => window.readyAt);
    await page.waitForFunction(() => document.readyState !== 'loading', null, { timeout, polling: 50 });
    result.complete = await page.evaluate(() => performance.getEntriesByType('navigation')[0].domContentLoadedEventEnd);
    const count = await page.evaluate(() => document.querySelectorAll('#text span, span[onclick]').length);
    for (const share of [0.1, 0.5, 0.9]) {
      const id = String(Math.floor(count * share));
      const box = await page.evaluate(id => {
        const w = document.getElementById(id);
        w.scrollIntoView({ block: 'center' });
        const r = w.getBoundingClientRect();
        return { x: r.x + r.width / 2, y: r.y + r.height / 2 };
      }, id);
      await page.waitForTimeout(300);
      await page.mouse.click(box.x, box.y);
      await page.waitForTimeout(300);
      if (style === 'moderne') {
        await page.evaluate(id => document.getElementById(id).focus(), id);
        await page.keyboard.press('ArrowRight');
        await page.waitForTimeout(300);
        await page.keyboard.press('ArrowDown');
        await page.waitForTimeout(300);
        await page.keyboard.press('Enter');
        await page.waitForTimeout(300);
      }
    }
    const costs = await page.evaluate(() => window.costs);
    const median = list => list.length ? list.sort((a, b) => a - b)[Math.floor(list.length / 2)] : null;
    result.clickMs = median(costs.click);
    result.keyMs = median(costs.keydown);
    result.lineMs = median(costs.line);
  } catch {
    // What was measured before the time ran out is kept.
  } finally {
    await context.close();
  }
  return result;
}

const browser = await launchChromium();
const format = ms => ms === null ? `> ${timeout / 1000} s` : `${(ms / 1000).toFixed(2)} s`;
const cost = ms => ms === null ? '-' : `${ms.toFixed(1)} ms`;
console.log('text\tstyle\tpage bytes\twrite\tready\twhole text\tclick\tkey\tline');
try {
  for (const megabytes of sizes) {
    const project = writeLesson(megabytes);
    for (const style of styles) {
      const { file, writeMs } = writePage(project, style);
      const { ready, complete, clickMs, keyMs, lineMs } = await measure(browser, file, style);
      const size = megabytes < 1 ? `${megabytes * 1000} KB` : `${megabytes} MB`;
      console.log(`${size}\t${style}\t${fs.statSync(file).size}\t${format(writeMs)}\t${format(ready)}\t`
                  + `${format(complete)}\t${cost(clickMs)}\t${cost(keyMs)}\t${cost(lineMs)}`);
    }
  }
} finally {
  await browser.close();
  fs.rmSync(work, { recursive: true, force: true });
}
