// Lessons in scripts without blanks, right-to-left scripts and with apostrophe entries,
// written by lexifind-page and played to their end in Debian's Chromium.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { launchChromium } from './chromium.mjs';

const tool = process.env.LEXIFIND_PAGE;
const lessons = path.resolve('tests/browser/lessons');
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'lexifind-languages-'));
let browser;

before(async () => {
  assert.ok(tool && fs.existsSync(tool), 'LEXIFIND_PAGE must name the built lexifind-page');
  browser = await launchChromium();
});

after(async () => {
  await browser?.close();
  fs.rmSync(work, { recursive: true, force: true });
});

// The entries and definitions of a project file (UTF-8 with a byte-order mark).
function readProject(file) {
  const lines = fs.readFileSync(file, 'utf8').replace(/^\uFEFF/, '').split('\r\n');
  const [textCount, entryCount] = [Number(lines[0]), Number(lines[1])];
  const words = lines.slice(2 + textCount, 2 + textCount + entryCount);
  const definitions = lines.slice(2 + textCount + entryCount, 2 + textCount + 2 * entryCount);
  return { words, definitions };
}

function runTool(args) {
  return spawnSync(tool, args, { encoding: 'utf8' });
}

const text = (page, id) => page.locator('#' + id).evaluate(e => e.textContent);

const cases = [
  { lesson: 'zh-shichang', language: 'zh-Hans' },
  { lesson: 'ja-ichiba', language: 'ja' },
  { lesson: 'th-talat' },
  { lesson: 'ar-souq', rtl: true },
  { lesson: 'he-shuk', language: 'he', rtl: true },
  { lesson: 'fr-aujourdhui' },
  { lesson: 'tr-istanbul', language: 'tr' },
];

for (const { lesson, language, rtl } of cases) {
  test(`${lesson} plays to its end`, async () => {
    const project = path.join(lessons, lesson + '.lxf');
    const { words, definitions } = readProject(project);
    const out = path.join(work, lesson);
    const result = runTool([...(language ? ['--set', `TextLanguage=${language}`] : []), '--strict', project, out]);
    assert.equal(result.status, 0, result.stderr);
    assert.equal(result.stderr, '');

    const page = await browser.newPage();
    const errors = [];
    page.on('pageerror', e => errors.push(String(e)));
    await page.goto(pathToFileURL(out + '.htm').href);
    assert.equal(await page.evaluate(() => document.documentElement.lang), language ?? '');
    assert.equal(await page.locator('blockquote').evaluate(e => getComputedStyle(e).direction),
                 rtl ? 'rtl' : 'ltr');

    for (let k = 0; k < words.length; ++k) {
      assert.equal(await text(page, 'trad'), definitions[k]);
      // The spans that read as the entry, as the page compares them.
      const ids = await page.evaluate(w => [...document.querySelectorAll('span[onclick]')]
        .filter(s => s.firstChild && s.firstChild.nodeValue.trim() === w).map(s => s.id), words[k]);
      assert.ok(ids.length > 0, `no word "${words[k]}" to click`);
      await page.locator(`span[id="${ids[0]}"]`).click();
      if (k + 1 < words.length) {
        assert.equal(await text(page, 'feedback'), "C'est juste !");
        await page.locator('#eatme input').click();
      }
    }
    assert.equal(await text(page, 'feedback'), 'Terminé !');
    assert.equal(await page.locator('#eatme').count(), 0);
    assert.equal(await text(page, 'score'), `${words.length} / ${words.length} (100%)`);
    await page.screenshot({ path: path.join(process.env.LEXIFIND_SHOT_DIR ?? work, `lesson-${lesson}.png`) });
    assert.deepEqual(errors, []);
    await page.close();
  });
}

test('lexifind-page names each entry that cannot be found; --strict writes nothing', () => {
  const project = path.join(work, 'introuvables.lxf');
  const lines = ['2', '3', "L'eau du chaton.", 'Chat noir.', 'chat', "l'eau", 'bleu', 'cat', 'water', 'blue'];
  fs.writeFileSync(project, lines.map(l => l + '\r\n').join(''), 'latin1');
  const out = path.join(work, 'introuvables');
  const loose = runTool([project, out]);
  assert.equal(loose.status, 0);
  assert.ok(fs.existsSync(out + '.htm'));
  assert.deepEqual(loose.stderr.trim().split('\n'), [
    'lexifind-page : mot 1 « chat » introuvable : seulement avec d\'autres majuscules : « Chat »',
    'lexifind-page : mot 2 « l\'eau » introuvable : seulement avec d\'autres majuscules : « L\'eau »',
    'lexifind-page : mot 3 « bleu » introuvable : absent du texte',
  ]);

  const strictOut = path.join(work, 'strict');
  const strict = runTool(['--strict', project, strictOut]);
  assert.equal(strict.status, 3);
  assert.equal(strict.stderr, loose.stderr);
  assert.ok(!fs.existsSync(strictOut + '.htm'));

  // A package is checked on the division of its own page, alike.
  for (const [args, status] of [[['--scorm'], 0], [['--scorm', '--strict'], 3]]) {
    const target = path.join(work, `paquet-${status}`);
    const result = runTool([...args, project, target]);
    assert.equal(result.status, status);
    assert.equal(result.stderr, loose.stderr);
    assert.equal(fs.existsSync(target + '.zip'), status === 0);
  }
});
