// Prints, for generated lessons of 1 MB and 10 MB of text, the size of the classic and
// the modern page and the time each takes in Debian's Chromium until the learner can
// answer; for the modern page also the time a click takes to answer.
// Run by tools/bench-modern.sh; LEXIFIND_PAGE names the built lexifind-page.
// BENCH_SIZES (MB, comma-separated, default "1,10"), BENCH_STYLES (default
// "classique,moderne") and BENCH_TIMEOUT (s, default 600).
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { launchChromium } from '../tests/browser/chromium.mjs';

const tool = process.env.LEXIFIND_PAGE;
const sizes = (process.env.BENCH_SIZES ?? '1,10').split(',').map(Number);
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
// and until the whole text is in the page (DOMContentLoaded).
async function readyTime(browser, file, style) {
  const context = await browser.newContext({ viewport: { width: 1366, height: 768 } });
  const page = await context.newPage();
  await page.addInitScript(() => {
    const mark = () => { if (window.readyAt === undefined) window.readyAt = performance.now(); };
    document.addEventListener('lexifind-progress', mark);
    window.addEventListener('load', () => setTimeout(mark, 0));
  });
  page.setDefaultTimeout(timeout);
  try {
    await page.goto(pathToFileURL(file).href, { waitUntil: 'commit', timeout });
    await page.waitForFunction(s => window.readyAt !== undefined
      && (s === 'classique' || document.getElementById('trad').textContent !== ''), style, { timeout, polling: 50 });
    const ready = await page.evaluate(() => window.readyAt);
    await page.waitForFunction(() => document.readyState !== 'loading', null, { timeout, polling: 50 });
    const complete = await page.evaluate(() => performance.getEntriesByType('navigation')[0].domContentLoadedEventEnd);
    let clickMs = null;
    if (style === 'moderne') {
      clickMs = await page.evaluate(() => {
        const started = performance.now();
        document.getElementById('7').click();
        return performance.now() - started;
      });
    }
    return { ready, complete, clickMs };
  } catch {
    return { ready: null, complete: null, clickMs: null };
  } finally {
    await context.close();
  }
}

const browser = await launchChromium();
const format = ms => ms === null ? `> ${timeout / 1000} s` : `${(ms / 1000).toFixed(2)} s`;
console.log('text\tstyle\tpage bytes\twrite\tready\twhole text\tclick');
try {
  for (const megabytes of sizes) {
    const project = writeLesson(megabytes);
    for (const style of styles) {
      const { file, writeMs } = writePage(project, style);
      const { ready, complete, clickMs } = await readyTime(browser, file, style);
      console.log(`${megabytes} MB\t${style}\t${fs.statSync(file).size}\t${format(writeMs)}\t${format(ready)}\t${format(complete)}\t`
                  + (clickMs === null ? '-' : `${clickMs.toFixed(1)} ms`));
    }
  }
} finally {
  await browser.close();
  fs.rmSync(work, { recursive: true, force: true });
}
