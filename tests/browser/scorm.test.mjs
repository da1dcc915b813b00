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
import { launchChromium } from './chromium.mjs';

const tool = process.env.LEXIFIND_PAGE;
const lesson = path.resolve('examples/lecon-le-marche.lxf');
const runtime = path.resolve('node_modules/scorm-again/dist/scorm-again.js');
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'lexifind-scorm-'));
let browser, server, origin;

// The platform's page: the run-time as window.API (1.2) or window.API_1484_11 (2004),
// every call the package makes recorded with its answer, the package in a frame.
const host = `<!DOCTYPE html><meta charset=utf-8><title>Platform</title><link rel=icon href="data:,">
<script src="/scorm-again.js"></script>
<script>
const edition = new URLSearchParams(location.search).get('edition');
const api = edition === '2004' ? new Scorm2004API({}) : new Scorm12API({});
window[edition === '2004' ? 'API_1484_11' : 'API'] = api;
window.calls = [];
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
});

after(async () => {
  await browser?.close();
  server?.close();
  fs.rmSync(work, { recursive: true, force: true });
});

// The package written and unpacked into a folder of its own.
function unpack(name, edition, mastery) {
  const out = path.join(work, name);
  const args = [edition === '2004' ? '--scorm=2004' : '--scorm'];
  if (mastery !== undefined) args.push('--set', `MasteryScore=${mastery}`);
  const written = spawnSync(tool, [...args, lesson, out], { encoding: 'utf8' });
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

// The exercise's frame, once its script has shown the first definition.
async function exercise(page, pkg) {
  await page.evaluate(name => { document.getElementById('sco').src = `/${name}/index.html`; }, pkg);
  await page.waitForFunction(() =>
    document.getElementById('sco').contentDocument?.getElementById('trad')?.textContent);
  const frame = page.frames().find(f => f.url().endsWith(`/${pkg}/index.html`));
  assert.ok(frame, 'the package page never loaded');
  return frame;
}

// Answers `answers` questions (all when undefined) by clicking their word.
async function play(frame, answers = Infinity) {
  const { w: words, d: definitions } = await frame.evaluate(() => JSON.parse(document.getElementById('data').textContent));
  const found = new Set();
  for (let turn = 0; turn < 4 * words.length && found.size < answers && await frame.locator('#eatme').count(); turn++) {
    const shown = await frame.locator('#trad').evaluate(e => e.textContent);
    const k = definitions.findIndex((d, i) => d === shown && !found.has(i));
    const ids = await frame.evaluate(w => [...document.querySelectorAll('#text span')]
      .filter(s => s.textContent.trim() === w).map(s => s.id), words[k]);
    if (ids.length) {
      await frame.locator(`[id="${ids[0]}"]`).click();
      found.add(k);
      if (!await frame.locator('#eatme').count()) break;
    }
    await frame.locator('#eatme button').click();
  }
  return { found: found.size, questions: words.length };
}

// Closing the exercise, as a platform does when the learner leaves it.
async function leave(page) {
  await page.evaluate(() => { document.getElementById('sco').src = 'about:blank'; });
  await page.waitForFunction(() => calls.some(c => c.name === 'LMSFinish' || c.name === 'Terminate'));
}

// What the run-time holds, in the names of either edition.
const held = page => page.evaluate(() => {
  if (window.API_1484_11) {
    const cmi = API_1484_11.cmi;
    return { status: cmi.completion_status, success: cmi.success_status, raw: cmi.score.raw,
             min: cmi.score.min, max: cmi.score.max, scaled: cmi.score.scaled,
             time: cmi.getCurrentTotalTime() };
  }
  const core = API.cmi.core;
  return { status: core.lesson_status, raw: core.score.raw, min: core.score.min, max: core.score.max,
           time: core.getCurrentTotalTime() };
});

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

test('an unfinished session reports incomplete, with and without a mastery score', async () => {
  for (const [edition, mastery] of [['1.2', undefined], ['1.2', 50], ['2004', 50]]) {
    const pkg = unpack(`part-${edition}-${mastery ?? 'none'}`, edition, mastery);
    const { page, problems, context } = await open(`${origin}/host.html?edition=${edition}`);
    const frame = await exercise(page, pkg);
    const { found, questions } = await play(frame, 2);
    assert.equal(found, 2);
    await leave(page);
    const result = await held(page);
    assert.equal(result.status, 'incomplete');
    if (edition === '2004') assert.equal(result.success, 'unknown');
    assert.equal(Number(result.raw), Math.round(10000 * 2 / questions) / 100);
    assert.deepEqual(problems, []);
    await context.close();
  }
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
