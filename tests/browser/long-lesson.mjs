// A lesson of about 50 KB of French text whose entries stand only in its last lines,
// most of them twice: the words to find lie in the last of the page's blocks.
import fs from 'node:fs';

const filler = ('le la les un une des du et ou mais dans sur sous avec pour par chez ville rue maison '
  + 'jardin école matin soir soleil pluie vent arbre route chemin porte fenêtre table chaise livre '
  + 'lettre enfant voisin ami famille parle marche regarde attend pense chante joue court lit écrit '
  + 'grand petit vieux jeune beau calme long court rouge vert bleu blanc noir doux froid chaud').split(' ');

const ending = [
  "Au bout de la rue, le marchand de fromages vend une pomme de terre à l'épicière.",
  "Le marchand sourit ; l'épicière choisit un bouquet de persil et des fromages.",
  'Elle paie, range la pomme de terre dans son panier et rentre chez elle.',
  'Le panier est lourd, le persil sent bon.',
];

export const longEntries = [
  ['marchand', 'celui qui vend'],
  ['fromages', 'cheeses'],
  ['pomme de terre', 'potato'],
  ["l'épicière", 'la femme qui tient une épicerie'],
  ['persil', 'parsley'],
  ['bouquet', 'quelques tiges liées'],
  ['panier', 'basket'],
];

// Written as the program writes a lesson that is not all windows-1252: UTF-8 with its
// mark, CR LF.
export function writeLongLesson(file, size = 50_000) {
  const lines = [];
  let length = 0, seed = 11;
  const random = n => (seed = (seed * 1103515245 + 12345) % 2147483648) % n;
  while (length < size) {
    const line = Array.from({ length: 11 }, () => filler[random(filler.length)]).join(' ')
      .replace(/^./, c => c.toUpperCase()) + '.';
    lines.push(line);
    length += line.length + 2;
  }
  lines.push(...ending);
  const content = [String(lines.length), String(longEntries.length), ...lines,
                   ...longEntries.map(e => e[0]), ...longEntries.map(e => e[1])].map(l => l + '\r\n').join('');
  fs.writeFileSync(file, Buffer.concat([Buffer.from([0xEF, 0xBB, 0xBF]), Buffer.from(content, 'utf8')]));
  return file;
}
