// Plays the modern exercise page, written by lexifind-page, in Debian's Chromium: with
// the mouse, by touch on a phone and with the keyboard alone, checked by axe-core and in
// the accessibility tree.
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
// The colours of the classic page, as the colour dialog writes them.
const classicColours = { BackgroundColor: '#FFFFFF', HighlightColor: '#FFFF33', TextColor: '#000000',
                         AnswerZoneColor: '#FFFF33', AnswerColor: '#000000', VocabularyBackColor: '#FF9900',
                         VocabularyTextColor: '#000000', DefinitionColor: '#CC0000' };

// Opens a page and records script and console errors, requests that leave the page,
// dialogs, and the progress events that a package's adapter would hear. A context that
// bypasses the page's policy can take axe-core.
async function openPage(file, contextOptions = desktop, { axe = false, init } = {}) {
  const context = await browser.newContext({ ...contextOptions, bypassCSP: axe });
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
  if (init) await page.addInitScript(...[].concat(init));
  await page.goto(url);
  await page.waitForFunction(() => window.progress.length > 0);
  if (axe) await page.addScriptTag({ path: axeScript });
  return { page, problems, context };
}

async function axeViolations(page) {
  const result = await page.evaluate(() => axe.run(document, {
    runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa', 'best-practice'] },
  }));
  return result.violations.map(v => `${v.id}: ${v.nodes.map(n => n.target.join(' ')).join(', ')}`);
}

const textOf = (page, id) => page.locator('#' + id).evaluate(e => e.textContent);
const data = page => page.evaluate(() => JSON.parse(document.getElementById('data').textContent));
const lastProgress = page => page.evaluate(() => window.progress.at(-1));

// The ids of the words that answer an entry.
const wordsReading = (page, word) => page.evaluate(w => [...document.querySelectorAll('#text span')]
  .filter(s => s.textContent.trim() === w).map(s => Number(s.id)), word);

// Plays the round shown to its end. plan(k, visit) says what the learner does with
// question k the visit-th time it comes: 'right', 'wrong' (a wrong word, then the right
// one), 'show' (wrong words until the page shows the answer) or 'skip'. Entries the text
// does not hold are skipped. Returns what was done with each question, in order.
async function playRound(page, press, next, plan = () => 'right', answered = async () => {}) {
  const { w: words, d: definitions } = await data(page);
  const done = new Set(), visits = new Map(), log = [];
  for (let turn = 0; turn < 6 * words.length && await page.locator('#eatme').count(); turn++) {
    const shown = await textOf(page, 'trad');
    const k = definitions.findIndex((d, i) => d === shown && !done.has(i));
    const ids = await wordsReading(page, words[k]);
    const visit = (visits.get(k) ?? 0) + 1;
    visits.set(k, visit);
    const action = ids.length ? plan(k, visit) : 'skip';
    log.push([k, action]);
    if (action !== 'skip') {
      const wrong = await page.evaluate(w => [...document.querySelectorAll('#text span')]
        .find(s => s.textContent.trim() !== w).id, words[k]);
      if (action === 'wrong') await press(Number(wrong));
      if (action === 'show') {
        for (let i = 0; i < 3; i++) await press(Number(wrong));
      } else {
        await press(ids.at(-1));
      }
      done.add(k);
      await answered(done.size);
      if (!await page.locator('#eatme').count()) break;
      if (action === 'show')
        assert.equal(await textOf(page, 'feedback'), `Voici le mot : ${words[k]}`);
      else
        assert.equal(await page.locator('#feedback').getAttribute('class'), 'ok');
    }
    await next();
  }
  return log;
}

const clickWord = page => id => page.locator(`[id="${id}"]`).click();
const tapWord = page => id => page.locator(`[id="${id}"]`).tap();
const nextByButton = (page, how = 'click') => () => page.locator('#eatme button')[how]();

// The keyboard alone: the text is one tab stop; the arrows move by word and by line,
// Page Down by screen, Home and End to the ends; Enter answers, and after an answer
// brings the next question. Counts the keys pressed.
function keyboard(page) {
  const keys = { count: 0 };
  const press = async key => { keys.count++; await page.keyboard.press(key); };
  const focused = () => page.evaluate(() => {
    const e = document.activeElement;
    return e && e.closest('#text') && e.id !== 'text' ? Number(e.id) : -1;
  });
  return Object.assign(keys, {
    focused,
    async enterText() {
      for (let i = 0; i < 8 && await focused() < 0; i++) await press('Tab');
      assert.ok(await focused() >= 0, 'Tab never reached a word of the text');
    },
    // To the occurrence nearest to the focused word, line by line, then word by word.
    async answer(ids) {
      let at = await focused();
      const id = ids.reduce((a, b) => Math.abs(b - at) < Math.abs(a - at) ? b : a);
      const count = await page.locator('#text span').count();
      if (id > at && count - 1 - id < id - at) await press('End');
      if (id < at && id < at - id) await press('Home');
      for (let i = 0; i < 500 && (at = await focused()) !== id; i++) {
        const lines = await page.evaluate(([a, b]) => {
          const [ra, rb] = [a, b].map(i => document.getElementById(i).getBoundingClientRect());
          return Math.abs(rb.top - ra.top) < ra.height / 2 ? 0 : Math.sign(rb.top - ra.top) * Math.ceil(Math.abs(rb.top - ra.top) / ra.height / 2);
        }, [at, id]);
        if (lines > 12) await press('PageDown');
        else if (lines < -12) await press('PageUp');
        else if (lines) await press(lines > 0 ? 'ArrowDown' : 'ArrowUp');
        else await press((id > at) === (await page.evaluate(() => document.dir) !== 'rtl') ? 'ArrowRight' : 'ArrowLeft');
      }
      assert.equal(await focused(), id);
      assert.ok(await page.evaluate(() => document.activeElement.matches(':focus-visible')));
      await press('Enter');
    },
    // After an answer, Enter again on the word still focused brings the next question.
    async next() {
      const before = await textOf(page, 'trad');
      assert.equal(await textOf(page, 'hint'), 'Entrée : question suivante.');
      await press('Enter');
      assert.ok(await focused() >= 0, 'the focus left the text');
      if ((await page.evaluate(() => JSON.parse(document.getElementById('data').textContent).d.length)) > 1)
        assert.notEqual(await textOf(page, 'trad'), before);
    },
  });
}

async function expectEnd(page, questions, shown = 0) {
  assert.equal(await textOf(page, 'feedback'), 'Terminé !');
  assert.equal(await page.locator('#eatme').count(), 0);
  assert.equal(await textOf(page, 'score'), `${questions - shown} / ${questions}`);
  assert.match(await textOf(page, 'rate'), /^\d+ %$/);
  assert.equal(await page.locator('#list li').count(), questions);
  const last = await lastProgress(page);
  assert.equal(last.finished, true);
  assert.equal(last.found + last.shown, questions);
}

// On a phone: nothing wider than the screen, readable text, targets of 24 pixels.
async function checkPhoneLayout(page) {
  const m = await page.evaluate(() => {
    const words = [...document.querySelectorAll('#text span')].slice(0, 400).map(s => s.getBoundingClientRect());
    const buttons = [...document.querySelectorAll('button')].filter(b => b.offsetParent).map(b => b.getBoundingClientRect());
    const sizes = ['#text', '#trad', '#feedback', '#score', 'button', 'h1']
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
// blanks, right to left, with apostrophes inside entries), and a long one whose words
// stand in its last lines, played in a shuffled order with answers shown and a round of
// the missed words.
const lessons = ['examples', 'tests/browser/lessons'].flatMap(folder =>
  fs.readdirSync(folder).filter(f => f.endsWith('.lxf')).map(f => path.resolve(folder, f)))
  .concat(writeLongLesson(path.join(work, 'long.lxf')))
  .map(lesson => ({ lesson, name: path.basename(lesson, '.lxf') }))
  .concat({ lesson: path.resolve('examples/lecon-le-marche.lxf'), name: 'lecon-classic-colours', options: classicColours });

// What the learner does: a question found after a wrong word, one shown after three,
// one skipped once; the rest found at once.
const mixedPlan = (k, visit) => k === 1 ? 'wrong' : k === 2 ? 'show' : k === 0 && visit === 1 ? 'skip' : 'right';

for (const { lesson, name, options } of lessons) {
  const long = name === 'long';
  describe(name, () => {
    let file, questions;
    before(() => {
      file = writePage(lesson, name, long ? { QuestionOrder: 'hasard' } : options);
      questions = readProject(lesson).length;
    });

    // axe-core would take minutes over the thousands of words of the long lesson.
    test('with the mouse: right, wrong, shown, the missed words again, a restart; axe-core at each step', async () => {
      const { page, problems, context } = await openPage(file, desktop, { axe: !long });
      const axe = async when => { if (!long) assert.deepEqual(await axeViolations(page), [], when); };
      assert.deepEqual(await page.evaluate(() => window.progress[0]),
                       { found: 0, shown: 0, questions, tries: 0, finished: false, round: 1 });
      assert.equal(await textOf(page, 'qn'), `Question 1 / ${questions}`);
      await axe('start');
      const log = await playRound(page, clickWord(page), nextByButton(page), mixedPlan,
                                  async answered => { if (answered === 2) await axe('midway'); });
      await expectEnd(page, questions, log.filter(([, a]) => a === 'show').length);
      // The missed ones: skipped, found after a wrong word, shown.
      const missed = [...new Set(log.filter(([, a]) => a !== 'right').map(([k]) => k))].sort((a, b) => a - b);
      const shownWord = await page.locator('#text .s').count();
      assert.equal(shownWord, log.some(([, a]) => a === 'show') ? 1 : 0);
      assert.equal(await page.locator('#list li.s').count(), shownWord);
      await axe('end');
      assert.equal(await page.locator('#again').isVisible(), true);
      await page.locator('#again').click();
      assert.deepEqual(await lastProgress(page),
                       { found: 0, shown: 0, questions: missed.length, tries: 0, finished: false, round: 2 });
      assert.equal(await textOf(page, 'score'), `0 / ${missed.length}`);
      assert.equal(await page.locator('#list li').count(), questions - missed.length);
      await axe('missed round');
      const second = await playRound(page, clickWord(page), nextByButton(page));
      assert.deepEqual(second.map(([k]) => k).sort((a, b) => a - b), missed);
      assert.equal(await page.locator('#list li').count(), questions);
      assert.equal(await page.locator('#again').isVisible(), false);
      await page.locator('#restart').click();
      assert.equal(await textOf(page, 'score'), `0 / ${questions}`);
      assert.equal(await page.locator('#eatme').count(), 1);
      assert.equal(await page.locator('#list li').count(), 0);
      assert.equal(await page.locator('#text .f, #text .s').count(), 0);
      assert.deepEqual(await lastProgress(page),
                       { found: 0, shown: 0, questions, tries: 0, finished: false, round: 1 });
      assert.deepEqual(problems, []);
      await context.close();
    });

    test('by touch on a phone', { skip: !!options }, async () => {
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
      assert.ok(zone.bottom <= 844 / 3);
      await playRound(page, tapWord(page), nextByButton(page, 'tap'));
      await expectEnd(page, questions);
      await checkPhoneLayout(page);
      // Down to 320 pixels nothing scrolls sideways.
      await page.setViewportSize({ width: 320, height: 640 });
      assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= 320));
      assert.deepEqual(problems, []);
      await context.close();
    });

    test('with the keyboard alone', { skip: !!options }, async () => {
      const { page, problems, context } = await openPage(file);
      const keys = keyboard(page);
      await keys.enterText();
      // The arrow that points along the reading moves to the next word.
      const first = await keys.focused();
      await page.keyboard.press(await page.evaluate(() => document.dir) === 'rtl' ? 'ArrowLeft' : 'ArrowRight');
      assert.equal(await keys.focused(), first + 1);
      // One tab stop: the next Tab leaves the text, Shift+Tab comes back to the word.
      await page.keyboard.press('Tab');
      assert.equal(await page.evaluate(() => document.activeElement.closest('#text')), null);
      await page.keyboard.press('Shift+Tab');
      assert.equal(await keys.focused(), first + 1);
      if (long) {
        // Page Down moves by a screen, to a word in sight.
        await page.keyboard.press('Home');
        await page.keyboard.press('PageDown');
        const moved = await page.evaluate(() => {
          const r = document.activeElement.getBoundingClientRect(), z = document.getElementById('zone').getBoundingClientRect();
          return { id: Number(document.activeElement.id), inSight: r.top >= z.bottom && r.bottom <= innerHeight };
        });
        assert.ok(moved.id > 100 && moved.inSight, JSON.stringify(moved));
      }
      keys.count = 0;
      await playRound(page, id => keys.answer([id]), () => keys.next());
      console.log(`${name}: ${keys.count} keys for ${questions} questions`);
      await expectEnd(page, questions);
      // The restart button is reachable and brings the focus back to the text.
      await page.keyboard.press('Shift+Tab');
      assert.equal(await page.evaluate(() => document.activeElement.id), 'restart');
      await page.keyboard.press('Enter');
      assert.ok(await keys.focused() >= 0);
      assert.deepEqual(problems, []);
      await context.close();
    });
  });
}

test('a tap on the centre of every word reaches that word, on a phone', async () => {
  for (const name of ['ja-ichiba', 'zh-shichang', 'fr-aujourdhui']) {
    const lesson = path.resolve('tests/browser/lessons', name + '.lxf');
    const { page, problems, context } = await openPage(writePage(lesson, name), phone, {
      init: () => {
        window.hits = [];
        for (const type of ['touchstart', 'pointerdown', 'click'])
          document.addEventListener(type, e => window.hits.push(type + ' ' + e.target.id), true);
      },
    });
    const count = await page.locator('#text span').count();
    const missed = [], widths = [];
    for (let id = 0; id < count; id++) {
      const box = await page.evaluate(id => {
        const w = document.getElementById(id);
        w.scrollIntoView({ block: 'center' });
        const r = [...w.getClientRects()].sort((a, b) => b.width - a.width)[0];
        window.hits = [];
        return { x: r.left + r.width / 2, y: r.top + r.height / 2, width: r.width };
      }, id);
      widths.push([box.width, id]);
      await page.touchscreen.tap(box.x, box.y);
      const hits = await page.evaluate(() => window.hits);
      if (hits.sort().join() !== ['click', 'pointerdown', 'touchstart'].map(t => `${t} ${id}`).join())
        missed.push(`${id}: ${hits}`);
    }
    widths.sort((a, b) => a[0] - b[0]);
    console.log(`${name}: ${count} words tapped; narrowest ${widths.slice(0, 3).map(([w, id]) => `#${id} ${w.toFixed(1)}px`).join(', ')}`);
    assert.deepEqual(missed, []);
    assert.ok(widths[0][0] >= 24, `a word ${widths[0][0]}px wide`);
    assert.deepEqual(problems, []);
    await context.close();
  }
});

test('at 200 % text on a phone the answer zone leaves two thirds of the screen to the text', async () => {
  const lesson = path.resolve('examples/lecon-le-marche.lxf');
  const entries = readProject(lesson);
  const long = 'celui ou celle qui, dans un marché de plein air, vend chaque semaine aux habitants du village '
    + 'des produits qu\'il a cultivés, élevés ou préparés';
  assert.equal(long.split(' ').length, 25);
  const text = new TextDecoder('windows-1252').decode(fs.readFileSync(lesson)).split('\r\n');
  const project = writeProject('long-definition', text.slice(2, 2 + Number(text[0])),
                               [[entries[0][0], long], ...entries.slice(1)]);
  for (const [file, definition] of [[writePage(lesson, 'large'), 'short'], [writePage(project, 'large-long'), '25 words']]) {
    const { page, problems, context } = await openPage(file, phone);
    const cdp = await context.newCDPSession(page);
    await cdp.send('Page.setFontSizes', { fontSizes: { standard: 32, fixed: 26 } });
    await page.waitForTimeout(100);
    // Its share of the screen while the learner reads the middle of the text.
    const share = await page.evaluate(async () => {
      const t = document.getElementById('text');
      scrollTo(0, t.offsetTop + t.offsetHeight / 2 - innerHeight / 2);
      await new Promise(r => requestAnimationFrame(() => requestAnimationFrame(r)));
      const r = document.getElementById('zone').getBoundingClientRect();
      return Math.max(0, Math.min(r.bottom, innerHeight) - Math.max(r.top, 0)) / innerHeight;
    });
    console.log(`200 % text, a ${definition} definition: the zone covers ${(share * 100).toFixed(1)} % of the screen`);
    assert.ok(share <= 1 / 3, `${share}`);
    assert.equal(await page.evaluate(() => parseFloat(getComputedStyle(document.getElementById('text')).fontSize)), 36);
    assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= innerWidth));
    if (definition === 'short') {
      assert.ok(share > 0, 'the definition stays in sight');
      await page.screenshot({ path: path.join(pictures, 'modern-large-text-phone.png') });
    }
    assert.deepEqual(problems, []);
    await context.close();
  }
});

test('the accessibility tree: one described widget, words that are not buttons, found words said so', async () => {
  const file = writePage(path.resolve('examples/lecon-le-marche.lxf'), 'tree');
  const { page, problems, context } = await openPage(file);
  const cdp = await context.newCDPSession(page);
  const tree = async () => (await cdp.send('Accessibility.getFullAXTree')).nodes.filter(n => !n.ignored);
  const text = (await tree()).find(n => n.role?.value === 'group' && n.name?.value === 'Recherche de vocabulaire');
  assert.ok(text, 'the text is a group named by the heading');
  assert.match(text.description.value, /^Flèches : .*Entrée : répondre/);
  assert.doesNotMatch(await page.locator('#text').ariaSnapshot(), /button/);
  const { w: words } = await data(page);
  const keys = keyboard(page);
  await keys.enterText();
  await keys.answer(await wordsReading(page, words[0]));
  const focused = (await tree()).find(n => n.properties?.some(p => p.name === 'focused' && p.value.value) && n.role?.value !== 'RootWebArea');
  assert.deepEqual([focused.role.value, focused.name.value, focused.description?.value], ['generic', words[0], 'trouvé']);
  assert.equal(await textOf(page, 'hint'), 'Entrée : question suivante.');
  const bar = (await tree()).find(n => n.role?.value === 'progressbar');
  assert.deepEqual([bar.name.value, bar.value.value, bar.properties.find(p => p.name === 'valuemax').value.value],
                   ['Trouvés :', 1, 13]);
  assert.equal(await page.locator('#bar').getAttribute('aria-valuetext'), '1 / 13');
  assert.deepEqual(problems, []);
  await context.close();
});

test('right and wrong differ at a glance; the colours of the classic page pass axe-core too', async () => {
  const file = writePage(path.resolve('examples/lecon-le-marche.lxf'), 'classic-colours', classicColours);
  const { page, problems, context } = await openPage(file, desktop, { axe: true });
  assert.equal(await page.evaluate(() => getComputedStyle(document.body).backgroundColor), 'rgb(255, 255, 255)');
  const { w: words } = await data(page);
  const look = () => page.evaluate(() => {
    const f = document.getElementById('feedback'), mark = getComputedStyle(f, '::before');
    return [f.className, mark.content, mark.backgroundColor];
  });
  const wrong = await page.evaluate(w => [...document.querySelectorAll('#text span')].find(s => s.textContent.trim() !== w).id, words[0]);
  await clickWord(page)(wrong);
  const no = await look();
  assert.equal(await page.locator(`[id="${wrong}"]`).getAttribute('class'), 'x');
  assert.notEqual(await page.locator(`[id="${wrong}"]`).evaluate(e => getComputedStyle(e).outlineStyle), 'none');
  assert.deepEqual(await axeViolations(page), [], 'after a wrong word');
  await clickWord(page)((await wordsReading(page, words[0]))[0]);
  const ok = await look();
  assert.equal(no[0], 'no');
  assert.equal(ok[0], 'ok');
  assert.notEqual(no[1], ok[1]);
  assert.notEqual(no[2], ok[2]);
  // The wrong word's mark fades.
  await page.waitForFunction(id => document.getElementById(id).className === '', wrong, { timeout: 3000 });
  assert.deepEqual(await axeViolations(page), [], 'after a right word');
  assert.deepEqual(problems, []);
  await context.close();
});

test('the next question by itself after a right answer, with AutoNext', async () => {
  const file = writePage(path.resolve('examples/lecon-le-marche.lxf'), 'auto', { AutoNext: 'oui' });
  const { page, problems, context } = await openPage(file);
  const { w: words } = await data(page);
  const first = await textOf(page, 'trad');
  await clickWord(page)((await wordsReading(page, words[0]))[0]);
  assert.equal(await textOf(page, 'trad'), first);
  await page.waitForFunction(first => document.getElementById('trad').textContent !== first, first, { timeout: 4000 });
  assert.equal(await textOf(page, 'feedback'), '');
  assert.deepEqual(problems, []);
  await context.close();
});

test('words heard through a voice of the text language, and no button without one', async () => {
  const file = writePage(path.resolve('examples/lecon-le-marche.lxf'), 'speech', { Pronounce: 'oui' });
  for (const [voices, buttons] of [[[['fr-FR', true]], 1], [[['en-US', true]], 0], [[['fr-FR', false]], 0]]) {
    const { page, problems, context } = await openPage(file, desktop, {
      init: [voices => {
        window.spoken = [];
        const list = voices.map(([lang, localService]) => ({ lang, localService, name: lang, voiceURI: lang }));
        speechSynthesis.getVoices = () => list;
        speechSynthesis.speak = u => window.spoken.push([u.text, u.lang]);
      }, voices],
    });
    const { w: words } = await data(page);
    await clickWord(page)((await wordsReading(page, words[0]))[0]);
    const say = page.locator('#list .say');
    assert.equal(await say.evaluateAll(l => l.filter(b => b.offsetParent).length), buttons, JSON.stringify(voices));
    if (buttons) {
      assert.equal(await say.getAttribute('aria-label'), `Écouter ${words[0]}`);
      await say.focus();
      await page.keyboard.press('Enter');
      assert.deepEqual(await page.evaluate(() => window.spoken), [[words[0], 'fr']]);
    }
    assert.deepEqual(problems, []);
    await context.close();
  }
});

test('two starts of a shuffled lesson ask in different orders', async () => {
  const file = writePage(path.resolve('examples/lecon-le-marche.lxf'), 'shuffled', { QuestionOrder: 'hasard' });
  const orders = [];
  for (let start = 0; start < 2; start++) {
    const { page, problems, context } = await openPage(file);
    const order = [];
    for (let i = 0; i < 13; i++) {
      order.push(await textOf(page, 'trad'));
      await page.locator('#next').click();
    }
    assert.equal(new Set(order).size, 13);
    orders.push(order);
    assert.deepEqual(problems, []);
    await context.close();
  }
  assert.notDeepEqual(orders[0], orders[1]);
});

test('pictures: desktop, phone, right to left, Chinese and Japanese', async () => {
  const shots = [['lecon-le-marche', 'examples', desktop, 'desktop'], ['lecon-le-marche', 'examples', phone, 'phone'],
                 ['ar-souq', 'tests/browser/lessons', desktop, 'rtl'], ['he-shuk', 'tests/browser/lessons', phone, 'rtl-phone'],
                 ['ja-ichiba', 'tests/browser/lessons', phone, 'cjk-phone'], ['zh-shichang', 'tests/browser/lessons', desktop, 'cjk']];
  for (const [name, folder, options, label] of shots) {
    const { page, context } = await openPage(writePage(path.resolve(folder, name + '.lxf'), 'picture-' + name), options);
    const { w: words } = await data(page);
    await clickWord(page)((await wordsReading(page, words[0]))[0]);
    await page.locator('#next').click();
    await clickWord(page)(0);
    await page.screenshot({ path: path.join(pictures, `modern-${name}-${label}.png`) });
    await context.close();
  }
});

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
  assert.equal(await textOf(page, 'fl'), options.ScoreLabel);
  assert.equal(await textOf(page, 'trad'), attack);
  assert.equal(await page.locator('#zone').isVisible(), true);
  // Colours that are none: the page keeps its own.
  assert.equal(await page.evaluate(() => getComputedStyle(document.body).backgroundColor), 'rgb(246, 247, 249)');
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

test('nobody is stuck: an entry the text does not hold is shown after three wrong tries, and the round ends', async () => {
  const project = writeProject('stuck', ['Le chat dort.'], [['chat', 'cat'], ['chien', 'dog']]);
  const { page, problems, context } = await openPage(writePage(project, 'stuck'));
  await clickWord(page)(1);
  await page.locator('#next').click();
  for (let i = 0; i < 3; i++) await clickWord(page)(0);
  assert.deepEqual([await textOf(page, 'feedback'), await textOf(page, 'score')], ['Terminé !', '1 / 2']);
  assert.equal(await page.locator('#list li.s').textContent(), 'dog - chien (montré)');
  assert.deepEqual(await lastProgress(page), { found: 1, shown: 1, questions: 2, tries: 4, finished: true, round: 1 });
  // A text without a word to reach: the keyboard finds nothing to fail on.
  await page.evaluate(() => { document.getElementById('text').textContent = ''; });
  await page.locator('#text').focus();
  await page.keyboard.press('ArrowDown');
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
  // No slanted words, in any script.
  assert.deepEqual(await page.evaluate(() => [...document.querySelectorAll('*')]
    .filter(e => getComputedStyle(e).fontStyle !== 'normal' && e.textContent.trim() && !e.closest('footer')).map(e => e.tagName)), []);
  await context.close();
});
