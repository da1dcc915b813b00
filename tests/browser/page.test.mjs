// Plays exercise pages written by lexifind-page in Debian's Chromium.
import { test, before, after, describe } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { launchChromium } from './chromium.mjs';

const tool = process.env.LEXIFIND_PAGE;
const shotDir = process.env.LEXIFIND_SHOT_DIR ?? os.tmpdir();
const examples = path.resolve('examples');
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'lexifind-browser-'));
let browser;

before(async () => {
  assert.ok(tool && fs.existsSync(tool), 'LEXIFIND_PAGE must name the built lexifind-page');
  browser = await launchChromium();
});

after(async () => {
  await browser?.close();
  fs.rmSync(work, { recursive: true, force: true });
});

// A project file as the program writes it: windows-1252 when every character has a
// byte there (for these fixtures: Latin-1 without C1 controls), else UTF-8 with a BOM.
function writeProject(name, textLines, entries) {
  const lines = [String(textLines.length), String(entries.length), ...textLines,
                 ...entries.map(e => e[0]), ...entries.map(e => e[1])];
  const content = lines.map(l => l + '\r\n').join('');
  const single = [...content].every(c => c.codePointAt(0) < 0x80 || (c.codePointAt(0) >= 0xA0 && c.codePointAt(0) <= 0xFF));
  const file = path.join(work, name + '.lxf');
  fs.writeFileSync(file, single ? Buffer.from(content, 'latin1')
                                : Buffer.concat([Buffer.from([0xEF, 0xBB, 0xBF]), Buffer.from(content, 'utf8')]));
  return file;
}

function runTool(args) {
  return spawnSync(tool, args, { encoding: 'buffer' });
}

function writePage(project, name, options = {}) {
  const out = path.join(work, name);
  const args = Object.entries(options).flatMap(([k, v]) => ['--set', `${k}=${v}`]);
  const result = runTool([...args, project, out]);
  assert.equal(result.status, 0, result.stderr.toString());
  return out + '.htm';
}

// Opens a page and records every script error and console error it reports.
async function openPage(file) {
  const page = await browser.newPage();
  const errors = [];
  page.on('pageerror', e => errors.push(String(e)));
  page.on('console', m => { if (m.type() === 'error') errors.push(m.text()); });
  await page.goto(pathToFileURL(file).href);
  return { page, errors };
}

const text = (page, id) => page.locator('#' + id).evaluate(e => e.textContent);

// The ids of the spans that read as the word (first text node, trimmed, as the page compares).
async function spansOf(page, word) {
  return page.evaluate(w => [...document.querySelectorAll('span[onclick]')]
    .filter(s => s.firstChild && s.firstChild.nodeValue.trim() === w).map(s => s.id), word);
}

async function clickWord(page, word, occurrence = 0) {
  const ids = await spansOf(page, word);
  assert.ok(ids.length > occurrence, `no span "${word}" (#${occurrence}) in the page`);
  await page.locator(`span[id="${ids[occurrence]}"]`).click();
  return ids[occurrence];
}

// The found words, one line each.
const listOf = async page => (await page.locator('#list').innerText()).trim();

const next = page => page.locator('#eatme input').click();

describe('a lesson of five questions', () => {
  const entries = [
    ['chat', 'cat'],
    ['pomme de terre', 'potato'],
    ['dort', 'sleeps'],
    ['кошка', 'chatte (en russe)'],
    ['tapis', 'rug'],
  ];
  let project;
  before(() => {
    project = writeProject('five', [
      'Le chat noir dort sur le tapis.',
      'Le chat mange une pomme de terre.',
      'Ma кошка спит.',
    ], entries);
  });

  test('right, wrong, score, highlight, list, skipping, wrapping and the end', async () => {
    const { page, errors } = await openPage(writePage(project, 'five', { HighlightColor: '#00ff00' }));
    assert.equal(await page.title(), 'Recherche de vocabulaire');
    assert.equal(await text(page, 'trad'), 'cat');
    // The font list reaches the answer zone as a list, and the words look clickable.
    assert.equal(await page.locator('#trad').evaluate(e => getComputedStyle(e).fontFamily),
                 'Arial, Helvetica, sans-serif');
    assert.equal(await page.locator('blockquote').evaluate(e => getComputedStyle(e).cursor), 'pointer');

    await clickWord(page, 'tapis');
    assert.equal(await text(page, 'feedback'), 'Essayez encore !');
    assert.equal(await text(page, 'score'), '0 / 5 (0%)');

    // The word occurs twice: the second occurrence answers as well.
    assert.equal((await spansOf(page, 'chat')).length, 2);
    const found = await clickWord(page, 'chat', 1);
    assert.equal(await text(page, 'feedback'), "C'est juste !");
    assert.equal(await page.locator(`span[id="${found}"]`).evaluate(e => getComputedStyle(e).backgroundColor),
                 'rgb(0, 255, 0)');
    assert.equal(await listOf(page), 'cat - chat');
    assert.equal(await text(page, 'score'), '1 / 5 (50%)');

    // Once answered, further clicks count no try until the next question.
    await clickWord(page, 'tapis');
    assert.equal(await text(page, 'score'), '1 / 5 (50%)');

    await next(page);
    assert.equal(await text(page, 'trad'), 'potato');
    assert.deepEqual(await spansOf(page, 'pomme'), []);
    await clickWord(page, 'pomme de terre');
    assert.equal(await text(page, 'score'), '2 / 5 (67%)');
    assert.match(await listOf(page), /cat - chat\s+potato - pomme de terre/);

    // The button goes on past the last question to the first open one.
    for (const expected of ['sleeps', 'chatte (en russe)', 'rug', 'sleeps'])
    {
      await next(page);
      assert.equal(await text(page, 'trad'), expected);
    }

    await clickWord(page, 'dort');
    await next(page);
    await clickWord(page, 'кошка');
    assert.equal(await text(page, 'feedback'), "C'est juste !");
    await next(page);
    assert.equal(await text(page, 'trad'), 'rug');
    await clickWord(page, 'tapis');
    assert.equal(await text(page, 'feedback'), 'Terminé !');
    assert.equal(await page.locator('#eatme').count(), 0);
    assert.equal(await text(page, 'score'), '5 / 5 (83%)');
    assert.equal((await listOf(page)).split('\n').filter(Boolean).length, 5);

    assert.deepEqual(errors, []);
    await page.close();
  });

  test('a question whose word is missing can only be skipped', async () => {
    const p = writeProject('missing', ['Il pleut.'], [['pleut', 'rains'], ['neige', 'snows']]);
    const { page, errors } = await openPage(writePage(p, 'missing'));
    await clickWord(page, 'pleut');
    await next(page);
    assert.equal(await text(page, 'trad'), 'snows');
    await next(page);
    assert.equal(await text(page, 'trad'), 'snows');
    assert.equal(await page.locator('#eatme').count(), 1);
    assert.deepEqual(errors, []);
    await page.close();
  });
});

test('hostile values are shown literally', async () => {
  const hostile = 'dit "non" \\ </script> <b>gras</b> & co';
  const p = writeProject('hostile', ['<i>Un</i> mot & demi.'], [['mot', hostile], ['demi', "l'autre 'moitié'"]]);
  const options = {
    PageTitle: 'Titre </title> & "guillemets"',
    TextTitle: '<script>alert(1)</script>',
    RightMessage: 'Oui "vraiment" \\o/ </script>',
    WrongMessage: "Non '</script>'",
    DoneMessage: 'Fin <b>!</b>',
    Instruction: 'Cherchez <u>ceci</u> :',
    NextCaption: 'Suite "»"',
    FontFamily: 'Arial; } body { color: red',
    BackgroundColor: '#fff" onload="alert(1)',
    VocabularyTextColor: "#000'); alert('x",
    HighlightColor: '#ff0000"; alert("y',
  };
  const { page, errors } = await openPage(writePage(p, 'hostile', options));
  assert.equal(await page.title(), options.PageTitle);
  assert.equal(await page.locator('strong').first().textContent(), options.TextTitle);
  assert.equal(await page.locator('input[type=button]').getAttribute('value'), options.NextCaption);
  assert.match(await page.locator('#eatme').evaluate(e => e.previousElementSibling.previousElementSibling
    .previousElementSibling.textContent), /Cherchez <u>ceci<\/u> :/);
  assert.equal(await text(page, 'trad'), hostile);
  assert.equal(await page.locator('span[onclick]').count(), 5); // i Un i mot demi: the markup is text

  await clickWord(page, 'demi');
  assert.equal(await text(page, 'feedback'), options.WrongMessage);
  await clickWord(page, 'mot');
  assert.equal(await text(page, 'feedback'), options.RightMessage);
  assert.equal(await listOf(page), `${hostile} - mot`);
  await next(page);
  assert.equal(await text(page, 'trad'), "l'autre 'moitié'");
  await clickWord(page, 'demi');
  assert.equal(await text(page, 'feedback'), options.DoneMessage);
  // The style sheet kept its later rules: the definition cell has its default colour.
  assert.equal(await page.locator('#trad').evaluate(e => getComputedStyle(e).color), 'rgb(204, 0, 0)');
  assert.equal(await page.locator('body').evaluate(e => e.getAttribute('onload')), 'writequestion(0)');
  assert.deepEqual(errors, []);
  await page.close();
});

test('control characters are shown as U+FFFD, in the text, words, definitions and options', async () => {
  const ctl = '\u0000\u0001\u001b\u007f\u0080\u0085\u009f';
  const shown = '\ufffd'.repeat(ctl.length);
  const p = writeProject('controls', [`Le chat${ctl}dort.`], [['chat', `cat${ctl}!`], [`x${ctl}`, 'y']]);
  const options = { PageTitle: `T${ctl.slice(1)}`, TextTitle: `S${ctl.slice(1)}`, RightMessage: `R${ctl.slice(1)}`,
                    NextCaption: `N${ctl.slice(1)}`, FontFamily: `F${ctl.slice(1)}, serif` };
  const file = writePage(p, 'controls', options);
  const bytes = fs.readFileSync(file);
  assert.equal(bytes.findIndex(b => (b < 0x20 && ![9, 10, 13].includes(b)) || b === 0x7f || b === 0x81
                                    || b === 0x8d || b === 0x8f || b === 0x90 || b === 0x9d), -1);
  assert.doesNotMatch(bytes.toString('latin1'), /&#(1[2-5]\d|0*[1-9]|0*[12]\d|0*31|0);/);
  const { page, errors } = await openPage(file);
  const rest = shown.slice(1);
  assert.equal(await page.title(), `T${rest}`);
  assert.equal(await page.locator('strong').first().textContent(), `S${rest}`);
  assert.equal(await page.locator('input[type=button]').getAttribute('value'), `N${rest}`);
  assert.match(await page.locator('blockquote').evaluate(e => e.textContent), new RegExp(`chat${shown}dort`));
  assert.equal(await text(page, 'trad'), `cat${shown}!`);
  await clickWord(page, 'chat');
  assert.equal(await text(page, 'feedback'), `R${rest}`);
  assert.equal(await listOf(page), `cat${shown}! - chat`);
  await next(page);
  assert.equal(await page.evaluate(() => wordz[1]), `x${shown}`);
  assert.deepEqual(errors, []);
  await page.close();
});

describe('lexifind-page', () => {
  test('writes the same page to standard output', () => {
    const p = writeProject('stdout', ['Le chat.'], [['chat', 'cat']]);
    const file = writePage(p, 'stdout-file');
    const result = runTool([p, '-']);
    assert.equal(result.status, 0);
    assert.deepEqual(result.stdout, fs.readFileSync(file));
  });

  const failures = [
    ['a missing project file', () => [path.join(work, 'absent.lxf')], /Impossible d'ouvrir le fichier .*absent\.lxf/],
    ['an unknown option', p => ['--set', 'Colour=red', p], /Colour/],
    ['an empty word list', () => [writeProject('empty', ['Un texte.'], [])], /liste de mots est vide/],
    ['a bad count', () => {
      const f = path.join(work, 'bad.lxf');
      fs.writeFileSync(f, 'deux\r\n0\r\n');
      return [f];
    }, /bad\.lxf : ce n'est pas un projet Lexifind, sa ligne 1 « deux »/],
    // Named as the window names it when it opens the same file.
    ['a count far beyond the file', () => {
      const f = path.join(work, 'huge.lxf');
      fs.writeFileSync(f, '2147483647\r\n0\r\n');
      return [f];
    }, /Le fichier .*huge\.lxf annonce 2147483647 lignes mais n'en contient que 0\./],
  ];
  for (const [name, argsOf, message] of failures) {
    test(`refuses ${name} and writes nothing`, () => {
      const p = writeProject('ok', ['Le chat.'], [['chat', 'cat']]);
      const out = path.join(work, 'refused-' + name.replace(/\W+/g, '-'));
      const result = runTool([...argsOf(p), out]);
      assert.notEqual(result.status, 0);
      assert.match(result.stderr.toString('utf8'), message);
      assert.equal(fs.existsSync(out + '.htm'), false);
    });
  }
});

describe('the sample lessons play to their end', () => {
  for (const [name, encoding] of [['lecon-le-marche', 'windows-1252'], ['urok-na-rynke', 'utf-8']]) {
    test(name, async () => {
      const project = path.join(examples, name + '.lxf');
      const lines = new TextDecoder(encoding).decode(fs.readFileSync(project)).split(/\r?\n/);
      const n = Number(lines[0]);
      const m = Number(lines[1]);
      const words = lines.slice(2 + n, 2 + n + m);
      const definitions = lines.slice(2 + n + m, 2 + n + 2 * m);
      const { page, errors } = await openPage(writePage(project, name));
      if (name === 'lecon-le-marche')
        await page.screenshot({ path: path.join(shotDir, name + '.png'), fullPage: true });

      for (let answered = 0; answered < m; ++answered) {
        const k = definitions.indexOf(await text(page, 'trad'));
        assert.ok(k >= 0);
        await clickWord(page, words[k]);
        assert.notEqual(await text(page, 'feedback'), 'Essayez encore !');
        if (answered + 1 < m)
          await next(page);
      }
      assert.equal(await text(page, 'feedback'), 'Terminé !');
      assert.equal(await page.locator('#eatme').count(), 0);
      assert.equal(await text(page, 'score'), `${m} / ${m} (100%)`);
      if (name === 'lecon-le-marche')
        await page.screenshot({ path: path.join(shotDir, name + '-fini.png'), fullPage: true });
      assert.deepEqual(errors, []);
      await page.close();
    });
  }
});
