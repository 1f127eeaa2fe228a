'use strict';
// Builds the catalogue from the inline data. Values only ever reach the page as text
// (textContent, Option texts, attributes), never as markup.
(function () {
  const data = JSON.parse(document.getElementById('spk-data').textContent);
  const T = data.texts;
  const tapes = data.tapes;
  // Positions in a tape row.
  const NR = 0, TITLE = 1, CAT = 2, TYPE = 3, DIR = 4, LOC = 5, DUR = 6, LENT = 7, COVERS = 8;
  const columns = [[NR, 'ColNr', 'nr'], [TITLE, 'ColTitle', 'title'], [CAT, 'ColCategory'], [TYPE, 'ColType'],
    [DIR, 'ColDirector'], [LOC, 'ColLocation'], [DUR, 'ColDuration', 'time'], [LENT, 'ColLent']]
    .filter(c => c[0] !== LOC || data.location);
  const PAGE = 200;
  const DELAY = 120;
  const $ = id => document.getElementById(id);
  const foldPattern = new RegExp('[' + Object.keys(data.fold).join('') + ']', 'g');
  const fold = s => s.replace(foldPattern, c => data.fold[c]);
  const sortKeys = {};
  // The unpacked details: per tape "title^A director^A description^A actor^A actor ...^B", then
  // ^D and per tape "role^A role ...^B"; lower is the first part in lower case, for the search.
  let details = '', lower = '', starts = null, lowerStarts = null, roleStarts = null, titles = null;
  let view = [], shown = 0, sortColumn = -1, sortDirection = 1, timer = 0;

  const text = (tape, f) => f === LENT ? (tape[LENT] ? T.Yes : T.No) : tape[f];
  const compare = (a, b) => a < b ? -1 : a > b ? 1 : 0;
  const fill = (s, values) => values.reduce((r, v, k) => r.replace('%' + (k + 1), () => String(v)), s);

  function el(tag, content, className) {
    const e = document.createElement(tag);
    if (content !== undefined) e.textContent = content;
    if (className) e.className = className;
    return e;
  }

  // Danish order as the overview sorts: the folded text, then the text itself, then data order.
  function keysOf(f) {
    if (!sortKeys[f]) sortKeys[f] = tapes.map(t => fold(text(t, f)));
    return sortKeys[f];
  }

  function sorted(list) {
    if (sortColumn < 0) return list;
    const f = columns[sortColumn][0], keys = keysOf(f), d = sortDirection;
    return list.sort((a, b) => d * (compare(keys[a], keys[b]) || compare(text(tapes[a], f), text(tapes[b], f))) || a - b);
  }

  // Where each record starts in s, from `from` on; one more entry marks the end.
  function recordStarts(s, from) {
    const out = new Int32Array(tapes.length + 1);
    out[0] = from;
    for (let k = 1, p = from; k <= tapes.length; k++) out[k] = p = s.indexOf('\u0002', p) + 1;
    return out;
  }

  function record(s, at, i) {
    return s.slice(at[i], at[i + 1] - 1).split('\u0001');
  }

  // The tapes whose title, director, actors or description hold q: one pass over one text.
  function hits(q) {
    const hit = new Uint8Array(tapes.length);
    for (let p = lower.indexOf(q); p >= 0; ) {
      let lo = 0, hi = tapes.length - 1;
      while (lo < hi) {
        const mid = (lo + hi + 1) >> 1;
        if (lowerStarts[mid] <= p) lo = mid; else hi = mid - 1;
      }
      hit[lo] = 1;
      p = lower.indexOf(q, lowerStarts[lo + 1]);
    }
    return hit;
  }

  // Until the details are unpacked, the search looks in the titles alone.
  function titleHits(q) {
    if (!titles) titles = tapes.map(t => t[TITLE].toLowerCase());
    const hit = new Uint8Array(tapes.length);
    titles.forEach((s, i) => { if (s.includes(q)) hit[i] = 1; });
    return hit;
  }

  function selected() {
    const q = $('search').value.trim().toLowerCase();
    const cat = $('category').selectedIndex > 0 ? $('category').value : null;
    const type = $('type').selectedIndex > 0 ? $('type').value : null;
    const hit = q ? (lower ? hits(q) : titleHits(q)) : null;
    const out = [];
    for (let i = 0; i < tapes.length; i++) {
      const t = tapes[i];
      if ((cat !== null && t[CAT] !== cat) || (type !== null && t[TYPE] !== type)) continue;
      if (hit && !hit[i]) continue;
      out.push(i);
    }
    return out;
  }

  function row(i) {
    const t = tapes[i], tr = el('tr');
    tr.dataset.i = i;
    tr.tabIndex = 0;
    for (const [f, , cls] of columns) {
      const td = el('td', text(t, f), f === NR || f === TITLE ? cls : ((cls ? cls + ' ' : '') + 'wide'));
      if (f === LENT && t[LENT]) td.classList.add('lent');
      tr.appendChild(td);
    }
    return tr;
  }

  function showRows(from) {
    const part = document.createDocumentFragment();
    for (let k = from; k < shown && k < view.length; k++) part.appendChild(row(view[k]));
    $('rows').appendChild(part);
    $('more').hidden = shown >= view.length;
  }

  function update() {
    const began = performance.now();
    view = sorted(selected());
    shown = PAGE;
    $('rows').textContent = '';
    showRows(0);
    $('count').textContent = fill(T.Count, [view.length, tapes.length]);
    $('count').dataset.query = $('search').value.trim();
    // How long the answer held the page, for anyone measuring it.
    $('count').dataset.ms = Math.round(performance.now() - began);
  }

  function sortBy(k) {
    sortDirection = sortColumn === k ? -sortDirection : 1;
    sortColumn = k;
    document.querySelectorAll('#heads th').forEach((th, n) =>
      n === k ? th.setAttribute('aria-sort', sortDirection > 0 ? 'ascending' : 'descending') : th.removeAttribute('aria-sort'));
    update();
  }

  function fillChoice(id, f, allKey) {
    const s = $(id);
    s.appendChild(new Option(T[allKey], ''));
    const values = [...new Set(tapes.map(t => t[f]).filter(v => v))];
    values.sort((a, b) => compare(fold(a), fold(b)) || compare(a, b));
    for (const v of values) s.appendChild(new Option(v, v));
    s.addEventListener('change', update);
  }

  function addCovers(box, t) {
    const covers = el('div', undefined, 'covers');
    for (const [bit, side] of [[1, 'Front'], [2, 'Back']]) {
      if (!(t[COVERS] & bit)) continue;
      const img = el('img');
      img.alt = T[side];
      img.src = 'billeder/' + encodeURIComponent(side + t[NR] + '.jpg');
      covers.appendChild(img);
    }
    if (covers.firstChild) box.appendChild(covers);
  }

  function openDetail(i) {
    const t = tapes[i], box = $('detail');
    box.textContent = '';
    const close = el('button', T.Close, 'close');
    close.type = 'button';
    close.addEventListener('click', closeDetail);
    box.append(close, el('h2', t[TITLE]));
    const fields = el('dl');
    for (const [f, key] of columns)
      if (f !== TITLE && text(t, f)) fields.append(el('dt', T[key]), el('dd', text(t, f)));
    box.appendChild(fields);
    addCovers(box, t);
    const [, , description, ...actors] = details ? record(details, starts, i) : [];
    const roles = details ? record(details, roleStarts, i) : [];
    if (description) box.append(el('h3', T.Description), el('p', description, 'text'));
    if (actors.length) {
      const list = el('ul', undefined, 'cast');
      actors.forEach((actor, k) => {
        const li = el('li', actor);
        if (roles[k]) li.append(' ', el('span', '(' + roles[k] + ')', 'role'));
        list.appendChild(li);
      });
      box.append(el('h3', T.Cast), list);
    }
    box.hidden = false;
    box.scrollTop = 0;
    close.focus();
  }

  function closeDetail() {
    $('detail').hidden = true;
  }

  async function unpackDetails() {
    const base64 = document.getElementById('spk-details').textContent.trim();
    let bytes;
    if (Uint8Array.fromBase64) {
      bytes = Uint8Array.fromBase64(base64);
    } else {
      const packed = atob(base64);
      bytes = new Uint8Array(packed.length);
      for (let k = 0; k < packed.length; k++) bytes[k] = packed.charCodeAt(k);
    }
    // Read piece by piece, giving the browser a turn now and then, so that typing in the
    // search field (titles only, meanwhile) is answered while the block unpacks.
    const reader = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('deflate')).getReader();
    const decoder = new TextDecoder(), parts = [];
    let last = performance.now();
    for (;;) {
      const { done, value } = await reader.read();
      if (done) break;
      parts.push(decoder.decode(value, { stream: true }));
      if (performance.now() - last > 50) {
        await new Promise(resume => setTimeout(resume));
        last = performance.now();
      }
    }
    parts.push(decoder.decode());
    const text = parts.join('');
    const roles = text.indexOf('\u0004');
    lower = text.slice(0, roles).toLowerCase();
    lowerStarts = recordStarts(lower, 0);
    starts = recordStarts(text, 0);
    roleStarts = recordStarts(text, roles + 1);
    details = text;
  }

  function start() {
    document.documentElement.lang = T.Language;
    const heads = $('heads');
    columns.forEach(([f, key, cls], k) => {
      const th = el('th', T[key], f === NR || f === TITLE ? '' : 'wide');
      th.tabIndex = 0;
      th.addEventListener('click', () => sortBy(k));
      th.addEventListener('keydown', e => { if (e.key === 'Enter') sortBy(k); });
      heads.appendChild(th);
    });
    fillChoice('category', CAT, 'AllCategories');
    fillChoice('type', TYPE, 'AllTypes');
    $('more').textContent = T.More;
    $('more').addEventListener('click', () => { const from = shown; shown += PAGE; showRows(from); });
    const rows = $('rows');
    rows.addEventListener('click', e => { const tr = e.target.closest('tr'); if (tr) openDetail(+tr.dataset.i); });
    rows.addEventListener('keydown', e => { if (e.key === 'Enter' && e.target.dataset.i) openDetail(+e.target.dataset.i); });
    document.addEventListener('keydown', e => { if (e.key === 'Escape') closeDetail(); });
    const search = $('search');
    search.placeholder = T.Loading;
    search.disabled = false;
    search.addEventListener('input', () => { clearTimeout(timer); timer = setTimeout(update, DELAY); });
    update();
    document.documentElement.dataset.shown = Math.round(performance.now());
    const unpack = () => unpackDetails().then(() => {
      search.placeholder = T.Search;
      if (search.value.trim()) update();
      document.documentElement.dataset.ready = Math.round(performance.now());
    });
    // This script stands before the large details block, so the table shows while the
    // browser still reads the block; it is unpacked once the whole page is read.
    if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', unpack);
    else unpack();
  }

  start();
})();
