// The built site, read as files. No link is broken: every internal href, src and module import
// resolves to a file, and to an id of it when it names one; nothing is fetched from elsewhere.
// Every page says its language and title. Every program has its page with its statement, its
// session as the statement holds it, the terminal and every source file of its folder, each
// shown whole. The index is make list's, in its order. utiles' manual pages show no raw roff.
//   node paginas.mjs <checkout> <site-folder>
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';

const [root, site] = process.argv.slice(2).map((p) => path.resolve(p));
const failures = [];
const fail = (text) => failures.push(text);
const read = (file) => fs.readFileSync(file, 'utf8');
const text = (html) => html.replace(/<[^>]*>/g, '').replace(/&lt;/g, '<').replace(/&gt;/g, '>')
    .replace(/&quot;/g, '"').replace(/&#x27;/g, "'").replace(/&#39;/g, "'").replace(/&nbsp;/g, '\u00a0')
    .replace(/&amp;/g, '&');

function walk(folder) {
    return fs.readdirSync(folder, { withFileTypes: true }).flatMap((entry) => {
        const file = path.join(folder, entry.name);
        return entry.isDirectory() ? walk(file) : [file];
    });
}
const files = walk(site);
const pages = files.filter((f) => f.endsWith('.html'));
const ids = new Map(pages.map((page) => [page, [...read(page).matchAll(/\sid="([^"]*)"/g)].map((m) => m[1])]));

// The terminal's own files come with its part of the site; without it in the checkout, the
// links to them are left for that part to bring.
const terminalPart = fs.existsSync(path.join(root, 'tools/web/recursos/terminal.js'));
const terminalFiles = ['recursos/terminal.js', 'recursos/xterm.css'].map((f) => path.join(site, f));

function follow(from, link, what) {
    const where = `${path.relative(site, from)}: ${what} "${link}"`;
    if (/^[a-z][a-z0-9+.-]*:/i.test(link) || link.startsWith('//')) { fail(`${where} leaves the site`); return; }
    const [file, fragment] = link.split('#');
    let target = file ? path.resolve(path.dirname(from), decodeURIComponent(file.split('?')[0])) : from;
    if (fs.existsSync(target) && fs.statSync(target).isDirectory()) target = path.join(target, 'index.html');
    if (!target.startsWith(site + path.sep)) { fail(`${where} points outside the site`); return; }
    if (!fs.existsSync(target)) {
        if (!terminalPart && terminalFiles.includes(target)) return;
        fail(`${where} names no file`);
        return;
    }
    if (fragment !== undefined && !(ids.get(target) || []).includes(decodeURIComponent(fragment))) {
        fail(`${where} names no id of ${path.relative(site, target)}`);
    }
}

for (const page of pages) {
    const html = read(page);
    const name = path.relative(site, page);
    if (!/^<!DOCTYPE html>\s*<html lang="es">/i.test(html)) fail(`${name}: no <html lang="es">`);
    if (!/<title>[^<]*\S[^<]*<\/title>/.test(html)) fail(`${name}: no title`);
    const seen = ids.get(page);
    const twice = seen.filter((id, i) => seen.indexOf(id) !== i);
    if (twice.length) fail(`${name}: ids given twice: ${twice.join(', ')}`);
    for (const [, attribute, link] of html.matchAll(/\s(href|src)="([^"]*)"/g)) follow(page, link, attribute);
}
// The terminal's scripts: what they import by a relative path is there too.
for (const script of files.filter((f) => /\.m?js$/.test(f))) {
    for (const [, link] of read(script).matchAll(/(?:\bfrom\s*|\bimport\s*\(?\s*)["'](\.{1,2}\/[^"']+)["']/g)) {
        follow(script, link, 'import');
    }
}

// The index, as make list gives it.
const entries = execFileSync('sh', [path.join(root, 'scripts/indice.sh'), 'entradas'], { encoding: 'utf8' })
    .split('\n').filter(Boolean).map((line) => {
        const [topic, name, kind, source, args] = line.split('\t');
        return { topic, name, kind, source, args };
    });
const index = read(path.join(site, 'index.html'));
const listed = [...index.matchAll(/<li><a href="(?:programas|utiles)\/([^"]+)\.html">/g)].map((m) => m[1]);
const expected = entries.map((e) => e.name);
if (listed.slice(0, expected.length).join(' ') !== expected.join(' ')) {
    fail(`index.html lists ${listed.join(' ')}\n  make list has ${expected.join(' ')}`);
}
for (const topic of new Set(entries.map((e) => e.topic))) {
    if (!index.includes(`>${topic.replace(/&/g, '&amp;')}</h2>`)) fail(`index.html: no heading for the topic «${topic}»`);
}

const attribute = (value) => value.replace(/&/g, '&amp;').replace(/"/g, '&quot;').replace(/</g, '&lt;');
for (const { name, kind, source, args } of entries.filter((e) => e.kind !== 'biblioteca')) {
    const file = path.join(site, 'programas', `${name}.html`);
    if (!fs.existsSync(file)) { fail(`${name} has no page programas/${name}.html`); continue; }
    const html = read(file);
    const where = `programas/${name}.html`;
    const runs = kind === 'programa';
    const statement = /<section id="enunciado"[^>]*>([\s\S]*?)<\/section>/.exec(html);
    if (runs && (!statement || !/<strong>Qué hay que escribir\.<\/strong>/.test(statement[1]))) fail(`${where}: no statement`);
    // The session, byte for byte as the statement holds it.
    const markdown = runs ? read(path.join(root, 'enunciados', `${name}.md`)) : '';
    const block = /<!-- sesión: .* -->\n```text\n([\s\S]*?)```\n/.exec(markdown);
    const session = /<figure class="sesion" id="sesion">[\s\S]*?<pre[^>]*><code>([\s\S]*?)<\/code><\/pre>/.exec(html);
    if (runs && !session) fail(`${where}: no session`);
    else if (block && text(session[1]) !== block[1]) fail(`${where}: the session is not the statement's`);
    if (runs && !html.includes(`<section id="terminal" class="terminal" data-programa="${name}" data-argumentos="${attribute(args)}"`)) {
        fail(`${where}: no terminal section for ${name} with the arguments «${args}»`);
    }
    if (runs && (!html.includes('<script type="module" src="../recursos/terminal.js"></script>') ||
        !html.includes('<link rel="stylesheet" href="../recursos/xterm.css">'))) fail(`${where}: the terminal's script or style is not in its head`);
    // Every source of the program's own folder, and every file of the course its statement
    // names (its modules, utiles), whole, the main one first.
    const code = /<section id="codigo"[^>]*>([\s\S]*?)<\/section>/.exec(html);
    // A listing is named by the heading before it, or by its own id when folded away.
    const listing = /(?:<h3 id="archivo-([^"]+)">[\s\S]*?<\/h3>\s*<pre[^>]*>|<pre id="archivo-([^"]+)"[^>]*>)<code[^>]*>([\s\S]*?)<\/code><\/pre>/g;
    const listings = new Map(code ? [...code[1].matchAll(listing)].map(([, h3, pre, body]) => [h3 || pre, text(body)]) : []);
    const folder = path.dirname(source);
    const own = folder.startsWith('programs/') ? fs.readdirSync(path.join(root, folder))
        .filter((f) => /\.(c|cpp|h)$/.test(f)).map((f) => `${folder}/${f}`) : [source];
    for (const [, named] of markdown.matchAll(/`([a-z]+\/[^`\s]+\.(?:c|cpp|h))`/g)) {
        if (fs.existsSync(path.join(root, named)) && !own.includes(named)) own.push(named);
    }
    const fileId = (f) => f.replace(/[^A-Za-z0-9]+/g, '-');
    if (listings.keys().next().value !== fileId(source)) fail(`${where}: the solution does not start with ${source}`);
    for (const f of own) {
        if (!listings.has(fileId(f))) fail(`${where}: ${f} is not shown`);
        else if (listings.get(fileId(f)) !== read(path.join(root, f))) fail(`${where}: ${f} is not shown whole`);
    }
}

// utiles' manual pages: one per source, each section there, nothing of roff left over.
const manuals = path.join(root, 'lib/utiles/man');
for (const source of fs.readdirSync(manuals).filter((f) => f.endsWith('.3'))) {
    const where = `utiles/${source.slice(0, -2)}.html`;
    const file = path.join(site, where);
    if (!fs.existsSync(file)) { fail(`${source} has no page ${where}`); continue; }
    const article = /<article class="manual">([\s\S]*?)<\/article>/.exec(read(file));
    for (const [macro, heading] of [['SH', 'h2'], ['SS', 'h3']]) {
        const sections = (read(path.join(manuals, source)).match(new RegExp(`^\\.${macro} `, 'gm')) || []).length;
        const shown = article ? (article[1].match(new RegExp(`<${heading}[ >]`, 'g')) || []).length : -1;
        if (shown !== sections) fail(`${where}: ${shown} of the ${sections} .${macro} headings of ${source}`);
    }
    const raw = article && /\\[-fe(%& ]|^\.[A-Za-z]{1,2}\b/m.exec(text(article[1]));
    if (raw) fail(`${where}: raw roff left: «${raw[0]}»`);
}

for (const failure of failures) console.log(failure);
if (failures.length) process.exit(1);
console.log(`${pages.length} pages, ${entries.length} entries of the index: every link resolves`);
