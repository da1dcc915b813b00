// Plays the modern exercise page, written by lexifind-page, in Debian's Chromium: with
// the mouse, by touch on a phone and with the keyboard alone, checked by axe-core.
import { test, before, after, describe } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { launchChromium } from './chromium.mjs';
import { writeLongLesson } from './long-lesson.mjs';

const tool = process.env.LEXIFIND_PAGE;
const pictures = process.env.LEXIFIND_PICTURES_DIR ?? path.join(os.tmpdir(), 'lexifind-pictures');
const axeScript = path.resolve('node_modules/axe-core/axe.min.js');
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'lexifind-modern-'));
let browser;

before(async () => {
  assert.ok(tool && fs.existsSync(tool), 'LEXIFIND_PAGE must name the built lexifind-page');
  fs.mkdirSync(pictures, { recursive: true });
  browser = await launchChromium();
});

after(async () => {
  await browser?.close();
  fs.rmSync(work, { recursive: true, force: true });
});

// The entries of a project file, read as the program reads it.
function readProject(file) {
  const bytes = fs.readFileSync(file);
  const bom = bytes[0] === 0xEF && bytes[1] === 0xBB && bytes[2] === 0xBF;
  const content = bom ? bytes.subarray(3).toString('utf8') : new TextDecoder('windows-1252').decode(bytes);
  const lines = content.split(/\r\n|\r|\n/);
  const [textLines, count] = [Number(lines[0]), Number(lines[1])];
  const words = lines.slice(2 + textLines, 2 + textLines + count);
  const definitions = lines.slice(2 + textLines + count, 2 + textLines + 2 * count);
  return words.map((w, k) => [w, definitions[k]]);
}

function writeProject(name, textLines, entries) {
  const lines = [String(textLines.length), String(entries.length), ...textLines,
                 ...entries.map(e => e[0]), ...entries.map(e => e[1])];
  const file = path.join(work, name + '.lxf');
  fs.writeFileSync(file, Buffer.concat([Buffer.from([0xEF, 0xBB, 0xBF]),
                                        Buffer.from(lines.map(l => l + '\r\n').join(''), 'utf8')]));
  return file;
}

function writePage(project, name, options = {}) {
  const out = path.join(work, name);
  const args = Object.entries({ PageStyle: 'moderne', ...options }).flatMap(([k, v]) => ['--set', `${k}=${v}`]);
  const result = spawnSync(tool, [...args, project, out], { encoding: 'utf8' });
  assert.equal(result.status, 0, result.stderr);
  return out + '.htm';
}

const desktop = { viewport: { width: 1366, height: 768 } };
const phone = { viewport: { width: 390, height: 844 }, isMobile: true, hasTouch: true, deviceScaleFactor: 2 };

// Opens a page and records script and console errors, requests that leave the page,
// dialogs, and the progress events that a package's adapter would hear.
async function openPage(file, contextOptions = desktop) {
  const context = await browser.newContext(contextOptions);
  const page = await context.newPage();
  const url = pathToFileURL(file).href;
  const problems = [];
  page.on('pageerror', e => problems.push(String(e)));
  page.on('console', m => { if (m.type() === 'error') problems.push(m.text()); });
  page.on('request', r => { if (r.url() !== url) problems.push('request: ' + r.url()); });
  page.on('dialog', d => { problems.push('dialog: ' + d.message()); d.dismiss(); });
  await page.addInitScript(() => {
    window.progress = [];
    document.addEventListener('lexifind-progress', e => window.progress.push(e.detail));
  });
  await page.goto(url);
  await page.waitForFunction(() => window.progress.length > 0);
  return { page, problems, context };
}

// axe-core in a second view of the same file: the page's own policy admits no
// injected script, so only this context passes it by.
async function axeViolations(file, state) {
  const context = await browser.newContext({ ...desktop, bypassCSP: true });
  const view = await context.newPage();
  await view.goto(pathToFileURL(file).href);
  await view.waitForFunction(() => document.getElementById('trad').textContent !== '');
  await state(view);
  await view.addScriptTag({ path: axeScript });
  const result = await view.evaluate(() => axe.run(document, {
    runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa', 'best-practice'] },
  }));
  await context.close();
  return result.violations.map(v => `${v.id}: ${v.nodes.map(n => n.target.join(' ')).join(', ')}`);
}

const textOf = (page, id) => page.locator('#' + id).evaluate(e => e.textContent);
const data = page => page.evaluate(() => JSON.parse(document.getElementById('data').textContent));

// The ids of the words that answer an entry.
const wordsReading = (page, word) => page.evaluate(w => [...document.querySelectorAll('#text span')]
  .filter(s => s.textContent.trim() === w).map(s => Number(s.id)), word);

// Answers the shown question with the given way of pressing a word (the last that
// answers it), then asks for the next one; returns when the page says it is done.
// Entries the text does not hold are skipped with the next button.
async function playToEnd(page, press, next) {
  const { w: words, d: definitions } = await data(page);
  const found = new Set();
  for (let turn = 0; turn < 4 * words.length && await page.locator('#eatme').count(); turn++) {
    const shown = await textOf(page, 'trad');
    const k = definitions.findIndex((d, i) => d === shown && !found.has(i));
    const ids = await wordsReading(page, words[k]);
    if (ids.length) {
      await press(ids.at(-1));
      found.add(k);
      if (!await page.locator('#eatme').count())
        break;
    }
    await next();
  }
  return found.size;
}

const clickWord = page => id => page.locator(`[id="${id}"]`).click();
const tapWord = page => id => page.locator(`[id="${id}"]`).tap();

// The keyboard alone: the text is one tab stop, arrows walk its words, Enter answers,
// Shift+Tab reaches the next button.
function keyboard(page) {
  const focusedWord = () => page.evaluate(() => {
    const e = document.activeElement;
    return e && e.closest('#text') ? Number(e.id) : -1;
  });
  return {
    async enterText() {
      for (let i = 0; i < 5 && await focusedWord() < 0; i++)
        await page.keyboard.press('Tab');
      assert.ok(await focusedWord() >= 0, 'Tab never reached the text');
    },
    async press(id) {
      let at = await focusedWord();
      const count = await page.locator('#text span').count();
      if (id < Math.abs(id - at)) { await page.keyboard.press('Home'); at = 0; }
      if (count - 1 - id < Math.abs(id - at)) { await page.keyboard.press('End'); at = count - 1; }
      for (; at < id; at++) await page.keyboard.press('ArrowDown');
      for (; at > id; at--) await page.keyboard.press('ArrowUp');
      assert.equal(await focusedWord(), id);
      assert.ok(await page.evaluate(() => document.activeElement.matches(':focus-visible')));
      await page.keyboard.press('Enter');
    },
    async next() {
      await page.keyboard.press('Shift+Tab');
      assert.equal(await page.evaluate(() => document.activeElement.closest('#eatme') !== null), true);
      await page.keyboard.press('Enter');
      await page.keyboard.press('Tab');
      assert.ok(await focusedWord() >= 0);
    },
  };
}

async function expectEnd(page, questions, settings = {}) {
  assert.equal(await textOf(page, 'feedback'), settings.DoneMessage ?? 'Terminé !');
  assert.equal(await page.locator('#eatme').count(), 0);
  assert.match(await textOf(page, 'score'), new RegExp(`^${questions} / ${questions} \\(\\d+%\\)$`));
  assert.equal(await page.locator('#list li').count(), questions);
  const last = await page.evaluate(() => window.progress.at(-1));
  assert.equal(last.finished, true);
  assert.equal(last.found, questions);
}

// On a phone: nothing wider than the screen, readable text, targets of 24 pixels.
async function checkPhoneLayout(page) {
  const m = await page.evaluate(() => {
    const words = [...document.querySelectorAll('#text span')].slice(0, 400).map(s => s.getBoundingClientRect());
    const buttons = [...document.querySelectorAll('button')].filter(b => !b.hidden).map(b => b.getBoundingClientRect());
    const sizes = ['#text', '#trad', '#feedback', '#score', '#live p', 'button', 'h1']
      .map(s => parseFloat(getComputedStyle(document.querySelector(s)).fontSize));
    return {
      scroll: document.documentElement.scrollWidth, width: innerWidth,
      minWordHeight: Math.min(...words.map(r => r.height)),
      minButton: Math.min(...buttons.map(r => Math.min(r.width, r.height))),
      minFont: Math.min(...sizes),
    };
  });
  assert.ok(m.scroll <= m.width, `scrollWidth ${m.scroll} beyond ${m.width}`);
  assert.ok(m.minFont >= 16, `text of ${m.minFont}px`);
  assert.ok(m.minWordHeight >= 24, `a word ${m.minWordHeight}px high`);
  assert.ok(m.minButton >= 24, `a button ${m.minButton}px`);
}

// The sample lessons, those of the languages whose texts are divided otherwise (without
// blanks, right to left, with apostrophes inside entries), and a long one.
const lessons = ['examples', 'tests/browser/lessons'].flatMap(folder =>
  fs.readdirSync(folder).filter(f => f.endsWith('.lxf')).map(f => path.resolve(folder, f)))
  .concat(writeLongLesson(path.join(work, 'long.lxf')));

for (const lesson of lessons) {
  const name = path.basename(lesson, '.lxf');
  describe(name, () => {
    let file, questions;
    before(() => {
      file = writePage(lesson, name);
      questions = readProject(lesson).length;
    });

    test('with the mouse, then again after a restart', async () => {
      const { page, problems, context } = await openPage(file);
      const v = await page.evaluate(() => window.progress[0]);
      assert.deepEqual(v, { found: 0, questions, tries: 0, finished: false });
      assert.equal(await playToEnd(page, clickWord(page), () => page.locator('#eatme button').click()), questions);
      await expectEnd(page, questions);
      // A found word is a button that says it is found.
      assert.deepEqual(await page.locator('#text .f').first().evaluate(e => [e.getAttribute('role'), e.getAttribute('aria-label')]),
                       ['button', `${await page.locator('#text .f').first().textContent()}, trouvé`]);
      await page.locator('#restart').click();
      assert.equal(await textOf(page, 'score'), `0 / ${questions}`);
      assert.equal(await page.locator('#eatme').count(), 1);
      assert.equal(await page.locator('#list li').count(), 0);
      assert.equal(await page.locator('#text .f').count(), 0);
      assert.deepEqual(await page.evaluate(() => window.progress.at(-1)),
                       { found: 0, questions, tries: 0, finished: false });
      assert.deepEqual(problems, []);
      await context.close();
    });

    test('by touch on a phone', async () => {
      const { page, problems, context } = await openPage(file, phone);
      await checkPhoneLayout(page);
      // Read down to the end of the text: the answer zone stays at the top of the screen.
      const zone = await page.locator('#zone').evaluate(e => {
        const home = e.getBoundingClientRect().top;
        window.scrollTo(0, document.documentElement.scrollHeight);
        const r = e.getBoundingClientRect();
        return { top: Math.round(r.top), bottom: r.bottom, expected: Math.round(Math.max(0, home - scrollY)) };
      });
      assert.equal(zone.top, zone.expected);
      assert.ok(zone.bottom <= 844);
      assert.equal(await playToEnd(page, tapWord(page), () => page.locator('#eatme button').tap()), questions);
      await expectEnd(page, questions);
      await checkPhoneLayout(page);
      // Down to 320 pixels nothing scrolls sideways.
      await page.setViewportSize({ width: 320, height: 640 });
      assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= 320));
      assert.deepEqual(problems, []);
      await context.close();
    });

    test('with the keyboard alone', async () => {
      const { page, problems, context } = await openPage(file);
      const keys = keyboard(page);
      await keys.enterText();
      // The arrow that points along the reading moves to the next word.
      if (await page.evaluate(() => document.documentElement.dir) === 'rtl') {
        await page.keyboard.press('Home');
        await page.keyboard.press('ArrowLeft');
        assert.equal(await page.evaluate(() => document.activeElement.id), '1');
        await page.keyboard.press('ArrowRight');
      }
      // One tab stop: the next Tab leaves the text.
      await page.keyboard.press('Tab');
      assert.equal(await page.evaluate(() => document.activeElement.closest('#text')), null);
      await page.keyboard.press('Shift+Tab');
      assert.equal(await playToEnd(page, id => keys.press(id), () => keys.next()), questions);
      await expectEnd(page, questions);
      // The restart button is reachable and brings the focus back to the text.
      await page.keyboard.press('Shift+Tab');
      assert.equal(await page.evaluate(() => document.activeElement.id), 'restart');
      await page.keyboard.press('Enter');
      assert.ok(await page.evaluate(() => document.activeElement.closest('#text') !== null));
      assert.deepEqual(problems, []);
      await context.close();
    });

    // axe-core would take minutes over the thousands of words of the long lesson.
    test('axe-core finds nothing at the start, midway and at the end', { skip: name === 'long' }, async () => {
      const { w: words } = await (async () => {
        const { page, context } = await openPage(file);
        const d = await data(page);
        await context.close();
        return d;
      })();
      const states = {
        start: async () => {},
        midway: async view => {
          await clickWord(view)((await wordsReading(view, words[0]))[0]);
          await view.locator('#eatme button').click();
          await view.locator('#text span').nth(0).click(); // a wrong answer, most likely
        },
        end: async view => {
          await playToEnd(view, clickWord(view), () => view.locator('#eatme button').click());
        },
      };
      for (const [when, state] of Object.entries(states))
        assert.deepEqual(await axeViolations(file, state), [], when);
    });

    test('pictures', { skip: !/^(lecon|urok|ar-|ja-)/.test(name) }, async () => {
      for (const [size, options] of [['desktop', desktop], ['phone', phone]]) {
        const { page, context } = await openPage(file, options);
        const { w: words } = await data(page);
        await clickWord(page)((await wordsReading(page, words[0]))[0]);
        await page.screenshot({ path: path.join(pictures, `modern-${name}-${size}.png`) });
        await context.close();
      }
    });
  });
}

test('hostile values are shown literally and stay inert', async () => {
  const attack = '</script><script>window.pwned=1</script><img src=x onerror="window.pwned=2">';
  const project = writeProject('hostile', ['<i>Un</i> mot & demi \u0085 fin.'],
                               [['mot', attack], ['demi', "l'autre \"moitié\" \\ \u2028"]]);
  const options = {
    PageTitle: 'Titre </title><script>window.pwned=3</script>',
    TextTitle: '<img src=x onerror="window.pwned=4">',
    RightMessage: 'Oui </script><b>gras</b>',
    WrongMessage: "Non '\"</script>",
    DoneMessage: 'Fin ]]> <!--',
    Instruction: 'Cherchez <u>ceci</u> :',
    NextCaption: 'Suite "»" </button>',
    ScoreLabel: '<s>Score</s>',
    FontFamily: "'Fancy\"); } body { display:none } (', serif",
    BackgroundColor: '#fff; } body { display:none',
    DefinitionColor: 'red</style><script>window.pwned=5</script>',
  };
  const { page, problems, context } = await openPage(writePage(project, 'hostile', options));
  assert.equal(await page.title(), options.PageTitle);
  assert.equal(await textOf(page, 'h'), options.TextTitle);
  assert.equal(await page.locator('#eatme button').textContent(), options.NextCaption);
  assert.equal(await textOf(page, 'trad'), attack);
  assert.equal(await page.locator('#zone').isVisible(), true);
  // Markup in the text is text; the C1 control shows as a replacement character.
  assert.match(await textOf(page, 'text'), /^<i>Un<\/i> mot & demi \uFFFD fin\.\n?$/);
  await clickWord(page)((await wordsReading(page, 'demi'))[0]);
  assert.equal(await textOf(page, 'feedback'), options.WrongMessage);
  await clickWord(page)((await wordsReading(page, 'mot'))[0]);
  assert.equal(await textOf(page, 'feedback'), options.RightMessage);
  assert.equal(await page.locator('#list li').first().textContent(), `${attack} - mot`);
  await page.locator('#eatme button').click();
  assert.equal(await textOf(page, 'trad'), "l'autre \"moitié\" \\ \u2028");
  await clickWord(page)((await wordsReading(page, 'demi'))[0]);
  assert.equal(await textOf(page, 'feedback'), options.DoneMessage);
  assert.equal(await page.evaluate(() => window.pwned), undefined);
  assert.equal(await page.locator('img').count(), 0);
  assert.deepEqual(problems, []);
  await context.close();
});

test('motion only for those who do not ask for less', async () => {
  const project = writeProject('motion', ['Le chat dort.'], [['chat', 'cat']]);
  const file = writePage(project, 'motion');
  for (const [reducedMotion, expected] of [['no-preference', '0.2s'], ['reduce', '0s']]) {
    const { page, context } = await openPage(file, { ...desktop, reducedMotion });
    assert.equal(await page.locator('[id="1"]').evaluate(e => getComputedStyle(e).transitionDuration), expected);
    await context.close();
  }
});

test('the language is declared, guessed when not given', async () => {
  const project = writeProject('lang', ['Der Bär schläft, die Straße ist still.'], [['Bär', 'ours']]);
  for (const [options, expected] of [[{}, 'de'], [{ TextLanguage: 'de-CH' }, 'de-CH']]) {
    const { page, context } = await openPage(writePage(project, 'lang', options));
    assert.equal(await page.evaluate(() => document.documentElement.lang), expected);
    await context.close();
  }
  // An Arabic text with the French messages: each part in its language and direction.
  const arabic = path.resolve('tests/browser/lessons/ar-souq.lxf');
  const { page, context } = await openPage(writePage(arabic, 'ar-lang'));
  assert.deepEqual(await page.evaluate(() => [document.documentElement.lang, document.documentElement.dir,
                                              document.getElementById('zone').lang, document.getElementById('zone').dir]),
                   ['ar', 'rtl', 'fr', 'ltr']);
  await context.close();
});
